// loadlimits_test.cpp -- every file the engine reads: pipes, devices and huge files count as missing, at once.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <gtest/gtest.h>
#include "fakeassets.h"
#include "game.h"
#include "harness.h"
#include "minigame.h"

using qtest::WorkDir;

namespace {

// The three kinds of file a game folder (or a zip of one) can hold that no
// reader must wait on: a named pipe, a link to an endless device and a sparse
// file of 1 GiB, which costs no disk.
enum class Special { Pipe, EndlessDevice, Huge };
const Special KINDS[] = {Special::Pipe, Special::EndlessDevice, Special::Huge};

const char* nameOf(Special k)
{
    return k == Special::Pipe ? "named pipe" : k == Special::EndlessDevice ? "link to /dev/zero" : "1 GiB file";
}

void makeSpecial(const std::string& path, Special kind)
{
    unlink(path.c_str());
    if (kind == Special::Pipe) {
        ASSERT_EQ(0, mkfifo(path.c_str(), 0600)) << path;
    } else if (kind == Special::EndlessDevice) {
        ASSERT_EQ(0, symlink("/dev/zero", path.c_str())) << path;
    } else {
        int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ASSERT_GE(fd, 0) << path;
        ASSERT_EQ(0, ftruncate(fd, 1LL << 30));
        close(fd);
    }
}

template <class F>
double secondsOf(F f)
{
    auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// What the reader says when it turns a file away.
bool refused(const std::string& err)
{
    return err.find("is not a regular file; treated as missing") != std::string::npos ||
           err.find("is larger than") != std::string::npos;
}

const double BOUND = 5.0;   // seconds; a refused file takes milliseconds

class LoadLimits : public testing::Test
{
protected:
    LoadLimits() : wd("", false) { qtest::writeFakeAssets(wd.path(), qtest::FakeAssets()); }

    // A fresh game object, built quietly.
    std::unique_ptr<CGame> quietGame()
    {
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        std::unique_ptr<CGame> g(new CGame());
        testing::internal::GetCapturedStdout();
        testing::internal::GetCapturedStderr();
        return g;
    }

    WorkDir wd;
};

} // namespace

// A later record file of each series ends that series, as a missing one does;
// vars.sav makes the load fail as when it is missing.
TEST_F(LoadLimits, RecordFilesAndVarsCountAsMissing)
{
    for (Special kind : KINDS) {
        SCOPED_TRACE(nameOf(kind));
        ASSERT_EQ(0, system("rm -rf g"));
        qtest::writeMiniGame(wd, "g");
        makeSpecial("g/npcdef/1.def", kind);
        makeSpecial("g/idef/1.def", kind);
        makeSpecial("g/qdef/1.def", kind);
        std::unique_ptr<CGame> g = quietGame();
        int result = -2;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        double t = secondsOf([&] { result = g->loadGame("g"); });
        testing::internal::GetCapturedStdout();
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_LT(t, BOUND);
        EXPECT_EQ(0, result);
        EXPECT_EQ(1u, g->actorList.size());
        EXPECT_EQ(1u, g->itemVec.size());
        EXPECT_EQ(1u, g->questList.size());
        EXPECT_NE(std::string::npos, err.find("g/npcdef/1.def")) << err;
        EXPECT_TRUE(refused(err)) << err;

        makeSpecial("g/vars.sav", kind);
        g = quietGame();
        testing::internal::CaptureStderr();
        t = secondsOf([&] { result = g->loadGame("g"); });
        err = testing::internal::GetCapturedStderr();
        EXPECT_LT(t, BOUND);
        EXPECT_EQ(-1, result);
        EXPECT_TRUE(refused(err)) << err;
        EXPECT_NE(std::string::npos, err.find("*** ERROR *** File not found: g/vars.sav")) << err;
    }
}

TEST_F(LoadLimits, MapFileCountsAsMissing)
{
    for (Special kind : KINDS) {
        SCOPED_TRACE(nameOf(kind));
        ASSERT_EQ(0, system("rm -rf g"));
        qtest::writeMiniGame(wd, "g");
        makeSpecial("g/map.dat", kind);
        double t = secondsOf([&] {
            EXPECT_EXIT(
                {
                    std::unique_ptr<CGame> g(new CGame());
                    g->loadGame("g");
                },
                testing::ExitedWithCode(1), "treated as missing\n(.|\n)*map file g/map.dat is missing");
        });
        EXPECT_LT(t, BOUND);
    }
}

// The texts roll nothing and return at once; the options file counts as
// absent; an ending with no readable first slide shows nothing.
TEST_F(LoadLimits, TextsOptionsAndSlidesCountAsMissing)
{
    for (Special kind : KINDS) {
        SCOPED_TRACE(nameOf(kind));
        ASSERT_EQ(0, system("rm -rf g"));
        qtest::writeMiniGame(wd, "g");
        makeSpecial("g/intro.txt", kind);
        makeSpecial("config.cfg", kind);
        qtest::mkdirs("g/ending");
        makeSpecial("g/ending/0.png", kind);
        std::unique_ptr<CGame> g;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        double t = secondsOf([&] {
            g.reset(new CGame());
            g->ScrollyText("g/intro.txt");
            g->loadAndShowEnding("g");
        });
        std::string out = testing::internal::GetCapturedStdout();
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_LT(t, BOUND);
        EXPECT_EQ(std::string::npos, out.find("Reading from config.cfg")) << out;
        EXPECT_EQ(std::string::npos, out.find("Loading comments")) << out;
        EXPECT_NE(std::string::npos, err.find("config.cfg")) << err;
        EXPECT_NE(std::string::npos, err.find("g/intro.txt is missing\n")) << err;
        EXPECT_NE(std::string::npos, err.find("g/ending/0.png")) << err;
        EXPECT_FALSE(g->bMustQuit);
        EXPECT_FALSE(g->bPleaseLoadGame);
        unlink("config.cfg");
    }
}

// An item picture ends its series there; a sound stays silent.
TEST_F(LoadLimits, PicturesAndSoundsCountAsMissing)
{
    for (Special kind : KINDS) {
        SCOPED_TRACE(nameOf(kind));
        makeSpecial("data/assets/items/1.png", kind);
        makeSpecial("data/assets/sounds/3.wav", kind);
        std::unique_ptr<CGame> g;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        double t = secondsOf([&] { g.reset(new CGame()); });
        testing::internal::GetCapturedStdout();
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_LT(t, BOUND);
        EXPECT_EQ(1u, g->art.items.size());
        EXPECT_EQ(nullptr, g->audio.sfx[3]);
        EXPECT_NE(nullptr, g->audio.sfx[4]);
        EXPECT_NE(std::string::npos, err.find("data/assets/sounds/3.wav")) << err;
        EXPECT_TRUE(refused(err)) << err;
        g.reset();
        unlink("data/assets/items/1.png");
        unlink("data/assets/sounds/3.wav");
        qtest::writeFakeAssets(wd.path(), qtest::FakeAssets());
    }
}
