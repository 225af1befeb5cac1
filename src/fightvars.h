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
};
