// tmx-export.cpp -- writes a game folder's map as a Tiled map: tileset pictures, one CSV tile layer, object layers.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <SDL.h>
#include "mediafiles.h"
#include "modkit.h"
#include "picture.h"
#include "recordlines.h"
#include "tmx-folder.h"
#include "tmx-xml.h"
#include "tmx.h"

namespace {

// No game has this many item pictures; the series is read no further.
const int ITEM_PICTURES_MAX = 4096;
const int TILE_COLUMNS = 9;     // 63 tiles make 7 whole rows
const int ITEM_COLUMNS = 8;
// Shown in place of a picture that is missing, so the gap is plain in Tiled.
const Rgba MISSING = rgb(255, 0, 255);

bool fileExists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// A 48x48 picture as the engine loads it, converted to RGBA; false when it
// cannot be read or has another size.
bool loadTilePicture(const std::string& path, Image& out)
{
    SDL_Surface* s = loadPictureFile(path.c_str(), ASSET_PICTURE_MAX, ASSET_PICTURE_MAX, false);
    if (!s)
        return false;
    bool ok = s->w == TILE_SIZE && s->h == TILE_SIZE;
    if (ok && SDL_LockSurface(s) == 0) {
        int bpp = s->format->BytesPerPixel;
        for (int y = 0; y < TILE_SIZE; y++)
            for (int x = 0; x < TILE_SIZE; x++) {
                const Uint8* p = (const Uint8*)s->pixels + y * s->pitch + x * bpp;
                Uint32 v = 0;
                if (bpp == 1) v = *p;
                else if (bpp == 2) v = *(const Uint16*)p;
                else if (bpp == 3) v = (Uint32)p[0] | ((Uint32)p[1] << 8) | ((Uint32)p[2] << 16);
                else v = *(const Uint32*)p;
                Rgba c;
                SDL_GetRGBA(v, s->format, &c.r, &c.g, &c.b, &c.a);
                if ((s->flags & SDL_SRCCOLORKEY) && v == s->format->colorkey)
                    c.a = 0;
                out.set(x, y, c);
            }
        SDL_UnlockSurface(s);
    }
    SDL_FreeSurface(s);
    return ok;
}

// Puts picture `path` in cell n of a sheet `columns` wide; a missing one is
// reported and drawn as a magenta square.
void placePicture(Image& sheet, int columns, int n, const std::string& path)
{
    Image pic(TILE_SIZE, TILE_SIZE);
    if (!loadTilePicture(path, pic)) {
        fprintf(stderr, "quorvane-map: warning: %s cannot be read as a 48x48 picture; a magenta square stands in\n",
                path.c_str());
        pic.fill(MISSING);
    }
    int cx = (n % columns) * TILE_SIZE, cy = (n / columns) * TILE_SIZE;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++)
            sheet.set(cx + x, cy + y, pic.get(x, y));
}

std::string stemOf(const std::string& tmxPath)
{
    std::string s = tmxPath;
    if (s.size() > 4 && s.compare(s.size() - 4, 4, ".tmx") == 0)
        s.resize(s.size() - 4);
    return s;
}

std::string baseName(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

class Sheet
{
public:
    const char* name;
    int firstGid, count, columns;
    std::string path;

    int rows() const { return (count + columns - 1) / columns; }
    // Tiled counts every cell of the picture, the blank ones at the end too.
    int cells() const { return rows() * columns; }
};

void writeTileset(std::ostream& out, const Sheet& s)
{
    out << " <tileset firstgid=\"" << s.firstGid << "\" name=\"" << s.name << "\" tilewidth=\"" << TILE_SIZE
        << "\" tileheight=\"" << TILE_SIZE << "\" tilecount=\"" << s.cells() << "\" columns=\"" << s.columns << "\">\n"
        << "  <image source=\"" << xmlEscape(baseName(s.path)) << "\" width=\"" << s.columns * TILE_SIZE
        << "\" height=\"" << s.rows() * TILE_SIZE << "\"/>\n"
        << " </tileset>\n";
}

class ObjectOut
{
public:
    std::string name, type;
    int gid = 0;    // 0: a plain rectangle, the record's picture being unknown
    int x = 0, y = 0;   // top-left, in the file's pixels
    std::vector<std::pair<std::string, int>> props;
};

// Tile objects are placed by their bottom-left corner; rectangles by their top-left.
void writeObject(std::ostream& out, int id, const ObjectOut& o)
{
    out << "  <object id=\"" << id << "\" name=\"" << xmlEscape(o.name) << "\" type=\"" << o.type << "\"";
    if (o.gid)
        out << " gid=\"" << o.gid << "\"";
    out << " x=\"" << o.x << "\" y=\"" << (o.gid ? o.y + TILE_SIZE : o.y) << "\" width=\"" << TILE_SIZE
        << "\" height=\"" << TILE_SIZE << "\">\n   <properties>\n";
    for (auto& p : o.props)
        out << "    <property name=\"" << p.first << "\" type=\"int\" value=\"" << p.second << "\"/>\n";
    out << "   </properties>\n  </object>\n";
}

} // namespace

bool exportTiledMap(const std::string& dir, const std::string& tmxPath, const std::string& assets,
                    const TileArea& area)
{
    if (area.w < 1 || area.h < 1 || area.x < 0 || area.y < 0 || area.x + area.w > MAP_SIZE ||
        area.y + area.h > MAP_SIZE) {
        fprintf(stderr, "quorvane-map: the area %i,%i %ix%i does not lie within the %ix%i map\n", area.x, area.y,
                area.w, area.h, MAP_SIZE, MAP_SIZE);
        return false;
    }
    FolderRecords folder;
    if (!readFolderRecords(dir, folder))
        return false;
    if (!folder.map) {
        fprintf(stderr, "quorvane-map: %s/map.dat is missing or cannot be read\n", dir.c_str());
        return false;
    }
    if (!fileExists(assets + "/tiles/0.png")) {
        fprintf(stderr, "quorvane-map: no pictures at %s (name the data/assets folder with --assets)\n",
                assets.c_str());
        return false;
    }

    int itemPictures = 0;
    while (itemPictures < ITEM_PICTURES_MAX &&
           fileExists(assets + "/items/" + std::to_string(itemPictures) + ".png"))
        itemPictures++;
    int spriteSets = countSpriteSets(assets, fileExists);
    std::string stem = stemOf(tmxPath);
    Sheet tiles{TMX_TILESET_TILES, 1, TILE_COUNT, TILE_COLUMNS, stem + "-tiles.png"};
    Sheet chars{TMX_TILESET_CHARACTERS, tiles.firstGid + tiles.cells(), spriteSets * DIRECTIONS, DIRECTIONS,
                stem + "-characters.png"};
    Sheet items{TMX_TILESET_ITEMS, chars.firstGid + chars.cells(), itemPictures > 0 ? itemPictures : 1, ITEM_COLUMNS,
                stem + "-items.png"};

    Image tileSheet(tiles.columns * TILE_SIZE, tiles.rows() * TILE_SIZE);
    for (int t = 0; t < TILE_COUNT; t++)
        placePicture(tileSheet, tiles.columns, t, assets + "/tiles/" + std::to_string(t) + ".png");
    // A character shows its standing picture for the way it faces, frame 0.
    Image charSheet(chars.columns * TILE_SIZE, chars.rows() * TILE_SIZE);
    for (int s = 0; s < spriteSets; s++)
        for (int d = 0; d < DIRECTIONS; d++)
            placePicture(charSheet, chars.columns, s * DIRECTIONS + d,
                         assets + "/sprites/" + std::to_string(s) + "/" + std::to_string(d) + "-0.png");
    Image itemSheet(items.columns * TILE_SIZE, items.rows() * TILE_SIZE);
    for (int i = 0; i < itemPictures; i++)
        placePicture(itemSheet, items.columns, i, assets + "/items/" + std::to_string(i) + ".png");

    // Only what shows inside the area goes into a file of part of the map.
    int left = area.x * TILE_SIZE, top = area.y * TILE_SIZE;
    auto inside = [&](int x, int y) { return area.shows(x, y); };
    std::vector<ObjectOut> itemObjects, charObjects;
    for (size_t i = 0; i < folder.items.size(); i++) {
        const Item& it = folder.items[i];
        int x = wholeNumberOf(it.x), y = wholeNumberOf(it.y);
        if (it.owner != OWNER_MAP || !inside(x, y))
            continue;
        ObjectOut o;
        o.name = it.itemName;
        o.type = "item";
        o.gid = (int)it.icon < itemPictures ? items.firstGid + (int)it.icon : 0;
        o.x = x - left;
        o.y = y - top;
        o.props = {{TMX_RECORD, (int)i}, {"icon", (int)it.icon}, {"item-type", it.type}};
        itemObjects.push_back(o);
    }
    for (size_t i = 0; i < folder.actors.size(); i++) {
        const Actor& a = folder.actors[i];
        int x = wholeNumberOf(a.x), y = wholeNumberOf(a.y);
        if (!inside(x, y))
            continue;
        ObjectOut o;
        o.name = a.myName;
        o.type = a.conversation[0] == "Plyr" ? "player" : a.bIsHostile ? "hostile" : "character";
        bool drawable = a.sprite >= 0 && a.sprite < spriteSets && a.direction >= 0 && a.direction < DIRECTIONS;
        o.gid = drawable ? chars.firstGid + a.sprite * DIRECTIONS + a.direction : 0;
        o.x = x - left;
        o.y = y - top;
        o.props = {{TMX_RECORD, (int)i}, {"sprite", a.sprite}, {"direction", a.direction}};
        charObjects.push_back(o);
    }

    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<map version=\"1.8\" orientation=\"orthogonal\" renderorder=\"right-down\" width=\"" << area.w
        << "\" height=\"" << area.h << "\" tilewidth=\"" << TILE_SIZE << "\" tileheight=\"" << TILE_SIZE
        << "\" infinite=\"0\" backgroundcolor=\"#1a1aa8\" nextlayerid=\"4\" nextobjectid=\""
        << itemObjects.size() + charObjects.size() + 1 << "\">\n"
        << " <properties>\n"
        << "  <property name=\"" << TMX_AREA_X << "\" type=\"int\" value=\"" << area.x << "\"/>\n"
        << "  <property name=\"" << TMX_AREA_Y << "\" type=\"int\" value=\"" << area.y << "\"/>\n"
        << " </properties>\n";
    writeTileset(out, tiles);
    writeTileset(out, chars);
    writeTileset(out, items);
    out << " <layer id=\"1\" name=\"" << TMX_LAYER_MAP << "\" width=\"" << area.w << "\" height=\"" << area.h
        << "\">\n  <data encoding=\"csv\">\n";
    for (int r = 0; r < area.h; r++) {
        for (int c = 0; c < area.w; c++) {
            out << folder.map->level[area.y + r][area.x + c] + tiles.firstGid;
            if (c + 1 < area.w || r + 1 < area.h)
                out << ',';
        }
        out << '\n';
    }
    out << "</data>\n </layer>\n";
    // Items lie under the characters, and both keep the game's drawing order.
    int id = 1;
    out << " <objectgroup id=\"2\" name=\"" << TMX_LAYER_ITEMS << "\" draworder=\"index\">\n";
    for (auto& o : itemObjects)
        writeObject(out, id++, o);
    out << " </objectgroup>\n <objectgroup id=\"3\" name=\"" << TMX_LAYER_CHARACTERS << "\" draworder=\"index\">\n";
    for (auto& o : charObjects)
        writeObject(out, id++, o);
    out << " </objectgroup>\n</map>\n";

    std::string text = out.str();
    PendingFiles files;
    bool ok = files.add(tiles.path, [&](const char* p) { return savePng(tileSheet, p); }) &&
              files.add(chars.path, [&](const char* p) { return savePng(charSheet, p); }) &&
              files.add(items.path, [&](const char* p) { return savePng(itemSheet, p); }) &&
              files.add(tmxPath, [&](const char* p) {
                  std::ofstream f(p, std::ios::out | std::ios::trunc | std::ios::binary);
                  f << text;
                  f.close();
                  return !f.fail();
              });
    if (!ok) {
        files.discard();
        return false;
    }
    if (!files.commit())
        return false;
    printf("quorvane-map: wrote %s (%ix%i tiles from %i,%i, %zu characters, %zu items)\n", tmxPath.c_str(), area.w,
           area.h, area.x, area.y, charObjects.size(), itemObjects.size());
    return true;
}
