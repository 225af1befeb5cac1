// talkmanager.cpp -- talking to characters and the roles their first line selects, and distance.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include "game.h"

float CGame::distance(float ax, float ay, float bx, float by)
{
    return sqrtf((bx - ax) * (bx - ax) + (by - ay) * (by - ay));
}

// The line an ordinary character says: its second line once its flag is up.
// A flag number outside the story flags counts as a flag that is down.
static const std::string& ordinaryLine(const CGame& g, const Actor* a)
{
    bool raised = a->flagId >= 0 && a->flagId < FLAG_COUNT && g.vars.flags[a->flagId];
    return a->conversation[raised ? 1 : 0];
}

const char* const NOBODY_IN_REACH = "There is nobody close enough to talk to.";
const char* const TOO_DRUNK_TO_TALK = "Too drunk to make sense of anyone. Sleep it off in a bed.";

// The first character in list order within 90 pixels; anyone exactly level with
// the player on an axis (the player included) is passed over, unless "easytalk"
// lets a character on the player's row or column answer.
Actor* CGame::talkPartner()
{
    for (Actor* a : actorList) {
        bool level = a->x == player->x || a->y == player->y;
        if (distance(a->x, a->y, player->x, player->y) < 90 && (!level || (vars.bEasyTalk && a != player)))
            return a;
    }
    return NULL;
}

void CGame::startTalking()
{
    puts("Talking..");
    vars.talkTimer = 0;

    Actor* partner = talkPartner();
    if (!partner) {
        if (vars.bEasyTalk)
            showMessage(NOBODY_IN_REACH);
        return;
    }
    // A partner with nothing new to say (an ending without slides) brings the
    // last message back.
    vars.talkTimer = messageTime(vars.currentTalk);

    if (playerNPCcollision(player->x, player->y)) {
        if (!theMap->isSolid(player->x - 10, player->y - 10)) {
            player->x -= 10;
            player->y -= 10;
        } else {
            player->x += 10;
            player->y += 10;
        }
    }
    playSound(SOUND_TALK);

    const std::string& name = partner->myName;
    if (vars.drunkenness >= 3.0f) {
        std::string word;
        for (int i = 0; i < 30; i++)
            word.push_back((char)('a' + rand() % 26));
        // With "easytalk" the line says why nobody makes sense, and what helps, which matters
        // most when a quest's item cannot be handed in; the babble is cut to leave room.
        if (vars.bEasyTalk)
            showMessage(name + " says: \"" + word.substr(0, 12) + "\" " + TOO_DRUNK_TO_TALK);
        else
            showMessage(name + " says: \"" + word + "\"");
        return;
    }

    const std::string& role = partner->conversation[0];
    if (role == "Questy") {
        showMessage(name + " intones: \"" + getNextQuest(name) + "\"");
    } else if (role == "Shoppy") {
        showMessage(name + " says \"Welcome to my store!\"");
        shopLoop(SHOP_ALL_TYPES);
    } else if (role == "Keyshop") {
        showMessage(name + " says \"Buy your room-keys here!\"");
        shopLoop(ITEM_ROOM_KEY);
    } else if (role == "Gamble") {
        showMessage(name + " says: \"" + partner->conversation[1] + "\"");
        gambleLoop();
    } else if (role == "Ending") {
        calculateEndings();
    } else if (role == "Plyr") {
        showMessage("Handed over control and items");
        player = partner;
    } else {
        showMessage(name + " says: \"" + ordinaryLine(*this, partner) + "\"");
    }
}
