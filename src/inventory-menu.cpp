// inventory-menu.cpp -- the inventory screen, and the weapon list used by fights.
#include "game.h"

void CGame::inventoryMenu()
{
}

// Appends the player's melee (1) and ranged (8) weapons in item order; the
// caller clears the list first.
void CGame::buildWeaponVector(std::vector<Item*>& weapons)
{
    for (Item* item : itemVec)
        if ((item->type == 1 || item->type == 8) && item->owner == 1)
            weapons.push_back(item);
}
