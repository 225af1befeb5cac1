// fightvars.cpp -- the per-fight state: start values, release, and the clean-up that ends a fight.
#include "game.h"

FightVars::FightVars()
    : selectedWeapon(0), menuSelection(0), bMenuOpen(false), bIsStillShooting(false), shot_x(0),
      shot_y(0), playerArmour(NULL), movetimer(0), scroll(0),
      keptWeapon(NULL), bToldNoWay(false)
{
}

FightVars::~FightVars()
{
    for (fightEffect* e : effects)
        delete e;
    effects.clear();
}

// Ends a fight's state. The weapon list and the armour stay: the next fight
// rebuilds them.
void CGame::cleanUpFightVars()
{
    while (!fvars.effects.empty()) {
        delete fvars.effects.back();
        fvars.effects.pop_back();
    }
    fvars.scroll = 0;
    fvars.shot_y = 0;
    fvars.selectedWeapon = 0;
    fvars.menuSelection = 0;
    fvars.movetimer = 0;
    fvars.shot_x = 0;
    fvars.bMenuOpen = false;
    fvars.bIsStillShooting = false;
}
