// quest.h -- the quest record.
#pragma once
#include <iosfwd>
#include <string>

class Quest
{
public:
    Quest();

    void serializeTo(const char* path);
    bool writeTo(const char* path);
    bool writeTo(std::ostream& out);
    // With root, path lies below that folder and no link on the way may lead out of it.
    int serializeFrom(const char* path, const char* root = NULL);

    std::string description;
    std::string itemTarget;   // shortName of the item to bring
    int reward = 0;
    bool bIsCompleted = false;
    int flagId = 0;
};
