// tmx-read.cpp -- reads a Tiled map file back: its area, the tile layer in any of Tiled's encodings, the objects.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <zlib.h>
#include "readfile.h"
#include "tmx-folder.h"
#include "tmx-xml.h"
#include "tmx.h"

namespace {

// A map file of the whole map is under a megabyte; a larger one is not ours.
const size_t TMX_FILE_MAX = 64 * 1024 * 1024;
// Tiled keeps its flip and turn flags in the top four bits of a cell.
const uint32_t GID_FLAGS = 0xF0000000u;
// Positions further out than this are nonsense, not a place on any map.
const double POSITION_LIMIT = 1.0e7;

class Tileset
{
public:
    std::string name;
    long firstGid = 0;
    long count = 0;
};

// Reports problems as FILE:LINE: ..., the way a compiler does.
class Report
{
public:
    std::string file;
    bool fail(int line, const std::string& what) const
    {
        fprintf(stderr, "%s:%i: error: %s\n", file.c_str(), line, what.c_str());
        return false;
    }
    void warn(int line, const std::string& what) const
    {
        fprintf(stderr, "%s:%i: warning: %s\n", file.c_str(), line, what.c_str());
    }
};

// A whole decimal number within [lo, hi], nothing else on the line but blanks.
bool wholeNumber(const std::string& s, long lo, long hi, long& v)
{
    const char* p = s.c_str();
    char* end = nullptr;
    errno = 0;
    long n = strtol(p, &end, 10);
    if (end == p || errno != 0 || n < lo || n > hi)
        return false;
    while (*end == ' ' || *end == '\t' || *end == '\n' || *end == '\r')
        end++;
    if (*end)
        return false;
    v = n;
    return true;
}

bool intAttr(const Report& rep, const XmlNode& n, const char* key, long lo, long hi, long& v, bool required = true)
{
    const std::string* a = n.attr(key);
    if (!a) {
        if (required)
            return rep.fail(n.line, "<" + n.name + "> has no " + key);
        return true;
    }
    if (!wholeNumber(*a, lo, hi, v))
        return rep.fail(n.line, "<" + n.name + "> " + key + "=\"" + *a + "\" is not a number from " +
                                    std::to_string(lo) + " to " + std::to_string(hi));
    return true;
}

// A position: any decimal number, as Tiled writes fractions after a drag.
bool positionAttr(const Report& rep, const XmlNode& n, const char* key, double& v)
{
    const std::string* a = n.attr(key);
    if (!a) {
        v = 0;
        return true;
    }
    char* end = nullptr;
    v = strtod(a->c_str(), &end);
    if (end == a->c_str() || *end || !std::isfinite(v) || std::fabs(v) > POSITION_LIMIT)
        return rep.fail(n.line, "object " + std::string(key) + "=\"" + *a + "\" is not a position");
    return true;
}

// The value of a property of an element's <properties>, or null.
const std::string* property(const XmlNode& n, const char* name, int* line = nullptr)
{
    const XmlNode* props = n.child("properties");
    if (!props)
        return nullptr;
    for (const XmlNode& p : props->children) {
        const std::string* pn = p.attr("name");
        if (p.name == "property" && pn && *pn == name) {
            if (line)
                *line = p.line;
            const std::string* v = p.attr("value");
            return v ? v : &p.text;
        }
    }
    return nullptr;
}

std::string folderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// A tileset in the file, or in the .tsx file that it names. Each .tsx file
// is read once per map: its element (without children) is kept in `read`.
bool readTileset(const Report& rep, const std::string& tmxPath, const XmlNode& n, Tileset& ts,
                 std::map<std::string, XmlNode>& read)
{
    if (!intAttr(rep, n, "firstgid", 1, 0x0FFFFFFF, ts.firstGid))
        return false;
    const XmlNode* body = &n;
    XmlNode external;
    Report extRep = rep;
    if (const std::string* src = n.attr("source")) {
        std::string path = !src->empty() && (*src)[0] == '/' ? *src : folderOf(tmxPath) + "/" + *src;
        std::string text, err;
        extRep.file = path;
        auto known = read.find(path);
        if (known == read.end()) {
            if (!readWholeFile(path.c_str(), TMX_FILE_MAX, text))
                return rep.fail(n.line, "the tileset file " + path + " cannot be read");
            if (!parseXml(text, external, err))
                return extRep.fail(1, err);
            if (external.name != "tileset")
                return extRep.fail(external.line, "this is not a tileset file");
            external.children.clear();
            external.text.clear();
            known = read.emplace(path, external).first;
        }
        body = &known->second;
    }
    const std::string* name = body->attr("name");
    ts.name = name ? *name : "";
    return intAttr(extRep, *body, "tilecount", 0, 0x0FFFFFFF, ts.count);
}

bool decodeBase64(const std::string& in, std::string& out)
{
    int bits = 0, have = 0, pad = 0;
    for (char c : in) {
        int v;
        if (c >= 'A' && c <= 'Z') v = c - 'A';
        else if (c >= 'a' && c <= 'z') v = c - 'a' + 26;
        else if (c >= '0' && c <= '9') v = c - '0' + 52;
        else if (c == '+') v = 62;
        else if (c == '/') v = 63;
        else if (c == '=') { pad++; continue; }
        else if (c == ' ' || c == '\n' || c == '\r' || c == '\t') continue;
        else return false;
        if (pad)
            return false;
        bits = ((bits << 6) | v) & 0xFFFFFF;   // only the last few bits are ever taken
        have += 6;
        if (have >= 8) {
            have -= 8;
            out += (char)((bits >> have) & 0xFF);
        }
    }
    return pad <= 2;
}

// Inflates zlib or gzip data into exactly `size` bytes; false when the data
// is broken or holds more or less than that.
bool inflateExactly(const std::string& in, size_t size, std::string& out)
{
    out.assign(size + 1, '\0');
    z_stream z{};
    if (inflateInit2(&z, 15 + 32) != Z_OK)
        return false;
    z.next_in = (Bytef*)in.data();
    z.avail_in = (uInt)in.size();
    z.next_out = (Bytef*)&out[0];
    z.avail_out = (uInt)out.size();
    int rc = inflate(&z, Z_FINISH);
    size_t got = out.size() - z.avail_out;
    inflateEnd(&z);
    if (rc != Z_STREAM_END || got != size)
        return false;
    out.resize(size);
    return true;
}

// The layer's cells as Tiled's global tile numbers, flags included.
bool readCells(const Report& rep, const XmlNode& data, size_t cells, std::vector<uint32_t>& gids)
{
    const std::string* enc = data.attr("encoding");
    const std::string* comp = data.attr("compression");
    if (data.child("chunk"))
        return rep.fail(data.line, "the map is infinite; make it a fixed-size map (Map > Map Properties)");
    if (!enc) {
        if (comp)
            return rep.fail(data.line, "compression without an encoding");
        for (const XmlNode& t : data.children) {
            if (t.name != "tile")
                continue;
            long g = 0;
            if (!intAttr(rep, t, "gid", 0, 0xFFFFFFFFL, g, false))
                return false;
            gids.push_back((uint32_t)g);
            if (gids.size() > cells)
                break;
        }
    } else if (*enc == "csv") {
        if (comp)
            return rep.fail(data.line, "CSV data cannot be compressed");
        const std::string& s = data.text;
        size_t at = 0;
        while (at < s.size() && gids.size() <= cells) {
            size_t comma = s.find(',', at);
            std::string cell = s.substr(at, comma == std::string::npos ? std::string::npos : comma - at);
            long g = 0;
            size_t lead = cell.find_first_not_of(" \t\r\n");
            if (lead == std::string::npos) {
                if (comma == std::string::npos)
                    break;   // blanks after the last value
                return rep.fail(data.line, "an empty value in the CSV data, after " + std::to_string(gids.size()) +
                                               " cells");
            }
            if (!wholeNumber(cell.substr(lead), 0, 0xFFFFFFFFL, g))
                return rep.fail(data.line, "\"" + cell.substr(lead, 20) + "\" in the CSV data is not a tile");
            gids.push_back((uint32_t)g);
            if (comma == std::string::npos)
                break;
            at = comma + 1;
        }
    } else if (*enc == "base64") {
        std::string raw, bytes;
        if (!decodeBase64(data.text, raw))
            return rep.fail(data.line, "the base64 data is broken");
        if (!comp) {
            bytes = raw;
        } else if (*comp == "zlib" || *comp == "gzip") {
            if (!inflateExactly(raw, cells * 4, bytes))
                return rep.fail(data.line, "the " + *comp + " data is broken or not " + std::to_string(cells) +
                                               " cells long");
        } else {
            return rep.fail(data.line, "compression \"" + *comp +
                                           "\" is not read; choose CSV, or base64 with zlib (Map Properties)");
        }
        for (size_t i = 0; i + 3 < bytes.size() && gids.size() <= cells; i += 4)
            gids.push_back((uint32_t)(unsigned char)bytes[i] | (uint32_t)(unsigned char)bytes[i + 1] << 8 |
                           (uint32_t)(unsigned char)bytes[i + 2] << 16 | (uint32_t)(unsigned char)bytes[i + 3] << 24);
        if (bytes.size() % 4)
            return rep.fail(data.line, "the layer data is not a whole number of cells");
    } else {
        return rep.fail(data.line, "encoding \"" + *enc + "\" is not read");
    }
    if (gids.size() != cells)
        return rep.fail(data.line, "the layer holds " + std::string(gids.size() > cells ? "more than " : "") +
                                       std::to_string(gids.size()) + " cells, not " + std::to_string(cells));
    return true;
}

bool readObjects(const Report& rep, const XmlNode& group, bool characters, const TileArea& area,
                 std::vector<TiledObject>& out)
{
    for (const XmlNode& o : group.children) {
        if (o.name != "object")
            continue;
        int line = o.line;
        const std::string* rec = property(o, TMX_RECORD, &line);
        if (!rec) {
            rep.warn(o.line, "an object without a \"record\" property is left out: the map tool moves the "
                             "records there are and makes no new ones");
            continue;
        }
        long number = 0;
        if (!wholeNumber(*rec, 0, 0x7FFFFFFF, number))
            return rep.fail(line, "record \"" + *rec + "\" is not a record number");
        double x = 0, y = 0, h = TILE_SIZE;
        if (!positionAttr(rep, o, "x", x) || !positionAttr(rep, o, "y", y))
            return false;
        // A tile object stands on its bottom-left corner.
        if (o.attr("gid")) {
            if (o.attr("height") && !positionAttr(rep, o, "height", h))
                return false;
            y -= h;
        }
        TiledObject t;
        t.bCharacter = characters;
        t.record = (int)number;
        t.x = (int)std::trunc(x) + area.x * TILE_SIZE;
        t.y = (int)std::trunc(y) + area.y * TILE_SIZE;
        t.line = o.line;
        out.push_back(t);
    }
    return true;
}

} // namespace

bool readTiledMap(const std::string& tmxPath, TiledMapFile& out)
{
    Report rep{tmxPath};
    std::string text, err;
    if (!readWholeFile(tmxPath.c_str(), TMX_FILE_MAX, text)) {
        fprintf(stderr, "quorvane-map: %s cannot be read\n", tmxPath.c_str());
        return false;
    }
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first != std::string::npos && text[first] == '{') {
        fprintf(stderr, "%s: error: this is a Tiled JSON map; save it as a TMX map (tiled --export-map %s "
                        "FILE.tmx)\n", tmxPath.c_str(), tmxPath.c_str());
        return false;
    }
    XmlNode map;
    if (!parseXml(text, map, err)) {
        fprintf(stderr, "%s: error: %s\n", tmxPath.c_str(), err.c_str());
        return false;
    }
    if (map.name != "map")
        return rep.fail(map.line, "this is not a Tiled map file");
    const std::string* orient = map.attr("orientation");
    if (!orient || *orient != "orthogonal")
        return rep.fail(map.line, "the map is not orthogonal");
    const std::string* inf = map.attr("infinite");
    if (inf && *inf == "1")
        return rep.fail(map.line, "the map is infinite; make it a fixed-size map (Map > Map Properties)");
    long w = 0, h = 0, tw = 0, th = 0;
    if (!intAttr(rep, map, "width", 1, MAP_SIZE, w) || !intAttr(rep, map, "height", 1, MAP_SIZE, h) ||
        !intAttr(rep, map, "tilewidth", 1, 100000, tw) || !intAttr(rep, map, "tileheight", 1, 100000, th))
        return false;
    if (tw != TILE_SIZE || th != TILE_SIZE)
        return rep.fail(map.line, "tiles are " + std::to_string(tw) + "x" + std::to_string(th) + ", not 48x48");
    long ax = 0, ay = 0;
    int line = map.line;
    const std::string* px = property(map, TMX_AREA_X, &line);
    if (px && !wholeNumber(*px, 0, MAP_SIZE - 1, ax))
        return rep.fail(line, std::string(TMX_AREA_X) + " \"" + *px + "\" is not a column of the map");
    const std::string* py = property(map, TMX_AREA_Y, &line);
    if (py && !wholeNumber(*py, 0, MAP_SIZE - 1, ay))
        return rep.fail(line, std::string(TMX_AREA_Y) + " \"" + *py + "\" is not a row of the map");
    if (ax + w > MAP_SIZE || ay + h > MAP_SIZE)
        return rep.fail(map.line, "the map is " + std::to_string(w) + "x" + std::to_string(h) + " tiles from " +
                                      std::to_string(ax) + "," + std::to_string(ay) +
                                      ", beyond the game's 350x350; Tiled cannot grow the game's map");
    out.area.x = (int)ax;
    out.area.y = (int)ay;
    out.area.w = (int)w;
    out.area.h = (int)h;

    std::vector<Tileset> sets;
    std::map<std::string, XmlNode> tilesetFiles;
    const XmlNode* layer = nullptr;
    const XmlNode* groups[2] = {nullptr, nullptr};   // items, characters
    for (const XmlNode& n : map.children) {
        if (n.name == "tileset") {
            Tileset ts;
            if (!readTileset(rep, tmxPath, n, ts, tilesetFiles))
                return false;
            sets.push_back(ts);
        } else if (n.name == "layer") {
            if (layer)
                return rep.fail(n.line, "a second tile layer: the game's map has one; merge them in Tiled first");
            layer = &n;
        } else if (n.name == "objectgroup") {
            const std::string* name = n.attr("name");
            int k = name && *name == TMX_LAYER_ITEMS ? 0 : name && *name == TMX_LAYER_CHARACTERS ? 1 : -1;
            if (k < 0) {
                rep.warn(n.line, "object layer \"" + (name ? *name : std::string()) + "\" is left out");
            } else if (groups[k]) {
                return rep.fail(n.line, "a second \"" + *name + "\" layer");
            } else {
                groups[k] = &n;
            }
        } else if (n.name == "group") {
            return rep.fail(n.line, "layer groups are not read: keep the map's layers at the top");
        }
    }
    const Tileset* tiles = nullptr;
    for (const Tileset& ts : sets)
        if (ts.name == TMX_TILESET_TILES)
            tiles = &ts;
    if (!tiles)
        return rep.fail(map.line, "the map has no tileset named \"" + std::string(TMX_TILESET_TILES) + "\"");
    if (!layer)
        return rep.fail(map.line, "the map has no tile layer");
    long lw = 0, lh = 0;
    if (!intAttr(rep, *layer, "width", 1, MAP_SIZE, lw) || !intAttr(rep, *layer, "height", 1, MAP_SIZE, lh))
        return false;
    if (lw != w || lh != h)
        return rep.fail(layer->line, "the tile layer is not the size of the map");
    const XmlNode* data = layer->child("data");
    if (!data)
        return rep.fail(layer->line, "the tile layer has no data");
    std::vector<uint32_t> gids;
    size_t cells = (size_t)(w * h);
    if (!readCells(rep, *data, cells, gids))
        return false;

    out.tiles.assign(cells, 0);
    size_t turned = 0;
    for (size_t i = 0; i < cells; i++) {
        uint32_t g = gids[i];
        if (g & GID_FLAGS) {
            turned++;
            g &= ~GID_FLAGS;
        }
        int c = (int)(i % w) + out.area.x, r = (int)(i / w) + out.area.y;
        std::string where = "column " + std::to_string(c) + ", row " + std::to_string(r);
        if (g == 0)
            return rep.fail(data->line, "the cell at " + where + " is empty; every cell needs a tile");
        long t = (long)g - tiles->firstGid;
        if (t < 0 || t >= TILE_COUNT || t >= tiles->count) {
            std::string from = "no tileset";
            for (const Tileset& ts : sets)
                if ((long)g >= ts.firstGid && (long)g < ts.firstGid + ts.count)
                    from = "the \"" + ts.name + "\" tileset";
            return rep.fail(data->line, "the cell at " + where + " holds tile " + std::to_string(g) + " of " + from +
                                            ", not one of the game's tiles 0 to " + std::to_string(TILE_COUNT - 1));
        }
        out.tiles[i] = (int)t;
    }
    if (turned)
        rep.warn(data->line, std::to_string(turned) +
                                 " cells are flipped or turned; the game draws every tile the right way up");
    for (int k = 0; k < 2; k++)
        if (groups[k] && !readObjects(rep, *groups[k], k == 1, out.area, out.objects))
            return false;
    return true;
}
