// quest-serializer.cpp -- the Quest record and its qdef file (5 lines).
#include "quest.h"
#include "confined-fs.h"
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
    std::ostringstream out;
    return writeTo(out) && writeNewFile(path, out.str());
}

bool Quest::writeTo(std::ostream& out)
{
    writeStringToFile(description, out);
    writeStringToFile(itemTarget, out);
    writeNumberToFile(reward, out);
    writeNumberToFile(bIsCompleted ? 1 : 0, out);
    writeNumberToFile(flagId, out);
    return !out.fail();
}

// A missing quest file is not reported: it is how a quest series ends.
int Quest::serializeFrom(const char* path, const char* root)
{
    std::istringstream in;
    if (!openRecordFile(path, in, root))
        return -1;
    description = readStringFromFile(in);
    itemTarget = readStringFromFile(in);
    reward = readNumberFromFile(in);
    bIsCompleted = readNumberFromFile(in) > 0;
    flagId = readNumberFromFile(in);
    return 0;
}
