// keys.cpp -- opening a locked door next to a point with a key, a room key or a lock-pick.
#include <cstdio>
#include <cstdlib>
#include "game.h"

// Results: 0 no suitable door nearby, 1 opened, 2 the pick broke, 3 picking failed.
int CGame::unlockDoor(float x, float y, bool withPick, bool motelKey)
{
    int tx = truncToInt(x) / 48, ty = truncToInt(y) / 48;
    printf("I think you are at (%i,%i)\n", tx, ty);
    for (int r = ty - 1; r <= ty + 1; r++) {
        for (int c = tx - 1; c <= tx + 1; c++) {
            if (c < 0 || r < 0 || c >= Map::SIZE || r >= Map::SIZE)
                continue;
            int t = theMap->getTileAt(c, r);
            bool fits = motelKey ? t == 44 : (t == 4 || t == 45);
            if (!fits)
                continue;
            if (withPick) {
                int roll = rand() % 6;
                if (roll != 2) {
                    if (roll == 0 && !vars.bCheatPick) {
                        playSound(13);
                        return 2;
                    }
                    playSound(12);
                    return 3;
                }
            }
            playSound(8);
            theMap->setTileAt(c, r, 3);
            return 1;
        }
    }
    return 0;
}
