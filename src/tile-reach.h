// tile-reach.h -- which whole tiles the player can walk to from a tile, by the engine's own rules.
#pragma once
#include <utility>
#include <vector>

class Actor;
class CGame;
class Map;

// A step onto a tile is allowed when the player's box standing on it fits the map
// (Map::boxFits, as CGame::boxFitsMap: free ground, and open sea while floating) and no standing character is in
// the way. Boxes that touch collide, so a character blocks every tile whose box would touch its
// own: its tile and the eight around it. Tiles may also be opened whatever the map holds (a door
// once unlocked). The search walks the four directions breadth first.
class TileReach
{
public:
    TileReach(CGame& game, bool floating);
    TileReach(Map& map, bool floating);

    // The tiles around a character that stands still are out of bounds.
    void blockAround(const Actor* a);
    // Whether tile (tx, ty) lies within touching distance of the character's box.
    static bool touches(const Actor* a, int tx, int ty);
    // A tile that counts as free ground from now on.
    void open(int tx, int ty);
    bool passable(int tx, int ty) const;

    // Searches from tile (sx, sy). With a goal the search stops once the goal is reached, and the
    // goal may be entered even beside a character (to meet it), as long as the box fits there.
    void search(int sx, int sy, int goalX = -1, int goalY = -1);
    bool reached(int tx, int ty) const;
    // The tiles from the start to (tx, ty), both included; empty when the search did not reach it.
    std::vector<std::pair<int, int>> pathTo(int tx, int ty) const;

private:
    static bool inside(int tx, int ty);
    bool fits(int tx, int ty) const;

    Map& map_;
    bool floating_;
    std::vector<char> blocked_;
    std::vector<char> opened_;
    std::vector<int> from_;   // the tile each reached tile was entered from; -1 the start, -2 not reached
};
