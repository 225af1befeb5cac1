// chaos_test.cpp -- the shipped game and the tutorial played for thousands of frames of random keys; screens that wait.
#include <unistd.h>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <gtest/gtest.h>
#include "chaos.h"
#include "harness.h"
#include "world.h"

namespace {

long framesToPlay()
{
    const char* env = getenv("QUORVANE_CHAOS_FRAMES");
    long n = env ? atol(env) : 0;
    return n > 0 ? n : 20000;
}

unsigned seedFor(unsigned fallback)
{
    const char* env = getenv("QUORVANE_CHAOS_SEED");
    return env ? (unsigned)strtoul(env, nullptr, 10) : fallback;
}

// Plays a copy of the repository's folder `name` (its art stays linked).
void playShipped(const std::string& name, unsigned seed)
{
    qtest::WorkDir wd;
    std::string src = qtest::sourceDir() + "/" + name;
    std::string cmd = "cd '" + src + "' && for f in *; do [ \"$f\" = assets ] || cp -r \"$f\" '" + wd.path() + "/" +
                      name + "/'; done";
    qtest::mkdirs(wd.path() + "/" + name);
    ASSERT_EQ(0, system(cmd.c_str()));
    // The shipped game's own folder holds what the menu's other entries read.
    if (name != "data")
        qtest::copyTree(qtest::sourceDir() + "/data/ending", wd.path() + "/data/ending");

    long frames = framesToPlay();
    testing::internal::CaptureStdout();
    chaos::Figures f = chaos::play(name, seed, frames);
    testing::internal::GetCapturedStdout();
    printf("%s, seed %u: %ld frames (%ld of play), %d games (%d from the save), %d saves, %d fights "
           "(%d ended by the script), %d failed loads\n",
           name.c_str(), seed, f.frames, f.playFrames, f.games, f.loadsOfSave, f.saves, f.fights,
           f.endedFightsByScript, f.failedLoads);
    EXPECT_GE(f.frames, frames);
    EXPECT_GT(f.playFrames, frames / 2);
    EXPECT_EQ(0, f.failedLoads);
    for (const std::string& fault : f.faults)
        ADD_FAILURE() << fault;
}

} // namespace

TEST(ChaosPlay, TheShippedGameSurvivesRandomKeys)
{
    playShipped("data", seedFor(20261208));
}

TEST(ChaosPlay, TheTutorialSurvivesRandomKeys)
{
    playShipped("tutorial", seedFor(777));
}

namespace {

// Runs screen() with a key pressed at its tenth frame. Should the screen wait
// without ending frames, a watchdog presses the key after two seconds, and
// the frame count shows it.
int framesUntilKey(std::function<void()> screen, SDLKey key)
{
    std::atomic<int> frames{0};
    std::atomic<bool> done{false};
    chaos::onEveryFrame([&] {
        if (++frames == 10)
            qtest::pushKey(key);
    });
    std::thread watchdog([&] {
        for (int i = 0; i < 200 && !done; i++)
            usleep(10 * 1000);
        if (!done)
            qtest::pushKey(key);
    });
    screen();
    done = true;
    watchdog.join();
    chaos::onEveryFrame(nullptr);
    return frames;
}

} // namespace

TEST(ChaosPlay, AnEmptyInventoryWaitsFrameByFrame)
{
    qtest::World w;
    w.addActor(480, 480, true);
    qtest::clearEvents();
    testing::internal::CaptureStdout();
    int frames = framesUntilKey([&] { w.game->inventoryMenu(); }, SDLK_x);
    testing::internal::GetCapturedStdout();
    EXPECT_GE(frames, 10);
}

TEST(ChaosPlay, ASoldOutShopWaitsFrameByFrame)
{
    qtest::World w;
    w.addActor(480, 480, true);
    qtest::clearEvents();
    qtest::pushKey(SDLK_RETURN);   // "Buy item": nothing is for sale
    testing::internal::CaptureStdout();
    int frames = framesUntilKey([&] { w.game->shopLoop(-1); }, SDLK_x);
    testing::internal::GetCapturedStdout();
    EXPECT_GE(frames, 10);
    EXPECT_FALSE(w.game->bMustQuit);
}
