// fightpanel.cpp -- the banner that slides in when a fight starts, holds, and slides out.
#include "game.h"
#include "replay.h"

namespace {

enum Phase { SLIDING_IN, HOLDING, SLIDING_OUT };

} // namespace

// Blocks until the banner (the fight banner) has left the screen: up from below at
// 400 pixels per second, one second at the centre, down again. A key press
// while it holds sends it away at once; every other event, a key during the
// slides and a window close included, is dropped. Each frame is timed from
// the clock reading of the frame before, so the drawing, the flip and the
// event poll all count and the banner keeps its speed on a slow window.
void CGame::fightPanel()
{
    SDL_Surface* banner = art.icons[ICON_FIGHT_BANNER];
    if (!banner)
        return;
    const int x = (SCREEN_WIDTH - banner->w) / 2;
    const int centre = (SCREEN_HEIGHT - banner->h) / 2;
    float y = SCREEN_HEIGHT;
    float hold = 1000;
    Phase phase = SLIDING_IN;
    bool finished = false;
    vars.timer_elapsed = 0;
    vars.timer_delta = 0;
    vars.timer_start = (float)gameTicks();

    while (!finished) {
        const int drawY = truncToInt(y);
        drawMap();
        drawSprites();
        // A phase that ends part-way through a frame hands the rest of that
        // frame's time to the next one, so the whole show lasts the same at
        // any frame rate.
        switch (phase) {
        case SLIDING_IN:
            y -= 400 * vars.timer_delta;
            if (y <= centre) {
                hold -= (centre - y) / 400 * 1000;
                y = (float)centre;
                phase = HOLDING;
            }
            break;
        case HOLDING:
            hold -= vars.timer_elapsed;
            if (hold <= 0) {
                y -= 400 * hold / 1000;
                phase = SLIDING_OUT;
            }
            break;
        case SLIDING_OUT:
            y += 400 * vars.timer_delta;
            if (y > SCREEN_HEIGHT)
                finished = true;
            break;
        }
        if (drawY > -32000 && drawY < 32000) {
            SDL_Rect dst = {(Sint16)x, (Sint16)drawY, 0, 0};
            SDL_BlitSurface(banner, NULL, screen, &dst);
        }
        while (nextEvent()) {
            if (event.type == SDL_KEYDOWN && phase == HOLDING)
                phase = SLIDING_OUT;
        }
        endScreenFrame(FrameClock::Running);
    }
    vars.timer_elapsed = 0;
}
