// fight-actions.h -- helpers shared by the player's and the enemy's combat actions.
#pragma once
#include <cstdlib>
#include <string>
#include "game.h"
#include "saturate.h"

namespace fight {

// rand() % range, or 0 when the range is 0 (a weapon of maxEffect 0, a
// drunken range that truncates to 0, a defender of dexterity 0): such a roll
// draws no random number. Rolls are long long so that statistics from a
// data file cannot overflow the sums made with them.
inline long long roll(long long range)
{
    if (range == 0)
        return 0;
    return (long long)rand() % range;
}

// The damage range of a melee weapon in the player's hand: drink widens it.
inline long long meleeRange(const CGame& g, const Item* w)
{
    return truncToInt(g.vars.drunkenness * (float)w->maxEffect + (float)w->maxEffect);
}

// Lowers a fighter's health, saturating instead of overflowing.
inline void hurt(Actor* a, long long damage)
{
    a->stats.hp = addPoints(a->stats.hp, -boundedChange(damage));
}

// Reaches in whole tiles (a fighter acts when fewer tiles apart) and mana costs
// of the attacking spells, read by the spells and by the rule that decides
// whether a fight can still come to blows.
const int FIREBALL_MANA = 5;
const int FIREBALL_REACH = 6;
const int PAIN_MANA = 15;
const int PAIN_REACH = 4;

// Neighbouring tiles, straight (48) or diagonal (about 67.9), are within a
// strike; two tiles straight (96) are not.
inline bool withinStrike(CGame& g, const Actor* a, const Actor* b)
{
    return truncToInt(g.distance(a->x, a->y, b->x, b->y)) < 2 * TILE_SIZE;
}

// Distance between the fighters in whole tiles, truncated.
inline int tilesApart(CGame& g)
{
    return truncToInt(g.distance(g.player->x, g.player->y, g.enemy->x, g.enemy->y) / TILE_SIZE);
}

inline std::string format(const char* fmt, long long value)
{
    char buf[96];
    snprintf(buf, sizeof buf, fmt, value);
    return buf;
}

// Appends a line to the combat console.
inline void say(CGame& g, const std::string& line)
{
    g.vars.fightMsgVec.push_back(line);
}

// A floating number (damage or healing) over a fighter's tile.
inline void showAmount(CGame& g, const Actor* at, long long amount, int icon)
{
    g.fightEffectAt(at->x, at->y, icon, format("%lld", amount).c_str());
}

inline void showMiss(CGame& g, const Actor* at)
{
    g.fightEffectAt(at->x, at->y, ICON_MISS, "Miss");
}

// With "fightdetails" the console says who did what, by name (fight-words.cpp).
inline bool detailed(const CGame& g)
{
    return g.vars.bFightDetails;
}
// How a fighter is named in a console line: "You", "the bog hound",
// "Captain Redmaw"; capitalised at the start of a sentence.
std::string nameOf(const CGame& g, const Actor* a, bool sentenceStart);
// "The bog hound hits you for 9", "You miss the bog hound".
std::string blowLine(const CGame& g, const Actor* by, const Actor* on, long long damage, bool landed);

// The four spells of the open spell bar (fight-spells.cpp).
void castFireball(CGame& g);
void castHeal(CGame& g);
void castPain(CGame& g);
void castFlee(CGame& g);

} // namespace fight
