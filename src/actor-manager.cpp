// actor-manager.cpp -- finding characters in the actor list: the player's character.
#include "game.h"

// The first character, in file order, whose first line is exactly "Plyr";
// null when there is none. A "Plyr\r" from a CR-LF file does not count.
Actor* CGame::findPlayerActor()
{
    for (Actor* a : actorList) {
        if (a && a->conversation[0] == "Plyr")
            return a;
    }
    return NULL;
}
