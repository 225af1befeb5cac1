// collision_test.cpp -- boxes, fighters, the level-with-the-mover rule, map probes and distance.
#include <gtest/gtest.h>
#include "world.h"

using qtest::World;

namespace {
struct Collide : testing::Test
{
    void SetUp() override { w.reset(new World()); g = w->game.get(); }
    void TearDown() override { w.reset(); }
    std::unique_ptr<World> w;
    CGame* g = nullptr;
};
}

TEST_F(Collide, BoxesTouchingEdgeToEdgeCollide)
{
    EXPECT_TRUE(g->spriteCollision(0, 0, 48, 48, 48, 0, 48, 48));
    EXPECT_TRUE(g->spriteCollision(0, 0, 48, 48, 0, 48, 48, 48));
    EXPECT_TRUE(g->spriteCollision(48, 48, 48, 48, 0, 0, 48, 48));
    EXPECT_FALSE(g->spriteCollision(0, 0, 48, 48, 48.01f, 0, 48, 48));
    EXPECT_FALSE(g->spriteCollision(0, 0, 48, 48, 0, -48.01f, 48, 48));
}

TEST_F(Collide, FightersOnNeighbouringTilesDoNotCollide)
{
    Actor* a = w->addActor(480, 480, true);
    Actor* b = w->addActor(528, 480);
    EXPECT_FALSE(g->combatCollide(a, b, 0, 0));
    EXPECT_TRUE(g->combatCollide(a, b, 48, 0));
    b->x = 526;
    EXPECT_TRUE(g->combatCollide(a, b, 0, 0));
    EXPECT_FALSE(g->combatCollide(a, b, -48, 0));
    EXPECT_FALSE(g->combatCollide(a, b, 0, 48));
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
    g->theMap->setTileAt(11, 10, 1);   // wall to the right of tile (10,10)
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
