// question.cpp -- a yes-or-no question over the current screen, answered with Y or N.
#include "game.h"

const int QUESTION_TOP = 160;   // window pixels

bool CGame::askYesNo(const char* question, QuitRule rule)
{
    // A band across the upper part of the window, clear of the player on the map.
    int h = returnTextHeight();
    SDL_Rect band = {0, (Sint16)QUESTION_TOP, (Uint16)SCREEN_WIDTH, (Uint16)(3 * h)};
    SDL_FillRect(screen, &band, SDL_MapRGB(screen->format, 0, 0, 0));
    SDL_Rect inner = {2, (Sint16)(band.y + 2), (Uint16)(SCREEN_WIDTH - 4), (Uint16)(3 * h - 4)};
    SDL_FillRect(screen, &inner, SDL_MapRGB(screen->format, 0, 0, 100));
    centreTextAt(question, QUESTION_TOP + h / 2);
    centreTextAt("Y: yes   N or Escape: no", QUESTION_TOP + h + h / 2);
    bool answered = false, yes = false;
    while (!answered) {
        endScreenFrame();
        // Stops at the answer: keys pressed after it are left for the screen below.
        while (!answered && nextEvent(rule)) {
            if (event.type == SDL_QUIT) {
                answered = true;
            } else if (event.type == SDL_KEYDOWN) {
                SDLKey key = event.key.keysym.sym;
                yes = key == SDLK_y;
                answered = yes || key == SDLK_n || key == SDLK_ESCAPE;
            }
        }
    }
    resetFrameTimers();
    return yes;
}
