// fightvars.cpp -- the per-fight state: start values, release, and the clean-up that ends a fight.
#include "game.h"

FightVars::FightVars()
    : selectedWeapon(0), menuSelection(0), bMenuOpen(false), bIsStillShooting(false), shot_x(0),
      shot_y(0), playerArmour(NULL), movetimer(0), scroll(0)
{
}

FightVars::~FightVars()
{
    for (fightEffect* e : effects)
        delete e;
    effects.clear();
}
