// Map.h -- the 350x350 tile grid, its solidity rules and map.dat.
#pragma once

class Map
{
public:
    static const int SIZE = 350;
    static const int TILE = 48;   // pixels per tile side

    void Init();
    int getTileAt(int x, int y);
    void setTileAt(int x, int y, int value);
    bool isSolid(float x, float y);
    bool isSea(float x, float y);
    void loadMap(const char* dir);
    void saveMap(const char* dir);
    // Writes the grid to an exact file path; false when any write failed.
    bool writeTo(const char* path);

    int level[SIZE][SIZE];   // [row][column]
};
