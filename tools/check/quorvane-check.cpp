// quorvane-check.cpp -- the command that checks a game folder and reports like a compiler: FILE:LINE: error: ...
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "check.h"

namespace {

const char* const USAGE =
    "usage: quorvane-check [--assets FOLDER] GAME-FOLDER\n"
    "\n"
    "Reads a game folder the way the engine does and reports what is wrong with it, one line a\n"
    "finding (FOLDER/FILE:LINE: error|warning: what is wrong), then one line of summary.\n"
    "\n"
    "It checks the record files (npcdef, idef, qdef, vars.sav: line counts, values in range,\n"
    "carriage returns, gaps in a numbered series), the player and the quests, pictures for every\n"
    "sprite, icon and tile, map.dat, that everything a player needs can be reached from the start\n"
    "(through locked doors with the keys found, over the sea with a floater), intro.txt, the\n"
    "ending slides and signs.txt. Whatever leaves a game that loads but can never be finished is an error:\n"
    "a role keyword nearly right (\"did you mean ...?\"), a hostile role holder, quests nobody\n"
    "within reach gives, no ending, a folder name the custom-game prompt cannot type. A broken\n"
    "player start is reported first.\n"
    "\n"
    "  --assets FOLDER  the shared pictures and font (by default data/assets in the working\n"
    "                   folder, as the game finds them, or beside the game folder, or the\n"
    "                   installed game's)\n"
    "  --help           this text\n"
    "\n"
    "Exit code: 0 clean (warnings alone too), 1 errors found, 2 the folder could not be read.\n";

} // namespace

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::string dir, assetsDir;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            fputs(USAGE, stdout);
            return 0;
        }
        if (a == "--assets" && i + 1 < argc) {
            assetsDir = argv[++i];
        } else if (a.compare(0, 9, "--assets=") == 0) {
            assetsDir = a.substr(9);
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            fprintf(stderr, "quorvane-check: unknown option %s\n%s", a.c_str(), USAGE);
            return 2;
        } else if (dir.empty()) {
            dir = a;
        } else {
            fprintf(stderr, "quorvane-check: one game folder at a time\n%s", USAGE);
            return 2;
        }
    }
    if (dir.empty()) {
        fputs(USAGE, stderr);
        return 2;
    }
    if (assetsDir.empty())
        assetsDir = findAssetsFolder(dir);
    if (assetsDir.empty()) {
        fprintf(stderr, "quorvane-check: cannot find the game's shared pictures and font (data/assets); "
                        "name them with --assets FOLDER\n");
        return 2;
    }
    CheckAssets assets;
    std::string why;
    if (!assets.load(assetsDir, why)) {
        fprintf(stderr, "quorvane-check: %s\n", why.c_str());
        return 2;
    }
    CheckResult r = checkGameFolder(dir, assets);
    for (const Diagnostic& d : r.diagnostics)
        puts(formatDiagnostic(dir, d).c_str());
    puts(summaryLine(dir, r).c_str());
    fflush(stdout);
    return exitCodeOf(r);
}
