// player-util.cpp -- line of sight over the tile map.
#include <algorithm>
#include "game.h"

// Walks the cells of the box spanned by the two points, top-left to
// bottom-right, at most 16 of them. Sea does not block sight; any other solid
// tile does.
bool Actor::canSee(float px, float py, Map* theMap)
{
    int c1 = Map::cellOf(std::min(x, px)), c2 = Map::cellOf(std::max(x, px));
    int r1 = Map::cellOf(std::min(y, py)), r2 = Map::cellOf(std::max(y, py));
    int dx = c2 - c1, dy = r2 - r1, err = 0;
    int column = c1, row = r1, tested = 0;
    while (column <= c2) {
        if (tested == 16)
            return false;
        tested++;
        float cx = 48.0f * (float)column, cy = 48.0f * (float)row;
        if (theMap->isSolid(cx, cy) && !theMap->isSea(cx, cy))
            return false;
        err += dy;
        if (2 * err >= dx) {
            row += 1;
            err -= dx;
        }
        if (!(column == c2 && row < r2))
            column += 1;
    }
    return true;
}
