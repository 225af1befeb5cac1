// keys.cpp -- opening a locked door next to a point with a key, a room key or a lock-pick.
#include <cstdio>
#include <cstdlib>
#include "game.h"

// Results: 0 no suitable door nearby, 1 opened, 2 the pick broke, 3 picking failed.
int CGame::unlockDoor(float x, float y, bool withPick, bool motelKey)
{
    int tx = truncToInt(x) / TILE_SIZE, ty = truncToInt(y) / TILE_SIZE;
    printf("I think you are at (%i,%i)\n", tx, ty);
    for (int r = ty - 1; r <= ty + 1; r++) {
        for (int c = tx - 1; c <= tx + 1; c++) {
            if (c < 0 || r < 0 || c >= Map::SIZE || r >= Map::SIZE)
                continue;
            int t = theMap->getTileAt(c, r);
            bool fits = motelKey ? t == TILE_ROOM_DOOR : (t == TILE_LOCKED_DOOR || t == TILE_DOUBLE_DOOR);
            if (!fits)
                continue;
            if (withPick) {
                int roll = rand() % 6;
                if (roll != 2) {
                    if (roll == 0 && !vars.bCheatPick) {
                        playSound(SOUND_PICK_BREAKS);
                        return 2;
                    }
                    playSound(SOUND_PICK_FAILS);
                    return 3;
                }
            }
            playSound(SOUND_DOOR_OPEN);
            theMap->setTileAt(c, r, TILE_OPEN_DOOR);
            return 1;
        }
    }
    return 0;
}
