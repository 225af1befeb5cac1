// gameitems.cpp -- picking up an item lying under the player.
#include "game.h"

// Takes the first touching item in item order; one item per call.
void CGame::pickupObjects()
{
    for (Item* item : itemVec) {
        if (item->owner != 0)
            continue;
        if (spriteCollision(player->x, player->y, 48, 48, item->x, item->y, 48, 48)) {
            item->owner = 1;
            vars.currentTalk = "You got a " + item->itemName;
            vars.talkTimer = TALK_TIMER;
            return;
        }
    }
}
