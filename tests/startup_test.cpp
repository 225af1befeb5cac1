// startup_test.cpp -- building the game object: config.cfg keywords, window, caption, start state.
#include <cstring>
#include <gtest/gtest.h>
#include <SDL_image.h>
#include "game.h"
#include "harness.h"
#include "fakeassets.h"
#include "seam.h"

using qtest::WorkDir;

using qtest::windowIcon;
using qtest::windowIconMask;

namespace {

struct Built
{
    std::string out;
    int width = 0;
    bool fullscreen = false;
    float talk = 0;
    bool cheat = false, noalpha = false, fastwater = false, debug = false;
};

Built build(const std::string& config)
{
    WorkDir wd(config);
    testing::internal::CaptureStdout();
    Built b;
    {
        CGame game;
        b.width = game.screen->w;
        b.fullscreen = (game.screen->flags & SDL_FULLSCREEN) != 0;
        EXPECT_EQ(b.width, game.SCREEN_WIDTH);
        EXPECT_EQ(600, game.screen->h);
        b.talk = game.TALK_TIMER;
        b.cheat = game.vars.bCheatPick;
        b.noalpha = game.vars.bNoAlpha;
        b.fastwater = game.vars.bFastWater;
        b.debug = game.vars.debugMode;
    }
    b.out = testing::internal::GetCapturedStdout();
    return b;
}

} // namespace

TEST(Startup, MissingConfigGivesDefaultsSilently)
{
    WorkDir wd;
    testing::internal::CaptureStdout();
    {
        CGame game;
        EXPECT_EQ(800, game.SCREEN_WIDTH);
        EXPECT_EQ(800, game.screen->w);
        EXPECT_FLOAT_EQ(1700.0f, game.TALK_TIMER);
        EXPECT_FALSE(game.bMustQuit);
        EXPECT_FALSE(game.bPleaseLoadGame);
        EXPECT_FALSE(game.bPlayingGame);
        EXPECT_EQ(0, game.mode);
        EXPECT_EQ("Brassfinch Cloudbarrow University", game.vars.gameName);
        EXPECT_EQ("data", game.vars.dir);
        EXPECT_FALSE(game.audio.bSoundOff);
        EXPECT_EQ(nullptr, game.player);
        EXPECT_EQ(nullptr, game.enemy);
        EXPECT_EQ(nullptr, game.joystick);
        ASSERT_NE(nullptr, game.theMap);
        EXPECT_EQ(0, game.theMap->getTileAt(10, 10));
        char* title = nullptr;
        char* icon = nullptr;
        SDL_WM_GetCaption(&title, &icon);
        EXPECT_STREQ("Quorvane 2.0", title);
    }
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::string::npos, out.find("Reading from config.cfg"));
    EXPECT_EQ(std::string::npos, out.find("Joystick"));
    EXPECT_NE(std::string::npos, out.find("Loading audio\n"));
    EXPECT_NE(std::string::npos, out.find("Assets loaded.\n"));
    EXPECT_NE(std::string::npos, out.find("art assets unloaded\n"));
}

// The window shows the game's icon: the art tool's shield and sword, the same
// picture as the desktop entry's icon, with the magenta around it keyed out.
TEST(Startup, TheWindowIconIsTheGamesIconWithMagentaKeyedOut)
{
    WorkDir wd;
    SDL_Surface* desktop = IMG_Load((qtest::sourceDir() + "/data/assets/desktop/32x32.png").c_str());
    ASSERT_NE(nullptr, desktop);
    testing::internal::CaptureStdout();
    {
        windowIcon = nullptr;
        CGame game;
        ASSERT_EQ(game.art.icons[27], windowIcon);
        EXPECT_EQ(nullptr, windowIconMask);
        ASSERT_TRUE(windowIcon->flags & SDL_SRCCOLORKEY);
        Uint8 r, g, b, a;
        SDL_GetRGB(windowIcon->format->colorkey, windowIcon->format, &r, &g, &b);
        EXPECT_EQ(0xff00ffu, Uint32(r) << 16 | g << 8 | b);
        ASSERT_EQ(desktop->w, windowIcon->w);
        ASSERT_EQ(desktop->h, windowIcon->h);
        int keyed = 0;
        for (int y = 0; y < windowIcon->h; y++)
            for (int x = 0; x < windowIcon->w; x++) {
                Uint32 shown = qtest::pixelAt(windowIcon, x, y);
                SDL_LockSurface(desktop);
                Uint32 v = 0;
                memcpy(&v, (Uint8*)desktop->pixels + y * desktop->pitch + x * desktop->format->BytesPerPixel,
                       desktop->format->BytesPerPixel);
                SDL_UnlockSurface(desktop);
                SDL_GetRGBA(v, desktop->format, &r, &g, &b, &a);
                if (shown == 0xff00ff) {
                    keyed++;
                    EXPECT_EQ(0, a) << x << "," << y;
                } else {
                    EXPECT_EQ(255, a) << x << "," << y;
                    EXPECT_EQ(Uint32(r) << 16 | g << 8 | b, shown) << x << "," << y;
                }
            }
        EXPECT_GT(keyed, 100);
    }
    testing::internal::GetCapturedStdout();
    SDL_FreeSurface(desktop);
}

TEST(Startup, EmptyConfigOnlyAnnouncesReading)
{
    Built b = build("\n");
    EXPECT_NE(std::string::npos, b.out.find("Reading from config.cfg....\n"));
    EXPECT_EQ(800, b.width);
    EXPECT_FALSE(b.fullscreen);
}

TEST(Startup, EveryKeywordPrintsItsConfirmationAndTakesEffect)
{
    Built b = build("pickpocketry\nnoalpha\nlongtalk\nfastwater\ndebug\n");
    EXPECT_NE(std::string::npos,
              b.out.find("Reading from config.cfg....\n"
                         "\tCheating fucker, you enabled invincible lockpick mode!\n"
                         "\tDisabled Alpha\n"
                         "\tTalk timer slowed\n"
                         "\tFast water enabled\n"
                         "\tHello developers\n"));
    EXPECT_TRUE(b.cheat);
    EXPECT_TRUE(b.noalpha);
    EXPECT_TRUE(b.fastwater);
    EXPECT_TRUE(b.debug);
    EXPECT_FLOAT_EQ(2500.0f, b.talk);
}

TEST(Startup, LongtalkTwiceStaysAt2500)
{
    EXPECT_FLOAT_EQ(2500.0f, build("longtalk\nlongtalk\n").talk);
}

TEST(Startup, LinesMustMatchExactly)
{
    Built b = build("debug \nDEBUG\ndebug\r\nfastwater\n");
    EXPECT_FALSE(b.debug);
    EXPECT_TRUE(b.fastwater);
    EXPECT_EQ(std::string::npos, b.out.find("Hello developers"));
}

TEST(Startup, WindowModesFollowFileOrder)
{
    Built a = build("fullscreen\nwindowed\n");
    EXPECT_FALSE(a.fullscreen);
    EXPECT_EQ(800, a.width);
    EXPECT_NE(std::string::npos, a.out.find("\tEnabled fullscreen\n\tWindowed mode enabled\n"));

    Built b = build("widescreen\nwindowed\n");
    EXPECT_FALSE(b.fullscreen);
    EXPECT_EQ(1024, b.width);
    EXPECT_NE(std::string::npos, b.out.find("\tEnabled widescreen! Windowing..\n"));

    Built c = build("windowed\nfullscreen\n");
    EXPECT_TRUE(c.fullscreen);
    EXPECT_EQ(800, c.width);

    Built d = build("widescreen\nfs\n");
    EXPECT_TRUE(d.fullscreen);
    EXPECT_EQ(1024, d.width);

    Built e = build("fullscreen\nwidescreen\n");
    EXPECT_FALSE(e.fullscreen);
    EXPECT_EQ(1024, e.width);
}

TEST(Startup, OverlongLineIsSkippedAndReadingGoesOn)
{
    std::string longLine(300, 'q');
    Built b = build("longtalk\n" + longLine + "debug\n" + "fastwater\n");
    EXPECT_FLOAT_EQ(2500.0f, b.talk);
    EXPECT_FALSE(b.debug);   // glued to the long line
    EXPECT_TRUE(b.fastwater);
}

TEST(Startup, ALineHoldingANulByteMatchesNothingAndSparesTheNextLine)
{
    Built b = build(std::string("debug\0junk\nfastwater\n", 21) + "longtalk\n");
    EXPECT_FALSE(b.debug);
    EXPECT_TRUE(b.fastwater);
    EXPECT_FLOAT_EQ(2500.0f, b.talk);
}

TEST(Startup, RebuildingRestoresStartState)
{
    WorkDir wd;
    testing::internal::CaptureStdout();
    {
        CGame* game = new CGame();
        game->audio.bSoundOff = true;
        game->vars.gameName = "Some loaded game";
        delete game;
        game = new CGame();
        EXPECT_FALSE(game->audio.bSoundOff);
        EXPECT_EQ("Brassfinch Cloudbarrow University", game->vars.gameName);
        delete game;
    }
    testing::internal::GetCapturedStdout();
}

TEST(Startup, MissingFontEndsStartup)
{
    EXPECT_EXIT(
        {
            WorkDir wd("", false);
            qtest::FakeAssets fake;
            fake.font = false;
            qtest::writeFakeAssets(wd.path(), fake);
            CGame game;
        },
        testing::ExitedWithCode(1), "Could not open the font data/assets/font.ttf");
}

TEST(Startup, WipeEntitiesEmptiesCharactersAndQuestsButKeepsItems)
{
    WorkDir wd;
    testing::internal::CaptureStdout();
    {
        CGame game;
        game.actorList.push_back(new Actor());
        game.actorList.push_back(new Actor());
        game.questList.push_back(new Quest());
        game.itemVec.push_back(new Item());
        game.wipeEntities();
        EXPECT_TRUE(game.actorList.empty());
        EXPECT_TRUE(game.questList.empty());
        EXPECT_EQ(1u, game.itemVec.size());
    }
    testing::internal::GetCapturedStdout();
}
