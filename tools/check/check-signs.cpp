// check-signs.cpp -- quorvane-check on signs.txt: its lines, and that every sign has its signpost.
#include <set>
#include "check.h"
#include "signs-file.h"

void checkSigns(CheckedGame& g)
{
    std::string bytes;
    bool present;
    if (!readGameFile(g.dir, SIGNS_FILE, SIGNS_FILE_MAX, bytes, present)) {
        if (present)
            g.error(SIGNS_FILE, 0, "cannot be read (not a plain file, unreadable or too large): no signpost can be read");
        return;
    }
    std::vector<Signpost> signs;
    std::vector<SignProblem> problems;
    readSignposts(bytes, signs, problems);
    for (const SignProblem& p : problems)
        g.error(SIGNS_FILE, p.line, p.message);

    std::set<std::pair<int, int>> written;
    for (const Signpost& s : signs) {
        written.insert({s.column, s.row});
        std::string where = "tile " + std::to_string(s.column) + "," + std::to_string(s.row);
        if (g.bMapRead && g.map->getTileAt(s.column, s.row) != TILE_SIGNPOST)
            g.error(SIGNS_FILE, s.line, "no signpost stands on " + where + ": nobody can read these words");
        int w = 0, h = 0;
        if (g.assets.font && TTF_SizeText(g.assets.font, s.text.c_str(), &w, &h) == 0 && w > NARROW_SCREEN_WIDTH)
            g.warn(SIGNS_FILE, s.line, "the sign on " + where + " is wider than the " +
                                           std::to_string(NARROW_SCREEN_WIDTH) + "-pixel window");
    }
    if (!g.bMapRead)
        return;
    for (int r = 0; r < MAP_SIZE; r++)
        for (int c = 0; c < MAP_SIZE; c++)
            if (g.map->getTileAt(c, r) == TILE_SIGNPOST && !written.count({c, r}))
                g.warn(SIGNS_FILE, 0, "the signpost on tile " + std::to_string(c) + "," + std::to_string(r) +
                                          " has no words here: Return beside it only talks");
}
