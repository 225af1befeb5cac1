// aimgr.cpp -- the other characters' turn in an exploring frame: strolling, chasing, starting fights.
#include <cstdio>
#include <cstdlib>
#include "game.h"

namespace {

enum Move { UP, DOWN, LEFT, RIGHT };

// One step of a character. Land walkers need free map under the land point
// and no character in the way; a sea monster needs sea under its sea point,
// passes through characters, and smashes stone walls, cabin walls and
// boulders into rubble when blocked.
void tryStep(CGame& g, Actor* a, Move m, float s)
{
    static const int FACING[4] = {FACE_UP, FACE_DOWN, FACE_LEFT, FACE_RIGHT};
    a->direction = FACING[m];
    float tx = a->x, ty = a->y, lx = 0, ly = 0, sx = 0, sy = 0;
    switch (m) {
    case UP:
        ty = a->y - s;
        lx = sx = a->x + 24;
        ly = sy = a->y - s;
        break;
    case DOWN:
        ty = a->y + s;
        lx = sx = a->x + 24;
        ly = sy = a->y + s + 44;
        break;
    case LEFT:
        tx = a->x - s;
        lx = sx = a->x - s;
        ly = sy = a->y + 24;
        break;
    case RIGHT:
        tx = a->x + s;
        lx = a->x + s + 44;
        sx = a->x + s + 24;
        ly = sy = a->y + 24;
        break;
    }
    if (a->conversation[1] == "Seamonster") {
        if (g.theMap->isSea(sx, sy)) {
            a->x = tx;
            a->y = ty;
            return;
        }
        int c = Map::cellOf(sx), r = Map::cellOf(sy);
        int t = g.theMap->getTileAt(c, r);
        if (t == TILE_STONE_WALL || t == TILE_CABIN_WALL || t == TILE_BOULDERS)
            g.theMap->setTileAt(c, r, TILE_RUBBLE);
        return;
    }
    if (!g.theMap->isSolid(lx, ly) && !g.NPCcollision(tx, ty, a)) {
        a->x = tx;
        a->y = ty;
    }
}

// Puts a coordinate on the tile grid; where the fighter may not stand, one
// tile further on.
void snap(CGame& g, Actor* a, float& c)
{
    c = (float)(Map::cellOf(c) * TILE_SIZE);
    if (!g.fighterMayStand(a, a->x, a->y))
        c += TILE_SIZE;
}

// Every fight starts clean, however the one before ended (a successful flee
// leaves its console and choices behind).
void startFight(CGame& g, Actor* a)
{
    g.mode = 1;
    g.bPlayingGame = false;
    g.enemy = a;
    g.cleanUpFightVars();
    g.vars.fightMsgVec.clear();
    g.fvars.bMenuOpen = false;
    g.fvars.selectedWeapon = 0;
    g.fvars.weapons.clear();
    g.fvars.menuSelection = 0;
    g.fvars.playerArmour = NULL;
    g.fightPanel();
    g.buildWeaponVector(g.fvars.weapons);
    if (g.vars.bKeepWeapon) {
        g.fvars.selectedWeapon = g.weaponToStartWith();
        g.keepWeaponInHand();
    }
    g.fvars.bToldNoWay = false;
    // The armour is the first worn armour carried; a worn floater is not armour.
    for (Item* item : g.itemVec) {
        if (item->owner == OWNER_PLAYER && item->bIsEquipped && item->type == ITEM_ARMOUR) {
            g.fvars.playerArmour = item;
            break;
        }
    }
    a->walkFrame = 0;
    g.player->walkFrame = 0;
    Actor* p = g.player;
    p->x = (float)(Map::cellOf(p->x) * TILE_SIZE);
    g.vars.bYourTurn = true;
    if (!g.fighterMayStand(p, p->x, p->y))
        p->x += TILE_SIZE;
    snap(g, p, p->y);
    snap(g, a, a->x);
    snap(g, a, a->y);
}

} // namespace

void CGame::AIManager()
{
    for (Actor* a : actorList) {
        if (a == player || !a->bIsActive)
            continue;
        float s = 50 * vars.timer_delta;
        if (a->conversation[1] == "Seamonster")
            s *= 2;

        if (a->bIsWanderer && !a->bIsEnraged) {
            a->wtimer -= vars.timer_elapsed;
            if (a->wtimer < 1) {
                a->wtimer = 1200;
                a->wdir = rand() % 4;
            }
            a->animate(vars.timer_elapsed);
            static const Move STROLL[4] = {UP, DOWN, LEFT, RIGHT};
            tryStep(*this, a, STROLL[a->wdir & 3], s);
        }

        if (!a->bIsHostile)
            continue;
        float d = distance(player->x, player->y, a->x, a->y);
        if (a->bIsBaffled && d >= 200)
            a->bIsBaffled = false;
        if (!a->canSee(player->x + 24, player->y + 24, theMap)) {
            a->bIsEnraged = false;
            continue;
        }
        a->bIsEnraged = true;
        puts("Chasing");
        a->animate(vars.timer_elapsed);
        // Level or not, a hostile this close attacks: walking lets a hostile
        // exactly level with the player pass into it, and it must not stay there.
        if (d < 200 && !a->bIsBaffled) {
            startFight(*this, a);
            return;
        }
        if (player->x < a->x)
            tryStep(*this, a, LEFT, s);
        else if (player->x > a->x)
            tryStep(*this, a, RIGHT, s);
        if (player->y > a->y)
            tryStep(*this, a, DOWN, s);
        else if (player->y < a->y)
            tryStep(*this, a, UP, s);
    }
}
