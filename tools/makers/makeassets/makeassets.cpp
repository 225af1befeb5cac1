// makeassets.cpp -- entry point: `makeassets <output-dir>` draws and writes all of the game's art and sound.
#include <cstdio>
#include "makeassets.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s <output-dir>   (e.g. data/assets)\n", argv[0]);
        return 2;
    }
    std::string out = argv[1];
    if (!makeDirs(out))
        return 1;

    struct Family
    {
        const char* name;
        bool (*make)(const std::string&, int&);
    };
    const Family families[] = {
        {"tiles", makeTiles},
        {"sprites", makeSprites},
        {"items", makeItems},
        {"icons", makeIcons},
        {"sounds", makeSounds},
    };
    int total = 0;
    for (const Family& f : families) {
        int count = 0;
        if (!f.make(out, count)) {
            fprintf(stderr, "makeassets: failed while making %s\n", f.name);
            return 1;
        }
        printf("%-8s %3d files\n", f.name, count);
        total += count;
    }
    printf("%d files written under %s\n", total, out.c_str());
    return 0;
}
