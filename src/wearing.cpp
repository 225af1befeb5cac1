// wearing.cpp -- what the player wears when an item changes hands: it comes off, and the floater's flag follows.
#include "wearing.h"
#include "game.h"

void handOverItem(CGame& g, Item* item, unsigned int owner)
{
    bool wornFloater = item->owner == 1 && item->type == 9 && item->bIsEquipped;
    item->owner = owner;
    item->bIsEquipped = false;
    if (!wornFloater)
        return;
    g.vars.hasFloater = false;
    for (const Item* other : g.itemVec)
        if (other->owner == 1 && other->type == 9 && other->bIsEquipped)
            g.vars.hasFloater = true;
}
