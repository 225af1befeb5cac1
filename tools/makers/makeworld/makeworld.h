// makeworld.h -- the content builder's shared pieces: the sources it reads and the world it makes.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>
#include "game-codes.h"
#include "item.h"
#include "player.h"
#include "quest.h"

class Map;

// Highest item picture number + 1 shipped under data/assets/items (docs/art.md).
const int ITEM_PICTURES = 48;

// A problem with a source file, reported as "file:line: text" on standard error.
// Every reader records problems and goes on; the builder refuses to write when any were found.
void problem(const std::string& file, int line, const std::string& text);
int problemCount();

// One character of content/legend.txt: the tile it stands for.
using Legend = std::map<char, int>;
bool readLegend(const std::string& path, Legend& legend);

// A tile-resolution picture of an inhabited place; ' ' keeps the terrain under it.
class Place
{
public:
    std::string name;
    int x = 0, y = 0;   // top-left tile on the map
    std::vector<std::string> rows;
};
bool readPlace(const std::string& path, Place& place);

// The plan of a map: the title, land shapes, regions, roads and places (world.txt).
class Shape
{
public:
    std::string name;
    float noise = 0;                        // tiles the coast may wander in or out
    std::vector<std::pair<float, float>> points;   // a closed polygon in tiles
};
class Region
{
public:
    std::string kind;                       // forest, pinewood, meadow, swamp, mountain, snow, heath
    float cx, cy, rx, ry;
};
class WorldPlan
{
public:
    std::string title;
    std::string dir;
    unsigned seed = 1;
    int fill = TILE_SEA;
    int ground = TILE_GRASS;
    int border = 0;                         // rows of trees along the top and left map edges
    // Tiles kept solid along the left, top, right and bottom edges, so that the camera, which
    // keeps the player at a fixed point of the window, never looks past the map's edge.
    int rim[4] = {0, 0, 0, 0};
    std::vector<Shape> land;
    std::vector<Region> regions;
    std::vector<std::vector<std::pair<int, int>>> roads;
    std::vector<std::vector<std::pair<int, int>>> rivers;   // deep water with shallow banks
    std::vector<Place> places;
    std::vector<std::pair<std::string, std::string>> endings;   // scene, caption
};
bool readWorldPlan(const std::string& dir, WorldPlan& plan);

// Where a record sits: "x y" in tiles, or "place dx dy" from a place's corner.
bool resolveAt(const WorldPlan& plan, const std::string& where, const std::string& file, int line,
               int& tx, int& ty);

class Records
{
public:
    std::vector<std::unique_ptr<Actor>> actors;
    std::vector<std::unique_ptr<Item>> items;
    std::vector<std::unique_ptr<Quest>> quests;
};
// Reads characters.txt, items.txt and quests.txt of a game's content folder.
// Positions are checked against the finished map: a record on a solid tile is a problem.
bool readRecords(const std::string& dir, const WorldPlan& plan, Map& map, Records& out);

// Terrain: fills the map from the plan (land, coast, regions, roads), then stamps the places.
void buildTerrain(const WorldPlan& plan, const Legend& legend, Map& map);

// Ending slides: draws each scene of the plan into dir/ending/N.png.
bool drawEndings(const WorldPlan& plan, const std::string& outDir);

// Small text helpers.
std::string trim(const std::string& s);
std::vector<std::string> words(const std::string& s);
bool readLines(const std::string& path, std::vector<std::string>& lines);
