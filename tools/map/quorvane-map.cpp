// quorvane-map.cpp -- the map tool's command line: export a game folder's map to Tiled, import it back.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "modkit.h"
#include "tmx.h"

namespace {

const char* HELP =
    "Usage: quorvane-map export [--area X,Y,W,H] [--assets FOLDER] DIR FILE.tmx\n"
    "       quorvane-map import FILE.tmx DIR\n"
    "\n"
    "Edits a game folder's map in the Tiled map editor.\n"
    "\n"
    "export  writes DIR's map.dat as FILE.tmx, a Tiled map of 48-pixel tiles with\n"
    "        one tile layer (\"map\"), and the characters and the items lying on\n"
    "        the map as objects on the layers \"characters\" and \"items\" (each\n"
    "        with its record number). The tileset pictures are written beside it:\n"
    "        FILE-tiles.png, FILE-characters.png and FILE-items.png.\n"
    "import  reads FILE.tmx (as exported, or as saved by Tiled) and writes DIR's\n"
    "        map.dat and the new positions of the characters and items that were\n"
    "        moved. Everything is checked first: a file that cannot be taken\n"
    "        leaves DIR unchanged. An object deleted in Tiled is named with a\n"
    "        warning and its record stays where it was; in a file of part of the\n"
    "        map, an object moved outside that part is refused.\n"
    "        Run quorvane-check DIR afterwards.\n"
    "\n"
    "Options:\n"
    "  --area X,Y,W,H   export only W x H tiles from column X, row Y (and what\n"
    "                   stands on them); importing that file changes only that area\n"
    "  --assets FOLDER  the data/assets folder to take the pictures from (default:\n"
    "                   ./data/assets, else the one beside DIR, else the installed game's)\n"
    "  -h, --help       show this text\n"
    "\n"
    "Exit status: 0 done, 1 the file or the folder was refused (the reason is on\n"
    "standard error), 2 wrong usage.\n";

int usage(const char* why)
{
    fprintf(stderr, "quorvane-map: %s\n(quorvane-map --help tells how to use it)\n", why);
    return 2;
}

bool parseArea(const char* s, TileArea& a)
{
    char extra = 0;
    return sscanf(s, "%d,%d,%d,%d%c", &a.x, &a.y, &a.w, &a.h, &extra) == 4;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage("say export or import");
    std::string cmd = argv[1];
    if (cmd == "-h" || cmd == "--help") {
        fputs(HELP, stdout);
        return 0;
    }
    TileArea area;
    std::string assets;
    std::vector<std::string> args;
    for (int i = 2; i < argc; i++) {
        std::string a = argv[i];
        if (a == "-h" || a == "--help") {
            fputs(HELP, stdout);
            return 0;
        }
        if (cmd == "export" && a == "--area") {
            if (i + 1 >= argc || !parseArea(argv[i + 1], area))
                return usage("--area wants X,Y,W,H in tiles, as 100,80,30,20");
            i++;
        } else if (cmd == "export" && a == "--assets") {
            if (i + 1 >= argc)
                return usage("--assets wants a folder");
            assets = argv[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return usage(("unknown option " + a).c_str());
        } else {
            args.push_back(a);
        }
    }
    if (cmd == "export") {
        if (args.size() != 2)
            return usage("export wants a game folder and a .tmx file");
        if (assets.empty())
            assets = findAssetsFolder(args[0], "tiles/0.png");
        if (assets.empty())
            assets = "data/assets";   // found nowhere: the export says there are no pictures there
        return exportTiledMap(args[0], args[1], assets, area) ? 0 : 1;
    }
    if (cmd == "import") {
        if (args.size() != 2)
            return usage("import wants a .tmx file and a game folder");
        return importTiledMap(args[0], args[1]) ? 0 : 1;
    }
    return usage(("unknown command " + cmd).c_str());
}
