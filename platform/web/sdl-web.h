// sdl-web.h -- included ahead of every engine file in the browser build: what the browser's SDL
// implements but does not declare, and the names the desktop's SDL has that it lacks.
#pragma once
#include <SDL.h>

#ifdef __cplusplus
extern "C" {
#endif
// Implemented by the browser's SDL (the live key-state array) but left out of its headers.
Uint8* SDL_GetKeyState(int* numkeys);
#ifdef __cplusplus
}
#endif

// Event types there run up to 0xFFFF; a recorded type at or past this is refused.
#ifndef SDL_NUMEVENTS
#define SDL_NUMEVENTS 0x10000
#endif

// The browser's SDL_SaveBMP_RW is a stub that throws; the screenshot goes through our own writer.
int webSaveBMP_RW(SDL_Surface* surface, SDL_RWops* dst, int freedst);
#define SDL_SaveBMP_RW webSaveBMP_RW
