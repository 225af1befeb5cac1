// fightai.cpp -- the enemy's turn in a fight: strike when next to the target, else step toward it.
#include <cstdio>
#include "fight-actions.h"

using namespace fight;

namespace {

// Bare-handed, no random attack: the blow lands only when the strength is
// at least twice the defence, and then deals strength minus defence. The
// player's worn armour adds to every defence roll.
void strike(CGame& g, Actor* attacker, Actor* target)
{
    // An enemy fights with what nature gave it; only the plain console calls that fists.
    if (!detailed(g))
        say(g, "Enemy attacking with fists");
    long long armour = 0;
    if (target == g.player && g.fvars.playerArmour)
        armour = g.fvars.playerArmour->maxEffect;
    long long defence = roll(target->stats.dexterity) + armour;
    long long damage = (long long)attacker->stats.strength - defence;
    if (damage < defence) {
        showMiss(g, target);
        say(g, detailed(g) ? blowLine(g, attacker, target, 0, false) : "Missed!");
        return;
    }
    hurt(target, damage);
    g.playSound(SOUND_BLOW);
    showAmount(g, target, damage, ICON_HIT);
    say(g, detailed(g) ? blowLine(g, attacker, target, damage, true) : format("Hit for %lld damage", damage));
}

// A step of one tile by (dx, dy), if the map and the target allow it: a
// sea monster keeps to the sea, everyone else to free ground.
bool tryStep(CGame& g, Actor* mover, Actor* target, int dx, int dy, int facing)
{
    if (!g.fighterMayStand(mover, mover->x + (float)dx, mover->y + (float)dy) || g.combatCollide(mover, target, dx, dy))
        return false;
    mover->direction = facing;
    mover->x += dx;
    mover->y += dy;
    return true;
}

} // namespace

// Strikes a target within a strike, otherwise steps toward it.
void CGame::fightAI(Actor* attacker, Actor* target)
{
    if (!attacker || !target)
        return;
    if (withinStrike(*this, attacker, target)) {
        strike(*this, attacker, target);
        return;
    }
    const int moved = vars.bStepRound ? stepRoundMove(attacker, target) : fightAIMove(attacker, target);
    if (moved == 0) {
        fvars.bToldNoWay = false;
        return;
    }
    // A foe that walks round walls has truly no way; it says so once, not every turn.
    if (!vars.bStepRound || !fvars.bToldNoWay)
        say(*this, detailed(*this) ? nameOf(*this, attacker, true) + " can't reach you" : "Can't reach you!");
    fvars.bToldNoWay = true;
    puts("Can't reach you!?");
    vars.bYourTurn = true;
}

// Walks straight at the target, one tile on each axis at most, horizontal
// first. A blocked axis is skipped and no other way is tried: there is no
// path-finding. Returns 0 when the mover moved, -1 when it stayed put.
int CGame::fightAIMove(Actor* mover, Actor* target)
{
    const float startX = mover->x, startY = mover->y;
    if (mover->x > target->x)
        tryStep(*this, mover, target, -TILE_SIZE, 0, FACE_LEFT);
    else if (mover->x < target->x)
        tryStep(*this, mover, target, TILE_SIZE, 0, FACE_RIGHT);
    if (mover->y > target->y)
        tryStep(*this, mover, target, 0, -TILE_SIZE, FACE_UP);
    else if (mover->y < target->y)
        tryStep(*this, mover, target, 0, TILE_SIZE, FACE_DOWN);
    return (mover->x == startX && mover->y == startY) ? -1 : 0;
}
