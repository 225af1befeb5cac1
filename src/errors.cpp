// errors.cpp -- the two error services: a line on standard error and the blocking message screen.
#include <cstdio>
#include "game.h"

void CGame::raiseError(const char* err)
{
    fputs(err, stderr);
}

// Shows text centred on a dark blue screen until a key press or a quit event.
// The quit event is consumed here and does not end the game.
void CGame::errorDialogue(const char* text)
{
    errorDialogue(text, std::string());
}

void CGame::errorDialogue(const char* text, const std::string& reason)
{
    int h = returnTextHeight();
    SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
    centreTextAt(text, 300 - h / 2);
    if (!reason.empty())
        centreTextAt(reason.c_str(), 300 + h);
    centreTextAt("Press any key to continue..", SCREEN_HEIGHT - h);
    SDL_Flip(screen);
    for (;;) {
        while (nextEvent()) {
            if (event.type == SDL_KEYDOWN || event.type == SDL_QUIT)
                return;
        }
        waitFrame();
    }
}
