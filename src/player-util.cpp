// player-util.cpp -- line of sight over the tile map.
#include <utility>
#include "game.h"

// Walks the cells of the line between this character's cell and the cell of
// the map point (px, py), from its upper end down (left to right along a row),
// at most 16 cells; the answer does not depend on which end is the character's.
// Sea does not block sight; any other solid tile does. Kept on purpose: a line
// steeper than a diagonal runs diagonally to the far column, then straight
// down it, and leaves out its lowest cell.
bool Actor::canSee(float px, float py, Map* theMap)
{
    int c1 = Map::cellOf(x), r1 = Map::cellOf(y);
    int c2 = Map::cellOf(px), r2 = Map::cellOf(py);
    if (r2 < r1 || (r2 == r1 && c2 < c1)) {
        std::swap(c1, c2);
        std::swap(r1, r2);
    }
    int across = c2 < c1 ? -1 : 1;
    int dx = across * (c2 - c1), dy = r2 - r1, err = 0;
    int column = c1, row = r1, tested = 0;
    while (across * (c2 - column) >= 0) {
        if (tested == 16)
            return false;
        tested++;
        float cx = (float)(TILE_SIZE * column), cy = (float)(TILE_SIZE * row);
        if (theMap->isSolid(cx, cy) && !theMap->isSea(cx, cy))
            return false;
        err += dy;
        if (2 * err >= dx) {
            row += 1;
            err -= dx;
        }
        if (!(column == c2 && row < r2))
            column += across;
    }
    return true;
}
