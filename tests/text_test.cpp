// text_test.cpp -- text drawing: placement, centring in both widths, alpha, line height, message screen.
#include <gtest/gtest.h>
#include <vector>
#include "game.h"
#include "harness.h"

using qtest::WorkDir;

namespace {

std::vector<Uint32> snapshot(SDL_Surface* s)
{
    std::vector<Uint32> px;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; y++) {
        const Uint32* row = (const Uint32*)((const Uint8*)s->pixels + y * s->pitch);
        px.insert(px.end(), row, row + s->w);
    }
    SDL_UnlockSurface(s);
    return px;
}

void clear(CGame& g) { SDL_FillRect(g.screen, NULL, 0); }

struct TextFixture : testing::Test
{
};

void checkCentring(const char* config, int width)
{
    WorkDir wd(config);
    CGame g;
    ASSERT_EQ(width, g.SCREEN_WIDTH);
    const char* text = "Centre me, please";
    int w = 0, h = 0;
    TTF_SizeText(g.font, text, &w, &h);
    clear(g);
    g.centreTextAt(text, 200);
    std::vector<Uint32> centred = snapshot(g.screen);
    clear(g);
    g.drawTextAt(text, (width - w) / 2, 200);
    EXPECT_EQ(centred, snapshot(g.screen));
    EXPECT_NE(snapshot(g.screen), std::vector<Uint32>(centred.size(), 0));
}

} // namespace

TEST_F(TextFixture, CentringUsesTheWindowWidth)
{
    checkCentring("", 800);
}

TEST_F(TextFixture, CentringUsesTheWideWindowWidth)
{
    checkCentring("widescreen\n", 1024);
}

TEST_F(TextFixture, EmptyTextDrawsNothingAndLineHeightIsStable)
{
    WorkDir wd;
    CGame g;
    clear(g);
    std::vector<Uint32> before = snapshot(g.screen);
    g.drawTextAt("", 10, 10);
    g.centreTextAt("", 10);
    g.drawAlphaTextAt("", 10, 10, 128);
    g.centreAlphaTextAt("", 10, 128);
    EXPECT_EQ(before, snapshot(g.screen));
    EXPECT_EQ(0, g.textHeight);
    int h = g.returnTextHeight();
    EXPECT_GT(h, 0);
    EXPECT_EQ(h, g.textHeight);
    EXPECT_EQ(h, g.returnTextHeight());
}

TEST_F(TextFixture, TextIsWhiteAndAlphaFades)
{
    WorkDir wd;
    CGame g;
    clear(g);
    g.drawAlphaTextAt("Fading words", 20, 20, 0);
    g.centreAlphaTextAt("Fading words", 80, 0);
    EXPECT_EQ(snapshot(g.screen), std::vector<Uint32>(800 * 600, 0));

    g.drawAlphaTextAt("Fading words", 20, 20, 255);
    std::vector<Uint32> opaque = snapshot(g.screen);
    clear(g);
    g.drawTextAt("Fading words", 20, 20);
    EXPECT_EQ(opaque, snapshot(g.screen));

    bool white = false;
    for (int y = 20; y < 40 && !white; y++)
        for (int x = 20; x < 120; x++)
            if (qtest::pixelAt(g.screen, x, y) == 0xffffff)
                white = true;
    EXPECT_TRUE(white);

    clear(g);
    g.centreAlphaTextAt("Fading words", 20, 128);
    bool half = false;
    for (int y = 20; y < 40 && !half; y++)
        for (int x = 300; x < 500; x++) {
            Uint32 p = qtest::pixelAt(g.screen, x, y);
            if (p != 0) {
                EXPECT_NE(0xffffffu, p);
                half = true;
            }
        }
    EXPECT_TRUE(half);
}

TEST_F(TextFixture, WideLineIsClippedNotRejected)
{
    WorkDir wd;
    CGame g;
    clear(g);
    std::string wide(200, 'W');
    g.centreTextAt(wide.c_str(), 100);
    bool drawn = false;
    for (int x = 0; x < 800 && !drawn; x += 1)
        for (int y = 100; y < 120; y++)
            if (qtest::pixelAt(g.screen, x, y) == 0xffffff)
                drawn = true;
    EXPECT_TRUE(drawn);
}

TEST_F(TextFixture, MessageScreenWaitsForAKeyOrQuit)
{
    WorkDir wd;
    CGame g;
    qtest::pushKey(SDLK_a);
    g.errorDialogue("Something went wrong");
    EXPECT_EQ(0x000064u, qtest::pixelAt(g.screen, 2, 2));

    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = SDL_MOUSEMOTION;
    SDL_PushEvent(&e);
    qtest::pushQuit();
    qtest::pushKey(SDLK_b);
    g.errorDialogue("Another thing");
    EXPECT_FALSE(g.bMustQuit);
    // The key behind the quit event is still waiting.
    ASSERT_EQ(1, SDL_PollEvent(&e));
    EXPECT_EQ(SDL_KEYDOWN, e.type);
}
