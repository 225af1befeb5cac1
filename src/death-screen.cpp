// death-screen.cpp -- the game-over screen shown when the player's health runs out.
#include <cstdio>
#include <cstdlib>
#include "game.h"
#include "mediafiles.h"

// Waits for any key or a window close (which only closes this screen), then
// asks for the game to end and the game object to be built afresh.
void CGame::deathScreen()
{
    SDL_Surface* raw = loadPictureFile("data/assets/gameover.png", ASSET_PICTURE_MAX, ASSET_PICTURE_MAX, false);
    if (!raw) {
        fputs("data/assets/gameover.png missing\n", stderr);
        exit(1);
    }
    SDL_Surface* picture = SDL_DisplayFormatAlpha(raw);
    if (picture)
        SDL_FreeSurface(raw);
    else
        picture = raw;
    SDL_Rect at = {(Sint16)((SCREEN_WIDTH - picture->w) / 2), (Sint16)((SCREEN_HEIGHT - picture->h) / 2), 0,
                   0};
    int h = returnTextHeight();

    bool done = false;
    while (!done) {
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 0));
        SDL_Rect dst = at;
        SDL_BlitSurface(picture, NULL, screen, &dst);
        drawTextAt("You have perished in your quest...", 10, SCREEN_HEIGHT - h);
        while (nextEvent())
            if (event.type == SDL_KEYDOWN || event.type == SDL_QUIT)
                done = true;
        endScreenFrame();
    }
    SDL_FreeSurface(picture);

    bPlayingGame = false;
    bMustQuit = true;
    bPleaseLoadGame = true;
    resetFrameTimers();
}
