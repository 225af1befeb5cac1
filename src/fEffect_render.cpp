// fEffect_render.cpp -- ageing, drawing and expiring the floating combat effects.
#include "game.h"

namespace {

bool onScreen(const CGame& g, int x, int y)
{
    return x > -1000 && x < g.SCREEN_WIDTH + 1000 && y > -1000 && y < 1600;
}

} // namespace

// Called once per drawn fight HUD. Effects rise 10 pixels per second. At
// most one effect expires per call: the walk stops there, so the effects
// behind it are neither aged nor drawn in that frame. This is how the game
// has always staggered a burst of effects; keep it.
void CGame::drawFightEffects()
{
    const int h = returnTextHeight();
    for (auto it = fvars.effects.begin(); it != fvars.effects.end(); ++it) {
        fightEffect* e = *it;
        e->timer -= vars.timer_elapsed;
        if (e->timer <= 0) {
            fvars.effects.erase(it);
            delete e;
            return;
        }
        const int x = truncToInt(e->x), y = truncToInt(e->y);
        if (onScreen(*this, x, y)) {
            if (e->icon >= 0 && e->icon < ICON_COUNT && art.icons[e->icon]) {
                SDL_Rect dst = {(Sint16)x, (Sint16)y, 0, 0};
                SDL_BlitSurface(art.icons[e->icon], NULL, screen, &dst);
            }
            drawMapTextAt(e->text.c_str(), truncToInt(e->x + 20), truncToInt(e->y + (TILE_SIZE - h) / 2));
        }
        e->y += vars.timer_delta * -10;
    }
}
