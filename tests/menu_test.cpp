// menu_test.cpp -- the main menu, the custom-game prompt and scrolling text, driven by real events.
#include <gtest/gtest.h>
#include <vector>
#include "minigame.h"
#include "script.h"
#include "seam.h"
#include "world.h"
#include "credits.h"

using qtest::World;

namespace {

struct Menu : qtest::GameTest
{
    void SetUp() override
    {
        GameTest::SetUp();
        h = g->returnTextHeight();
    }
    void keys(std::initializer_list<SDLKey> ks)
    {
        for (SDLKey k : ks)
            qtest::pushKey(k);
    }
    // Whether the menu row at y shows exactly this text.
    bool rowShows(const char* text, int y)
    {
        // From x 48: the stand-in cursor picture is 48 pixels wide.
        std::vector<Uint32> shown = qtest::pixelBand(g->screen, 48, y, 200, h);
        SDL_Rect r = {20, (Sint16)y, 228, (Uint16)h};
        SDL_FillRect(g->screen, &r, SDL_MapRGB(g->screen->format, 0, 0, 100));
        g->drawTextAt(text, 20, y);
        return qtest::pixelBand(g->screen, 48, y, 200, h) == shown;
    }
    int count(const std::string& text, const std::string& what)
    {
        int n = 0;
        for (size_t p = 0; (p = text.find(what, p)) != std::string::npos; p++)
            n++;
        return n;
    }
    int h = 0;
};

} // namespace

TEST_F(Menu, CursorWrapsAndOnlyEnterOrSpaceConfirm)
{
    keys({SDLK_UP, SDLK_KP_ENTER, SDLK_ESCAPE});
    g->menuLoop();
    EXPECT_FALSE(g->audio.bSoundOff);
    EXPECT_TRUE(g->bMustQuit);

    g->bMustQuit = false;
    keys({SDLK_UP, SDLK_SPACE, SDLK_ESCAPE});
    g->menuLoop();
    EXPECT_TRUE(g->audio.bSoundOff);

    g->bMustQuit = false;
    keys({SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_UP, SDLK_RETURN});
    qtest::pushQuit();
    g->menuLoop();
    EXPECT_FALSE(g->audio.bSoundOff);
}

TEST_F(Menu, SoundSwitchTextAndEffect)
{
    qtest::EventScript script;
    script.keys({SDLK_UP, SDLK_RETURN}).pause(3).keys({SDLK_ESCAPE});
    script.start();
    g->menuLoop();
    EXPECT_TRUE(rowShows("Turn sound on", 20 + 7 * h));
    EXPECT_EQ("", qtest::quietly([&] {
        g->playSound(SOUND_BLOW);
        g->playSound(99);
    }));
}

TEST_F(Menu, EntriesAndCursorAreDrawn)
{
    keys({SDLK_ESCAPE});
    g->menuLoop();
    const char* texts[] = {"New Game", "Tutorial", "Load Game", "Credits", "Exit", "Launch Custom Game...",
                           "Turn sound off"};
    for (int i = 1; i <= 7; i++)
        EXPECT_TRUE(rowShows(texts[i - 1], 20 + i * h)) << texts[i - 1];
    EXPECT_EQ(0x000064u, qtest::pixelAt(g->screen, 700, 500));
}

TEST_F(Menu, FailedLoadGameStaysOnItsEntry)
{
    keys({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN, SDLK_x, SDLK_RETURN, SDLK_x, SDLK_ESCAPE});
    std::string err = qtest::quietly([&] { g->menuLoop(); });
    EXPECT_EQ(2, count(err, "Save game nonexistant at save/vars.sav\n"));
    EXPECT_EQ(2, count(err, "*** ERROR *** File not found: save/vars.sav\n"));
}

TEST_F(Menu, CreditsScrollAndReturnToTheMenu)
{
    w->dir.write("data/credits.txt", "Made by us\n");
    testing::internal::CaptureStdout();
    qtest::EventScript script;
    script.keys({SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN})
        .keys({SDLK_x})
        .keys({SDLK_RETURN})   // still on Credits
        .keys({SDLK_x})
        .keys({SDLK_ESCAPE});
    script.start();
    g->menuLoop();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(2, count(out, "Comments loaded. Engaging.\n"));
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_FALSE(g->bPleaseLoadGame);
}

TEST_F(Menu, PromptNameLoadsThatDirectoryAndPlaysIt)
{
    qtest::writeMiniGame(w->dir, "tutorial", "Tiny Tutorial");
    testing::internal::CaptureStdout();
    qtest::EventScript script;
    script.keys({SDLK_UP, SDLK_UP, SDLK_RETURN})
        .keys({SDLK_a, SDLK_b, SDLK_c, SDLK_BACKSPACE, SDLK_t, SDLK_u, SDLK_t, SDLK_o, SDLK_r, SDLK_i, SDLK_a,
               SDLK_l, SDLK_RETURN})
        .keys({SDLK_x})     // leaves the introduction
        .pause(5)
        .keys({SDLK_F2});   // quits to the menu
    script.start();
    g->menuLoop();
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(std::string::npos, out.find("user input tutorial\n"));
    EXPECT_NE(std::string::npos, out.find("Loading game! tutorial\n"));
    EXPECT_NE(std::string::npos, out.find("Comments loaded. Engaging.\n"));
    ASSERT_NE(nullptr, g->player);
    EXPECT_EQ("Hero", g->player->myName);
    EXPECT_EQ("Tiny Tutorial", g->vars.gameName);
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_TRUE(g->bPleaseLoadGame);
}

// An empty name (the prompt abandoned) names no game: nothing is read, the
// error screen shows, and the menu goes on.
TEST_F(Menu, AbandonedPromptLoadsNothingAndTheMenuGoesOn)
{
    int errorScreens = 0;
    // Looks for the message text on the middle row, where the menu draws nothing.
    auto countErrorScreen = [&] {
        for (int x = 200; x < 600; x++)
            for (int y = 300 - h / 2; y < 300 + h / 2; y++)
                if (qtest::pixelAt(g->screen, x, y) == 0xffffff) {
                    errorScreens++;
                    return;
                }
    };
    qtest::EventScript script;
    script.keys({SDLK_UP, SDLK_UP, SDLK_RETURN})
        .keys({SDLK_q, SDLK_ESCAPE})
        .pause(3)
        .then(countErrorScreen)
        .keys({SDLK_x})   // dismisses "Can't load that game..."
        .keys({SDLK_RETURN})
        .quit()           // abandons the prompt again
        .pause(3)
        .then(countErrorScreen)
        .keys({SDLK_x})
        .keys({SDLK_RETURN})
        .keys({SDLK_RETURN})   // Enter on an empty name
        .pause(3)
        .then(countErrorScreen)
        .keys({SDLK_x})
        .keys({SDLK_ESCAPE});
    script.start();
    std::string out;
    std::string err = qtest::quietly([&] { g->menuLoop(); }, &out);
    EXPECT_EQ(3, count(out, "Loading game! \n"));
    EXPECT_EQ(3, errorScreens);
    EXPECT_EQ(std::string::npos, err.find("vars.sav")) << err;
    EXPECT_EQ(nullptr, g->player);
    EXPECT_FALSE(g->bPleaseLoadGame);
}

// A custom game that cannot be loaded: the menu's message, and under it the reason in the
// player's words.
TEST_F(Menu, AFailedCustomLoadShowsItsReasonUnderTheMessage)
{
    bool reasonShown = false;
    auto lookAtReason = [&] {
        int y = 300 + h;
        std::vector<Uint32> shown = qtest::pixelBand(g->screen, 0, y, g->SCREEN_WIDTH, h);
        SDL_Rect r = {0, (Sint16)y, (Uint16)g->SCREEN_WIDTH, (Uint16)h};
        SDL_FillRect(g->screen, &r, SDL_MapRGB(g->screen->format, 0, 0, 100));
        g->centreTextAt("File not found: myqest/vars.sav", y);
        reasonShown = qtest::pixelBand(g->screen, 0, y, g->SCREEN_WIDTH, h) == shown;
    };
    qtest::EventScript script;
    script.keys({SDLK_UP, SDLK_UP, SDLK_RETURN})
        .keys({SDLK_m, SDLK_y, SDLK_q, SDLK_e, SDLK_s, SDLK_t, SDLK_RETURN})
        .pause(3)
        .then(lookAtReason)
        .keys({SDLK_x})
        .keys({SDLK_ESCAPE});
    script.start();
    qtest::quietly([&] { g->menuLoop(); });
    EXPECT_TRUE(reasonShown);
    EXPECT_EQ("File not found: myqest/vars.sav", g->loadFailure);
}

// Control handed over to another "Plyr" body stays with it through a quick
// save, a return to the menu and Load Game in a fresh game object.
TEST_F(Menu, ATakenOverBodyIsStillThePlayerAfterLoadGame)
{
    qtest::writeMiniGame(w->dir, "data", "Two Bodies");
    w->dir.write("data/npcdef/2.def", qtest::characterFile(540, 530, 40, "Plyr", "", "Twin"));
    testing::internal::CaptureStdout();
    {
        qtest::EventScript script;
        script.keys({SDLK_RETURN})   // New Game
            .keys({SDLK_x})          // leaves the introduction
            .pause(3)
            .keys({SDLK_RETURN})     // talks to the twin, who takes over
            .pause(3)
            .keys({SDLK_F1})
            .pause(3)
            .keys({SDLK_F2});
        script.start();
        g->menuLoop();
    }
    ASSERT_NE(nullptr, g->player);
    ASSERT_EQ("Twin", g->player->myName);
    ASSERT_TRUE(g->bPleaseLoadGame);

    w->game.reset(new CGame());
    g = w->game.get();
    std::string name;
    {
        qtest::EventScript script;
        script.keys({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN})   // Load Game
            .pause(3)
            .then([&] { name = g->player ? g->player->myName : "(none)"; })
            .keys({SDLK_F2});
        script.start();
        g->menuLoop();
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ("Twin", name);
    ASSERT_NE(nullptr, g->player);
    EXPECT_EQ(540, (int)g->player->x);
    EXPECT_EQ(530, (int)g->player->y);
    EXPECT_EQ(3u, g->actorList.size());   // the body left behind is still in the world
}

TEST_F(Menu, PromptTakesLettersOnly)
{
    keys({SDLK_a, SDLK_1, SDLK_PERIOD, SDLK_SLASH});
    qtest::pushKey(SDLK_b, KMOD_LSHIFT);
    keys({SDLK_RETURN});
    std::string out;
    qtest::quietly([&] { EXPECT_EQ("ab", g->inputLoop()); }, &out);
    EXPECT_NE(std::string::npos, out.find("user input ab\n"));

    std::string fifty(50, 'k');
    qtest::pushText(fifty);
    keys({SDLK_RETURN});
    EXPECT_EQ(fifty, g->inputLoop());
    qtest::pushText(fifty + "k");
    keys({SDLK_RETURN});
    EXPECT_EQ("data", g->inputLoop());

    // Escape behind Enter in the same frame still abandons; so do releases and quits.
    keys({SDLK_a, SDLK_RETURN, SDLK_ESCAPE});
    EXPECT_EQ("", g->inputLoop());
    qtest::pushText("ab");
    qtest::pushKeyUp(SDLK_ESCAPE);
    EXPECT_EQ("", g->inputLoop());
    qtest::pushQuit();
    EXPECT_EQ("", g->inputLoop());
    EXPECT_FALSE(g->bMustQuit);
}

TEST_F(Menu, ExitEndsTheMenu)
{
    keys({SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
    g->menuLoop();
    EXPECT_TRUE(g->bMustQuit);   // entry 5 is Exit
}

TEST(ScrollyText, ReadingLimitsAndBlankLines)
{
    World w;
    CGame& g = *w.game;
    int h = g.returnTextHeight();
    // The reader is exercised through the screen; F3 leaves a picture of the first frame.
    w.dir.write("a.txt", "one\n\n\ntwo\n");
    qtest::pushKey(SDLK_F3);
    std::string out;
    qtest::quietly([&] { g.ScrollyText("a.txt"); }, &out);
    EXPECT_NE(std::string::npos, out.find("Loading comments\nComments loaded. Engaging.\n"));
    EXPECT_TRUE(w.dir.exists("sshot.bmp"));
    EXPECT_FLOAT_EQ(0, g.vars.timer_delta);
    EXPECT_EQ(0x000000u, qtest::pixelAt(g.screen, 5, 5));     // top bar
    EXPECT_EQ(0x000000u, qtest::pixelAt(g.screen, 700, 560)); // bottom bar
    EXPECT_EQ(0x000064u, qtest::pixelAt(g.screen, 700, 300));
    (void)h;

    EXPECT_EQ("missing.txt is missing\n", qtest::quietly([&] { g.ScrollyText("missing.txt"); }));

    w.dir.write("empty.txt", "");
    qtest::pushQuit();
    g.ScrollyText("empty.txt");
    EXPECT_FALSE(g.bMustQuit);
}

TEST(ScrollyText, LinesRollUpAt50PixelsPerSecond)
{
    World w;
    CGame& g = *w.game;
    int h = g.returnTextHeight();
    // Entry 1 starts at 550 + h and is last drawn above y 50; with h = 17 that
    // is after (500 + 17) / 50 = 10.3 s. Watch a single line cross the screen.
    w.dir.write("one.txt", "X");
    // The clock moves 5 ms as each frame is shown.
    Uint32 now = 1000;
    qtest::fakeTicks = [&] { return now; };
    qtest::onFlip = [&] { now += 5; };
    qtest::EventScript script;
    bool seenMiddle = false;
    script.pause(500).then([&] { seenMiddle = true; }).keys({SDLK_x});
    script.start();
    Uint32 t0 = SDL_GetTicks();
    g.ScrollyText("one.txt");
    Uint32 took = SDL_GetTicks() - t0;
    qtest::onFlip = nullptr;
    qtest::fakeTicks = nullptr;
    // About 2.5 s in, the line has moved up by about 125 pixels: it is drawn
    // near y 550 + h - 125, below the top bar and above the bottom bar.
    int expectY = 550 + h - (int)(took * 50 / 1000);
    int top = -1;
    for (int y = 70; y < 530 && top < 0; y++)
        for (int x = 100; x < 120; x++)
            if (qtest::pixelAt(g.screen, x, y) == 0xffffff)
                top = y;
    EXPECT_TRUE(seenMiddle);
    // The glyph's first white row lies a few pixels below the line's top.
    EXPECT_GE(top, expectY - 3);
    EXPECT_LE(top, expectY + 15);
}
