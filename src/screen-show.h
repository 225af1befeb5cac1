// screen-show.h -- putting the drawn window surface on the screen, as the platform does it.
#pragma once
#include <SDL.h>

// Shows what has been drawn into the window surface. On the desktop the surface is locked
// around SDL_Flip. In the browser the window surface is the page's canvas, which already
// shows every blit; a lock there copies the whole canvas into memory and back, so the
// browser build flips without one.
void showWindowSurface(SDL_Surface* screen);
