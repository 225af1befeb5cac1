/* SDL_keysym.h -- the browser's SDL keeps its key names in SDL_keyboard.h; this stands in for the desktop header. */
#pragma once
#include <SDL_keyboard.h>
