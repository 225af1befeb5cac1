// gameitems.cpp -- picking up an item lying under the player.
#include "game.h"

// Takes the first touching item in item order; one item per call.
void CGame::pickupObjects()
{
    for (Item* item : itemVec) {
        if (item->owner != OWNER_MAP)
            continue;
        const float side = TILE_SIZE;
        if (spriteCollision(player->x, player->y, side, side, item->x, item->y, side, side)) {
            item->owner = OWNER_PLAYER;
            showMessage("You got a " + item->itemName);
            return;
        }
    }
}
