// makeassets-tiles.h -- ground textures shared by the map tiles (all repeat seamlessly every 48 px).
#pragma once
#include "makeassets.h"

// Picks one of n colours by v in 0..1, with a little per-pixel jitter for dithering.
Rgba band(const Rgba* pal, int n, float v, int x, int y, uint32_t seed, float jitter = 0.12f);

// Cells of a pattern repeating every 48 px: the nearest and second-nearest
// centre of a jittered grid of points, for cobbles, rocks and rubble.
class Cells
{
public:
    Cells(int perSide, float jitter, uint32_t seed);
    class Hit
    {
    public:
        int index;
        float d1, d2;      // distances to the nearest and second-nearest centre
        float dx, dy;      // offset from the nearest centre to the pixel
    };
    Hit at(float x, float y) const;
    std::vector<float> cx, cy;
};

void grassGround(Image& t, uint32_t seed);
void dirtGround(Image& t, uint32_t seed);
void sandGround(Image& t, uint32_t seed);
void seaWater(Image& t, uint32_t seed);
void shallowWater(Image& t, uint32_t seed);
void snowGround(Image& t, uint32_t seed);
void forestFloor(Image& t, uint32_t seed);
void woodPlanks(Image& t, Rgba base, int boardHeight, uint32_t seed);
// Rounded stones with gaps between them, lit from the top-left.
void stoneCells(Image& t, int perSide, Rgba stone, Rgba gap, float gapWidth, float variation, uint32_t seed);
void flagstones(Image& t, Rgba stone, Rgba gap, uint32_t seed);
// Blends picture `over` onto t where mask(x, y) says so, with a ragged edge.
void raggedSplit(Image& t, const Image& over, bool overOnTop, int edgeY, uint32_t seed);

// Each paints tile n into t (48x48) and returns true, or returns false when
// the number is not one of its own.
bool paintBuildingTile(int n, Image& t);
bool paintOutdoorTile(int n, Image& t);
