// map-paint.cpp -- paints the window of tiles around the player.
#include <cstdio>
#include "game.h"

void CGame::drawMap()
{
    SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 26, 26, 168));
    if (art.tiles.empty())
        return;
    float X = player->x, Y = player->y;
    int tx = Map::cellOf(X), ty = Map::cellOf(Y);
    int ox = truncToInt(X - (float)playerScreenX(SCREEN_WIDTH));
    int oy = truncToInt(Y - (float)PLAYER_SCREEN_Y);
    int lastColumn = tx + (SCREEN_WIDTH == WIDE_SCREEN_WIDTH ? 12 : 10);

    for (int j = ty - 9 < 0 ? 0 : ty - 9; j <= ty + 8 && j <= MAP_SIZE; j++) {
        for (int i = tx - 11 < 0 ? 0 : tx - 11; i <= lastColumn && i <= MAP_SIZE; i++) {
            int t = theMap->getTileAt(i, j);
            if (t < 0) {
                printf("invalid tile : %i,%i\n", i, j);
                t = 0;
            }
            if (vars.bFastWater && t == TILE_SEA)
                continue;
            if (t >= (int)art.tiles.size()) {
                // A tile value with no picture: show the plain tile, say so once.
                if (reportedTiles.insert(t).second)
                    fprintf(stderr, "No picture for tile %i (first seen at %i,%i); drawing tile 0\n", t, i, j);
                t = 0;
            }
            SDL_Rect dst = {(Sint16)(TILE_SIZE * i - ox), (Sint16)(TILE_SIZE * j - oy), 0, 0};
            SDL_BlitSurface(art.tiles[t], NULL, screen, &dst);
        }
    }
}
