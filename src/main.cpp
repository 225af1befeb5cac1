// main.cpp -- the program's entry: builds the game object and rebuilds it after each game.
#include <cstdio>
#include "game.h"

extern "C" int SDL_main(int, char**)
{
    puts("initializing...");
    CGame* game = new CGame();
    for (;;) {
        game->begin();
        if (!game->bPleaseLoadGame)
            break;
        // A game ended (quit to menu, death or an ending): start over from scratch.
        delete game;
        game = new CGame();
    }
    delete game;
    return 0;
}


// Loads a game directory and plays it, whatever the load answered; the game
// loop itself refuses to run without a player character.
void CGame::loadAndStart(const char* dir)
{
    loadGame(dir);
    gameLoop();
}
