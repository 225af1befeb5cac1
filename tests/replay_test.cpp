// replay_test.cpp -- recordings: a scripted sitting of the shipped game recorded through the entry,
// played back fast on a fresh copy to the same save, and recordings that no longer fit the game.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>
#include "autopilot.h"
#include "harness.h"
#include "replay.h"
#include "seam.h"
#include "world.h"

namespace {

// The entry with these arguments; standard error comes back through `err`.
int runWith(std::vector<std::string> args, std::string* err = nullptr, std::string* out = nullptr)
{
    args.insert(args.begin(), "quorvane");
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);
    int rc = -1;
    std::string e = qtest::quietly([&] { rc = SDL_main((int)args.size(), argv.data()); }, out);
    if (err)
        *err = e;
    return rc;
}

// A fresh copy of the shipped game with an empty save folder.
void freshGame(qtest::WorkDir& wd)
{
    qtest::copyGame(wd, "data");
    wd.write("save/.gitkeep", "");
    qtest::clearEvents();
    qtest::releaseAllKeys();
}

// New Game, out of the introduction, a walk down and right through the town, a quick save,
// back to the menu and out.
void scriptedSitting(qtest::Scenario& s, qtest::Every& nowAndThen)
{
    s.add("New Game", [] { qtest::press(SDLK_RETURN); return true; });
    s.add("leave the introduction", [] { qtest::press(SDLK_x); return true; });
    // The scenario outlives this function: the frame count lives with its steps.
    auto frames = std::make_shared<int>(0);
    auto hold = [frames](SDLKey key, int count) {
        return [frames, key, count] {
            qtest::holdKey(key, true);
            if (++*frames < count)
                return false;
            qtest::holdKey(key, false);
            *frames = 0;
            return true;
        };
    };
    s.add("walk right", hold(SDLK_RIGHT, 60));
    s.add("walk down", hold(SDLK_DOWN, 45));
    s.add("walk left and down", [frames] {
        qtest::holdKey(SDLK_LEFT, true);
        qtest::holdKey(SDLK_DOWN, true);
        if (++*frames < 30)
            return false;
        qtest::releaseArrows();
        return true;
    });
    s.add("quick save", [] { qtest::press(SDLK_F1); return true; });
    s.add("quit to the menu", [&] {
        if (!nowAndThen())
            return false;
        qtest::press(SDLK_F2);
        return true;
    });
    s.add("leave the new menu", [&] {
        if (nowAndThen())
            qtest::press(SDLK_ESCAPE);
        return false;
    });
}

} // namespace

TEST(Replay, RecordedSittingPlaysBackFastToTheSameSave)
{
    std::string recording, lastFrame;
    std::map<std::string, std::string> saved;
    {
        qtest::WorkDir wd;
        freshGame(wd);
        qtest::Scenario steps;
        qtest::Every nowAndThen(20);
        scriptedSitting(steps, nowAndThen);
        qtest::TestClock clock;
        qtest::Drive drive(steps);
        ASSERT_EQ(0, runWith({"--record", wd.path() + "/run.rec"}));
        EXPECT_EQ("leave the new menu", steps.current());
        recording = wd.read("run.rec");
        // QUORVANE_NEW_RECORDING=FILE keeps the sitting, to renew tests/recordings/ after a content change.
        if (const char* keep = getenv("QUORVANE_NEW_RECORDING")) {
            FILE* f = fopen(keep, "w");
            ASSERT_TRUE(f && fputs(recording.c_str(), f) >= 0 && fclose(f) == 0) << keep;
        }
        saved = qtest::filesUnder(wd.path() + "/save");
    }
    ASSERT_EQ(0u, recording.find("quorvane-replay 1\nseed 1\n"));
    EXPECT_NE(std::string::npos, recording.find("\ne 2 0 1 282 ")) << "F1 was pressed";
    ASSERT_GT(saved.size(), 1u) << "the sitting saved";

    qtest::WorkDir wd;
    freshGame(wd);
    wd.write("run.rec", recording);
    std::string err;
    ASSERT_EQ(0, runWith({"--replay", "run.rec", "--fast"}, &err)) << err;
    EXPECT_EQ(std::string::npos, err.find("replay")) << err;
    EXPECT_EQ(saved, qtest::filesUnder(wd.path() + "/save"));
}

TEST(Replay, ARecordingThatNoLongerFitsStopsAtTheFirstDifference)
{
    qtest::WorkDir wd;
    freshGame(wd);
    // The committed sitting, with the player one pixel off in one frame's check.
    std::string rec = qtest::readFile(qtest::sourceDir() + "/tests/recordings/saltmere-walk.rec");
    size_t f = rec.find("\nf 100 ");
    ASSERT_NE(std::string::npos, f);
    size_t x = f + 7;
    rec.replace(x, rec.find(' ', x) - x, "-1.00");
    wd.write("bent.rec", rec);
    std::string err;
    EXPECT_EQ(1, runWith({"--replay", "bent.rec", "--fast"}, &err));
    EXPECT_NE(std::string::npos, err.find("replay diverged at frame 100: recorded \"100 -1.00 ")) << err;
    EXPECT_TRUE(qtest::filesUnder(wd.path() + "/save").size() <= 1) << "nothing saved after the stop";

    // The committed sitting as it is still plays to its end.
    wd.write("save/.gitkeep", "");
    EXPECT_EQ(0, runWith({"--replay", qtest::sourceDir() + "/tests/recordings/saltmere-walk.rec", "--fast"}, &err))
        << err;
    EXPECT_GT(qtest::filesUnder(wd.path() + "/save").size(), 1u);
}

TEST(Replay, BadArgumentsAndFilesAreRefusedWithAMessage)
{
    qtest::WorkDir wd;
    std::string err;
    EXPECT_EQ(2, runWith({"--replay"}, &err));
    EXPECT_NE(std::string::npos, err.find("usage: quorvane")) << err;
    EXPECT_EQ(2, runWith({"--fast"}, &err));
    EXPECT_EQ(2, runWith({"--record", "a", "--bogus"}, &err));
    EXPECT_NE(std::string::npos, err.find("unknown argument --bogus")) << err;
    wd.write("old.rec", "quorvane-replay 0\nseed 1\n");
    EXPECT_EQ(1, runWith({"--replay", "old.rec"}, &err));
    EXPECT_NE(std::string::npos, err.find("old.rec:1: not a recording")) << err;
    wd.write("junk.rec", "quorvane-replay 1\nseed 1\nt 5\nzap\n");
    EXPECT_EQ(1, runWith({"--replay", "junk.rec"}, &err));
    EXPECT_NE(std::string::npos, err.find("junk.rec:4: not a line of a recording")) << err;
    std::string out;
    EXPECT_EQ(0, runWith({"--help"}, &err, &out));
    EXPECT_NE(std::string::npos, out.find("--replay FILE")) << out;
}

// A fight ends the program at once when the window closes. A replay that stops there (it diverged or
// ran out, and every screen is being closed) still ends it with a failure, as the entry does.
TEST(ReplayDeathTest, AReplayThatStopsInAFightEndsTheProgramWithAFailure)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            qtest::World w;
            w.fill(TILE_GRASS);
            w.startFight();
            FILE* f = fopen("short.rec", "w");
            fputs(REPLAY_VERSION_LINE "\nseed 1\n", f);
            fclose(f);
            startReplay("short.rec", true);
            // The recording has nothing more: the first clock reading stops the replay, and the
            // polls that follow close the window.
            gameTicks();
            for (int i = 0; i < 4; i++)
                w.game->getFightInput();
        },
        testing::ExitedWithCode(1), "replay");
}
