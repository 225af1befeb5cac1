// sprite-collision.cpp -- may a character stand here: map probes and box overlap tests.
#include "game.h"

// The 40x40 box inset 4 pixels from the picture; the four corners are probed.
bool CGame::mapCollision(float x, float y)
{
    return !boxFitsMap(x, y, false);
}

// With a floater worn, open sea counts as free, so the player floats out over
// the water and comes ashore again wherever the box clears the land's walls.
bool CGame::playerFits(float x, float y)
{
    return boxFitsMap(x, y, vars.hasFloater);
}

bool CGame::boxFitsMap(float x, float y, bool floating)
{
    return theMap->boxFits(x, y, floating);
}

// Touching edges count as overlap.
bool CGame::spriteCollision(float ax, float ay, float aw, float ah, float bx, float by, float bw, float bh)
{
    if (ay + ah < by)
        return false;
    if (ay > by + bh)
        return false;
    if (ax + aw < bx)
        return false;
    if (ax > bx + bw)
        return false;
    return true;
}

// Fighters use 46x46 boxes, so the neighbouring tile (a tile away) is free.
bool CGame::combatCollide(Actor* a1, Actor* a2, int dx, int dy)
{
    float mx = a1->x + (float)dx;
    float my = a1->y + (float)dy;
    if (a2->y > my + 46 || my > a2->y + 46 || a2->x > mx + 46 || mx > a2->x + 46)
        return false;
    return true;
}

// Characters exactly level with the mover on either axis are skipped, not
// only the mover itself. This is the game's long-standing rule: keep it.
static bool blockedBy(const std::list<Actor*>& actors, const Actor* mover, float x, float y)
{
    for (const Actor* c : actors) {
        if (c->x == mover->x || c->y == mover->y)
            continue;
        if (c->y <= y + TILE_SIZE && y <= c->y + TILE_SIZE && c->x <= x + TILE_SIZE && x <= c->x + TILE_SIZE)
            return true;
    }
    return false;
}

bool CGame::playerNPCcollision(float x, float y)
{
    return blockedBy(actorList, player, x, y);
}

bool CGame::NPCcollision(float x, float y, Actor* oa)
{
    return blockedBy(actorList, oa, x, y);
}
