// questmgr.cpp -- the quest logic: what a quest giver says, completing and giving up quests.
#include "game.h"
#include "saturate.h"
#include "wearing.h"

// Looks at the first open quest only. A carried copy of the asked-for item
// completes it; a copy elsewhere means "go and find it"; no copy at all
// (or only used-up ones) means the quest can never be done and is dropped.
// With "earlyfinds", a quest whose flag is still down is told first even when
// its item is carried, raising the flag; the next talk takes the item. Without
// it such a quest is done at once and its flag never goes up.
std::string CGame::getNextQuest(const std::string& giver)
{
    Quest* quest = NULL;
    size_t position = 0;
    for (Quest* q : questList) {
        if (!q->bIsCompleted) {
            quest = q;
            break;
        }
        position++;
    }
    if (!quest)
        return "I do not have anything for you at this time.";

    bool exists = false;
    for (Item* item : itemVec) {
        if (item->shortName != quest->itemTarget || item->type == ITEM_USED_UP)
            continue;
        bool untold = quest->flagId >= 0 && quest->flagId < FLAG_COUNT && !vars.flags[quest->flagId];
        if (item->owner == OWNER_PLAYER && !(vars.bEarlyFinds && untold)) {
            quest->bIsCompleted = true;
            handOverItem(*this, item, OWNER_QUEST);
            player->stats.money = addMoney(player->stats.money, quest->reward);
            return "Good work, you found the " + item->itemName + ".";
        }
        exists = true;
    }
    if (exists) {
        if (quest->flagId >= 0 && quest->flagId < FLAG_COUNT)
            vars.flags[quest->flagId] = true;
        journal.recordGiver(position, giver);
        return quest->description;
    }
    quest->bIsCompleted = true;
    return "I can't find the item for this quest! Never mind.";
}
