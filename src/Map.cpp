// Map.cpp -- the tile grid: queries in tiles and map pixels, and the map.dat file.
#include <cstdio>
#include <cstdlib>
#include <string>
#include "Map.h"
#include <sstream>
#include "confined-fs.h"
#include "game-layout.h"
#include "readfile.h"

static bool solidTile(int t)
{
    switch (t) {
    case TILE_STONE_WALL: case TILE_CABIN_WALL: case TILE_LOCKED_DOOR: case TILE_BED_HEAD:
    case TILE_BED_FOOT: case TILE_BOULDERS: case TILE_OAK: case TILE_SEA: case TILE_COUNTER:
    case TILE_BRICK_WALL: case TILE_PINE: case TILE_CRATES: case TILE_ROOM_DOOR:
    case TILE_DOUBLE_DOOR: case TILE_CAVE_WALL:
        return true;
    default:
        return false;
    }
}

int Map::cellOf(float v)
{
    if (v > -1.0e6f && v < 1.0e6f)
        return (int)(v / TILE);
    return v < 0 ? -100000 : 100000;
}

// Converts a float to int, truncating toward zero, saturating far outside
// the int range so that wild positions cannot make the conversion undefined.
int truncToInt(float v)
{
    if (v >= 2.0e9f)
        return 2000000000;
    if (v <= -2.0e9f || v != v)
        return -2000000000;
    return (int)v;
}

void Map::Init()
{
    for (int r = 0; r < SIZE; r++)
        for (int c = 0; c < SIZE; c++)
            level[r][c] = 0;
}

int Map::getTileAt(int x, int y)
{
    if (x < 0 || y < 0 || x >= SIZE || y >= SIZE)
        return 0;
    return level[y][x];
}

void Map::setTileAt(int x, int y, int value)
{
    if (x < 0 || y < 0 || x >= SIZE || y >= SIZE)
        return;
    level[y][x] = value;
}

// The last row and column (349) count as solid, and so does everything
// outside the map, including pixels between -47 and -1 that truncate to 0.
bool Map::isSolid(float x, float y)
{
    int c = cellOf(x);
    int r = cellOf(y);
    if (r + 1 > SIZE - 1 || c + 1 > SIZE - 1 || c < 0 || r < 0 || x < 0 || y < 0)
        return true;
    return solidTile(level[r][c]);
}

// Only the cell is tested, not the pixel's sign: -0.5 lies in column 0.
bool Map::isSea(float x, float y)
{
    int c = cellOf(x);
    int r = cellOf(y);
    if (r + 1 > SIZE - 1 || c + 1 > SIZE - 1 || c < 0 || r < 0)
        return false;
    return level[r][c] == TILE_SEA;
}

bool Map::boxFits(float x, float y, bool floating)
{
    const float corners[4][2] = {{x + 4, y + 4}, {x + 4, y + 44}, {x + 44, y + 44}, {x + 44, y + 4}};
    for (const auto& c : corners)
        if (isSolid(c[0], c[1]) && !(floating && isSea(c[0], c[1])))
            return false;
    return true;
}

// Takes the next row of map.dat from `bytes` at `at`: at most 351 characters
// are kept, the rest of an overlong line is skipped. Returns false at the end
// of the file.
static bool readRow(const std::string& bytes, size_t& at, std::string& row)
{
    row.clear();
    if (at >= bytes.size())
        return false;
    size_t end = bytes.find('\n', at);
    if (end == std::string::npos)
        end = bytes.size();
    row.assign(bytes, at, end - at < 351 ? end - at : 351);
    at = end + 1;
    return true;
}

void Map::loadMap(const char* dir)
{
    std::string path = gameFile(dir, MAP_FILE);
    std::string bytes;
    if (!readFileBelow(dir, MAP_FILE, MAP_FILE_MAX, bytes)) {
        fprintf(stderr, "map file %s is missing\n", path.c_str());
        exit(1);
    }
    size_t at = 0;
    std::string row;
    int r = 0;
    for (; r < SIZE && readRow(bytes, at, row); r++) {
        int len = (int)row.size();
        for (int c = 0; c < SIZE; c++) {
            if (c >= len) {
                level[r][c] = 0;
                continue;
            }
            int t = (signed char)row[c] - 65;
            if (t < 0) {
                fprintf(stderr, "negative tile at %i,%i\n", c, r);
                t = 0;
            }
            level[r][c] = t;
        }
        if (len < SIZE)
            fprintf(stderr, "%s: row %i holds %i of %i tiles; the rest are 0\n", path.c_str(), r, len, SIZE);
    }
    if (r < SIZE) {
        fprintf(stderr, "%s ends after %i of %i rows; the rest are 0\n", path.c_str(), r, SIZE);
        for (; r < SIZE; r++)
            for (int c = 0; c < SIZE; c++)
                level[r][c] = 0;
    }
    puts("map loaded....");
}

bool Map::writeTo(const char* path)
{
    std::ostringstream out;
    return writeTo(out) && writeNewFile(path, out.str());
}

bool Map::writeTo(std::ostream& out)
{
    char row[SIZE + 1];
    for (int r = 0; r < SIZE; r++) {
        for (int c = 0; c < SIZE; c++)
            row[c] = (char)(level[r][c] + 65);
        row[SIZE] = '\n';
        out.write(row, sizeof row);
    }
    puts("Written. closing");
    return !out.fail();
}

void Map::saveMap(const char* dir)
{
    std::string path = gameFile(dir, MAP_FILE);
    writeTo(path.c_str());
}
