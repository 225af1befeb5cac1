// named-game.cpp -- a game folder named on the command line, started at once as the menu starts a custom game.
#include <cstdio>
#include "game.h"
#include "game-layout.h"

bool CGame::playNamedGame(const char* dir)
{
    printf("Loading game! %s\n", dir);
    if (loadGame(dir) != 0) {
        fprintf(stderr, "Can't load that game...\n%s\n", loadFailure.c_str());
        return false;
    }
    std::string intro = gameFile(dir, INTRO_FILE);
    ScrollyText(intro.c_str());
    gameLoop();
    return true;
}
