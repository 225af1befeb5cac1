// gamename.h -- which game folder names the custom-game prompt can type, for the modders' tools.
#pragma once
#include <string>
#include "game-codes.h"

// The prompt takes the letters a to z and nothing else, and at most GAME_NAME_MAX of them.
inline bool promptCanType(const std::string& name)
{
    if (name.empty() || name.size() > (size_t)GAME_NAME_MAX)
        return false;
    for (char c : name)
        if (c < 'a' || c > 'z')
            return false;
    return true;
}
