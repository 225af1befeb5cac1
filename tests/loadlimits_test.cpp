// loadlimits_test.cpp -- every file the engine reads: pipes, devices and huge files count as missing, at once.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <gtest/gtest.h>
#include "fakeassets.h"
#include "game.h"
#include "harness.h"
#include "minigame.h"
#include "world.h"

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
    std::unique_ptr<CGame> quietGame();

    // The mini game in "g", written afresh (the special files of an earlier
    // round go first, as writing into a pipe would wait for a reader), with
    // the files at `paths` made special files of `kind`.
    void miniGameWith(Special kind, std::initializer_list<const char*> paths)
    {
        ASSERT_EQ(0, system("rm -rf g"));
        qtest::writeMiniGame(wd, "g");
        qtest::mkdirs("g/ending");
        for (const char* p : paths)
            makeSpecial(p, kind);
    }

    WorkDir wd;
};

// Runs f quietly; answers the error text and how long f took, in seconds.
template <class F>
std::string quietly(F f, double& seconds, std::string* out = NULL)
{
    return qtest::quietly([&] { seconds = secondsOf(f); }, out);
}

} // namespace

std::unique_ptr<CGame> LoadLimits::quietGame()
{
    std::unique_ptr<CGame> g;
    double t;
    quietly([&] { g.reset(new CGame()); }, t);
    return g;
}

// A later record file of each series ends that series, as a missing one does;
// vars.sav makes the load fail as when it is missing.
TEST_F(LoadLimits, RecordFilesAndVarsCountAsMissing)
{
    for (Special kind : KINDS) {
        SCOPED_TRACE(nameOf(kind));
        miniGameWith(kind, {"g/npcdef/1.def", "g/idef/1.def", "g/qdef/1.def"});
        std::unique_ptr<CGame> g = quietGame();
        int result = -2;
        double t;
        std::string err = quietly([&] { result = g->loadGame("g"); }, t);
        EXPECT_LT(t, BOUND);
        EXPECT_EQ(0, result);
        EXPECT_EQ(1u, g->actorList.size());
        EXPECT_EQ(1u, g->itemVec.size());
        EXPECT_EQ(1u, g->questList.size());
        EXPECT_NE(std::string::npos, err.find("g/npcdef/1.def")) << err;
        EXPECT_TRUE(refused(err)) << err;

        makeSpecial("g/vars.sav", kind);
        g = quietGame();
        err = quietly([&] { result = g->loadGame("g"); }, t);
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
        miniGameWith(kind, {"g/map.dat"});
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
        miniGameWith(kind, {"g/intro.txt", "config.cfg", "g/ending/0.png"});
        std::unique_ptr<CGame> g;
        double t;
        std::string out;
        std::string err = quietly(
            [&] {
                g.reset(new CGame());
                g->ScrollyText("g/intro.txt");
                g->loadAndShowEnding("g");
            },
            t, &out);
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
        double t;
        std::string err = quietly([&] { g.reset(new CGame()); }, t);
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

namespace {

// A size-only picture: a PNG or BMP header claiming width by height, with no
// pixels behind it.
std::string pictureHeader(bool png, Uint32 width, Uint32 height)
{
    auto be = [](Uint32 v) {
        return std::string{(char)(v >> 24), (char)(v >> 16), (char)(v >> 8), (char)v};
    };
    auto le = [](Uint32 v) {
        return std::string{(char)v, (char)(v >> 8), (char)(v >> 16), (char)(v >> 24)};
    };
    if (png)
        return std::string("\x89PNG\r\n\x1a\n", 8) + be(13) + "IHDR" + be(width) + be(height) +
               std::string("\x08\x06\0\0\0", 5) + std::string(64, 'x');
    return "BM" + le(54) + le(0) + le(54) + le(40) + le(width) + le(height) + std::string("\x01\0\x18\0", 4) +
           std::string(64, '\0');
}

// A real picture of one colour, as a BMP.
void writeSlide(const std::string& path, int width, int height, Uint32 rgb)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(s, NULL, rgb);
    ASSERT_EQ(0, SDL_SaveBMP(s, path.c_str())) << path;
    SDL_FreeSurface(s);
}

long peakKilobytes()
{
    struct rusage u;
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

std::string varsFile(const std::string& dir)
{
    std::string s = "Title\n0\n0\n0\n0\n";
    for (int i = 0; i < 40; i++)
        s += "0\n";
    return s + dir + "\n";
}

} // namespace

// Pictures whose header gives a size beyond the window are passed over
// without being decoded; the first that fits is shown.
TEST_F(LoadLimits, SlidesLargerThanTheWindowAreSkippedUnread)
{
    qtest::mkdirs("g/ending");
    wd.write("g/ending/0.png", pictureHeader(true, 16000, 16000));
    wd.write("g/ending/1.png", pictureHeader(false, 16000, 16000));
    writeSlide("g/ending/2.png", 900, 100, 0x00ff00);
    writeSlide("g/ending/3.png", 200, 100, 0xff0000);
    std::unique_ptr<CGame> g = quietGame();
    qtest::pushKey(SDLK_ESCAPE);
    testing::internal::CaptureStderr();
    double t = secondsOf([&] { g->loadAndShowEnding("g"); });
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_LT(t, BOUND);
    EXPECT_NE(std::string::npos, err.find("g/ending/0.png is 16000 by 16000 pixels")) << err;
    EXPECT_NE(std::string::npos, err.find("g/ending/1.png is 16000 by 16000 pixels")) << err;
    EXPECT_NE(std::string::npos, err.find("g/ending/2.png is 900 by 100 pixels")) << err;
    EXPECT_EQ(0xff0000u, qtest::pixelAt(g->screen, 400, 300));   // slide 3, centred
    EXPECT_TRUE(g->bMustQuit && g->bPleaseLoadGame);
}

// 2,500 window-sized slides: the show holds two of them, not all.
TEST_F(LoadLimits, ManySlidesKeepMemoryFlat)
{
    qtest::mkdirs("g/ending");
    writeSlide("g/ending/0.png", 800, 600, 0x0000ff);
    for (int i = 1; i < 2500; i++)
        ASSERT_EQ(0, link("g/ending/0.png", ("g/ending/" + std::to_string(i) + ".png").c_str()));
    std::unique_ptr<CGame> g = quietGame();
    long before = peakKilobytes();
    qtest::pushKey(SDLK_ESCAPE);
    double t = secondsOf([&] { g->loadAndShowEnding("g"); });
    EXPECT_LT(t, BOUND);
    EXPECT_LT(peakKilobytes() - before, 100 * 1024);
    EXPECT_TRUE(g->bMustQuit);
}

// The dir line of vars.sav names a game folder or is replaced by the folder
// the file was read from.
TEST_F(LoadLimits, EndingsFolderMustBeAGameFolder)
{
    qtest::mkdirs("g");
    qtest::mkdirs("Game-2");
    struct Case { const char* dir; const char* expect; };
    const Case cases[] = {
        {"/tmp", "g"}, {"../..", "g"}, {"..", "g"}, {".", "g"}, {"", "g"}, {"g/../..", "g"},
        {"nosuchgame1", "g"}, {"tutorial", "tutorial"}, {"Game-2", "Game-2"}, {"g", "g"},
    };
    for (const Case& c : cases) {
        wd.write("g/vars.sav", varsFile(c.dir));
        MiscVars v;
        testing::internal::CaptureStderr();
        EXPECT_EQ(0, v.serializeFrom("g/vars.sav"));
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(c.expect, v.dir) << c.dir;
        EXPECT_EQ(std::string(c.expect) != c.dir, err.find("is not a game folder") != std::string::npos)
            << c.dir << ": " << err;
    }
}

namespace {

// A PCM sound of 100 samples with the given header fields.
std::string wavFile(Uint16 channels, Uint32 rate, Uint16 bits = 16, Uint16 tag = 1)
{
    auto le = [](Uint32 v, int n) {
        std::string s;
        for (int i = 0; i < n; i++)
            s.push_back((char)(v >> (8 * i)));
        return s;
    };
    Uint16 align = (Uint16)(channels * bits / 8);
    std::string data(200, '\x10');
    return "RIFF" + le(36 + (Uint32)data.size(), 4) + "WAVE" + "fmt " + le(16, 4) + le(tag, 2) + le(channels, 2) +
           le(rate, 4) + le(rate * align, 4) + le(align, 2) + le(bits, 2) + "data" + le((Uint32)data.size(), 4) +
           data;
}

} // namespace

// The mixer's converter crashes on a sound of no channels or no sample rate;
// such a sound, or any other the mixer cannot play, stays silent.
TEST_F(LoadLimits, BrokenSoundHeadersStaySilent)
{
    const std::string bad[] = {
        wavFile(0, 22050), wavFile(1, 0), wavFile(2, 0), wavFile(9, 22050), wavFile(1, 3), wavFile(1, 22050, 0),
        wavFile(1, 22050, 12), wavFile(1, 22050, 16, 85), wavFile(1, 22050).substr(0, 30), "RIFF", "",
    };
    for (size_t i = 0; i < sizeof bad / sizeof bad[0]; i++)
        wd.write("data/assets/sounds/" + std::to_string(i) + ".wav", bad[i]);
    wd.write("data/assets/sounds/13.wav", wavFile(2, 44100, 8));
    std::unique_ptr<CGame> g;
    double t;
    std::string err = quietly([&] { g.reset(new CGame()); }, t);
    for (size_t i = 0; i < sizeof bad / sizeof bad[0]; i++) {
        EXPECT_EQ(nullptr, g->audio.sfx[i]) << i;
        EXPECT_NE(std::string::npos, err.find("sounds/" + std::to_string(i) + ".wav is damaged")) << i << err;
    }
    EXPECT_NE(nullptr, g->audio.sfx[13]);
    EXPECT_NE(std::string::npos, err.find("has 0 channels")) << err;
    EXPECT_NE(std::string::npos, err.find("sample rate is 0 Hz")) << err;
    testing::internal::CaptureStderr();
    g->playSound(SOUND_FIGHT_WON);
    EXPECT_EQ("sound 0 is missing, out of range or damaged\n", testing::internal::GetCapturedStderr());
}

// 20,000 items lying at the player's feet with no picture: each is reported
// once, however many frames draw them.
TEST(Reports, EachItemWithoutAPictureIsReportedOnce)
{
    qtest::World w;
    CGame& g = *w.game;
    w.addActor(480, 480, true);
    const int COUNT = 20000;
    for (int i = 0; i < COUNT; i++)
        w.addItem(ITEM_PLAIN, OWNER_MAP, 480, 480)->icon = 99;
    testing::internal::CaptureStderr();
    double t = secondsOf([&] {
        for (int frame = 0; frame < 30; frame++)
            g.drawSprites();
    });
    std::string err = testing::internal::GetCapturedStderr();
    size_t lines = 0;
    for (size_t p = 0; (p = err.find("Invalid item 99 requested\n", p)) != std::string::npos; p++)
        lines++;
    EXPECT_EQ((size_t)COUNT, lines);
    EXPECT_LT(t, BOUND);
}
