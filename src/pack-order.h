// pack-order.h -- "packorder": the inventory's rows with potions first and like items counted once.
#pragma once
#include <string>
#include <vector>

class Item;

// Items shown as one row: the same name, type and effect.
bool packAlike(const Item* a, const Item* b);

// One row of the inventory: the item Enter uses and how many like it the player carries. Of a worn kind the worn one stands for the row, otherwise the newest.
class PackRow
{
public:
    Item* item = nullptr;
    int count = 0;
};

// The rows for a list in item order, in the same order (the last row is drawn at the top): healing
// and mana potions above everything else, each part in its usual order.
std::vector<PackRow> packRows(const std::vector<Item*>& stuff);

// "Healing potion x3"; the plain name for a single item.
std::string packRowName(const PackRow& row);
