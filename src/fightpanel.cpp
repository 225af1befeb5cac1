// fightpanel.cpp -- the banner that slides in when a fight starts, holds, and slides out.
#include "game.h"

namespace {

enum Phase { SLIDING_IN, HOLDING, SLIDING_OUT };

} // namespace

// Blocks until the banner (icon 26) has left the screen: up from below at
// 400 pixels per second, one second at the centre, down again. A key press
// while it holds sends it away at once; every other event, a key during the
// slides and a window close included, is dropped.
void CGame::fightPanel()
{
    SDL_Surface* banner = art.icons[26];
    if (!banner)
        return;
    const int x = (SCREEN_WIDTH - banner->w) / 2;
    const int centre = (600 - banner->h) / 2;
    float y = 600;
    float hold = 1000;
    Phase phase = SLIDING_IN;
    bool finished = false;

    while (!finished) {
        const int drawY = truncToInt(y);
        vars.timer_start = (float)SDL_GetTicks();
        drawMap();
        drawSprites();
        switch (phase) {
        case SLIDING_IN:
            // No clamp: the banner holds wherever the last step left it.
            y -= 400 * vars.timer_delta;
            if (y <= centre)
                phase = HOLDING;
            break;
        case HOLDING:
            hold -= vars.timer_elapsed;
            if (hold <= 0)
                phase = SLIDING_OUT;
            break;
        case SLIDING_OUT:
            y += 400 * vars.timer_delta;
            if (y > 600)
                finished = true;
            break;
        }
        if (drawY > -32000 && drawY < 32000) {
            SDL_Rect dst = {(Sint16)x, (Sint16)drawY, 0, 0};
            SDL_BlitSurface(banner, NULL, screen, &dst);
        }
        vars.timer_elapsed = (float)SDL_GetTicks() - vars.timer_start;
        vars.timer_delta = vars.timer_elapsed / 1000;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_KEYDOWN && phase == HOLDING)
                phase = SLIDING_OUT;
        }
        SDL_Flip(screen);
        SDL_Delay(0);
    }
    vars.timer_elapsed = 0;
}
