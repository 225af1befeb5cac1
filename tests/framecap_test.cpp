// framecap_test.cpp -- the frame cap: frame pacing on a fake clock, and a world that moves as fast
// per second capped as uncapped.
#include <cmath>
#include <gtest/gtest.h>
#include "seam.h"
#include "world.h"

namespace {

// A clock that stands still except for the work a frame takes (workPerFlip ms, spent drawing,
// or what a test adds) and the delays the engine asks for, which pass at once instead of
// sleeping. Reading it costs nothing, so all the time there is falls inside some frame.
struct SleepingClock
{
    Uint32 now = 5000;
    Uint32 workPerFlip = 0;
    std::vector<Uint32> delays;
    SleepingClock()
    {
        qtest::fakeTicks = [this] { return now; };
        qtest::onFlip = [this] { now += workPerFlip; };
        qtest::onDelay = [this](Uint32 ms) {
            delays.push_back(ms);
            now += ms;
            return false;
        };
    }
    ~SleepingClock() { qtest::clearHooks(); }
};

} // namespace

// Frames of 5 ms work come every 16 or 17 ms and 60 of them take a second; a late frame waits
// nothing and the frame after it is shortened so the average holds; a stall restarts the
// pacing rather than hurrying the frames after it. Off, a frame end only yields, as ever.
TEST(FrameCap, PacesFramesToSixtyASecond)
{
    SleepingClock clock;
    FrameCap cap;
    cap.endFrame();
    EXPECT_EQ(std::vector<Uint32>{0}, clock.delays);
    EXPECT_EQ(5000u, clock.now) << "an uncapped frame end reads no clock";

    cap.setRate(FRAME_CAP_FPS);
    cap.endFrame();   // the first frame sets the pace
    Uint32 start = clock.now;
    std::vector<Uint32> intervals;
    for (int i = 0; i < 60; i++) {
        Uint32 before = clock.now;
        clock.now += 5;
        cap.endFrame();
        intervals.push_back(clock.now - before);
    }
    EXPECT_NEAR(1000.0, clock.now - start, 1.0);
    for (Uint32 ms : intervals) {
        EXPECT_GE(ms, 16u);
        EXPECT_LE(ms, 17u);
    }

    // 10 ms late: no wait, and the next frame makes the time up.
    Uint32 before = clock.now;
    clock.now += 26;
    cap.endFrame();
    EXPECT_EQ(0u, clock.delays.back());
    clock.now += 2;
    cap.endFrame();
    EXPECT_NEAR(2 * 1000.0 / 60, clock.now - before, 1.0);

    // A half-second stall (a nested screen, a dragged window) starts the pace afresh.
    clock.now += 500;
    cap.endFrame();
    EXPECT_EQ(0u, clock.delays.back());
    before = clock.now;
    clock.now += 5;
    cap.endFrame();
    EXPECT_NEAR(1000.0 / 60, clock.now - before, 1.0);
}

namespace {

struct Pace
{
    unsigned frames = 0;
    float walked = 0;
    int steps = 0;              // changes of the walking picture
    float talkLeft = 0;
    Uint32 fightWaitMs = 0;     // from the player's blow to the enemy's turn being over
};

// One second of walking right over open grass in the real frame loop, frames of 3 ms work; then a fight on the same clock from the moment the
// player's blow has landed (600 ms of pause) until the turn comes back.
Pace playOneSecond(const std::string& config)
{
    qtest::World w(config);
    CGame& g = *w.game;
    g.audio.bSoundOff = true;
    w.fill(TILE_GRASS);
    Actor* hero = w.addActor(4800, 4800, true);
    SleepingClock clock;
    clock.workPerFlip = 3;
    qtest::holdKey(SDLK_RIGHT, true);
    g.showMessage("Hello");
    Pace run;
    Uint32 end = clock.now + 1000;
    unsigned startFrames = g.vars.frames;
    int lastPicture = hero->walkFrame;
    qtest::onFrame = [&] {
        if (hero->walkFrame != lastPicture)
            run.steps++;
        lastPicture = hero->walkFrame;
        if (clock.now >= end)
            g.bMustQuit = true;
    };
    g.gameLoop();
    qtest::holdKey(SDLK_RIGHT, false);
    run.frames = g.vars.frames - startFrames;
    run.walked = hero->x - 4800;
    run.talkLeft = g.vars.talkTimer;

    Actor* foe = w.addActor(hero->x + TILE_SIZE, hero->y);
    foe->stats.hp = 1000;
    Uint32 blow = 0;
    qtest::onFrame = [&] {
        if (blow == 0) {
            g.enemy = foe;
            g.mode = 1;
            g.bPlayingGame = false;
            g.vars.bYourTurn = false;
            g.fvars.movetimer = 600;
            blow = clock.now;
        } else if (g.vars.bYourTurn) {
            run.fightWaitMs = clock.now - blow;
            g.bMustQuit = true;
        }
    };
    g.gameLoop();
    qtest::releaseAllKeys();
    return run;
}

} // namespace

// The cap changes how often frames come, not how fast the world goes: a second of walking covers
// 250 pixels, the walking picture changes as often, a message fades as fast and the pause after a
// blow lasts as long, at 60 frames a second as at hundreds.
TEST(FrameCap, TheWorldMovesAsFastPerSecondCappedAsUncapped)
{
    testing::internal::CaptureStdout();
    Pace capped = playOneSecond("framecap\n");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(std::string::npos, out.find("Reading from config.cfg....\n\tFrame rate capped at 60 a second\n"));
    Pace uncapped = playOneSecond("");

    EXPECT_NEAR(60, (int)capped.frames, 2);
    EXPECT_GT(uncapped.frames, 150u);

    EXPECT_NEAR(250, capped.walked, 250 / 60.0 + 1);
    EXPECT_NEAR(uncapped.walked, capped.walked, 250 / 60.0 + 1);
    EXPECT_NEAR(uncapped.steps, capped.steps, 1);
    EXPECT_GE(capped.steps, 4);
    EXPECT_NEAR(uncapped.talkLeft, capped.talkLeft, 1000 / 60.0 + 1);
    EXPECT_NEAR(600, (int)capped.fightWaitMs, 2 * 1000 / 60);
    EXPECT_NEAR((int)uncapped.fightWaitMs, (int)capped.fightWaitMs, 2 * 1000 / 60);
}

// With the cap on, SDL's timer thread, which the game never uses, is stopped (it woke every
// millisecond); the real clock and the real sleep still work, so the cap's own waits do. Off,
// SDL keeps every subsystem, as ever.
TEST(FrameCap, StopsTheIdleTimerThreadAndTheClockStillRuns)
{
    {
        qtest::World w("");
        EXPECT_NE(0u, SDL_WasInit(SDL_INIT_TIMER));
    }
    qtest::World w("framecap\n");
    EXPECT_EQ(0u, SDL_WasInit(SDL_INIT_TIMER));
    Uint32 t0 = SDL_GetTicks();
    SDL_Delay(30);
    Uint32 slept = SDL_GetTicks() - t0;
    EXPECT_GE(slept, 29u);
    EXPECT_LT(slept, 1000u);
}
