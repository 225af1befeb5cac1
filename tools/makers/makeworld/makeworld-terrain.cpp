// makeworld-terrain.cpp -- the seeded terrain generator: land, coast, wild regions, roads, then the places.
#include <algorithm>
#include <cmath>
#include <deque>
#include <vector>
#include "Map.h"
#include "makeworld.h"
#include "picture.h"

namespace {

const int N = Map::SIZE;

// The tiles the generator lays, under the generator's short names.
enum Tile
{
    GRASS = TILE_GRASS, DIRT = TILE_DIRT, ROCKS = TILE_BOULDERS, OAK = TILE_OAK, SAND = TILE_SAND,
    SHALLOWS = TILE_SHALLOWS, FLOWERS = TILE_FLOWERS, TALLGRASS = TILE_TALL_GRASS,
    FORESTFLOOR = TILE_FOREST_FLOOR, CAVEFLOOR = TILE_CAVE_FLOOR, SNOW = TILE_SNOW, SEA = TILE_SEA,
    MUD = TILE_SWAMP, PIER = TILE_PIER, BRIDGE = TILE_BRIDGE, MUSHROOMS = TILE_MUSHROOMS, PINE = TILE_PINE,
    CAVEWALL = TILE_CAVE_WALL, PATH_NS = TILE_PATH_NS, PATH_EW = TILE_PATH_EW, LEAVES = TILE_AUTUMN_LEAVES,
    ICE = TILE_ICE, REEDS = TILE_REEDS, PEBBLES = TILE_PEBBLE_BEACH,
    GRASS_SAND = TILE_SHORE_GRASS_SAND, SAND_SHALLOWS = TILE_SHORE_SAND_SHALLOWS,
    SHALLOWS_SAND = TILE_SHORE_SHALLOWS_SAND, SAND_GRASS = TILE_SHORE_SAND_GRASS
};

// Smooth value noise in -1..1 over a lattice of `cell` tiles; two octaves.
class Noise
{
public:
    explicit Noise(uint32_t seed) : seed_(seed) {}
    float at(float x, float y, float cell) const
    {
        return 0.65f * layer(x / cell, y / cell, seed_) + 0.35f * layer(x * 2.3f / cell, y * 2.3f / cell, seed_ + 77);
    }

private:
    static float smooth(float t) { return t * t * (3 - 2 * t); }
    static float layer(float x, float y, uint32_t seed)
    {
        int x0 = (int)std::floor(x), y0 = (int)std::floor(y);
        float fx = smooth(x - x0), fy = smooth(y - y0);
        auto v = [seed](int i, int j) { return hash01(i, j, seed) * 2 - 1; };
        float a = v(x0, y0) + (v(x0 + 1, y0) - v(x0, y0)) * fx;
        float b = v(x0, y0 + 1) + (v(x0 + 1, y0 + 1) - v(x0, y0 + 1)) * fx;
        return a + (b - a) * fy;
    }
    uint32_t seed_;
};

// Distance from (x, y) to the polygon's outline, positive inside.
float signedDistance(const Shape& s, float x, float y)
{
    float best = 1e9f;
    bool inside = false;
    size_t n = s.points.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        float ax = s.points[j].first, ay = s.points[j].second;
        float bx = s.points[i].first, by = s.points[i].second;
        if ((by > y) != (ay > y) && x < (ax - bx) * (y - by) / (ay - by) + bx)
            inside = !inside;
        float dx = bx - ax, dy = by - ay;
        float len2 = dx * dx + dy * dy;
        float t = len2 > 0 ? ((x - ax) * dx + (y - ay) * dy) / len2 : 0;
        t = std::max(0.0f, std::min(1.0f, t));
        float ex = ax + t * dx - x, ey = ay + t * dy - y;
        best = std::min(best, std::sqrt(ex * ex + ey * ey));
    }
    return inside ? best : -best;
}

bool isWater(int t) { return t == SEA || t == SHALLOWS; }

class Grid
{
public:
    std::vector<int> v = std::vector<int>(N * N, 0);
    int& at(int x, int y) { return v[y * N + x]; }
};

// Steps from every cell of `from` to the nearest cell not in it, four-connected, capped at `cap`.
Grid stepsOut(const std::vector<bool>& from, int cap)
{
    Grid d;
    std::deque<int> q;
    for (int i = 0; i < N * N; i++) {
        d.v[i] = from[i] ? cap : 0;
        if (!from[i])
            q.push_back(i);
    }
    const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
    while (!q.empty()) {
        int i = q.front();
        q.pop_front();
        int x = i % N, y = i / N;
        for (int k = 0; k < 4; k++) {
            int nx = x + dx[k], ny = y + dy[k];
            if (nx < 0 || ny < 0 || nx >= N || ny >= N)
                continue;
            int j = ny * N + nx;
            if (d.v[j] > d.v[i] + 1) {
                d.v[j] = d.v[i] + 1;
                q.push_back(j);
            }
        }
    }
    return d;
}

class Builder
{
public:
    Builder(const WorldPlan& plan, Map& map) : plan_(plan), map_(map), noise_(plan.seed), rng_(plan.seed) {}

    void run(const Legend& legend)
    {
        landAndSea();
        for (const Region& r : plan_.regions)
            region(r);
        for (const auto& river : plan_.rivers)
            riverCourse(river);
        edges();
        for (const auto& road : plan_.roads)
            for (size_t i = 0; i + 1 < road.size(); i++)
                roadSegment(road[i], road[i + 1]);
        shoreStrips();
        rim();
        for (const Place& p : plan_.places)
            stamp(p, legend);
    }

private:
    void set(int x, int y, int t)
    {
        if (x >= 0 && y >= 0 && x < N && y < N)
            map_.level[y][x] = t;
    }
    int get(int x, int y) const { return (x < 0 || y < 0 || x >= N || y >= N) ? -1 : map_.level[y][x]; }
    float chance() { return rng_.unit(); }

    void landAndSea()
    {
        std::vector<bool> land(N * N, false);
        for (int y = 0; y < N; y++)
            for (int x = 0; x < N; x++) {
                for (const Shape& s : plan_.land) {
                    float d = signedDistance(s, x + 0.5f, y + 0.5f) + s.noise * noise_.at((float)x, (float)y, 11);
                    if (d > 0)
                        land[y * N + x] = true;
                }
            }
        std::vector<bool> water(N * N);
        for (int i = 0; i < N * N; i++)
            water[i] = !land[i];
        Grid toWater = stepsOut(land, 99);   // for land cells: steps to the nearest water
        Grid toLand = stepsOut(water, 99);   // for water cells: steps to the nearest land
        floor_.v.assign(N * N, plan_.ground);
        for (int y = 0; y < N; y++)
            for (int x = 0; x < N; x++) {
                int i = y * N + x;
                float n = noise_.at(x + 300.0f, y + 300.0f, 5);
                int t;
                if (!land[i]) {
                    int d = toLand.v[i];
                    t = (d <= 1 || (d == 2 && n > 0.1f)) ? SHALLOWS : plan_.fill;
                    if (plan_.land.empty())
                        t = plan_.fill;
                } else {
                    int d = toWater.v[i];
                    if (d <= 1 || (d == 2 && n > -0.2f) || (d == 3 && n > 0.45f)) {
                        t = SAND;
                        if (d == 1 && chance() < 0.025f)
                            t = ROCKS;
                        else if (chance() < 0.02f)
                            t = PEBBLES;
                    } else {
                        t = plan_.ground;
                        float r = chance();
                        if (r < 0.05f)
                            t = FLOWERS;
                        else if (r < 0.11f)
                            t = TALLGRASS;
                        else if (r < 0.118f)
                            t = LEAVES;
                        else if (r < 0.13f || (r < 0.45f && noise_.at(x + 50.0f, y + 50.0f, 6) > 0.42f))
                            t = OAK;
                    }
                }
                floor_.v[i] = (t == ROCKS || t == OAK) ? (t == ROCKS ? SAND : plan_.ground) : t;
                map_.level[y][x] = t;
                shore_.push_back(land[i] && toWater.v[i] <= 3);
            }
    }

    // Inside a region's wobbly ellipse, away from the beach.
    bool inRegion(const Region& r, int x, int y, float& depth)
    {
        float dx = (x - r.cx) / r.rx, dy = (y - r.cy) / r.ry;
        float d = dx * dx + dy * dy + 0.35f * noise_.at(x + 900.0f, y + 900.0f, 7);
        depth = 1 - d;
        return d < 1 && !shore_[y * N + x];
    }

    void region(const Region& r)
    {
        int x0 = std::max(0, (int)(r.cx - r.rx * 1.4f)), x1 = std::min(N - 1, (int)(r.cx + r.rx * 1.4f));
        int y0 = std::max(0, (int)(r.cy - r.ry * 1.4f)), y1 = std::min(N - 1, (int)(r.cy + r.ry * 1.4f));
        for (int y = y0; y <= y1; y++)
            for (int x = x0; x <= x1; x++) {
                float depth;
                if (isWater(get(x, y)) || !inRegion(r, x, y, depth))
                    continue;
                float n = noise_.at(x * 1.0f, y * 1.0f, 4);
                float c = chance();
                int base, t;
                if (r.kind == "forest") {
                    base = depth < 0.12f ? LEAVES : FORESTFLOOR;
                    t = (c < 0.20f + 0.25f * n) ? OAK : (c > 0.965f ? MUSHROOMS : base);
                    if (base == LEAVES && t == FORESTFLOOR)
                        t = LEAVES;
                } else if (r.kind == "pinewood") {
                    base = c > 0.9f ? TALLGRASS : GRASS;
                    t = (c < 0.18f + 0.25f * n) ? PINE : base;
                } else if (r.kind == "meadow") {
                    base = GRASS;
                    t = c < 0.22f ? FLOWERS : (c < 0.42f ? TALLGRASS : (c > 0.995f ? OAK : GRASS));
                } else if (r.kind == "swamp") {
                    base = MUD;
                    if (n > 0.38f)
                        t = SHALLOWS;
                    else
                        t = c < 0.34f ? REEDS : MUD;   // no tree: the trees' pictures stand on grass
                } else if (r.kind == "mountain") {
                    base = c < 0.5f ? CAVEFLOOR : DIRT;
                    t = (n > 0.16f - 0.22f * depth) ? CAVEWALL : (c > 0.95f ? ROCKS : (c > 0.8f ? TALLGRASS : base));
                } else if (r.kind == "snow") {
                    base = SNOW;
                    t = n > 0.5f ? ICE : (c < 0.04f ? CAVEWALL : SNOW);   // bare rock, not trees on grass
                } else if (r.kind == "lake") {
                    base = GRASS;
                    t = depth > 0.3f ? SEA : (depth > 0.12f ? SHALLOWS : (c < 0.3f ? REEDS : GRASS));
                    if (t == SHALLOWS || t == SEA)
                        base = t;
                } else if (r.kind == "heath") {
                    base = c < 0.3f ? DIRT : TALLGRASS;
                    t = c > 0.97f ? ROCKS : base;
                } else {
                    problem("world.txt", 0, "unknown region kind \"" + r.kind + "\"");
                    return;
                }
                set(x, y, t);
                floor_.at(x, y) = base;
            }
    }

    // Deep water two or three tiles wide along the course, wading water on its banks.
    void riverCourse(const std::vector<std::pair<int, int>>& pts)
    {
        for (size_t i = 0; i + 1 < pts.size(); i++) {
            float ax = (float)pts[i].first, ay = (float)pts[i].second;
            float bx = (float)pts[i + 1].first, by = (float)pts[i + 1].second;
            int x0 = (int)std::min(ax, bx) - 4, x1 = (int)std::max(ax, bx) + 4;
            int y0 = (int)std::min(ay, by) - 4, y1 = (int)std::max(ay, by) + 4;
            float dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
            for (int y = std::max(0, y0); y <= std::min(N - 1, y1); y++)
                for (int x = std::max(0, x0); x <= std::min(N - 1, x1); x++) {
                    float t = std::max(0.0f, std::min(1.0f, ((x - ax) * dx + (y - ay) * dy) / len2));
                    float ex = ax + t * dx - x, ey = ay + t * dy - y;
                    float d = std::sqrt(ex * ex + ey * ey) + 0.6f * noise_.at(x + 700.0f, y + 700.0f, 5);
                    if (d < 1.3f) {
                        set(x, y, SEA);
                        floor_.at(x, y) = SEA;
                    } else if (d < 2.3f && get(x, y) != SEA) {
                        set(x, y, SHALLOWS);
                        floor_.at(x, y) = SHALLOWS;
                    }
                }
        }
    }

    // A hedge of pines along the top and left edges of the map, where land runs off it.
    void edges()
    {
        for (int y = 0; y < N; y++)
            for (int x = 0; x < N; x++) {
                if ((x < plan_.border || y < plan_.border) && !isWater(get(x, y)))
                    set(x, y, PINE);
            }
    }

    // The world's rim: pines where the ground is green, bare rock on snow, sand, mud and open sea
    // (rock that a sea serpent cannot wear away). Roads run on through it.
    void rim()
    {
        const int* w = plan_.rim;
        for (int y = 0; y < N; y++)
            for (int x = 0; x < N; x++) {
                if (x >= w[0] && y >= w[1] && x < N - w[2] && y < N - w[3])
                    continue;
                int ground = floor_.at(x, y);
                if (road_[y * N + x])
                    continue;
                bool green = ground == GRASS || ground == TALLGRASS || ground == FLOWERS || ground == FORESTFLOOR ||
                             ground == LEAVES;
                set(x, y, green ? PINE : CAVEWALL);
            }
    }

    // Clears what blocks a road on the cells around it, back to the ground underneath.
    void clearAround(int x, int y)
    {
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++) {
                int t = get(x + dx, y + dy);
                if (t == OAK || t == PINE || t == ROCKS || t == CAVEWALL)
                    set(x + dx, y + dy, floor_.at(x + dx, y + dy));
            }
    }

    void roadCell(int x, int y, bool vertical)
    {
        int t = get(x, y);
        if (t < 0)
            return;
        road_[y * N + x] = true;
        if (isWater(t) || t == PIER || t == BRIDGE)
            set(x, y, vertical ? BRIDGE : PIER);
        else if (t == PATH_NS || t == PATH_EW || t == DIRT)
            set(x, y, (t == PATH_NS) == vertical ? t : DIRT);
        else
            set(x, y, vertical ? PATH_NS : PATH_EW);
        clearAround(x, y);
    }

    // Straight runs along the longer axis with single steps on the other, so a
    // diagonal segment reads as a winding track; corners are plain dirt.
    void roadSegment(std::pair<int, int> a, std::pair<int, int> b)
    {
        int x = a.first, y = a.second;
        int dx = b.first - x, dy = b.second - y;
        int sx = dx > 0 ? 1 : -1, sy = dy > 0 ? 1 : -1;
        int ax = std::abs(dx), ay = std::abs(dy);
        int err = 0;
        bool lastVertical = ax < ay;
        roadCell(x, y, lastVertical);
        while (x != b.first || y != b.second) {
            bool vertical;
            if (ax >= ay) {
                err += ay;
                vertical = 2 * err >= ax && y != b.second;
                if (vertical)
                    err -= ax;
            } else {
                err += ax;
                vertical = !(2 * err >= ay && x != b.first);
                if (!vertical)
                    err -= ay;
            }
            if (x == b.first)
                vertical = true;
            if (y == b.second)
                vertical = false;
            if (vertical != lastVertical && !isWater(get(x, y)) && get(x, y) != BRIDGE && get(x, y) != PIER)
                set(x, y, DIRT);
            if (vertical)
                y += sy;
            else
                x += sx;
            roadCell(x, y, vertical);
            lastVertical = vertical;
        }
    }

    // Straight east-west stretches of beach get the joined shore pictures.
    void shoreStrips()
    {
        std::vector<int> out(map_.level[0], map_.level[0] + N * N);
        for (int y = 1; y < N - 1; y++)
            for (int x = 1; x < N - 1; x++) {
                int t = get(x, y), up = get(x, y - 1), down = get(x, y + 1);
                int left = get(x - 1, y), right = get(x + 1, y);
                if (t == SAND && down == SHALLOWS && up == SAND && left == SAND && right == SAND)
                    out[y * N + x] = SAND_SHALLOWS;
                else if (t == SAND && up == SHALLOWS && down == SAND && left == SAND && right == SAND)
                    out[y * N + x] = SHALLOWS_SAND;
                else if (t == GRASS && down == SAND && (left == GRASS || left == SAND) && (right == GRASS || right == SAND) &&
                         get(x, y + 2) == SAND)
                    out[y * N + x] = GRASS_SAND;
                else if (t == GRASS && up == SAND && get(x, y - 2) == SAND && (left == GRASS || left == SAND) &&
                         (right == GRASS || right == SAND))
                    out[y * N + x] = SAND_GRASS;
            }
        std::copy(out.begin(), out.end(), map_.level[0]);
    }

    void stamp(const Place& p, const Legend& legend)
    {
        for (size_t r = 0; r < p.rows.size(); r++)
            for (size_t c = 0; c < p.rows[r].size(); c++) {
                char ch = p.rows[r][c];
                if (ch == ' ')
                    continue;
                auto it = legend.find(ch);
                if (it == legend.end()) {
                    problem("places/" + p.name + ".txt", (int)r + 1,
                            std::string("character '") + ch + "' is not in the legend");
                    continue;
                }
                set(p.x + (int)c, p.y + (int)r, it->second);
            }
    }

    const WorldPlan& plan_;
    Map& map_;
    Noise noise_;
    Rng rng_;
    Grid floor_;
    std::vector<bool> shore_;
    std::vector<bool> road_ = std::vector<bool>(N * N, false);   // cells a road runs over
};

} // namespace

void buildTerrain(const WorldPlan& plan, const Legend& legend, Map& map)
{
    Builder(plan, map).run(legend);
}
