// fEffect.cpp -- making floating combat effects, the fireball trail and the flying shot.
#include <cstdio>
#include "game.h"

namespace {

// Moves one axis of the shot toward the target at the given step, stopping
// on the target rather than passing it, so that every shot arrives.
void approach(float& pos, float target, float step)
{
    if (pos < target) {
        pos += step;
        if (pos > target)
            pos = target;
    } else if (pos > target) {
        pos -= step;
        if (pos < target)
            pos = target;
    }
}

} // namespace

// (x, y) is a map position; the effect keeps the screen position it has now
// and does not follow later scrolling.
void CGame::fightEffectAt(float x, float y, int icon, const char* text)
{
    fightEffect* e = new fightEffect();
    e->x = (float)screenXOf(x);
    e->y = (float)screenYOf(y);
    e->icon = icon;
    e->text = text ? text : "";
    e->timer = 1000;
    fvars.effects.push_back(e);
}

// Lays the fireball's trail over whole tiles, diagonal first, then straight.
// Neither the start tile nor the end tile is marked, the trail stops before
// the first solid tile, and it never covers more than 10 tiles.
void CGame::effectAlongLine(float x1, float y1, float x2, float y2, int draw)
{
    const int tx1 = Map::cellOf(x1), ty1 = Map::cellOf(y1);
    const int tx2 = Map::cellOf(x2), ty2 = Map::cellOf(y2);
    int cx = tx1, cy = ty1;
    int n = 0;
    for (;;) {
        n++;
        if (draw == 1 && (cx != tx1 || cy != ty1))
            fightEffectAt((float)(cx * TILE_SIZE), (float)(cy * TILE_SIZE), ICON_FIRE_TRAIL, " ");
        if (cx < tx2)
            cx++;
        else if (cx > tx2)
            cx--;
        if (cy < ty2)
            cy++;
        else if (cy > ty2)
            cy--;
        if (cx == tx2 && cy == ty2)
            return;
        if (n > 10)
            return;
        if (theMap->isSolid((float)(cx * TILE_SIZE), (float)(cy * TILE_SIZE)))
            return;
    }
}

// Moves the shot toward the enemy's corner at 300 pixels per second on each
// axis and draws it; within 30 pixels it has arrived. Its damage was dealt
// when it was fired: this is only the picture.
void CGame::updateBullet()
{
    if (!fvars.bIsStillShooting || !enemy)
        return;
    const float step = 300 * vars.timer_delta;
    approach(fvars.shot_x, enemy->x, step);
    approach(fvars.shot_y, enemy->y, step);
    if (distance(fvars.shot_x, fvars.shot_y, enemy->x, enemy->y) < 30) {
        puts("Got him.");
        fvars.bIsStillShooting = false;
    }
    float sx = (float)screenXOf(fvars.shot_x), sy = (float)screenYOf(fvars.shot_y);
    SDL_Surface* arrow = art.icons[ICON_ARROW];
    if (arrow && sx > -TILE_SIZE && sx < SCREEN_WIDTH && sy > -TILE_SIZE && sy < SCREEN_HEIGHT) {
        SDL_Rect dst = {(Sint16)sx, (Sint16)sy, 0, 0};
        SDL_BlitSurface(arrow, NULL, screen, &dst);
    }
}
