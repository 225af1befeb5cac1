// tmx.h -- a game folder's map, characters and ground items as a Tiled map file (TMX), and back.
#pragma once
#include <string>
#include <vector>
#include "game-codes.h"

// A rectangle of the map, in tiles.
class TileArea
{
public:
    int x = 0, y = 0;
    int w = MAP_SIZE, h = MAP_SIZE;

    bool whole() const { return x == 0 && y == 0 && w == MAP_SIZE && h == MAP_SIZE; }
    // Whether a picture whose top-left corner is at px,py (map pixels) shows
    // in the area: what an export of the area takes into its file, and where
    // an import of that file lets a thing be moved. Everything is in the whole map.
    bool shows(int px, int py) const
    {
        if (whole())
            return true;
        int left = x * TILE_SIZE, top = y * TILE_SIZE;
        return px > left - TILE_SIZE && px < left + w * TILE_SIZE && py > top - TILE_SIZE &&
               py < top + h * TILE_SIZE;
    }
};

// The names the map file gives its tilesets and layers; import finds them by these.
const char* const TMX_TILESET_TILES = "tiles";
const char* const TMX_TILESET_CHARACTERS = "characters";
const char* const TMX_TILESET_ITEMS = "items";
const char* const TMX_LAYER_MAP = "map";
const char* const TMX_LAYER_CHARACTERS = "characters";
const char* const TMX_LAYER_ITEMS = "items";
// Map properties: where the file's top-left tile lies on the game's map.
const char* const TMX_AREA_X = "area-x";
const char* const TMX_AREA_Y = "area-y";
// Object property: the number of the record file the object stands for.
const char* const TMX_RECORD = "record";

// Writes the area of the game folder `dir`'s map to `tmxPath` as one CSV tile
// layer, with the characters and the items lying on the map as tile objects
// on layers of their own. The three tileset pictures go beside the file, named
// after it: STEM-tiles.png, STEM-characters.png, STEM-items.png, made from
// the pictures under `assets` (a data/assets folder). False, with the reason
// on standard error, when the folder or the pictures cannot be read or the
// files cannot be written.
bool exportTiledMap(const std::string& dir, const std::string& tmxPath, const std::string& assets,
                    const TileArea& area);

// What a map file says, in the game's terms.
class TiledObject
{
public:
    bool bCharacter = false;    // on the characters layer, else on the items layer
    int record = -1;            // the record file's number
    int x = 0, y = 0;           // the picture's top-left corner in map pixels
    int line = 0;               // where the object is in the file
};

class TiledMapFile
{
public:
    TileArea area;
    std::vector<int> tiles;     // area.w * area.h tile numbers, row by row
    std::vector<TiledObject> objects;
};

// Reads and checks a map file: one orthogonal layer of 48-pixel tiles from
// the "tiles" tileset (CSV, base64, zlib or gzip, or XML cells), and the
// objects of the two object layers that name a record. False, with the file,
// line and reason on standard error, when it cannot be read or is not a map
// the game can hold. Flipped or turned cells are taken unturned, with a warning.
bool readTiledMap(const std::string& tmxPath, TiledMapFile& out);

// Reads a map file written by exportTiledMap, or by Tiled after editing one,
// and writes its tiles into `dir`/map.dat (only its area, for a file of part
// of the map) and the objects' positions into the character and item files
// they name. Everything is read and checked before anything is written, and
// every file is written beside its place and then renamed over it, so a file
// that is refused (the reason on standard error) leaves `dir` as it was.
// Records whose position did not change are not rewritten.
bool importTiledMap(const std::string& tmxPath, const std::string& dir);
