// soundplay.cpp -- plays one of the sound effects by number.
#include <cstdio>
#include "game.h"

void CGame::playSound(int number)
{
    if (audio.bSoundOff)
        return;
    if (number >= 0 && number < SOUND_COUNT && audio.sfx[number]) {
        Mix_PlayChannelTimed(-1, audio.sfx[number], 0, -1);
        return;
    }
    char msg[80];
    snprintf(msg, sizeof msg, "sound %i is missing, out of range or damaged\n", number);
    raiseError(msg);
}
