// menuloop.cpp -- the main menu.
#include "game.h"

void CGame::menuLoop()
{
    while (!bMustQuit) {
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT)
                bMustQuit = true;
            else if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)
                bMustQuit = true;
        }
        vars.frames++;
        SDL_Flip(screen);
        SDL_Delay(0);
    }
}
