// actor-serializers.cpp -- the character (npcdef) file of an Actor: 20 lines, money last.
#include <cstdio>
#include <sstream>
#include "player.h"
#include "confined-fs.h"
#include "recordlines.h"

void Actor::serializeTo(const char* path)
{
    writeTo(path);
}

// True only when the file was created and every line reached it.
bool Actor::writeTo(const char* path)
{
    std::ostringstream out;
    return writeTo(out) && writeNewFile(path, out.str());
}

bool Actor::writeTo(std::ostream& out)
{
    writeNumberToFile(wholeNumberOf(x), out);
    writeNumberToFile(wholeNumberOf(y), out);
    writeNumberToFile(stats.hp, out);
    writeNumberToFile(stats.hp_max, out);
    writeNumberToFile(stats.mp, out);
    writeNumberToFile(stats.mp_max, out);
    writeNumberToFile((int)stats.xp, out);
    writeNumberToFile((int)stats.level, out);
    writeNumberToFile((int)stats.strength, out);
    writeNumberToFile((int)stats.dexterity, out);
    writeNumberToFile((int)stats.intelligence, out);
    writeNumberToFile(flagId, out);
    writeNumberToFile(bIsHostile ? 1 : 0, out);
    writeStringToFile(conversation[0], out);
    writeStringToFile(conversation[1], out);
    writeStringToFile(myName, out);
    writeNumberToFile(bIsWanderer ? 1 : 0, out);
    writeNumberToFile(sprite, out);
    writeNumberToFile(direction, out);
    // Money comes after the facing direction, not beside the other statistics.
    writeNumberToFile((int)stats.money, out);
    return !out.fail();
}

// Missing lines read as 0 or as empty strings; sprite and direction are
// stored as read and checked by whoever uses them as an index.
int Actor::serializeFrom(const char* path, const char* root)
{
    std::istringstream in;
    if (!openRecordFile(path, in, root)) {
        fprintf(stderr, "***WARNING*** Input file %s missing on actor serialization load\n"
                        "You can probably ignore this.\n", path);
        return -1;
    }
    x = (float)readNumberFromFile(in);
    y = (float)readNumberFromFile(in);
    stats.hp = readNumberFromFile(in);
    stats.hp_max = readNumberFromFile(in);
    stats.mp = readNumberFromFile(in);
    stats.mp_max = readNumberFromFile(in);
    stats.xp = (unsigned int)readNumberFromFile(in);
    stats.level = (unsigned int)readNumberFromFile(in);
    stats.strength = (unsigned int)readNumberFromFile(in);
    stats.dexterity = (unsigned int)readNumberFromFile(in);
    stats.intelligence = (unsigned int)readNumberFromFile(in);
    flagId = readNumberFromFile(in);
    bIsHostile = readNumberFromFile(in) > 0;
    conversation[0] = readStringFromFile(in);
    conversation[1] = readStringFromFile(in);
    myName = readStringFromFile(in);
    bIsWanderer = readNumberFromFile(in) > 0;
    sprite = readNumberFromFile(in);
    direction = readNumberFromFile(in);
    stats.money = (unsigned int)readNumberFromFile(in);
    return 0;
}
