// startup_test.cpp -- building the game object: config.cfg keywords, window, caption, start state.
#include <cstring>
#include <gtest/gtest.h>
#include <SDL_image.h>
#include "configfile.h"
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

// The start state, silently without a config.cfg, and again when the game object is rebuilt
// after a game changed it.
TEST(Startup, MissingConfigGivesDefaultsSilently)
{
    WorkDir wd;
    testing::internal::CaptureStdout();
    for (int build = 0; build < 2; build++) {
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
        EXPECT_EQ(TILE_GRASS, game.theMap->getTileAt(10, 10));
        char* title = nullptr;
        char* icon = nullptr;
        SDL_WM_GetCaption(&title, &icon);
        EXPECT_STREQ("Quorvane 2.0", title);
        game.audio.bSoundOff = true;
        game.vars.gameName = "Some loaded game";
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
        ASSERT_EQ(game.art.icons[ICON_WINDOW], windowIcon);
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

// Each keyword of config.cfg prints its confirmation and takes effect; lines match exactly, an
// overlong line or one holding a NUL byte matches nothing and spares the next, and the window
// modes follow the file's order.
TEST(Startup, ConfigKeywords)
{
    struct Case
    {
        std::string config;
        int width;
        bool fullscreen;
        float talk;
        bool cheat, noalpha, fastwater, debug;
        const char* printed;   // a run of lines the start-up prints, or "" for none in particular
        const char* notPrinted;   // or nullptr
    };
    const std::string longLine(300, 'q');
    const Case cases[] = {
        {"\n", 800, false, 1700, false, false, false, false, "Reading from config.cfg....\n", nullptr},
        {"pickpocketry\nnoalpha\nlongtalk\nfastwater\ndebug\n", 800, false, 2500, true, true, true, true,
         "Reading from config.cfg....\n"
         "\tCheating fucker, you enabled invincible lockpick mode!\n"
         "\tDisabled Alpha\n"
         "\tTalk timer slowed\n"
         "\tFast water enabled\n"
         "\tHello developers\n",
         "Windowed"},
        {"longtalk\nlongtalk\n", 800, false, 2500, false, false, false, false, "", nullptr},
        {"debug \nDEBUG\ndebug\r\nfastwater\n", 800, false, 1700, false, false, true, false, "", "Hello developers"},
        {"fullscreen\nwindowed\n", 800, false, 1700, false, false, false, false,
         "\tEnabled fullscreen\n\tWindowed mode enabled\n", nullptr},
        {"widescreen\nwindowed\n", 1024, false, 1700, false, false, false, false,
         "\tEnabled widescreen! Windowing..\n", nullptr},
        {"windowed\nfullscreen\n", 800, true, 1700, false, false, false, false, "", nullptr},
        {"widescreen\nfs\n", 1024, true, 1700, false, false, false, false, "", nullptr},
        {"fullscreen\nwidescreen\n", 1024, false, 1700, false, false, false, false, "", nullptr},
        // The debug line is glued to the long one.
        {"longtalk\n" + longLine + "debug\nfastwater\n", 800, false, 2500, false, false, true, false, "", nullptr},
        {std::string("debug\0junk\nfastwater\n", 21) + "longtalk\n", 800, false, 2500, false, false, true, false,
         "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.config);
        Built b = build(c.config);
        EXPECT_EQ(c.width, b.width);
        EXPECT_EQ(c.fullscreen, b.fullscreen);
        EXPECT_FLOAT_EQ(c.talk, b.talk);
        EXPECT_EQ(c.cheat, b.cheat);
        EXPECT_EQ(c.noalpha, b.noalpha);
        EXPECT_EQ(c.fastwater, b.fastwater);
        EXPECT_EQ(c.debug, b.debug);
        EXPECT_NE(std::string::npos, b.out.find(c.printed)) << b.out;
        if (c.notPrinted) {
            EXPECT_EQ(std::string::npos, b.out.find(c.notPrinted)) << b.out;
        }
    }
}

// Every switch of the options table: off without a config.cfg, on with its line, each printing
// its confirmation in file order.
TEST(Startup, EveryOptionSwitchTurnsOnWithItsLine)
{
    std::string config, printed = "Reading from config.cfg....\n";
    for (size_t i = 0; i < CONFIG_OPTION_COUNT; i++) {
        if (CONFIG_OPTIONS[i].flag) {
            config += std::string(CONFIG_OPTIONS[i].keyword) + "\n";
            printed += std::string(CONFIG_OPTIONS[i].confirmation) + "\n";
        }
    }
    testing::internal::CaptureStdout();
    for (const std::string& cfg : {std::string(), config}) {
        WorkDir wd(cfg);
        CGame game;
        for (size_t i = 0; i < CONFIG_OPTION_COUNT; i++) {
            if (CONFIG_OPTIONS[i].flag) {
                EXPECT_EQ(!cfg.empty(), game.vars.*CONFIG_OPTIONS[i].flag) << CONFIG_OPTIONS[i].keyword;
            }
        }
    }
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(std::string::npos, out.find(printed)) << out;
}

// The README's table of config.cfg lists every keyword the game reads.
TEST(Startup, ReadmeListsEveryKeyword)
{
    std::string readme = qtest::readFile(qtest::sourceDir() + "/README.md");
    size_t from = readme.find("\n## config.cfg\n");
    ASSERT_NE(std::string::npos, from);
    std::string section = readme.substr(from, readme.find("\n## ", from + 1) - from), rows;
    for (size_t at = 0; (at = section.find("\n| ", at)) != std::string::npos; at++)
        rows += section.substr(at, section.find('|', at + 3) - at);
    for (size_t i = 0; i < CONFIG_OPTION_COUNT; i++)
        EXPECT_NE(std::string::npos, rows.find("`" + std::string(CONFIG_OPTIONS[i].keyword) + "`"))
            << CONFIG_OPTIONS[i].keyword << " is missing from README.md's config.cfg table";
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
