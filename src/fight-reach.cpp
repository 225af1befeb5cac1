// fight-reach.cpp -- where fighters may stand, and whether the two fighters can still come to blows.
#include <vector>
#include "fight-actions.h"

using namespace fight;

namespace {

// Positions the player can reach are looked for this many steps around it;
// anything farther than 500 pixels from the enemy ends the fight anyway.
const int SPAN = 11;
const int SIDE = 2 * SPAN + 1;

// The most mana the player can have in this fight: what it has, topped up by
// the mana draughts it carries, never above its maximum.
long long manaWithin(const CGame& g)
{
    const CharacterStats& st = g.player->stats;
    long long mana = st.mp;
    for (const Item* item : g.itemVec)
        if (item->owner == OWNER_PLAYER && item->type == ITEM_MANA && item->maxEffect > 0)
            mana += item->maxEffect;
    long long cap = st.mp_max > st.mp ? st.mp_max : st.mp;
    return mana < cap ? mana : cap;
}

// Whether the player, standing at (x, y) with the enemy where it is, could
// strike it, shoot it or cast fireball or pain at it, as the fight keys do.
bool canActFrom(CGame& g, float x, float y, long long mana)
{
    Actor* e = g.enemy;
    const int tiles = truncToInt(g.distance(x, y, e->x, e->y) / TILE_SIZE);
    if (tiles <= 1)
        return true;
    if (mana >= PAIN_MANA && tiles < PAIN_REACH)
        return true;
    bool hasBow = false;
    for (const Item* w : g.fvars.weapons)
        if (w && w->type == ITEM_RANGED && tiles < w->range)
            hasBow = true;
    if (!hasBow && !(mana >= FIREBALL_MANA && tiles < FIREBALL_REACH))
        return false;
    return e->canSee(x, y, g.theMap);
}

} // namespace

bool CGame::fighterMayStand(const Actor* a, float x, float y)
{
    if (a->conversation[1] == "Seamonster")
        return theMap->isSea(x, y);
    if (!theMap->isSolid(x, y))
        return true;
    return a == player && vars.hasFloater && theMap->isSea(x, y);
}

// The player's positions are walked over in whole-tile steps from where it
// stands, as its fight steps go, never onto the enemy's tile.
bool CGame::fightIsDeadlocked()
{
    if (!enemy || !player || enemy == player)
        return false;
    if (withinStrike(*this, enemy, player))
        return false;   // the enemy strikes
    Actor probe = *enemy;
    if ((vars.bStepRound ? stepRoundMove(&probe, player) : fightAIMove(&probe, player)) == 0)
        return false;   // it comes closer

    const long long mana = manaWithin(*this);
    Actor walker = *player;
    std::vector<char> seen(SIDE * SIDE, 0);
    std::vector<int> todo;
    todo.push_back(SPAN * SIDE + SPAN);
    seen[SPAN * SIDE + SPAN] = 1;
    static const int STEPS[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    while (!todo.empty()) {
        int cell = todo.back();
        todo.pop_back();
        walker.x = player->x + (float)TILE_SIZE * (float)(cell % SIDE - SPAN);
        walker.y = player->y + (float)TILE_SIZE * (float)(cell / SIDE - SPAN);
        if (canActFrom(*this, walker.x, walker.y, mana))
            return false;
        for (const auto& s : STEPS) {
            int c = cell % SIDE + s[0], r = cell / SIDE + s[1];
            if (c < 0 || r < 0 || c >= SIDE || r >= SIDE || seen[r * SIDE + c])
                continue;
            float nx = walker.x + (float)TILE_SIZE * (float)s[0];
            float ny = walker.y + (float)TILE_SIZE * (float)s[1];
            if (distance(nx, ny, enemy->x, enemy->y) > 500.0f)
                continue;
            if (!fighterMayStand(player, nx, ny) ||
                combatCollide(&walker, enemy, TILE_SIZE * s[0], TILE_SIZE * s[1]))
                continue;
            seen[r * SIDE + c] = 1;
            todo.push_back(r * SIDE + c);
        }
    }
    return true;
}
