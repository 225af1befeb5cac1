// Map.h -- the 350x350 tile grid, its solidity rules and map.dat.
#pragma once
#include <iosfwd>
#include "game-codes.h"

// Float to int, truncating toward zero, saturating far outside the int range.
int truncToInt(float v);

class Map
{
public:
    static const int SIZE = MAP_SIZE;
    static const int TILE = TILE_SIZE;

    // Pixel to tile, truncated toward zero. Values far outside the map (or
    // not a number) give an index far outside it, never an undefined conversion.
    static int cellOf(float v);

    void Init();
    int getTileAt(int x, int y);
    void setTileAt(int x, int y, int value);
    bool isSolid(float x, float y);
    bool isSea(float x, float y);
    // Whether a character with its top-left corner at pixel (x, y) may stand there: the four
    // corners of its 40x40 box, inset 4 pixels from the picture, are on free ground, or on open
    // sea while `floating`.
    bool boxFits(float x, float y, bool floating);
    void loadMap(const char* dir);
    void saveMap(const char* dir);
    // Writes the grid to an exact file path; false when any write failed.
    bool writeTo(const char* path);
    bool writeTo(std::ostream& out);

    int level[SIZE][SIZE];   // [row][column]
};
