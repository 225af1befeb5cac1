// spritedrawer.cpp -- paints the items lying on the map, then the characters.
#include <cstdio>
#include "game.h"
#include "itemlist.h"

namespace {

// Window position of a map point; false when the picture's corner is off
// screen (20 or more pixels beyond left or top).
bool screenPos(CGame& g, float px, float py, SDL_Rect& dst)
{
    double sx = g.screenXOf(px), sy = g.screenYOf(py);
    if (!(sx > -20 && sx < g.SCREEN_WIDTH && sy > -20 && sy < SCREEN_HEIGHT))
        return false;
    dst.x = (Sint16)sx;
    dst.y = (Sint16)sy;
    return true;
}

} // namespace

void CGame::drawSprites()
{
    for (Item* item : itemVec) {
        if (item->owner != OWNER_MAP)
            continue;
        SDL_Rect dst;
        if (!screenPos(*this, item->x, item->y, dst))
            continue;
        drawItemPicture(*this, item, dst.x, dst.y);
    }
    for (Actor* a : actorList) {
        if (!bPlayingGame && a != player && a != enemy)
            continue;
        SDL_Rect dst;
        if (!screenPos(*this, a->x, a->y, dst))
            continue;
        if (a->sprite < 0 || a->sprite >= (int)art.sprites.size() || a->direction < 0 || a->direction >= DIRECTIONS ||
            a->walkFrame < 0 || a->walkFrame >= WALK_FRAMES) {
            if (!a->bPictureReported) {
                a->bPictureReported = true;
                fprintf(stderr, "%s has no picture (sprite %i, direction %i, frame %i); not drawn\n",
                        a->myName.c_str(), a->sprite, a->direction, a->walkFrame);
            }
            continue;
        }
        SDL_Surface* picture = art.sprites[a->sprite][a->direction][a->walkFrame];
        if (a == player && showsFloatRing())
            drawAfloat(picture, dst.x, dst.y);
        else
            SDL_BlitSurface(picture, NULL, screen, &dst);
    }
}
