// input_test.cpp -- world input: walking, drunken steps, the floater, activation and command keys.
#include <gtest/gtest.h>
#include "world.h"

using qtest::World;

namespace {

struct Input : qtest::PlayerGame
{
    void SetUp() override
    {
        PlayerGame::SetUp();
        frame(10);
    }
    void walk(std::initializer_list<SDLKey> held)
    {
        qtest::releaseAllKeys();
        for (SDLKey k : held)
            qtest::holdKey(k, true);
        g->getInput();
    }
};

} // namespace

TEST_F(Input, OppositeKeysFavourUpAndLeft)
{
    walk({SDLK_UP, SDLK_DOWN});
    EXPECT_FLOAT_EQ(477.5f, hero->y);
    EXPECT_EQ(FACE_UP, hero->direction);
    walk({SDLK_LEFT, SDLK_RIGHT});
    EXPECT_FLOAT_EQ(477.5f, hero->x);
    EXPECT_EQ(FACE_LEFT, hero->direction);
}

TEST_F(Input, DiagonalMovesBothAxesAndFacesSideways)
{
    walk({SDLK_UP, SDLK_RIGHT});
    EXPECT_FLOAT_EQ(477.5f, hero->y);
    EXPECT_FLOAT_EQ(482.5f, hero->x);
    EXPECT_EQ(FACE_RIGHT, hero->direction);
}

TEST_F(Input, StandingShowsFrameZeroAndWallsKeepTheWalkGoing)
{
    g->theMap->setTileAt(9, 10, TILE_STONE_WALL);
    hero->x = 485;   // inset box one pixel from the wall on the left
    frame(100);
    for (int i = 0; i < 2; i++)
        walk({SDLK_LEFT});
    EXPECT_FLOAT_EQ(485.0f, hero->x);
    EXPECT_EQ(1, hero->walkFrame);
    walk({});
    EXPECT_EQ(0, hero->walkFrame);
}

// 120 px/s slower a level below two levels, 60 px/s a level from two on; past
// about four levels the keys walk the player backwards.
TEST_F(Input, DrunkenStepsSlowTheWalkPerSecond)
{
    g->vars.drunkenness = 1.0f;
    walk({SDLK_RIGHT});
    EXPECT_FLOAT_EQ(481.3f, hero->x);
    g->vars.drunkenness = 4.0f;
    g->vars.drunktimer = 0;
    walk({SDLK_RIGHT});
    EXPECT_FLOAT_EQ(481.4f, hero->x);
    EXPECT_FLOAT_EQ(10.0f, g->vars.drunktimer);
    g->vars.drunkenness = 5.0f;
    walk({SDLK_RIGHT});
    EXPECT_FLOAT_EQ(480.9f, hero->x);
}

TEST_F(Input, ReelingJostlesAfter200Milliseconds)
{
    g->vars.drunkenness = 2.0f;
    g->vars.drunktimer = 195;
    float x = hero->x, y = hero->y;
    walk({});
    EXPECT_LT(g->vars.drunktimer, 100.0f);
    // Some jostle was tried, so the walk animation ran instead of standing still.
    EXPECT_TRUE(hero->x != x || hero->y != y || hero->frameTimer > 0);
}

TEST_F(Input, FloaterCarriesOntoSeaButNotOntoRockFromSea)
{
    g->theMap->setTileAt(11, 10, TILE_SEA);
    g->theMap->setTileAt(12, 10, TILE_SEA);
    g->theMap->setTileAt(13, 10, TILE_STONE_WALL);
    frame(20);
    for (int i = 0; i < 5; i++)
        walk({SDLK_RIGHT});
    EXPECT_FLOAT_EQ(480.0f, hero->x);   // no floater: the sea blocks
    g->vars.hasFloater = true;
    for (int i = 0; i < 40; i++)
        walk({SDLK_RIGHT});
    EXPECT_GT(hero->x, 530.0f);           // out on the water
    EXPECT_LT(hero->x + 44, 13.0f * TILE_SIZE);  // but the rock stops the box, as a wall does on land
    EXPECT_GE(hero->x + 44, 13.0f * TILE_SIZE - 5);
}

// Floating is no trap: the player comes ashore again on every side.
TEST_F(Input, TheFloaterCarriesThePlayerBackAshore)
{
    for (int r = 8; r <= 12; r++)
        for (int c = 8; c <= 12; c++)
            g->theMap->setTileAt(c, r, TILE_SEA);
    g->vars.hasFloater = true;
    frame(20);
    struct Way { SDLKey key; float Actor::*axis; float beyond; int sign; };
    const Way ways[] = {{SDLK_RIGHT, &Actor::x, 13.0f * TILE_SIZE, 1}, {SDLK_LEFT, &Actor::x, 7.0f * TILE_SIZE, -1},
                        {SDLK_DOWN, &Actor::y, 13.0f * TILE_SIZE, 1}, {SDLK_UP, &Actor::y, 7.0f * TILE_SIZE, -1}};
    for (const Way& w : ways) {
        hero->x = hero->y = 480;   // the middle of the water
        for (int i = 0; i < 80; i++)
            walk({w.key});
        EXPECT_TRUE(w.sign > 0 ? hero->*w.axis >= w.beyond : hero->*w.axis <= w.beyond) << "stuck at sea going " << w.key;
    }
}

TEST_F(Input, CharactersCloserThan500AreActive)
{
    Actor* near = w->addActor(480 + 499.9f, 480);
    Actor* far = w->addActor(480, 480 + 500.0f);
    walk({});
    EXPECT_TRUE(near->bIsActive);
    EXPECT_FALSE(far->bIsActive);
}

TEST_F(Input, QuitKeysAndScreenshots)
{
    qtest::pushKey(SDLK_F3);
    g->getInput();
    EXPECT_TRUE(w->dir.exists("sshot.bmp"));
    EXPECT_FALSE(g->bMustQuit);

    qtest::pushQuit();
    g->getInput();
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_FALSE(g->bPleaseLoadGame);

    g->bMustQuit = false;
    qtest::pushKey(SDLK_F2);
    g->getInput();
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_TRUE(g->bPleaseLoadGame);
}

TEST_F(Input, PickUpTakesOneTouchingItemPerPress)
{
    Item* a = w->addItem(ITEM_PLAIN, OWNER_MAP, 480 + TILE_SIZE, 480);   // edge to edge
    Item* b = w->addItem(ITEM_PLAIN, OWNER_MAP, 470, 470);
    Item* far = w->addItem(ITEM_PLAIN, OWNER_MAP, 600, 480);
    qtest::pushKey(SDLK_SPACE);
    g->getInput();
    EXPECT_EQ(1u, a->owner);
    EXPECT_EQ(0u, b->owner);
    EXPECT_EQ("You got a Thing 0", g->vars.currentTalk);
    EXPECT_FLOAT_EQ(g->TALK_TIMER, g->vars.talkTimer);
    qtest::pushKey(SDLK_g);
    g->getInput();
    EXPECT_EQ(1u, b->owner);
    qtest::pushKey(SDLK_g);
    g->getInput();
    EXPECT_EQ(0u, far->owner);
}

TEST_F(Input, HelpScreenWaitsForAKeyAndResetsTheTimers)
{
    qtest::pushKey(SDLK_h);
    qtest::pushKey(SDLK_x);
    frame(50);
    g->getInput();
    EXPECT_FLOAT_EQ(0.0f, g->vars.timer_delta);
    EXPECT_FLOAT_EQ(0.0f, g->vars.timer_elapsed);
    EXPECT_FALSE(g->bMustQuit);
    SDL_Event e;
    EXPECT_EQ(0, SDL_PollEvent(&e));
}

TEST_F(Input, ScreenshotKeyDuringFightAnimations)
{
    qtest::pushKey(SDLK_a);
    qtest::pushKey(SDLK_F3);
    qtest::pushKey(SDLK_F2);
    g->pollScreenshot();
    EXPECT_TRUE(w->dir.exists("sshot.bmp"));
    EXPECT_FALSE(g->bMustQuit);
    SDL_Event e;
    EXPECT_EQ(0, SDL_PollEvent(&e));
}
