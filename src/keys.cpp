// keys.cpp -- opening a locked door next to a point with a key, a room key or a lock-pick.
#include <cstdio>
#include <cstdlib>
#include "game.h"

// Results: 0 no suitable door nearby, 1 opened, 2 the pick broke, 3 picking failed.
int CGame::unlockDoor(float x, float y, bool withPick, bool motelKey)
{
    int tx = truncToInt(x) / kTileSize, ty = truncToInt(y) / kTileSize;
    printf("I think you are at (%i,%i)\n", tx, ty);
    for (int r = ty - 1; r <= ty + 1; r++) {
        for (int c = tx - 1; c <= tx + 1; c++) {
            if (c < 0 || r < 0 || c >= Map::SIZE || r >= Map::SIZE)
                continue;
            int t = theMap->getTileAt(c, r);
            bool fits = motelKey ? t == kTileRoomDoor : (t == kTileLockedDoor || t == kTileDoubleDoor);
            if (!fits)
                continue;
            if (withPick) {
                int roll = rand() % 6;
                if (roll != 2) {
                    if (roll == 0 && !vars.bCheatPick) {
                        playSound(kSoundPickBreaks);
                        return 2;
                    }
                    playSound(kSoundPickFails);
                    return 3;
                }
            }
            playSound(kSoundDoorOpen);
            theMap->setTileAt(c, r, kTileOpenDoor);
            return 1;
        }
    }
    return 0;
}
