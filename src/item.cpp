// item.cpp -- the Item record's start values.
#include "item.h"

Item::Item()
    : type(ITEM_PLAIN), maxEffect(0), price(0), owner(OWNER_MAP), x(0), y(0), bIsEquipped(false),
      itemName("Unset Item"), shortName(""), itemDescript("Unset Item Description"), icon(0), range(0),
      bPictureReported(false)
{
}
