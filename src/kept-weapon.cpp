// kept-weapon.cpp -- "keepweapon": the weapon a fight starts with, and remembering the one in hand.
#include "fight-actions.h"

namespace {

// The widest damage roll a weapon gives the player now: a melee weapon's range grows with drink,
// a ranged one's does not (strength adds the same to both, so it is left out).
long long damageRange(const CGame& g, const Item* w)
{
    return w->type == ITEM_RANGED ? (long long)w->maxEffect : fight::meleeRange(g, w);
}

} // namespace

// The weapon of the last fight when it is still in the list (carried, not sold or lost),
// otherwise the one that deals the most, the first of equals. 0 for an empty list.
int CGame::weaponToStartWith()
{
    const std::vector<Item*>& weapons = fvars.weapons;
    for (size_t i = 0; i < weapons.size(); i++)
        if (weapons[i] && weapons[i] == fvars.keptWeapon)
            return (int)i;
    int best = 0;
    for (size_t i = 1; i < weapons.size(); i++) {
        const Item* w = weapons[i];
        if (w && (!weapons[best] || damageRange(*this, w) > damageRange(*this, weapons[best])))
            best = (int)i;
    }
    return best;
}

void CGame::keepWeaponInHand()
{
    const int i = fvars.selectedWeapon;
    if (i >= 0 && i < (int)fvars.weapons.size())
        fvars.keptWeapon = fvars.weapons[i];
}
