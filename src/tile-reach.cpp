// tile-reach.cpp -- the player's reach over whole tiles: the step test and a breadth-first search.
#include "tile-reach.h"
#include <cmath>
#include <queue>
#include "game.h"

namespace {
const int N = Map::SIZE;
}

TileReach::TileReach(CGame& game, bool floating) : TileReach(*game.theMap, floating)
{
}

TileReach::TileReach(Map& map, bool floating)
    : map_(map), floating_(floating), blocked_(N * N, 0), opened_(N * N, 0), from_(N * N, -2)
{
}

bool TileReach::inside(int tx, int ty)
{
    return tx >= 0 && ty >= 0 && tx < N && ty < N;
}

bool TileReach::touches(const Actor* a, int tx, int ty)
{
    return std::fabs(a->x - (float)(tx * Map::TILE)) <= Map::TILE && std::fabs(a->y - (float)(ty * Map::TILE)) <= Map::TILE;
}

void TileReach::blockAround(const Actor* a)
{
    int cx = Map::cellOf(a->x), cy = Map::cellOf(a->y);
    for (int ty = cy - 1; ty <= cy + 2; ty++)
        for (int tx = cx - 1; tx <= cx + 2; tx++)
            if (inside(tx, ty) && touches(a, tx, ty))
                blocked_[ty * N + tx] = 1;
}

void TileReach::open(int tx, int ty)
{
    if (inside(tx, ty))
        opened_[ty * N + tx] = 1;
}

bool TileReach::fits(int tx, int ty) const
{
    return opened_[ty * N + tx] ||
           map_.boxFits((float)(tx * Map::TILE), (float)(ty * Map::TILE), floating_);
}

bool TileReach::passable(int tx, int ty) const
{
    return inside(tx, ty) && !blocked_[ty * N + tx] && fits(tx, ty);
}

void TileReach::search(int sx, int sy, int goalX, int goalY)
{
    std::fill(from_.begin(), from_.end(), -2);
    if (!inside(sx, sy))
        return;
    std::queue<int> open;
    from_[sy * N + sx] = -1;
    open.push(sy * N + sx);
    const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!open.empty()) {
        int c = open.front();
        open.pop();
        if (c == goalY * N + goalX)
            break;
        for (const auto& s : steps) {
            int x = c % N + s[0], y = c / N + s[1];
            if (!inside(x, y) || from_[y * N + x] != -2)
                continue;
            bool goal = x == goalX && y == goalY;
            if (goal ? !fits(x, y) : !passable(x, y))
                continue;
            from_[y * N + x] = c;
            open.push(y * N + x);
        }
    }
}

bool TileReach::reached(int tx, int ty) const
{
    return inside(tx, ty) && from_[ty * N + tx] != -2;
}

std::vector<std::pair<int, int>> TileReach::pathTo(int tx, int ty) const
{
    std::vector<std::pair<int, int>> path;
    if (!reached(tx, ty))
        return path;
    for (int c = ty * N + tx; c != -1; c = from_[c])
        path.push_back({c % N, c / N});
    return std::vector<std::pair<int, int>>(path.rbegin(), path.rend());
}
