// gameloop_test.cpp -- the frame loop: frame timers, per-second statistics, fights won and run from.
#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include "seam.h"
#include "world.h"

using qtest::World;

namespace {

// Asks the loop to end once the frame counter reaches the given frame.
void quitAt(CGame& g, unsigned frame)
{
    if (g.vars.frames >= frame)
        g.bMustQuit = true;
}

struct Loop : qtest::PlayerGame
{
    // A fresh game object and player, for the next case of a table.
    void freshGame()
    {
        TearDown();
        SetUp();
    }
    // Plays from exploring through whatever fight starts, in the real loop on
    // the test clock: on each of the player's turns `turn` picks the key; a
    // won fight's reward screen is left with Return; the loop ends once a
    // fight has come and gone, or after maxFrames.
    void playFight(std::function<SDLKey()> turn, unsigned maxFrames = 20000)
    {
        unsigned start = g->vars.frames;
        bool fought = false;
        Uint32 now = 10000;
        qtest::fakeTicks = [&]() { return now += 5; };
        qtest::onFrame = [&]() {
            if (SDL_PeepEvents(NULL, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) != 0)
                return;
            if (g->mode == 1 && !g->bPlayingGame)
                fought = true;
            if (g->enemy == nullptr && fought)
                qtest::pushKey(SDLK_RETURN);   // the reward screen
            else if (g->mode == 1 && !g->bPlayingGame && g->vars.bYourTurn)
                qtest::pushKey(turn());
            if ((fought && g->bPlayingGame) || g->vars.frames - start > maxFrames)
                g->bMustQuit = true;
        };
        g->gameLoop();
        qtest::onFrame = nullptr;
        qtest::fakeTicks = nullptr;
    }
    // Sets up a fight against a character standing one tile to the right.
    // Without the turn, the enemy acts first, which reads no input.
    Actor* fightWith(int hp, bool yourTurn = false)
    {
        Actor* foe = w->addActor(hero->x + TILE_SIZE, hero->y);
        foe->stats.hp = hp;
        g->enemy = foe;
        g->mode = 1;
        g->bPlayingGame = false;
        g->vars.bYourTurn = yourTurn;
        return foe;
    }
    // Four frames of the loop from a first frame set up as given; then the window is closed.
    void runFourFrames(std::function<void()> firstFrame)
    {
        runFrom(firstFrame, [](unsigned frame) {
            if (frame == 4)
                qtest::pushQuit();
        });
    }
    // Runs the loop with the start flag handling of gameLoop bypassed: the
    // loop sets bPlayingGame itself, so fights are set up on its first frame.
    void runFrom(std::function<void()> firstFrame, std::function<void(unsigned)> everyCall)
    {
        unsigned start = g->vars.frames;
        bool setUp = false;
        Uint32 now = 10000;
        qtest::fakeTicks = [&, start]() {
            if (!setUp && g->vars.frames == start + 1) {
                setUp = true;
                firstFrame();
            }
            everyCall(g->vars.frames - start);
            return now += 5;
        };
        g->gameLoop();
        qtest::fakeTicks = nullptr;
    }
};

} // namespace

TEST_F(Loop, LongFramesAreCappedAt100Milliseconds)
{
    Uint32 now = 10000;
    float maxElapsed = 0, deltaAtMax = 0;
    qtest::fakeTicks = [&]() {
        if (g->vars.timer_elapsed > maxElapsed) {
            maxElapsed = g->vars.timer_elapsed;
            deltaAtMax = g->vars.timer_delta;
        }
        quitAt(*g, 5);
        return now += 250;
    };
    g->gameLoop();
    EXPECT_FLOAT_EQ(100.0f, maxElapsed);
    EXPECT_FLOAT_EQ(0.1f, deltaAtMax);
    // Leaving the loop resets the timers for whatever comes next.
    EXPECT_FLOAT_EQ(0.0f, g->vars.timer_elapsed);
    EXPECT_FLOAT_EQ(0.0f, g->vars.timer_delta);
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_FALSE(g->bPleaseLoadGame);
}

TEST_F(Loop, FramesPerSecondStatistics)
{
    // 20 ms per frame, measured from the frame counter.
    unsigned start = g->vars.frames;
    qtest::fakeTicks = [&]() {
        quitAt(*g, start + 60);
        return (Uint32)(1000 + 20 * (g->vars.frames - start));
    };
    g->gameLoop();
    EXPECT_EQ(50, g->vars.fps);
    EXPECT_EQ(50, g->vars.fps_max);
    EXPECT_EQ(50, g->vars.fps_min);

    // Above 60 per second fps_min stays at its start value; the first check
    // after entry reports 0, which never lowers it.
    World fast;
    CGame& f = *fast.game;
    fast.addActor(480, 480, true);
    start = f.vars.frames;
    qtest::fakeTicks = [&]() {
        quitAt(f, start + 250);
        return (Uint32)(1000 + 5 * (f.vars.frames - start));
    };
    f.gameLoop();
    EXPECT_EQ(200, f.vars.fps);
    EXPECT_EQ(200, f.vars.fps_max);
    EXPECT_EQ(60, f.vars.fps_min);
}

TEST_F(Loop, HealthAboveMaximumIsCutBack)
{
    hero->stats.hp = 180;
    qtest::pushQuit();
    g->gameLoop();
    EXPECT_EQ(100, hero->stats.hp);
}

TEST_F(Loop, VictoryPaysAndShowsThePlainRewardScreen)
{
    Actor* foe = nullptr;
    hero->stats.money = 7;
    runFourFrames(
        [&] {
            foe = fightWith(0);
            // Reward keys of the level-up screen do nothing here; Return ends it.
            for (SDLKey k : {SDLK_s, SDLK_d, SDLK_i, SDLK_f, SDLK_RETURN})
                qtest::pushKey(k);
        });
    EXPECT_EQ(1u, g->actorList.size());
    EXPECT_EQ(nullptr, g->enemy);
    EXPECT_EQ(0, g->mode);
    EXPECT_TRUE(g->bPlayingGame);
    EXPECT_EQ(1u, hero->stats.xp);
    EXPECT_EQ(57u, hero->stats.money);
    EXPECT_EQ(5u, hero->stats.strength);
    EXPECT_EQ(5u, hero->stats.dexterity);
    EXPECT_EQ(0u, hero->stats.level);
    EXPECT_TRUE(g->vars.fightMsgVec.empty());
    (void)foe;
}

// With the fight details, the reward screen says a foe with a picture set of its own has fallen,
// on the line above the pay; a common creature's end, or any without the details, is not said.
TEST_F(Loop, ANamedFoesFallIsSaidAboveThePay)
{
    const int h = g->returnTextHeight();
    for (int c = 0; c < 3; c++) {
        bool details = c != 1, named = c != 2;
        freshGame();
        g->vars.bFightDetails = details;
        int most = 0;
        qtest::onFlip = [&] {
            if (g->enemy == nullptr && qtest::pixelAt(g->screen, 2, 2) == 0x000064) {
                int white = 0;
                for (Uint32 p : qtest::pixelBand(g->screen, 10, 300 - h, 280, h))
                    white += p == 0xffffff;
                most = std::max(most, white);
            }
        };
        qtest::quietly([&] {
            runFourFrames([&] {
                fightWith(0)->sprite = named ? SPRITE_SETS : 7;
                qtest::pushKey(SDLK_RETURN);
            });
        });
        qtest::onFlip = nullptr;
        EXPECT_EQ(details && named, most > 20) << "case " << c;
    }
}

TEST_F(Loop, FourthWinLevelsUpAndOffersRewards)
{
    hero->stats.xp = 3;
    hero->stats.level = 2;
    runFourFrames(
        [&] {
            fightWith(-5);
            qtest::pushKey(SDLK_RETURN);   // does nothing on this screen
            qtest::pushKey(SDLK_s);
        });
    EXPECT_EQ(0u, hero->stats.xp);
    EXPECT_EQ(3u, hero->stats.level);
    EXPECT_EQ(6u, hero->stats.strength);
    EXPECT_EQ(104, hero->stats.hp_max);
}

// At the top of their range the fight's pay and the rewards stop instead of
// wrapping: the prize money, health and strength; then each reward with every
// statistic already at its ceiling.
TEST_F(Loop, RewardsStopAtTheTopOfTheirRange)
{
    hero->stats.xp = 3;
    hero->stats.money = 4294967280u;   // 50 for the win would wrap it
    hero->stats.hp_max = 2147483645;
    hero->stats.strength = 4294967295u;
    runFourFrames(
        [&] {
            fightWith(0);
            qtest::pushKey(SDLK_s);
        });
    EXPECT_EQ(4294967295u, hero->stats.money);
    EXPECT_EQ(2147483645, hero->stats.hp_max);
    EXPECT_EQ(4294967295u, hero->stats.strength);
    EXPECT_EQ(1u, hero->stats.level);

    for (SDLKey key : {SDLK_s, SDLK_i, SDLK_f}) {
        SCOPED_TRACE(key);
        freshGame();
        CharacterStats& st = hero->stats;
        st.hp_max = st.mp_max = INT_MAX;
        st.strength = st.intelligence = st.level = st.money = UINT_MAX;
        st.xp = 3;
        runFourFrames(
            [&] {
                fightWith(0);
                qtest::pushKey(key);
            });
        EXPECT_EQ(0u, st.xp);
        EXPECT_EQ(INT_MAX, st.hp_max);
        EXPECT_EQ(INT_MAX, st.mp_max);
        EXPECT_EQ(UINT_MAX, st.strength);
        EXPECT_EQ(UINT_MAX, st.intelligence);
        EXPECT_EQ(UINT_MAX, st.level);
        EXPECT_EQ(UINT_MAX, st.money);
    }
}

TEST_F(Loop, EachRewardOfTheLevelUpScreen)
{
    struct Case { SDLKey key; unsigned CharacterStats::*field; unsigned expect; int mpMax; unsigned money; };
    const Case cases[] = {
        {SDLK_d, &CharacterStats::dexterity, 6, 50, 50},
        {SDLK_i, &CharacterStats::intelligence, 1, 54, 50},
        {SDLK_f, &CharacterStats::money, 1050, 50, 1050},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        freshGame();
        hero->stats.xp = 3;
        runFourFrames(
            [&] {
                fightWith(0);
                qtest::pushKey(c.key);
            });
        EXPECT_EQ(c.expect, hero->stats.*(c.field));
        EXPECT_EQ(c.mpMax, hero->stats.mp_max);
        EXPECT_EQ(c.money, hero->stats.money);
        if (c.key == SDLK_f) {
            EXPECT_EQ("Got $1000 reward", g->vars.currentTalk);
        }
    }
}

TEST_F(Loop, ClosingTheWindowOnTheRewardScreenOnlyEndsThatScreen)
{
    runFrom(
        [&] {
            fightWith(0);
            qtest::pushQuit();
        },
        [&](unsigned frame) {
            EXPECT_FALSE(g->bMustQuit && frame < 6);
            if (frame == 6)
                qtest::pushQuit();
        });
    EXPECT_EQ(1u, hero->stats.xp);
    EXPECT_GE(g->vars.frames, 6u);
}

TEST_F(Loop, RunningAwayEndsTheFightOnlyBeyond500)
{
    Actor* foe = nullptr;
    bool moved = false;
    runFrom(
        [&] {
            foe = fightWith(30, true);
            foe->x = hero->x + 300;
            foe->y = hero->y + 400;   // exactly 500 away
        },
        [&](unsigned frame) {
            if (frame == 3 && !moved) {
                moved = true;
                EXPECT_FLOAT_EQ(500.0f, g->distance(foe->x, foe->y, hero->x, hero->y));
                EXPECT_EQ(1, g->mode);
                EXPECT_FALSE(g->bPlayingGame);
                foe->y += 1;
            }
            if (frame == 5)
                g->bMustQuit = true;
        });
    EXPECT_EQ(0, g->mode);
    EXPECT_TRUE(g->bPlayingGame);
    EXPECT_EQ("You ran away", g->vars.currentTalk);
    EXPECT_EQ(2u, g->actorList.size());   // the enemy stays on the map
    EXPECT_EQ(30, foe->stats.hp);
    EXPECT_EQ(0u, hero->stats.xp);
}

TEST_F(Loop, CombatWithoutAnEnemyGoesBackToExploring)
{
    testing::internal::CaptureStderr();
    runFourFrames(
        [&] {
            g->mode = 1;
            g->bPlayingGame = false;
            g->enemy = nullptr;
        });
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, err.find("Enemy doesn't exist! WTF\n"));
    EXPECT_EQ(0, g->mode);
    EXPECT_TRUE(g->bPlayingGame);
}

TEST_F(Loop, EnemyTurnHandsTheTurnBack)
{
    runFrom(
        [&] {
            fightWith(30);
            g->vars.bYourTurn = false;
        },
        [&](unsigned frame) {
            if (frame == 1)
                g->bMustQuit = true;
        });
    EXPECT_TRUE(g->vars.bYourTurn);
    ASSERT_FALSE(g->vars.fightMsgVec.empty());
    EXPECT_EQ("Your turn.", g->vars.fightMsgVec.back());
}

TEST_F(Loop, LoopEndsAtOnceWithoutAPlayer)
{
    g->player = nullptr;
    testing::internal::CaptureStderr();
    g->gameLoop();
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("no player character"));
    EXPECT_TRUE(g->bMustQuit);
}

namespace {

struct Walked
{
    float dx, dy;
};

// Holds the right arrow for totalMs of the test clock at msPerFrame a frame,
// on an open field, and answers how far the player got.
Walked walkRight(CGame& g, float drunkenness, Uint32 msPerFrame, Uint32 totalMs)
{
    Actor* hero = g.player;
    hero->x = hero->y = 4800;
    g.vars.drunkenness = drunkenness;
    g.vars.drunktimer = 0;
    g.vars.timer_elapsed = g.vars.timer_delta = 0;
    qtest::clearEvents();
    qtest::releaseAllKeys();
    qtest::holdKey(SDLK_RIGHT, true);
    srand(7);
    unsigned first = g.vars.frames + 1;
    // The frame's first reading is its start; every later reading in the
    // frame sees it ended, so each frame lasts exactly msPerFrame.
    unsigned seen = 0;
    qtest::fakeTicks = [&]() {
        Uint32 t = 10000 + (g.vars.frames - first) * msPerFrame;
        if (seen != g.vars.frames)
            seen = g.vars.frames;
        else
            t += msPerFrame;
        if ((g.vars.frames - first + 1) * msPerFrame >= totalMs)
            g.bMustQuit = true;
        return t;
    };
    g.gameLoop();
    qtest::fakeTicks = nullptr;
    qtest::releaseAllKeys();
    return {hero->x - 4800, hero->y - 4800};
}

} // namespace

// The first frame has no length yet, so each run walks totalMs minus one frame;
// the runs are compared per second of walking.
TEST(FrameRate, DrunkenWalkCoversTheSameGroundAt30_60And500FramesASecond)
{
    const Uint32 total = 2112;   // a whole number of frames at 2, 16 and 33 ms
    World w;
    w.addActor(4800, 4800, true);
    for (float drunk : {0.0f, 1.0f, 2.0f, 4.0f, 5.0f}) {
        Walked ref = walkRight(*w.game, drunk, 16, total);
        float refSpeed = ref.dx / ((float)(total - 16) / 1000.0f);
        float expected = drunk == 0 ? 250 : drunk < 2 ? 250 - 120 * drunk : 250 - 60 * drunk;
        EXPECT_NEAR(expected, refSpeed, 1.5f) << "drunkenness " << drunk;
        for (Uint32 ms : {2u, 33u}) {
            Walked r = walkRight(*w.game, drunk, ms, total);
            float speed = r.dx / ((float)(total - ms) / 1000.0f);
            EXPECT_NEAR(refSpeed, speed, 1.0f) << "drunkenness " << drunk << " at " << ms << " ms a frame";
            EXPECT_NEAR(ref.dy, r.dy, 6.0f) << "drunkenness " << drunk << " at " << ms << " ms a frame";
        }
    }
}

// Open sea: with the floater worn the player floats, and a serpent three
// tiles off swims up and is fought to a result.
TEST_F(Loop, ASerpentThreeTilesOffAtSeaIsFoughtToAResult)
{
    w->fill(TILE_SEA);
    Item* ring = w->addItem(ITEM_FLOATER, OWNER_PLAYER);
    ring->bIsEquipped = true;
    g->vars.hasFloater = true;
    hero->stats.strength = 20;
    Actor* serpent = w->addHostile(hero->x + 144, hero->y);
    serpent->conversation[1] = "Seamonster";
    serpent->stats.hp = 30;
    serpent->stats.strength = 0;
    serpent->stats.dexterity = 0;
    int turns = 0;
    playFight([&]() {
        turns++;
        bool near = g->distance(g->enemy->x, g->enemy->y, hero->x, hero->y) < 96;
        return near ? SDLK_z : SDLK_SPACE;
    });
    EXPECT_EQ(1u, g->actorList.size()) << "the serpent was not beaten in " << turns << " turns";
    EXPECT_EQ(1u, hero->stats.xp);
    EXPECT_LT(turns, 10);
}

// Land all round but for a ring of sea around the player's island (tiles 9
// to 11) and a pond from column 14; the serpent in the pond, on tile (14, 10),
// sees the player across the ring and the strip of land at column 13, but no
// step of either brings them to blows.
Actor* moatAndPond(World& w, Actor* hero)
{
    CGame& g = *w.game;
    for (int r = 8; r <= 12; r++)
        for (int c = 8; c <= 12; c++)
            g.theMap->setTileAt(c, r, r == 8 || r == 12 || c == 8 || c == 12 ? TILE_SEA : TILE_GRASS);
    for (int r = 6; r <= 14; r++)
        for (int c = 14; c <= 17; c++)
            g.theMap->setTileAt(c, r, TILE_SEA);
    hero->x = hero->y = 480;
    Actor* serpent = w.addActor(672, 480);
    serpent->bIsHostile = true;
    serpent->bIsActive = true;
    serpent->conversation[1] = "Seamonster";
    return serpent;
}

// Fists only and no mana: neither side can ever act on the other, so the
// fight ends as a flight does, and the serpent does not start it again while
// the player stays near.
TEST_F(Loop, AFightNeitherSideCanWinEndsAsAFlight)
{
    hero->stats.mp = 0;
    Actor* serpent = moatAndPond(*w, hero);
    int turns = 0;
    playFight([&]() {
        turns++;
        return turns % 2 ? SDLK_SPACE : SDLK_z;
    }, 3000);
    EXPECT_EQ(0, g->mode);
    EXPECT_TRUE(g->bPlayingGame);
    EXPECT_EQ("You got away: neither of you can reach the other", g->vars.currentTalk);
    EXPECT_TRUE(g->vars.fightMsgVec.empty());
    EXPECT_EQ(2u, g->actorList.size());
    EXPECT_LE(turns, 2);
    EXPECT_TRUE(serpent->bIsBaffled);
    g->vars.timer_delta = 0.02f;
    for (int i = 0; i < 50; i++)
        g->AIManager();
    EXPECT_EQ(0, g->mode);
    // Once the player has been out of its notice distance, it may attack again.
    hero->x -= 200;
    g->AIManager();
    EXPECT_FALSE(serpent->bIsBaffled);
}

// What the player can still do keeps the same fight going: mana for a
// fireball over the water (a carried draught counts), or a bow in range.
TEST_F(Loop, AFightThePlayerCanStillActInGoesOn)
{
    hero->stats.mp = 0;
    Actor* serpent = moatAndPond(*w, hero);
    Item* draught = w->addItem(ITEM_MANA, OWNER_PLAYER);
    draught->maxEffect = 5;
    g->enemy = serpent;
    g->mode = 1;
    EXPECT_FALSE(g->fightIsDeadlocked());
    draught->type = ITEM_USED_UP;
    EXPECT_TRUE(g->fightIsDeadlocked());
    Item* bow = w->addItem(ITEM_RANGED, OWNER_PLAYER);
    bow->range = 4;
    g->fvars.weapons.push_back(bow);
    EXPECT_FALSE(g->fightIsDeadlocked());
    bow->range = 3;   // three tiles from the island's edge: out of a range of 3
    EXPECT_TRUE(g->fightIsDeadlocked());
    g->theMap->setTileAt(13, 10, TILE_SEA);   // the pond joins the ring: the serpent can swim up
    EXPECT_FALSE(g->fightIsDeadlocked());
}

// The victory frame shows the console once, and the reward panel is painted
// from the reward screen's first frame, not only after the first event.
TEST_F(Loop, VictoryFrameDrawsTheConsoleOnceAndThePanelAtOnce)
{
    const int h = g->returnTextHeight();
    bool checked = false;
    runFourFrames(
        [&] {
            Actor* foe = fightWith(1, true);
            (void)foe;
            hero->stats.strength = 50;
            g->vars.fightMsgVec = {std::string(60, 'W')};
            qtest::pushKey(SDLK_z);
            qtest::onFrame = [&]() {
                if (g->enemy || checked)
                    return;
                checked = true;
                EXPECT_EQ(0x000064u, qtest::pixelAt(g->screen, 5, 5));
                int white = 0;
                for (int y = 540; y < 540 + h; y++)
                    for (int x = 320; x < g->SCREEN_WIDTH; x++)
                        white += qtest::pixelAt(g->screen, x, y) == 0xffffff;
                EXPECT_EQ(0, white) << "an earlier console line is left at the bottom";
                qtest::pushKey(SDLK_RETURN);
            };
        });
    EXPECT_TRUE(checked);
    EXPECT_EQ(1u, hero->stats.xp);
}
