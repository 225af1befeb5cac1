// wearing.cpp -- what the player wears when an item changes hands: it comes off, and the floater's flag follows.
#include "wearing.h"
#include "game.h"

void handOverItem(CGame& g, Item* item, unsigned int owner)
{
    bool wornFloater = item->owner == OWNER_PLAYER && item->type == ITEM_FLOATER && item->bIsEquipped;
    item->owner = owner;
    item->bIsEquipped = false;
    if (wornFloater)
        updateFloater(g);
}

void updateFloater(CGame& g)
{
    g.vars.hasFloater = false;
    for (const Item* item : g.itemVec)
        if (item->owner == OWNER_PLAYER && item->type == ITEM_FLOATER && item->bIsEquipped)
            g.vars.hasFloater = true;
}
