// quest-serializer.cpp -- the Quest record and its qdef file (5 lines).
#include "quest.h"
#include "recordlines.h"

Quest::Quest()
{
}

void Quest::serializeTo(const char* path)
{
    writeTo(path);
}

bool Quest::writeTo(const char* path)
{
    std::ofstream out(path, std::ios::out | std::ios::trunc);
    if (!out)
        return false;
    writeStringToFile(description, out);
    writeStringToFile(itemTarget, out);
    writeNumberToFile(reward, out);
    writeNumberToFile(bIsCompleted ? 1 : 0, out);
    writeNumberToFile(flagId, out);
    out.close();
    return !out.fail();
}

// A missing quest file is not reported: it is how a quest series ends.
int Quest::serializeFrom(const char* path)
{
    std::istringstream in;
    if (!openRecordFile(path, in))
        return -1;
    description = readStringFromFile(in);
    itemTarget = readStringFromFile(in);
    reward = readNumberFromFile(in);
    bIsCompleted = readNumberFromFile(in) > 0;
    flagId = readNumberFromFile(in);
    return 0;
}
