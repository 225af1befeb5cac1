// game-serializer.cpp -- loading a whole game folder.
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include "game.h"
#include "confined-fs.h"
#include "game-layout.h"
#include "savefiles.h"

// A save into dir that was cut off after its commit is finished first, so
// the load reads the game it saved, whole. The load holds the save lock
// throughout, so it never reads half of another copy's save.
int CGame::loadGame(const char* dir)
{
    SaveLock lock(folderOfPath(dir));
    finishInterruptedSave(dir);
    std::string varsPath = gameFile(dir, VARS_FILE);
    if (vars.serializeFrom(varsPath.c_str(), dir) != 0) {
        fprintf(stderr, "Save game nonexistant at %s\n", varsPath.c_str());
        struct stat st;
        loadFailure = (lstat(varsPath.c_str(), &st) == 0 ? "Cannot read: " : "File not found: ") + varsPath;
        return -1;
    }
    loadActors(dir);
    loadItems(dir);
    loadQuests(dir);
    theMap->loadMap(dir);
    loadSignposts(dir);
    player = findPlayerActor();
    loadFailure = player ? "" : "No player: no character in " + std::string(dir) + "/npcdef has \"Plyr\" on line 14";
    return player ? 0 : 1;
}
