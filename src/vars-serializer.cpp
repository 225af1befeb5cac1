// vars-serializer.cpp -- vars.sav, the game variables: 46 lines and the short-file rule.
#include <cstdio>
#include "vars.h"
#include "recordlines.h"

void MiscVars::serializeTo(const char* path)
{
    writeTo(path);
}

// Only the values a saved game carries; timers, messages, options and fight
// state start fresh in every game object.
bool MiscVars::writeTo(const char* path)
{
    std::ofstream out(path, std::ios::out | std::ios::trunc);
    if (!out)
        return false;
    writeStringToFile(gameName, out);
    writeNumberToFile(menuScreen, out);
    writeNumberToFile((int)frames, out);
    writeNumberToFile(wholeNumberOf(drunkenness), out);
    writeNumberToFile(hasFloater ? 1 : 0, out);
    for (bool f : flags)
        writeNumberToFile(f ? 1 : 0, out);
    writeStringToFile(dir, out);
    out.close();
    return !out.fail();
}

// Before each flag the reader checks whether an earlier read met the end of
// the file; if so it stops there and the rest of the flags and dir keep their
// values. The flag read that meets the end reads as false. Still a success.
int MiscVars::serializeFrom(const char* path)
{
    std::istringstream in;
    if (!openRecordFile(path, in)) {
        fprintf(stderr, "*** ERROR *** File not found: %s\n", path);
        return -1;
    }
    gameName = readStringFromFile(in);
    menuScreen = readNumberFromFile(in);
    frames = (unsigned int)readNumberFromFile(in);
    drunkenness = (float)readNumberFromFile(in);
    hasFloater = readNumberFromFile(in) > 0;
    for (bool& f : flags) {
        if (in.eof()) {
            fputs("File too short!\n", stderr);
            return 0;
        }
        f = readNumberFromFile(in) >= 1;
    }
    dir = readStringFromFile(in);
    return 0;
}
