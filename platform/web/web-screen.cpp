// web-screen.cpp -- showing the window surface in the browser: the page's canvas already holds every blit.
#include "screen-show.h"

// No lock: the browser's SDL would read the whole canvas into memory on the lock and write it
// back on the unlock, for nothing, since the frame is already on the canvas.
void showWindowSurface(SDL_Surface* screen)
{
    SDL_Flip(screen);
}
