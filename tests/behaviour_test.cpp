// behaviour_test.cpp -- the other characters: sight, strolling, chasing, fight start, sea monsters.
#include <gtest/gtest.h>
#include "world.h"

using qtest::World;

namespace {

struct Behaviour : qtest::PlayerGame
{
    void SetUp() override
    {
        PlayerGame::SetUp();
        hero->x = hero->y = TILE_SIZE * 20;
        frame(20);
    }
};

} // namespace

TEST_F(Behaviour, SightReachesFifteenColumnsAcrossOpenGroundAndSea)
{
    Actor a;
    a.x = 0;
    a.y = TILE_SIZE * 5;
    EXPECT_TRUE(a.canSee(TILE_SIZE * 15, TILE_SIZE * 5, g->theMap));
    EXPECT_FALSE(a.canSee(TILE_SIZE * 16, TILE_SIZE * 5, g->theMap));
    g->theMap->setTileAt(7, 5, TILE_SEA);
    EXPECT_TRUE(a.canSee(TILE_SIZE * 15, TILE_SIZE * 5, g->theMap));
    g->theMap->setTileAt(7, 5, TILE_CABIN_WALL);
    EXPECT_FALSE(a.canSee(TILE_SIZE * 15, TILE_SIZE * 5, g->theMap));
    Actor b;
    b.x = TILE_SIZE * 10;
    b.y = TILE_SIZE * 10;
    g->theMap->setTileAt(10, 12, TILE_STONE_WALL);
    EXPECT_FALSE(b.canSee(TILE_SIZE * 10, TILE_SIZE * 14, g->theMap));   // straight down the last column
    EXPECT_TRUE(b.canSee(TILE_SIZE * 10, TILE_SIZE * 11, g->theMap));
}

// Sight runs along the line between the two cells, whichever way round they lie; a wall on
// the other diagonal of the box they span is off that line.
TEST_F(Behaviour, SightToTheNorthEastAndSouthWestFollowsTheLine)
{
    struct Cell { int c, r; };
    struct Case { Cell sw, ne, onLine, offLine; };
    const Case cases[] = {
        {{10, 10}, {13, 7}, {11, 9}, {11, 8}},   // the line passes (11, 9) and (12, 8)
        {{10, 10}, {13, 7}, {12, 8}, {12, 9}},
        {{10, 10}, {16, 8}, {15, 8}, {11, 8}},   // (11, 10) (12, 9) (13, 9) (14, 9) (15, 8)
    };
    for (const Case& k : cases) {
        for (int southWestLooks = 0; southWestLooks < 2; southWestLooks++) {
            Cell from = southWestLooks ? k.sw : k.ne, to = southWestLooks ? k.ne : k.sw;
            SCOPED_TRACE(testing::Message() << "(" << from.c << ", " << from.r << ") looking at ("
                                            << to.c << ", " << to.r << ")");
            Actor a;
            a.x = TILE_SIZE * from.c;
            a.y = TILE_SIZE * from.r;
            float px = TILE_SIZE * to.c + 24, py = TILE_SIZE * to.r + 24;
            g->theMap->setTileAt(k.offLine.c, k.offLine.r, TILE_STONE_WALL);
            EXPECT_TRUE(a.canSee(px, py, g->theMap));
            g->theMap->setTileAt(k.offLine.c, k.offLine.r, TILE_GRASS);
            g->theMap->setTileAt(k.onLine.c, k.onLine.r, TILE_STONE_WALL);
            EXPECT_FALSE(a.canSee(px, py, g->theMap));
            g->theMap->setTileAt(k.onLine.c, k.onLine.r, TILE_GRASS);
        }
    }
}

TEST_F(Behaviour, CloseHostileStartsAFightOnWholeTiles)
{
    Actor* foe = w->addHostile(hero->x + 150.3f, hero->y + 120.7f);   // about 193 away
    Item* armour = w->addItem(ITEM_ARMOUR, OWNER_PLAYER);
    armour->bIsEquipped = true;
    Item* sword = w->addItem(ITEM_MELEE, OWNER_PLAYER);
    hero->x += 5.5f;
    g->AIManager();
    EXPECT_EQ(1, g->mode);
    EXPECT_FALSE(g->bPlayingGame);
    EXPECT_EQ(foe, g->enemy);
    EXPECT_TRUE(g->vars.bYourTurn);
    EXPECT_TRUE(foe->bIsEnraged);
    EXPECT_EQ(armour, g->fvars.playerArmour);
    ASSERT_EQ(1u, g->fvars.weapons.size());
    EXPECT_EQ(sword, g->fvars.weapons[0]);
    EXPECT_FLOAT_EQ(TILE_SIZE * 20, hero->x);
    EXPECT_FLOAT_EQ(TILE_SIZE * 20, hero->y);
    EXPECT_FLOAT_EQ(TILE_SIZE * 23, foe->x);
    EXPECT_FLOAT_EQ(TILE_SIZE * 22, foe->y);
    EXPECT_EQ(0, foe->walkFrame);
}

TEST_F(Behaviour, SnappingOntoAWallMovesOneTileOn)
{
    // The player's corner may hang over a wall that its inset box clears.
    hero->x = TILE_SIZE * 20 - 2;
    g->theMap->setTileAt(19, 20, TILE_OAK);
    Actor* foe = w->addHostile(hero->x + 100.5f, hero->y + 100.5f);
    g->AIManager();
    ASSERT_EQ(1, g->mode);
    EXPECT_FLOAT_EQ(TILE_SIZE * 20, hero->x);
    EXPECT_FLOAT_EQ(TILE_SIZE * 22, foe->x);
    EXPECT_FLOAT_EQ(TILE_SIZE * 22, foe->y);
}

// The float-ring carried over the sea is worn before any armour in the item
// list; the fight's armour is the worn armour all the same, and the blows
// the enemy lands show it.
TEST_F(Behaviour, TheFightsArmourIsTheWornArmourNotTheFloater)
{
    Item* ring = w->addItem(ITEM_FLOATER, OWNER_PLAYER);
    ring->bIsEquipped = true;
    ring->maxEffect = 0;
    Item* helm = w->addItem(ITEM_ARMOUR, OWNER_PLAYER);   // carried, not worn
    helm->maxEffect = 9;
    Item* mail = w->addItem(ITEM_ARMOUR, OWNER_PLAYER);
    mail->bIsEquipped = true;
    mail->maxEffect = 6;
    Actor* foe = w->addHostile(hero->x + TILE_SIZE, hero->y + TILE_SIZE);
    g->AIManager();
    ASSERT_EQ(1, g->mode);
    EXPECT_EQ(mail, g->fvars.playerArmour);
    foe->stats.strength = 10;
    hero->stats.dexterity = 0;   // the defence is the armour alone: 10 - 6 < 6 misses
    g->fightAI(foe, g->player);
    EXPECT_EQ(100, hero->stats.hp);
    ASSERT_FALSE(g->vars.fightMsgVec.empty());
    EXPECT_EQ("Missed!", g->vars.fightMsgVec.back());
}

// However the last fight ended (a successful flee leaves its console, its
// effects and the spell bar behind), the next one starts clean.
TEST_F(Behaviour, EveryFightStartsClean)
{
    g->vars.fightMsgVec = {"Radiated pain for 12 damage!", "Enemy's move."};
    g->fightEffectAt(0, 0, 9, "12");
    g->fvars.bMenuOpen = true;
    g->fvars.selectedWeapon = 2;
    g->fvars.movetimer = 400;
    g->fvars.bIsStillShooting = true;
    g->mode = 1;   // as a flee leaves it
    w->addHostile(hero->x + 2 * TILE_SIZE, hero->y + TILE_SIZE);
    g->AIManager();
    ASSERT_EQ(1, g->mode);
    EXPECT_TRUE(g->vars.fightMsgVec.empty());
    EXPECT_TRUE(g->fvars.effects.empty());
    EXPECT_FALSE(g->fvars.bMenuOpen);
    EXPECT_EQ(0, g->fvars.selectedWeapon);
    EXPECT_FLOAT_EQ(0, g->fvars.movetimer);
    EXPECT_FALSE(g->fvars.bIsStillShooting);
}

// A fight at sea starts where the fighters float: nobody is pushed a tile on.
TEST_F(Behaviour, AFightAtSeaStartsWhereTheFightersAre)
{
    w->fill(TILE_SEA);
    g->vars.hasFloater = true;
    Actor* serpent = w->addHostile(hero->x + 3 * TILE_SIZE, hero->y + TILE_SIZE);
    serpent->conversation[1] = "Seamonster";
    g->AIManager();
    ASSERT_EQ(1, g->mode);
    EXPECT_FLOAT_EQ(TILE_SIZE * 20, hero->x);
    EXPECT_FLOAT_EQ(TILE_SIZE * 20, hero->y);
    EXPECT_FLOAT_EQ(TILE_SIZE * 23, serpent->x);
    EXPECT_FLOAT_EQ(TILE_SIZE * 21, serpent->y);
}

// Walking lets a hostile exactly level with the player pass into it; it must
// attack instead of standing there.
TEST_F(Behaviour, LevelWithThePlayerStartsAFightToo)
{
    Actor* foe = w->addHostile(hero->x + 100, hero->y);
    g->AIManager();
    EXPECT_EQ(1, g->mode);
    EXPECT_EQ(foe, g->enemy);
    EXPECT_FLOAT_EQ(hero->x + 2 * TILE_SIZE, foe->x);   // snapped onto the tile grid
    EXPECT_FLOAT_EQ(hero->y, foe->y);
}

TEST_F(Behaviour, AHostileOnThePlayersColumnWalkingInStopsToFight)
{
    Actor* foe = w->addHostile(hero->x, hero->y + TILE_SIZE * 6);
    for (int i = 0; i < 400 && g->mode == 0; i++)
        g->AIManager();
    ASSERT_EQ(1, g->mode);
    EXPECT_LT(g->distance(foe->x, foe->y, hero->x, hero->y), 200.0f);
    EXPECT_GT(g->distance(foe->x, foe->y, hero->x, hero->y), 0.0f);
}

TEST_F(Behaviour, WallsHideThePlayer)
{
    Actor* foe = w->addHostile(hero->x + TILE_SIZE * 3, hero->y + TILE_SIZE * 3);
    for (int r = 18; r < 26; r++)
        g->theMap->setTileAt(22, r, TILE_STONE_WALL);
    foe->bIsEnraged = true;
    float x = foe->x;
    g->AIManager();
    EXPECT_FALSE(foe->bIsEnraged);
    EXPECT_EQ(0, g->mode);
    EXPECT_FLOAT_EQ(x, foe->x);
}

TEST_F(Behaviour, InactiveCharactersDoNotMove)
{
    Actor* foe = w->addHostile(hero->x + 100, hero->y + 100);
    foe->bIsActive = false;
    g->AIManager();
    EXPECT_EQ(0, g->mode);
    EXPECT_FALSE(foe->bIsEnraged);
}

TEST_F(Behaviour, StrollerKeepsFacingTheWallUntilItsTimeIsUp)
{
    Actor* s = w->addActor(TILE_SIZE * 40, TILE_SIZE * 40);
    s->bIsWanderer = true;
    s->bIsActive = true;
    s->wtimer = 1200;
    s->wdir = 2;   // left
    g->theMap->setTileAt(39, 40, TILE_STONE_WALL);
    for (int i = 0; i < 10; i++)
        g->AIManager();
    EXPECT_FLOAT_EQ(TILE_SIZE * 40, s->x);
    EXPECT_EQ(FACE_LEFT, s->direction);
    EXPECT_EQ(2, s->wdir);
    EXPECT_FLOAT_EQ(1000, s->wtimer);
    EXPECT_EQ(1, s->walkFrame);   // the walk animation runs

    s->wdir = 3;   // right: open ground
    g->AIManager();
    EXPECT_FLOAT_EQ(TILE_SIZE * 40 + 1, s->x);
    EXPECT_EQ(FACE_RIGHT, s->direction);
}

TEST_F(Behaviour, StrollersPickANewDirectionEvery1200Milliseconds)
{
    Actor* s = w->addActor(TILE_SIZE * 40, TILE_SIZE * 40);
    s->bIsWanderer = true;
    s->bIsActive = true;
    s->wtimer = 15;
    g->AIManager();
    EXPECT_FLOAT_EQ(1200, s->wtimer);
    g->AIManager();
    EXPECT_FLOAT_EQ(1180, s->wtimer);
}

TEST_F(Behaviour, SeaMonsterSwimsAndSmashesShoreTiles)
{
    Actor* m = w->addActor(TILE_SIZE * 30, TILE_SIZE * 30);
    m->conversation[1] = "Seamonster";
    m->bIsWanderer = true;
    m->bIsActive = true;
    m->wtimer = 5000;
    m->wdir = 3;   // right
    g->theMap->setTileAt(30, 30, TILE_SEA);
    g->theMap->setTileAt(31, 30, TILE_BOULDERS);
    g->AIManager();
    EXPECT_FLOAT_EQ(TILE_SIZE * 30 + 2, m->x);   // double speed; the sea point x + s + 24 is on water
    frame(100);
    for (int i = 0; i < 3; i++)
        g->AIManager();
    EXPECT_EQ(TILE_RUBBLE, g->theMap->getTileAt(31, 30));
    EXPECT_LT(m->x + 24, TILE_SIZE * 31.0f);
    m->wdir = 0;   // up onto grass: refused, and grass is not smashed
    g->AIManager();
    EXPECT_EQ(TILE_GRASS, g->theMap->getTileAt(30, 29));
}
