// passage.h -- the smugglers' passage over the shipped game's Serpent Reach, for the plays and
// checks that sail it: its corners as Redmaw's chart draws them between the rocks, and the
// same way with a point every few tiles.
#pragma once
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace qtest {

struct Tile
{
    int x, y;
};

// Off the end of the long pier, east-south-east to Gull Rock's west beach, round the rock's west
// side and south, then south-east to the old landing of Veyl's village.
inline std::vector<Tile> passageCorners()
{
    return {{114, 194}, {160, 209}, {200, 221}, {221, 229}, {221, 242}, {224, 260}, {244, 275}};
}

// The corners with a point every few tiles between them, so that a walk from point to point keeps
// to the line between the rocks.
inline std::vector<Tile> closely(const std::vector<Tile>& corners)
{
    std::vector<Tile> way = {corners[0]};
    for (size_t i = 1; i < corners.size(); i++) {
        const Tile a = corners[i - 1], b = corners[i];
        int n = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y)) / 4 + 1;
        for (int k = 1; k <= n; k++)
            way.push_back({a.x + (b.x - a.x) * k / n, a.y + (b.y - a.y) * k / n});
    }
    return way;
}

} // namespace qtest
