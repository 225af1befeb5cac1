// screen-show.cpp -- the desktop's way of showing the window surface: locked around the flip (a platform may replace this).
#include "screen-show.h"

__attribute__((weak)) void showWindowSurface(SDL_Surface* screen)
{
    SDL_LockSurface(screen);
    SDL_Flip(screen);
    SDL_UnlockSurface(screen);
}
