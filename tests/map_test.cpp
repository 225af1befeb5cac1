// map_test.cpp -- the tile grid: edges, solidity, water, and the map.dat file.
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include "Map.h"
#include "harness.h"

using qtest::WorkDir;

namespace {
std::unique_ptr<Map> emptyMap()
{
    std::unique_ptr<Map> m(new Map());
    m->Init();
    return m;
}
std::string row(char fill) { return std::string(350, fill) + "\n"; }
}

TEST(Map, TileAccessOutsideTheGridIsHarmless)
{
    auto m = emptyMap();
    m->setTileAt(349, 349, TILE_BOULDERS);
    EXPECT_EQ(TILE_BOULDERS, m->getTileAt(349, 349));
    EXPECT_EQ(TILE_GRASS, m->getTileAt(350, 0));
    EXPECT_EQ(TILE_GRASS, m->getTileAt(-1, 5));
    m->setTileAt(0, 350, TILE_BED_FOOT);
    m->setTileAt(-1, 0, TILE_BED_FOOT);
    for (int i = 0; i < 350; i++) {
        EXPECT_EQ(TILE_GRASS, m->getTileAt(i, 0));
        EXPECT_EQ(TILE_GRASS, m->getTileAt(0, i));
    }
    m->setTileAt(3, 5, TILE_SEA);
    EXPECT_EQ(TILE_SEA, m->level[5][3]);
}

TEST(Map, SolidSetAndMapEdges)
{
    auto m = emptyMap();
    const int solid[] = {TILE_STONE_WALL, TILE_CABIN_WALL, TILE_LOCKED_DOOR, TILE_BED_HEAD, TILE_BED_FOOT,
                         TILE_BOULDERS, TILE_OAK, TILE_SEA, TILE_COUNTER, TILE_BRICK_WALL, TILE_PINE,
                         TILE_CRATES, TILE_ROOM_DOOR, TILE_DOUBLE_DOOR, TILE_CAVE_WALL};
    for (int t = 0; t < TILE_COUNT; t++) {
        m->setTileAt(5, 5, t);
        bool expected = std::find(std::begin(solid), std::end(solid), t) != std::end(solid);
        EXPECT_EQ(expected, m->isSolid(5 * TILE_SIZE + 10, 5 * TILE_SIZE + 47)) << "tile " << t;
    }
    EXPECT_FALSE(m->isSolid(16751.0f, 100.0f));   // column 348
    m->setTileAt(348, 2, TILE_STONE_WALL);
    EXPECT_TRUE(m->isSolid(16751.0f, 100.0f));
    EXPECT_TRUE(m->isSolid(16752.0f, 100.0f));    // column 349, whatever the tile
    EXPECT_TRUE(m->isSolid(100.0f, 16752.0f));
    EXPECT_TRUE(m->isSolid(-0.5f, 10.0f));        // column 0, but a negative pixel
    EXPECT_TRUE(m->isSolid(10.0f, -0.5f));
    EXPECT_TRUE(m->isSolid(-1e30f, 10.0f));
    EXPECT_TRUE(m->isSolid(1e30f, 10.0f));
}

TEST(Map, SeaIsTile21InsideTheMap)
{
    auto m = emptyMap();
    m->setTileAt(0, 0, TILE_SEA);
    EXPECT_TRUE(m->isSea(-0.5f, 10.0f));
    EXPECT_TRUE(m->isSea(47.9f, 47.9f));
    EXPECT_FALSE(m->isSea(48.0f, 10.0f));
    EXPECT_FALSE(m->isSea(-48.0f, 10.0f));
    m->setTileAt(349, 5, TILE_SEA);
    EXPECT_FALSE(m->isSea(349 * TILE_SIZE + 1, 5 * TILE_SIZE + 1));   // the last column is never sea
    m->setTileAt(348, 5, TILE_SEA);
    EXPECT_TRUE(m->isSea(348 * TILE_SIZE + 1, 5 * TILE_SIZE + 1));
    EXPECT_FALSE(m->isSea(-1e30f, 1e30f));
}

TEST(Map, RoundTripOfEveryWritableValue)
{
    WorkDir wd("", false);
    auto m = emptyMap();
    for (int r = 0; r < 350; r++)
        for (int c = 0; c < 350; c++)
            m->level[r][c] = (r * 7 + c * 3) % TILE_COUNT;
    auto back = emptyMap();
    std::string out;
    qtest::quietly([&] {
        m->saveMap(".");
        back->loadMap(".");
    }, &out);
    EXPECT_NE(std::string::npos, out.find("Written. closing\n"));
    EXPECT_NE(std::string::npos, out.find("map loaded....\n"));
    EXPECT_EQ(0, memcmp(m->level, back->level, sizeof m->level));
    std::string file = wd.read("map.dat");
    EXPECT_EQ(350u * 351u, file.size());
    EXPECT_EQ('A', file[0]);
    EXPECT_EQ('\n', file[350]);
}

TEST(Map, CharactersBecomeTilesAndNegativeOnesAreReported)
{
    WorkDir wd("", false);
    std::string first = "A" + std::string(349, 'V') + "\n";
    std::string second = "BCD EFG" + std::string(343, 'A') + "\n";
    std::string third = std::string(349, 'o') + "\xC8" + "\n";
    std::string rest;
    for (int r = 3; r < 350; r++)
        rest += std::string(350, 'A') + "\r\n";
    wd.write("map.dat", first + second + third + rest);
    auto m = emptyMap();
    std::string err = qtest::quietly([&] { m->loadMap("."); });
    EXPECT_EQ(0, m->getTileAt(0, 0));
    EXPECT_EQ(21, m->getTileAt(1, 0));
    EXPECT_EQ(21, m->getTileAt(349, 0));
    EXPECT_EQ(1, m->getTileAt(0, 1));
    EXPECT_EQ(0, m->getTileAt(3, 1));
    EXPECT_EQ(4, m->getTileAt(4, 1));
    EXPECT_EQ(46, m->getTileAt(0, 2));
    EXPECT_EQ(0, m->getTileAt(349, 2));
    EXPECT_EQ("negative tile at 3,1\nnegative tile at 349,2\n", err);   // the \r after 350 is ignored
}

TEST(Map, ShortLinesAndShortFilesFillWithZero)
{
    WorkDir wd("", false);
    auto m = emptyMap();
    for (int r = 0; r < 350; r++)
        for (int c = 0; c < 350; c++)
            m->level[r][c] = TILE_PLANKS;
    wd.write("map.dat", row('B') + "CC\n" + row('D'));
    std::string err = qtest::quietly([&] { m->loadMap("."); });
    EXPECT_EQ(1, m->getTileAt(349, 0));
    EXPECT_EQ(2, m->getTileAt(1, 1));
    EXPECT_EQ(0, m->getTileAt(2, 1));
    EXPECT_EQ(0, m->getTileAt(349, 1));
    EXPECT_EQ(3, m->getTileAt(349, 2));
    EXPECT_EQ(0, m->getTileAt(0, 3));
    EXPECT_EQ(0, m->getTileAt(349, 349));
    EXPECT_NE(std::string::npos, err.find("row 1 holds 2 of 350 tiles"));
    EXPECT_NE(std::string::npos, err.find("ends after 3 of 350 rows"));
}

TEST(Map, OverlongLinesKeepTheirFirst350Tiles)
{
    WorkDir wd("", false);
    std::string content;
    for (int r = 0; r < 350; r++)
        content += std::string(350, 'C') + std::string(1000, 'Z') + "\n";
    wd.write("map.dat", content);
    auto m = emptyMap();
    qtest::quietly([&] { m->loadMap("."); });
    EXPECT_EQ(2, m->getTileAt(349, 349));
    EXPECT_EQ(2, m->getTileAt(0, 1));
}

TEST(Map, MissingMapFileIsFatal)
{
    WorkDir wd("", false);
    EXPECT_EXIT(
        {
            auto m = emptyMap();
            m->loadMap("nowhere");
        },
        testing::ExitedWithCode(1), "map file nowhere/map.dat is missing\n");
}
