// quest.h -- the quest record.
#pragma once
#include <string>

class Quest
{
public:
    Quest();

    void serializeTo(const char* path);
    bool writeTo(const char* path);
    int serializeFrom(const char* path);

    std::string description;
    std::string itemTarget;   // shortName of the item to bring
    int reward = 0;
    bool bIsCompleted = false;
    int flagId = 0;
};
