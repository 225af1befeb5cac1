// item.h -- the item record: weapons, potions, keys, armour and the rest.
#pragma once
#include <string>

class Item
{
public:
    Item();

    void serializeTo(const char* path);
    bool writeTo(const char* path);
    int serializeFrom(const char* path);

    int type;               // 0..12, see the item type table in docs
    int maxEffect;
    int price;
    unsigned int owner;     // 0 on the map, 1 player, 2 shop stock, 6 handed in
    float x, y;
    bool bIsEquipped;
    std::string itemName;
    std::string shortName;
    std::string itemDescript;
    unsigned int icon;
    int range;              // tiles; only ranged weapons (type 8) use it
    bool bPictureReported;  // a missing picture has been reported once already
};
