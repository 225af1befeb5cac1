// item.h -- the item record: weapons, potions, keys, armour and the rest.
#pragma once
#include <iosfwd>
#include <string>
#include "game-codes.h"

class Item
{
public:
    Item();

    void serializeTo(const char* path);
    bool writeTo(const char* path);
    bool writeTo(std::ostream& out);
    // With root, path lies below that folder and no link on the way may lead out of it.
    int serializeFrom(const char* path, const char* root = NULL);

    int type;               // an ItemType (game-codes.h); any other value does nothing
    int maxEffect;
    int price;
    unsigned int owner;     // an ItemOwner: on the map, the player, shop stock, handed in
    float x, y;
    bool bIsEquipped;
    std::string itemName;
    std::string shortName;
    std::string itemDescript;
    unsigned int icon;
    int range;              // tiles; only ranged weapons use it
    bool bPictureReported;  // a missing picture has been reported once already
};

// A melee or ranged weapon: what a fight's weapon list holds.
inline bool isWeapon(const Item* it) { return it->type == ITEM_MELEE || it->type == ITEM_RANGED; }
