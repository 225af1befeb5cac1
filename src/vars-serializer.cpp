// vars-serializer.cpp -- vars.sav, the game variables: 46 lines and the short-file rule.
#include <cstdio>
#include <sys/stat.h>
#include "vars.h"
#include "confined-fs.h"
#include "recordlines.h"

// Whether `name` can name the game folder whose ending slides are shown: a
// name the custom-game prompt could have typed (1 to 50 letters a to z), or
// the name of a folder right inside the working directory. Paths, "." and
// ".." are not, so a game's files can never send the slides elsewhere.
static bool isGameFolderName(const std::string& name)
{
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\0') != std::string::npos)
        return false;
    bool letters = name.size() <= 50;
    for (char c : name)
        if (c < 'a' || c > 'z')
            letters = false;
    struct stat st;
    return letters || (stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}

void MiscVars::serializeTo(const char* path)
{
    writeTo(path);
}

// Only the values a saved game carries; timers, messages, options and fight
// state start fresh in every game object.
bool MiscVars::writeTo(const char* path)
{
    std::ostringstream out;
    return writeTo(out) && writeNewFile(path, out.str());
}

bool MiscVars::writeTo(std::ostream& out)
{
    writeStringToFile(gameName, out);
    writeNumberToFile(menuScreen, out);
    writeNumberToFile((int)frames, out);
    writeNumberToFile(wholeNumberOf(drunkenness), out);
    writeNumberToFile(hasFloater ? 1 : 0, out);
    for (bool f : flags)
        writeNumberToFile(f ? 1 : 0, out);
    writeStringToFile(dir, out);
    return !out.fail();
}

// Before each flag the reader checks whether an earlier read met the end of
// the file; if so it stops there and the rest of the flags and dir keep their
// values. The flag read that meets the end reads as false. Still a success.
// A dir line that is no game folder's name is replaced by the folder this
// vars.sav was read from.
int MiscVars::serializeFrom(const char* path, const char* root)
{
    std::istringstream in;
    if (!openRecordFile(path, in, root)) {
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
    if (!isGameFolderName(dir)) {
        std::string own = folderOfPath(path);
        fprintf(stderr, "%s: the endings folder \"%s\" is not a game folder; using %s\n", path, dir.c_str(),
                own.c_str());
        dir = own;
    }
    return 0;
}
