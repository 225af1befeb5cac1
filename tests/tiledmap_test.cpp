// tiledmap_test.cpp -- the map tool: a game folder to a Tiled map and back, refused files, and the real Tiled.
#include <cstdlib>
#include <fstream>
#include <map>
#include <gtest/gtest.h>
#include <SDL_image.h>
#include "harness.h"
#include "recordlines.h"
#include "tmx-xml.h"
#include "tmx.h"
#include "world.h"

using qtest::WorkDir;

namespace {

// The files of a game folder that the map tool may write, by relative path.
std::map<std::string, std::string> gameFiles(const std::string& dir)
{
    std::map<std::string, std::string> out;
    for (auto& f : qtest::filesUnder(dir))
        if (f.first.compare(0, 7, "assets/") != 0)
            out.insert(f);
    return out;
}

std::string readText(const std::string& path) { return qtest::readFile(path); }

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << text;
}

bool onPath(const char* program)
{
    return system(("command -v " + std::string(program) + " >/dev/null 2>&1").c_str()) == 0;
}

// Runs a Tiled program headless, bounded in time; true when it exited 0.
bool runTiled(const std::string& args)
{
    std::string cmd = "QT_QPA_PLATFORM=offscreen timeout 60 " + args + " >/dev/null 2>&1";
    return system(cmd.c_str()) == 0;
}

bool exportQuietly(const std::string& dir, const std::string& tmx, const TileArea& area = TileArea())
{
    bool ok = false;
    qtest::quietly([&] { ok = exportTiledMap(dir, tmx, "data/assets", area); });
    return ok;
}

// Imports and answers what went to standard error; `ok` tells whether it was taken.
std::string importQuietly(const std::string& tmx, const std::string& dir, bool& ok)
{
    return qtest::quietly([&] { ok = importTiledMap(tmx, dir); });
}

TileArea areaOf(int x, int y, int w, int h)
{
    TileArea a;
    a.x = x;
    a.y = y;
    a.w = w;
    a.h = h;
    return a;
}

// The shipped game copied into a private working folder, with the real pictures.
struct TiledMap : testing::Test
{
    void SetUp() override { qtest::copyGame(wd, "data"); }
    WorkDir wd;
};

// One picture's pixels as 0xRRGGBB, read with SDL_image; empty when it cannot be read.
std::vector<Uint32> pngPixels(const std::string& path, int& w, int& h)
{
    std::vector<Uint32> px;
    SDL_Surface* s = IMG_Load(path.c_str());
    if (!s)
        return px;
    w = s->w;
    h = s->h;
    SDL_LockSurface(s);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            Uint32 v = *(Uint32*)((Uint8*)s->pixels + y * s->pitch + x * 4);
            Uint8 r, g, b;
            SDL_GetRGB(v, s->format, &r, &g, &b);
            px.push_back((Uint32)r << 16 | (Uint32)g << 8 | b);
        }
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
    return px;
}

int channelDiff(Uint32 a, Uint32 b)
{
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8)
        d = std::max(d, std::abs((int)((a >> shift) & 255) - (int)((b >> shift) & 255)));
    return d;
}

} // namespace

TEST(TiledMapXml, ReadsWhatTiledWritesAndRefusesBrokenText)
{
    XmlNode root;
    std::string err;
    ASSERT_TRUE(parseXml("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- made here -->\n<map a='1' b=\"x &amp; &lt;y&gt; "
                         "&#233;&#x41;\"><data><![CDATA[1,2]]>,3</data><e/></map>\n", root, err)) << err;
    EXPECT_EQ("map", root.name);
    EXPECT_EQ("1", *root.attr("a"));
    EXPECT_EQ("x & <y> \xC3\xA9" "A", *root.attr("b"));
    ASSERT_NE(nullptr, root.child("data"));
    EXPECT_EQ("1,2,3", root.child("data")->text);
    EXPECT_EQ(3, root.child("e")->line);

    const char* broken[] = {
        "", "<map>", "<map></mop>", "<map a=1/>", "<map a=\"1\" a=\"2\"/>", "<map>&bogus;</map>",
        "<map>&#0;</map>", "<!DOCTYPE map><map/>", "<map/><map/>", "text<map/>", "<map a=\"<\"/>",
        "<map><!-- never closed</map>", "<map>&#x110000;</map>",
    };
    for (const char* b : broken)
        EXPECT_FALSE(parseXml(b, root, err)) << b;
    std::string deep;
    for (int i = 0; i < 10000; i++)
        deep += "<a>";
    EXPECT_FALSE(parseXml(deep, root, err));
    EXPECT_NE(std::string::npos, err.find("nested"));

    EXPECT_EQ("a &amp; &quot;b&quot; &lt;c&gt; ? \xC3\xA9 ??", xmlEscape("a & \"b\" <c> \x01 \xC3\xA9 \xC3\xFF"));
}

// The import writes moved records with the engine's writers, which must give back
// exactly the shipped files: otherwise moving one character would rewrite more than its position.
TEST(TiledMapRecords, EngineWritersReproduceTheShippedRecords)
{
    for (const char* game : {"data", "tutorial"}) {
        for (const char* series : {"npcdef", "idef"}) {
            WorkDir wd("", false);
            for (int i = 0;; i++) {
                std::string path = qtest::sourceDir() + "/" + game + "/" + series + "/" + std::to_string(i) + ".def";
                std::ifstream probe(path);
                if (!probe)
                    break;
                std::string again = wd.path() + "/again.def";
                qtest::quietly([&] {
                    if (std::string(series) == "npcdef") {
                        Actor a;
                        a.serializeFrom(path.c_str());
                        a.writeTo(again.c_str());
                    } else {
                        Item it;
                        it.serializeFrom(path.c_str());
                        it.writeTo(again.c_str());
                    }
                });
                EXPECT_EQ(readText(path), readText(again)) << path;
            }
        }
    }
}

TEST_F(TiledMap, ExportThenImportChangesNothing)
{
    auto before = gameFiles("data");
    ASSERT_TRUE(exportQuietly("data", "world.tmx"));
    for (const char* f : {"world.tmx", "world-tiles.png", "world-characters.png", "world-items.png"})
        EXPECT_TRUE(wd.exists(f)) << f;
    std::string tmx = wd.read("world.tmx");
    EXPECT_NE(std::string::npos, tmx.find("<data encoding=\"csv\">"));
    EXPECT_NE(std::string::npos, tmx.find("name=\"characters\" draworder=\"index\""));
    bool ok = false;
    std::string err = importQuietly("world.tmx", "data", ok);
    EXPECT_TRUE(ok) << err;
    EXPECT_EQ("", err);
    EXPECT_EQ(before, gameFiles("data"));
}

TEST_F(TiledMap, ChangedTileAndMovedCharacterComeThrough)
{
    auto before = gameFiles("data");
    ASSERT_TRUE(exportQuietly("data", "world.tmx"));
    std::string tmx = wd.read("world.tmx");
    // The first cell (column 0, row 0) becomes a bed head; gid = tile + 1.
    size_t data = tmx.find("<data encoding=\"csv\">\n") + 22;
    size_t comma = tmx.find(',', data);
    tmx.replace(data, comma - data, std::to_string(TILE_BED_HEAD + 1));
    // Character 1 moves: its tile object's x and bottom edge.
    size_t rec = tmx.find("<property name=\"record\" type=\"int\" value=\"1\"/>", tmx.find("name=\"characters\""));
    size_t obj = tmx.rfind("<object ", rec);
    size_t xAt = tmx.find(" x=\"", obj), end = tmx.find("\" width", obj);
    tmx.replace(xAt, end - xAt, " x=\"1000.7\" y=\"2048");
    writeText("world.tmx", tmx);

    bool ok = false;
    std::string err = importQuietly("world.tmx", "data", ok);
    ASSERT_TRUE(ok) << err;
    auto after = gameFiles("data");
    EXPECT_EQ("G", after["map.dat"].substr(0, 1));
    EXPECT_EQ(before["map.dat"].substr(1), after["map.dat"].substr(1));
    std::string moved = after["npcdef/1.def"];
    EXPECT_EQ("1000\n2000\n", moved.substr(0, 10));
    std::string old = before["npcdef/1.def"];
    EXPECT_EQ(old.substr(old.find('\n', old.find('\n') + 1) + 1), moved.substr(10));
    after.erase("map.dat");
    after.erase("npcdef/1.def");
    before.erase("map.dat");
    before.erase("npcdef/1.def");
    EXPECT_EQ(before, after);
}

TEST_F(TiledMap, PartOfTheMapGoesBackIntoItsPlace)
{
    auto before = gameFiles("data");
    ASSERT_TRUE(exportQuietly("data", "part.tmx", areaOf(100, 150, 20, 15)));
    std::string tmx = wd.read("part.tmx");
    EXPECT_NE(std::string::npos, tmx.find("width=\"20\" height=\"15\""));
    EXPECT_NE(std::string::npos, tmx.find("name=\"area-x\" type=\"int\" value=\"100\""));
    bool ok = false;
    importQuietly("part.tmx", "data", ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(before, gameFiles("data"));

    // Every cell of the part becomes sand: only those 20x15 cells change.
    size_t data = tmx.find("<data encoding=\"csv\">\n") + 22, stop = tmx.find("</data>");
    std::string cells;
    for (int i = 0; i < 20 * 15; i++)
        cells += std::to_string(TILE_SAND + 1) + (i + 1 < 300 ? "," : "\n");
    tmx.replace(data, stop - data, cells);
    writeText("part.tmx", tmx);
    importQuietly("part.tmx", "data", ok);
    ASSERT_TRUE(ok);
    std::string map = gameFiles("data")["map.dat"], old = before["map.dat"];
    for (int r = 0; r < MAP_SIZE; r++)
        for (int c = 0; c < MAP_SIZE; c++) {
            size_t at = (size_t)r * (MAP_SIZE + 1) + c;
            bool inside = c >= 100 && c < 120 && r >= 150 && r < 165;
            ASSERT_EQ(inside ? (char)('A' + TILE_SAND) : old[at], map[at]) << c << "," << r;
        }
}

TEST_F(TiledMap, OtherEncodingsAndFlippedCellsAreRead)
{
    ASSERT_TRUE(exportQuietly("data", "part.tmx", areaOf(0, 0, 2, 2)));
    std::string tmx = wd.read("part.tmx");
    size_t open = tmx.find("<data encoding=\"csv\">"), close = tmx.find("</data>") + 7;
    // Cells 1 (stone wall), 2 (cabin wall), 3 (open door), 4 (locked door), the last one
    // flipped across: four little-endian numbers.
    const char* base64 = "AgAAAAMAAAAEAAAABQAAgA==";
    // The same four cells, zlib-compressed.
    const char* zlib = "eJxjYmBgYAZiFiBmZWBoAAABCACP";
    struct Case { std::string data; bool ok; };
    std::vector<Case> cases = {
        {std::string("<data encoding=\"base64\">\n   ") + base64 + "\n  </data>", true},
        {std::string("<data encoding=\"base64\" compression=\"zlib\">") + zlib + "</data>", true},
        {"<data><tile gid=\"2\"/><tile gid=\"3\"/><tile gid=\"4\"/><tile gid=\"2147483653\"/></data>", true},
        {"<data encoding=\"base64\" compression=\"zstd\">AAAA</data>", false},
    };
    for (auto& c : cases) {
        std::string t = tmx;
        t.replace(open, close - open, c.data);
        writeText("part.tmx", t);
        bool ok = false;
        std::string err = importQuietly("part.tmx", "data", ok);
        EXPECT_EQ(c.ok, ok) << c.data << "\n" << err;
        if (!c.ok) {
            EXPECT_NE(std::string::npos, err.find("zstd")) << err;
            continue;
        }
        EXPECT_NE(std::string::npos, err.find("flipped")) << err;
        std::string map = wd.read("data/map.dat");
        EXPECT_EQ("BC", map.substr(0, 2)) << c.data;
        EXPECT_EQ("DE", map.substr(MAP_SIZE + 1, 2)) << c.data;
    }
}

TEST_F(TiledMap, BrokenFilesAreRefusedAndTheFolderIsLeftAlone)
{
    ASSERT_TRUE(exportQuietly("data", "good.tmx", areaOf(104, 158, 16, 12)));
    auto before = gameFiles("data");
    std::string good = wd.read("good.tmx");
    auto swap = [&](const std::string& from, const std::string& to) {
        std::string t = good;
        size_t at = t.find(from);
        EXPECT_NE(std::string::npos, at) << from;
        if (at != std::string::npos)
            t.replace(at, from.size(), to);
        return t;
    };
    size_t csv = good.find("<data encoding=\"csv\">\n") + 22;
    std::string firstCell = good.substr(csv, good.find(',', csv) - csv) + ",";
    size_t recordAt = good.find("name=\"record\" type=\"int\" value=\"");
    std::string record = good.substr(recordAt, good.find('"', recordAt + 33) - recordAt + 1);
    struct Case { const char* what; std::string text; const char* says; };
    std::vector<Case> cases = {
        {"cut short", good.substr(0, good.size() / 2), "ends before"},
        {"empty", "", "line 1"},
        {"wrong size", swap("width=\"16\" height=\"12\" tilewidth", "width=\"17\" height=\"12\" tilewidth"),
         "not the size"},
        {"beyond the map", swap("value=\"104\"", "value=\"340\""), "beyond"},
        {"too few cells", swap(firstCell, ""), "cells"},
        {"a character's picture as a tile", swap(firstCell, "70,"), "\"characters\" tileset"},
        {"an unknown gid", swap(firstCell, "9999,"), "no tileset"},
        {"an empty cell", swap(firstCell, "0,"), "empty"},
        {"a word in the data", swap(firstCell, "grass,"), "not a tile"},
        {"a huge number", swap(firstCell, "99999999999999999999,"), "not a tile"},
        {"48-pixel tiles", swap("tilewidth=\"48\"", "tilewidth=\"32\""), "48x48"},
        {"isometric", swap("orthogonal", "isometric"), "orthogonal"},
        {"infinite", swap("infinite=\"0\"", "infinite=\"1\""), "infinite"},
        {"a second tile layer", swap("<objectgroup", "<layer name=\"x\" width=\"16\" height=\"12\"/><objectgroup"),
         "second tile layer"},
        {"a record that is not there", swap(record, "name=\"record\" type=\"int\" value=\"100000\""), "is not in"},
        {"a record that is no number", swap(record, "name=\"record\" type=\"int\" value=\"-3\""), "record"},
        {"a position that is no number", swap(" x=\"", " x=\"nan"), "not a position"},
        {"hostile text", std::string("<map \x01\xff\xfe>&&&<<<"), "error"},
        {"not a map", "<tileset/>", "not a Tiled map"},
        {"a JSON map", "{\"type\": \"map\"}", "JSON"},
        {"no tileset of tiles", swap("name=\"tiles\"", "name=\"ground\""), "no tileset named"},
    };
    for (auto& c : cases) {
        writeText("bad.tmx", c.text);
        bool ok = true;
        std::string err = importQuietly("bad.tmx", "data", ok);
        EXPECT_FALSE(ok) << c.what;
        EXPECT_NE(std::string::npos, err.find(c.says)) << c.what << ": " << err;
        EXPECT_EQ(before, gameFiles("data")) << c.what;
    }
    bool ok = true;
    importQuietly("missing.tmx", "data", ok);
    EXPECT_FALSE(ok);
    importQuietly("good.tmx", "no-such-folder", ok);
    EXPECT_FALSE(ok);
    EXPECT_FALSE(exportQuietly("data", "x.tmx", areaOf(340, 0, 20, 5)));
    EXPECT_FALSE(exportQuietly("no-such-folder", "x.tmx"));
    EXPECT_EQ(before, gameFiles("data"));
}

// Tiled can delete an object but the tool cannot delete its record: the import says which
// record stays. A file of part of the map keeps what it holds within its area.
TEST_F(TiledMap, DeletedObjectsAreSaidAndMovesOutOfTheAreaRefused)
{
    auto before = gameFiles("data");
    auto firstObjectOf = [](std::string& tmx, const char* layer) {
        size_t at = tmx.find("<object ", tmx.find(std::string("name=\"") + layer + "\" draworder"));
        return std::make_pair(at, tmx.find("</object>", at) + 9 - at);
    };
    auto recordOf = [](const std::string& object) {
        const std::string key = "name=\"record\" type=\"int\" value=\"";
        size_t at = object.find(key) + key.size();
        return object.substr(at, object.find('"', at) - at);
    };
    ASSERT_TRUE(exportQuietly("data", "world.tmx"));
    std::string tmx = wd.read("world.tmx");
    std::vector<std::string> removed;
    for (const char* layer : {"items", "characters"}) {
        auto obj = firstObjectOf(tmx, layer);
        ASSERT_NE(std::string::npos, obj.first) << layer;
        removed.push_back(std::string("data/") + (layer[0] == 'i' ? "idef/" : "npcdef/") +
                          recordOf(tmx.substr(obj.first, obj.second)) + ".def (\"");
        tmx.erase(obj.first, obj.second);
    }
    writeText("world.tmx", tmx);
    bool ok = false;
    std::string err = importQuietly("world.tmx", "data", ok);
    ASSERT_TRUE(ok) << err;
    for (auto& r : removed)
        EXPECT_NE(std::string::npos, err.find(r)) << r << "\n" << err;
    EXPECT_NE(std::string::npos, err.find("stays in the game where it was")) << err;
    EXPECT_EQ(before, gameFiles("data"));

    // A part: a character moved out of it is refused, one moved within it is taken.
    ASSERT_TRUE(exportQuietly("data", "part.tmx", areaOf(100, 150, 20, 15)));
    std::string part = wd.read("part.tmx");
    auto obj = firstObjectOf(part, "characters");
    ASSERT_NE(std::string::npos, obj.first);
    size_t xAt = part.find(" x=\"", obj.first), end = part.find("\" width", obj.first);
    for (const char* to : {" x=\"-200\" y=\"48", " x=\"960\" y=\"500", " x=\"100\" y=\"96"}) {
        std::string t = part;
        t.replace(xAt, end - xAt, to);
        writeText("part.tmx", t);
        err = importQuietly("part.tmx", "data", ok);
        bool within = std::string(to) == " x=\"100\" y=\"96";
        EXPECT_EQ(within, ok) << to << ": " << err;
        if (!within) {
            EXPECT_NE(std::string::npos, err.find("outside the file's area")) << err;
            EXPECT_EQ(before, gameFiles("data")) << to;
        }
    }
}

// Random damage to a real file (bytes changed, cut, repeated): every import ends, and one
// that is refused leaves the folder as it was.
TEST_F(TiledMap, DamagedFilesNeverBreakTheImport)
{
    ASSERT_TRUE(exportQuietly("data", "good.tmx", areaOf(104, 158, 6, 5)));
    std::string good = wd.read("good.tmx");
    const char* nasty[] = {"<", ">", "&", "\"", "/", "=", ",", "-", "9", "\xff", "<map>", "</data>", "&#x10FFFF;",
                           "4294967295", "<!--", "<![CDATA["};
    srand(16);
    auto before = gameFiles("data");
    int refused = 0;
    for (int round = 0; round < 200; round++) {
        std::string t = good;
        int edits = 1 + rand() % 4;
        for (int e = 0; e < edits; e++) {
            size_t at = (size_t)rand() % t.size();
            switch (rand() % 4) {
            case 0: t[at] = (char)(rand() % 256); break;
            case 1: t.insert(at, nasty[rand() % (sizeof nasty / sizeof nasty[0])]); break;
            case 2: t.erase(at, (size_t)(rand() % 40)); break;
            default: t = t.substr(0, at); break;
            }
            if (t.empty())
                t = "<";
        }
        writeText("bad.tmx", t);
        bool ok = false;
        importQuietly("bad.tmx", "data", ok);
        if (!ok) {
            refused++;
            ASSERT_EQ(before, gameFiles("data")) << "round " << round;
        } else {
            before = gameFiles("data");
        }
    }
    EXPECT_GT(refused, 100);
}

// Names with markup, control characters and broken UTF-8 still make a file Tiled can read.
TEST_F(TiledMap, HostileNamesAreWrittenAsText)
{
    Actor a;
    qtest::quietly([&] { a.serializeFrom("data/npcdef/0.def"); });
    a.myName = "<b>\"Kit\" & \x01\xff";
    a.writeTo("data/npcdef/0.def");
    ASSERT_TRUE(exportQuietly("data", "world.tmx"));
    XmlNode root;
    std::string err;
    EXPECT_TRUE(parseXml(wd.read("world.tmx"), root, err)) << err;
    bool ok = false;
    importQuietly("world.tmx", "data", ok);
    EXPECT_TRUE(ok);
}

TEST_F(TiledMap, CommandLine)
{
    std::string tool = QUORVANE_MAP_PATH;
    EXPECT_EQ(0, system((tool + " --help | grep -q 'quorvane-map import FILE.tmx DIR'").c_str()));
    EXPECT_EQ(2, WEXITSTATUS(system((tool + " frobnicate 2>/dev/null").c_str())));
    EXPECT_EQ(2, WEXITSTATUS(system((tool + " export --area 1,2 data x.tmx 2>/dev/null").c_str())));
    EXPECT_EQ(0, WEXITSTATUS(system((tool + " export --area 0,0,4,4 data small.tmx >/dev/null").c_str())));
    writeText("broken.tmx", "<map");
    EXPECT_EQ(1, WEXITSTATUS(system((tool + " import broken.tmx data 2>/dev/null").c_str())));
    EXPECT_EQ(0, WEXITSTATUS(system((tool + " import small.tmx data >/dev/null").c_str())));
}

// Tiled reads our file, saves it as JSON and that back as TMX: the result imports to the same folder.
TEST_F(TiledMap, TiledRoundTripImportsToTheSameFiles)
{
    if (!onPath("tiled"))
        GTEST_SKIP() << "tiled is not installed (scripts/install-deps.sh installs it)";
    auto before = gameFiles("data");
    ASSERT_TRUE(exportQuietly("data", "world.tmx"));
    ASSERT_TRUE(runTiled("tiled --export-map world.tmx world.json"));
    qtest::mkdirs(wd.path() + "/back");
    ASSERT_TRUE(runTiled("tiled --export-map world.json back/world.tmx"));
    std::string back = wd.read("back/world.tmx");
    EXPECT_NE(std::string::npos, back.find("tiledversion")) << "not Tiled's own file";
    bool ok = false;
    std::string err = importQuietly("back/world.tmx", "data", ok);
    EXPECT_TRUE(ok) << err;
    EXPECT_EQ(before, gameFiles("data"));

    // A part of the map, with a character moved in the JSON as Tiled would save a drag.
    ASSERT_TRUE(exportQuietly("data", "part.tmx", areaOf(104, 158, 16, 12)));
    ASSERT_TRUE(runTiled("tiled --export-map part.tmx part.json"));
    std::string json = wd.read("part.json");
    EXPECT_NE(std::string::npos, json.find("\"record\""));
    ASSERT_TRUE(runTiled("tiled --export-map part.json back/part.tmx"));
    importQuietly("back/part.tmx", "data", ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(before, gameFiles("data"));

    // The player dragged 48.5 pixels right in the saved JSON comes back one tile right.
    size_t player = json.find("\"type\":\"player\"");
    ASSERT_NE(std::string::npos, player);
    size_t x = json.find("\"x\":", player) + 4, end = json.find_first_of(",\n", x);
    int oldX = atoi(json.substr(x, end - x).c_str());
    json.replace(x, end - x, std::to_string(oldX + 48) + ".5");
    writeText("part.json", json);
    ASSERT_TRUE(runTiled("tiled --export-map part.json back/moved.tmx"));
    importQuietly("back/moved.tmx", "data", ok);
    EXPECT_TRUE(ok);
    Actor a;
    qtest::quietly([&] { a.serializeFrom("data/npcdef/0.def"); });   // the player's file
    EXPECT_EQ(oldX + 104 * TILE_SIZE + TILE_SIZE, (int)a.x);
    auto after = gameFiles("data");
    after.erase("npcdef/0.def");
    before.erase("npcdef/0.def");
    EXPECT_EQ(before, after);
}

// tmxrasterizer draws our file as the engine draws the same place: the tiles pixel for pixel,
// and with the characters blended on within two levels of a channel (the two blend differently).
TEST_F(TiledMap, RasterizedMapMatchesTheEnginesDrawing)
{
    if (!onPath("tmxrasterizer"))
        GTEST_SKIP() << "tmxrasterizer is not installed (it comes with tiled; scripts/install-deps.sh)";
    // The square of the shipped town where the player starts, with two townsfolk about.
    const int ax = 104, ay = 158, aw = 16, ah = 12;
    qtest::LoadedGame lg("data");
    ASSERT_EQ(0, lg.result);
    CGame* g = lg.game.get();
    ASSERT_EQ(800, g->SCREEN_WIDTH);
    // The camera puts tile (ax, ay) at the window's top-left corner; the player stands there
    // in the files too, so both pictures show it.
    Actor* p = g->player;
    p->x = (float)(ax * TILE_SIZE + playerScreenX(g->SCREEN_WIDTH));
    p->y = (float)(ay * TILE_SIZE + PLAYER_SCREEN_Y);
    size_t index = 0;
    for (Actor* a : g->actorList) {
        if (a == p)
            break;
        index++;
    }
    p->writeTo(("data/npcdef/" + std::to_string(index) + ".def").c_str());
    g->bPlayingGame = true;

    ASSERT_TRUE(exportQuietly("data", "part.tmx", areaOf(ax, ay, aw, ah)));
    ASSERT_TRUE(runTiled("tmxrasterizer --hide-layer characters --hide-layer items part.tmx tiles.png"));
    ASSERT_TRUE(runTiled("tmxrasterizer part.tmx all.png"));
    int w = 0, h = 0;
    std::vector<Uint32> tiles = pngPixels("tiles.png", w, h);
    ASSERT_EQ(aw * TILE_SIZE, w);
    ASSERT_EQ(ah * TILE_SIZE, h);
    std::vector<Uint32> all = pngPixels("all.png", w, h);
    ASSERT_EQ((size_t)w * h, all.size());

    g->drawMap();
    std::vector<Uint32> engine = qtest::pixelBand(g->screen, 0, 0, w, h);
    int mismatched = 0;
    for (size_t i = 0; i < engine.size(); i++)
        mismatched += engine[i] != tiles[i];
    EXPECT_EQ(0, mismatched) << "of " << engine.size() << " pixels";

    g->drawSprites();
    engine = qtest::pixelBand(g->screen, 0, 0, w, h);
    int worst = 0, changed = 0;
    for (size_t i = 0; i < engine.size(); i++) {
        worst = std::max(worst, channelDiff(engine[i], all[i]));
        changed += all[i] != tiles[i];
    }
    EXPECT_LE(worst, 2);
    printf("characters blended within %i levels; %i pixels show them\n", worst, changed);
    EXPECT_GT(changed, 3 * 400) << "the characters should show";
}
