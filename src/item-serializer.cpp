// item-serializer.cpp -- the item (idef) file: 12 lines, description before short name, range for type 8.
#include <cstdio>
#include <sstream>
#include "item.h"
#include "confined-fs.h"
#include "recordlines.h"

void Item::serializeTo(const char* path)
{
    writeTo(path);
}

bool Item::writeTo(const char* path)
{
    std::ostringstream out;
    return writeTo(out) && writeNewFile(path, out.str());
}

bool Item::writeTo(std::ostream& out)
{
    writeNumberToFile(type, out);
    writeNumberToFile(maxEffect, out);
    writeNumberToFile(price, out);
    writeNumberToFile((int)owner, out);
    writeNumberToFile(wholeNumberOf(x), out);
    writeNumberToFile(wholeNumberOf(y), out);
    writeNumberToFile(bIsEquipped ? 1 : 0, out);
    writeStringToFile(itemName, out);
    writeStringToFile(itemDescript, out);
    writeStringToFile(shortName, out);
    writeNumberToFile((int)icon, out);
    // Every item file has the range line; only ranged weapons give it a value.
    writeNumberToFile(type == ITEM_RANGED ? range : 0, out);
    return !out.fail();
}

// The owner is read as the absolute value of its line, so "-2" is shop stock.
// The range line is read only for a ranged weapon (type 8); other types keep
// the range they had.
int Item::serializeFrom(const char* path, const char* root)
{
    std::istringstream in;
    if (!openRecordFile(path, in, root)) {
        fprintf(stderr, "***WARNING*** file %s not found. You can probably ignore this\n", path);
        return -1;
    }
    type = readNumberFromFile(in);
    maxEffect = readNumberFromFile(in);
    price = readNumberFromFile(in);
    int o = readNumberFromFile(in);
    owner = o < 0 ? 0u - (unsigned int)o : (unsigned int)o;
    x = (float)readNumberFromFile(in);
    y = (float)readNumberFromFile(in);
    bIsEquipped = readNumberFromFile(in) > 0;
    itemName = readStringFromFile(in);
    itemDescript = readStringFromFile(in);
    shortName = readStringFromFile(in);
    icon = (unsigned int)readNumberFromFile(in);
    if (type == ITEM_RANGED) {
        puts("Weapon is a long-range item, checking range");
        range = readNumberFromFile(in);
    }
    return 0;
}
