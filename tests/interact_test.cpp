// interact_test.cpp -- beds, doors with keys, room keys and lock-picks.
#include <gtest/gtest.h>
#include <vector>
#include "world.h"

using qtest::World;

namespace {

struct Interact : qtest::PlayerGame
{
    // The caption the sleep screen shows, compared with a fresh rendering.
    bool showsCaption(const char* text) { return showsLine(text, 10, 480, 190, 18, 0); }
};

} // namespace

TEST_F(Interact, BedsCountDiagonallyButNotTwoTilesAway)
{
    g->theMap->setTileAt(12, 10, TILE_BED_HEAD);
    g->findSleep();
    EXPECT_EQ("Can't sleep here. Find a bed", g->vars.currentTalk);

    hero->stats.hp = 3;
    hero->stats.mp = 1;
    g->theMap->setTileAt(11, 11, TILE_BED_FOOT);
    qtest::pushKey(SDLK_ESCAPE);
    g->findSleep();
    EXPECT_EQ("Good night...", g->vars.currentTalk);
    EXPECT_EQ(100, hero->stats.hp);
    EXPECT_EQ(50, hero->stats.mp);
}

// The whole 48-pixel picture counts: a player two pixels short of the bed's
// column (or row) covers the cell beside it, and that cell touches the bed.
TEST_F(Interact, ABedBesideAnyCellThePlayerCoversCounts)
{
    g->theMap->setTileAt(12, 10, TILE_BED_HEAD);
    g->theMap->setTileAt(12, 11, TILE_BED_FOOT);
    hero->x = 526;   // columns 10 and 11
    qtest::pushKey(SDLK_ESCAPE);
    g->findSleep();
    EXPECT_EQ("Good night...", g->vars.currentTalk);

    g->theMap->Init();
    g->theMap->setTileAt(10, 12, TILE_BED_HEAD);
    hero->x = 480;
    hero->y = 526;   // rows 10 and 11
    qtest::pushKey(SDLK_ESCAPE);
    g->findSleep();
    EXPECT_EQ("Good night...", g->vars.currentTalk);

    hero->y = 479;   // rows 9 and 10: the bed is two rows away
    g->findSleep();
    EXPECT_EQ("Can't sleep here. Find a bed", g->vars.currentTalk);
}

TEST_F(Interact, WakingEarlyKeepsTheDrink)
{
    g->theMap->setTileAt(10, 9, TILE_BED_HEAD);
    g->vars.drunkenness = 1;
    qtest::pushKey(SDLK_ESCAPE);
    g->findSleep();
    EXPECT_FLOAT_EQ(1, g->vars.drunkenness);
    EXPECT_TRUE(showsCaption("Sleeping it off..."));
}

TEST_F(Interact, AFullSleepSobersUpAndResetsTheTimers)
{
    g->theMap->setTileAt(10, 9, TILE_BED_HEAD);
    g->vars.drunkenness = 2;
    Uint32 start = SDL_GetTicks();
    g->findSleep();
    Uint32 took = SDL_GetTicks() - start;
    EXPECT_FLOAT_EQ(0, g->vars.drunkenness);
    EXPECT_FLOAT_EQ(0, g->vars.timer_delta);
    EXPECT_FLOAT_EQ(0, g->vars.timer_elapsed);
    EXPECT_GE(took, 1200u);
    EXPECT_LT(took, 3000u);

    g->theMap->setTileAt(10, 9, TILE_BED_HEAD);
    qtest::pushKey(SDLK_ESCAPE);
    g->findSleep();
    EXPECT_TRUE(showsCaption("Napping..."));
}

TEST_F(Interact, KeysFitTheirOwnDoorsOnly)
{
    g->theMap->setTileAt(11, 10, TILE_LOCKED_DOOR);
    g->theMap->setTileAt(9, 11, TILE_ROOM_DOOR);
    float cx = hero->x + 24, cy = hero->y + 24;
    g->theMap->setTileAt(11, 10, TILE_LOCKED_DOOR);
    EXPECT_EQ(1, g->unlockDoor(cx, cy, false, true));   // the room door 44 opens
    EXPECT_EQ(TILE_OPEN_DOOR, g->theMap->getTileAt(9, 11));
    EXPECT_EQ(TILE_LOCKED_DOOR, g->theMap->getTileAt(11, 10));
    EXPECT_EQ(0, g->unlockDoor(cx, cy, false, true));    // no room door left; 4 does not fit
    EXPECT_EQ(1, g->unlockDoor(cx, cy, false, false));
    EXPECT_EQ(TILE_OPEN_DOOR, g->theMap->getTileAt(11, 10));
    g->theMap->setTileAt(10, 11, TILE_ROOM_DOOR);
    EXPECT_EQ(0, g->unlockDoor(cx, cy, false, false));   // an ordinary key at a room door
    g->theMap->setTileAt(9, 9, TILE_DOUBLE_DOOR);
    EXPECT_EQ(1, g->unlockDoor(cx, cy, false, false));
}

TEST_F(Interact, DoorsAtTheMapEdgeAreFound)
{
    g->theMap->setTileAt(0, 0, TILE_DOUBLE_DOOR);
    EXPECT_EQ(1, g->unlockDoor(10, 10, false, false));
    EXPECT_EQ(TILE_OPEN_DOOR, g->theMap->getTileAt(0, 0));
    g->theMap->setTileAt(349, 349, TILE_LOCKED_DOOR);
    EXPECT_EQ(1, g->unlockDoor(349 * TILE_SIZE + 40, 349 * TILE_SIZE + 40, false, false));
    EXPECT_EQ(0, g->unlockDoor(-500, -500, false, false));
}

TEST_F(Interact, LockPicksSucceedFailOrBreak)
{
    int counts[4] = {0, 0, 0, 0};
    for (int i = 0; i < 600; i++) {
        g->theMap->setTileAt(11, 10, TILE_LOCKED_DOOR);
        counts[g->unlockDoor(504, 504, true, false)]++;
    }
    EXPECT_EQ(0, counts[0]);
    EXPECT_GT(counts[1], 50);
    EXPECT_GT(counts[2], 50);
    EXPECT_GT(counts[3], 250);

    g->vars.bCheatPick = true;
    for (int i = 0; i < 600; i++) {
        g->theMap->setTileAt(11, 10, TILE_LOCKED_DOOR);
        EXPECT_NE(2, g->unlockDoor(504, 504, true, false));
    }
    g->theMap->setTileAt(11, 10, TILE_ROOM_DOOR);
    EXPECT_EQ(0, g->unlockDoor(504, 504, true, false));   // picks do not open room doors
}
