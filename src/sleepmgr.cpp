// sleepmgr.cpp -- sleeping in a bed next to the player: full health and mana, then sober.
#include <algorithm>
#include <cstdio>
#include "game.h"
#include "replay.h"

namespace {

bool isBed(int t) { return t == TILE_BED_HEAD || t == TILE_BED_FOOT; }

// The sleep bar fills its 200-pixel track in 1.25 s. Escape wakes the player
// early: health and mana are already restored, drunkenness stays.
void sleep(CGame& g)
{
    g.showMessage("Good night...");
    g.player->stats.hp = g.player->stats.hp_max;
    g.player->stats.mp = g.player->stats.mp_max;
    float progress = 0;
    for (;;) {
        g.vars.timer_start = (float)gameTicks();
        SDL_FillRect(g.screen, NULL, SDL_MapRGB(g.screen->format, 0, 0, 0));
        SDL_Rect track = {10, 500, 200, 55};
        SDL_FillRect(g.screen, &track, SDL_MapRGB(g.screen->format, 100, 100, 100));
        g.drawTextAt(g.vars.drunkenness > 0 ? "Sleeping it off..." : "Napping...", 10, 480);
        progress += 80 * g.vars.timer_delta;
        int width = truncToInt(2 * progress);
        if (width > 0) {
            SDL_Rect bar = {10, 500, (Uint16)(width > 4000 ? 4000 : width), 55};
            SDL_FillRect(g.screen, &bar, SDL_MapRGB(g.screen->format, 0, 0, 100));
        }
        g.showFrame();
        g.vars.frames++;
        while (g.nextEvent()) {
            if (g.event.type == SDL_KEYDOWN && g.event.key.keysym.sym == SDLK_ESCAPE)
                return;
        }
        g.measureFrame(FrameClock::Measured);
        if (progress >= 100) {
            g.vars.drunkenness = 0;
            g.resetFrameTimers();
            return;
        }
    }
}

} // namespace

// A bed in any cell touching the player's picture will do: the cells the
// tile-sized box (x to x + 47, y to y + 47) covers and their eight neighbours.
// The progress line names the player's top-left cell.
void CGame::findSleep()
{
    int tx = Map::cellOf(player->x), ty = Map::cellOf(player->y);
    // Only cells on the map can hold a bed.
    int left = std::max(tx - 1, 0), top = std::max(ty - 1, 0);
    int right = std::min(Map::cellOf(player->x + 47) + 1, Map::SIZE - 1);
    int bottom = std::min(Map::cellOf(player->y + 47) + 1, Map::SIZE - 1);
    for (int r = top; r <= bottom; r++) {
        for (int c = left; c <= right; c++) {
            if (!isBed(theMap->getTileAt(c, r)))
                continue;
            printf("px = %i,%i checking = %i,%i\n", tx, ty, c, r);
            sleep(*this);
            return;
        }
    }
    showMessage("Can't sleep here. Find a bed");
}
