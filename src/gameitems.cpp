// gameitems.cpp -- picking up an item lying under the player.
#include "game.h"

// Takes the first touching item in item order; one item per call.
void CGame::pickupObjects()
{
    for (Item* item : itemVec) {
        if (item->owner != kOwnerMap)
            continue;
        if (spriteCollision(player->x, player->y, kTileSize, kTileSize, item->x, item->y, kTileSize, kTileSize)) {
            item->owner = kOwnerPlayer;
            showMessage("You got a " + item->itemName);
            return;
        }
    }
}
