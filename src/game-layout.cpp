// game-layout.cpp -- the names of a game folder's files and folders, and how a numbered series of records is read.
#include <cstdlib>
#include <cstring>
#include "game-layout.h"

const char* const VARS_FILE = "vars.sav";
const char* const MAP_FILE = "map.dat";
const char* const INTRO_FILE = "intro.txt";
const char* const CHARACTER_FOLDER = "npcdef";
const char* const ITEM_FOLDER = "idef";
const char* const QUEST_FOLDER = "qdef";
const char* const SERIES_FOLDERS[3] = {CHARACTER_FOLDER, ITEM_FOLDER, QUEST_FOLDER};

std::string gameFile(const std::string& dir, const char* name)
{
    return dir + "/" + name;
}

std::string recordFileName(int number)
{
    return std::to_string(number) + ".def";
}

std::string recordFile(const std::string& dir, const char* folder, int number)
{
    return dir + "/" + folder + "/" + recordFileName(number);
}

std::string endingSlide(const std::string& dir, int number)
{
    return dir + "/ending/" + std::to_string(number) + ".png";
}

bool isRecordFileName(const std::string& name, bool part, long* number)
{
    size_t digits = 0;
    while (digits < name.size() && name[digits] >= '0' && name[digits] <= '9')
        digits++;
    if (digits == 0 || (digits > 1 && name[0] == '0'))
        return false;
    std::string rest = name.substr(digits);
    if (rest != ".def" && !(part && rest == ".def.part"))
        return false;
    if (number) {
        // Anything with more than nine digits is beyond every series.
        *number = digits > 9 ? 2000000000L : strtol(name.c_str(), NULL, 10);
    }
    return true;
}

bool isGameFileName(const std::string& name)
{
    return name == VARS_FILE || name == MAP_FILE;
}

bool isSeriesFolder(const std::string& name)
{
    for (const char* f : SERIES_FOLDERS)
        if (name == f)
            return true;
    return false;
}
