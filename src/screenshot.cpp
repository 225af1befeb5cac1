// screenshot.cpp -- saving the window as a BMP picture.
#include <cstdio>
#include "game.h"

bool CGame::saveScreenshot(const char* file)
{
    if (SDL_SaveBMP_RW(screen, SDL_RWFromFile(file, "wb"), 1) != 0) {
        fprintf(stderr, "Could not write the screenshot %s: %s\n", file, SDL_GetError());
        return false;
    }
    return true;
}
