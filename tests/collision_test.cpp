// collision_test.cpp -- boxes, fighters, the level-with-the-mover rule, map probes and distance.
#include <gtest/gtest.h>
#include "tile-reach.h"
#include "world.h"

using qtest::World;

namespace {
struct Collide : qtest::GameTest
{
};
}

TEST_F(Collide, BoxesTouchingEdgeToEdgeCollide)
{
    const int S = TILE_SIZE;   // a sprite's side
    EXPECT_TRUE(g->spriteCollision(0, 0, S, S, S, 0, S, S));
    EXPECT_TRUE(g->spriteCollision(0, 0, S, S, 0, S, S, S));
    EXPECT_TRUE(g->spriteCollision(S, S, S, S, 0, 0, S, S));
    EXPECT_FALSE(g->spriteCollision(0, 0, S, S, 48.01f, 0, S, S));
    EXPECT_FALSE(g->spriteCollision(0, 0, S, S, 0, -48.01f, S, S));
}

TEST_F(Collide, FightersOnNeighbouringTilesDoNotCollide)
{
    Actor* a = w->addActor(480, 480, true);
    Actor* b = w->addActor(528, 480);
    EXPECT_FALSE(g->combatCollide(a, b, 0, 0));
    EXPECT_TRUE(g->combatCollide(a, b, TILE_SIZE, 0));
    b->x = 526;
    EXPECT_TRUE(g->combatCollide(a, b, 0, 0));
    EXPECT_FALSE(g->combatCollide(a, b, -TILE_SIZE, 0));
    EXPECT_FALSE(g->combatCollide(a, b, 0, TILE_SIZE));
}

TEST_F(Collide, CharactersLevelWithTheMoverAreSkipped)
{
    w->addActor(480, 480, true);
    Actor* other = w->addActor(528.0f, 500.0f);
    EXPECT_TRUE(g->playerNPCcollision(490, 480.5f));
    EXPECT_FALSE(g->playerNPCcollision(490, 500.5f + 48.01f));
    // Exactly level on y with the player: walking sideways into it is allowed.
    other->y = 480;
    EXPECT_FALSE(g->playerNPCcollision(500, 480));
    other->y = 500;
    other->x = 480;
    EXPECT_FALSE(g->playerNPCcollision(480, 490));

    // For another mover the player is an ordinary obstacle.
    Actor* mover = w->addActor(1000, 1000);
    EXPECT_TRUE(g->NPCcollision(470, 470, mover));
    EXPECT_FALSE(g->NPCcollision(900, 900, mover));
}

TEST_F(Collide, MapProbesTheInsetCorners)
{
    g->theMap->setTileAt(11, 10, TILE_STONE_WALL);   // wall to the right of tile (10,10)
    EXPECT_FALSE(g->mapCollision(480, 480));
    EXPECT_FALSE(g->mapCollision(483.9f, 480));   // picture overlaps the wall, inset box does not
    EXPECT_TRUE(g->mapCollision(484, 480));
    EXPECT_TRUE(g->mapCollision(-10, 480));
}

TEST_F(Collide, Distance)
{
    EXPECT_FLOAT_EQ(5.0f, g->distance(0, 0, 3, 4));
    EXPECT_FLOAT_EQ(5.0f, g->distance(3, 4, 0, 0));
    EXPECT_FLOAT_EQ(0.0f, g->distance(7, 7, 7, 7));
}

// The player's reach over whole tiles: walls, sea without and with a floater, an opened door, and
// the tiles around a character, which only the goal of a search may enter.
TEST_F(Collide, TileReachFollowsTheStepRules)
{
    w->fill(TILE_GRASS);
    for (int y = 0; y < Map::SIZE; y++) {
        g->theMap->level[y][12] = TILE_STONE_WALL;    // a wall down column 12 with a door on row 10
        g->theMap->level[y][14] = TILE_SEA;   // and the sea down column 14
    }
    g->theMap->level[10][12] = TILE_LOCKED_DOOR;
    TileReach dry(*g, false), afloat(*g, true);
    dry.search(10, 10);
    EXPECT_TRUE(dry.reached(11, 300));
    EXPECT_FALSE(dry.reached(13, 10));
    EXPECT_FALSE(dry.reached(Map::SIZE - 1, 10)) << "the last column is solid";
    for (TileReach* r : {&dry, &afloat}) {
        r->open(12, 10);
        r->search(10, 10);
    }
    EXPECT_TRUE(dry.reached(13, 10));
    EXPECT_FALSE(dry.reached(15, 10));
    EXPECT_TRUE(afloat.reached(15, 10));
    std::vector<std::pair<int, int>> path = dry.pathTo(13, 12);
    ASSERT_EQ(6u, path.size());
    EXPECT_EQ(std::make_pair(10, 10), path.front());
    EXPECT_EQ(std::make_pair(12, 10), path[2]);
    EXPECT_TRUE(dry.pathTo(15, 10).empty());

    // On tile (5, 5) a character blocks (4..6, 4..6); 10 pixels right of it, columns 5 and 6.
    Actor* a = w->addActor(240, 240);
    TileReach around(*g, false);
    around.blockAround(a);
    EXPECT_FALSE(around.passable(4, 6));
    EXPECT_TRUE(around.passable(7, 5));
    around.search(5, 8, 5, 6);
    EXPECT_EQ(3u, around.pathTo(5, 6).size()) << "the goal beside the character is entered";
    around.search(5, 8);
    EXPECT_FALSE(around.reached(5, 6));
    a->x = 250;
    TileReach offGrid(*g, false);
    offGrid.blockAround(a);
    EXPECT_FALSE(offGrid.passable(6, 4));
    EXPECT_TRUE(offGrid.passable(4, 5));
}
