// fightvars.h -- the per-fight state held by the game object.
#pragma once
#include <list>
#include <vector>

class Item;
class fightEffect;

class FightVars
{
public:
    FightVars();
    ~FightVars();
    FightVars(const FightVars&) = delete;
    FightVars& operator=(const FightVars&) = delete;

    int selectedWeapon;
    int menuSelection;
    bool bMenuOpen;
    bool bIsStillShooting;
    float shot_x, shot_y;
    Item* playerArmour;
    std::vector<Item*> weapons;
    float movetimer;       // ms before the enemy acts
    int scroll;
    std::list<fightEffect*> effects;
    // "keepweapon": the weapon in hand when last chosen, carried from fight to fight. Only ever
    // compared with the items of a fresh weapon list, never followed: it may have been sold.
    const Item* keptWeapon;
    // "stepround": the foe has said it cannot reach the player since it last moved.
    bool bToldNoWay;
};
