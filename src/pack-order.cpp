// pack-order.cpp -- "packorder": grouping and ordering the inventory's rows.
#include "pack-order.h"
#include "item.h"
#include "game-codes.h"

namespace {

bool isPotion(const Item* item) { return item->type == ITEM_HEALING || item->type == ITEM_MANA; }

} // namespace

bool packAlike(const Item* a, const Item* b)
{
    return a->type == b->type && a->maxEffect == b->maxEffect && a->itemName == b->itemName;
}

std::vector<PackRow> packRows(const std::vector<Item*>& stuff)
{
    // Gathered from the top of the list (the newest item) down.
    std::vector<PackRow> top;
    for (size_t i = stuff.size(); i-- > 0;) {
        Item* item = stuff[i];
        PackRow* row = nullptr;
        for (PackRow& r : top)
            if (packAlike(r.item, item))
                row = &r;
        if (!row) {
            top.push_back(PackRow());
            row = &top.back();
            row->item = item;
        } else if (item->bIsEquipped && !row->item->bIsEquipped) {
            row->item = item;
        }
        row->count++;
    }
    // List order runs from the bottom row up: the rest first, the potions last.
    std::vector<PackRow> rows;
    for (bool potions : {false, true})
        for (size_t i = top.size(); i-- > 0;)
            if (isPotion(top[i].item) == potions)
                rows.push_back(top[i]);
    return rows;
}

std::string packRowName(const PackRow& row)
{
    if (row.count < 2)
        return row.item->itemName;
    return row.item->itemName + " x" + std::to_string(row.count);
}
