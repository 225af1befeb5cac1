// displayoptions_test.cpp -- "readabletext" (outlined text, the key help panel) and "fightdetails" (who did what, figures, the foe's health).
#include <functional>
#include <gtest/gtest.h>
#include "fight-actions.h"
#include "seam.h"
#include "world.h"

using qtest::pixelAt;

namespace {

const Uint32 WHITE = 0xffffff, OUTLINE = 0x000000, SNOW = 0xdde4ee;

struct Options : qtest::GameTest
{
    void SetUp() override
    {
        GameTest::SetUp();
        foe = w->startFight();
        hero = g->player;
        foe->myName = "Bog hound";
        h = g->returnTextHeight();
    }
    void snow() { SDL_FillRect(g->screen, NULL, SDL_MapRGB(g->screen->format, 0xdd, 0xe4, 0xee)); }
    // How many pixels of a colour the rectangle holds.
    int count(Uint32 colour, int x0, int y0, int w0, int h0)
    {
        int n = 0;
        for (const Uint32 p : qtest::pixelBand(g->screen, x0, y0, w0, h0))
            n += p == colour;
        return n;
    }
    // Runs the game loop on the test clock, fighting from its second frame
    // with `keys` pressed then, until `until` holds (at most 3000 frames).
    void play(const std::vector<SDLKey>& keys, const std::function<bool()>& until)
    {
        qtest::TestClock clock;
        unsigned start = g->vars.frames;
        qtest::onFrame = [&] {
            if (g->bPlayingGame) {   // the loop starts exploring
                g->bPlayingGame = false;
                for (SDLKey k : keys)
                    qtest::pushKey(k);
            } else if (until() || g->vars.frames - start > 3000) {
                g->bMustQuit = true;
            }
        };
        g->gameLoop();
        qtest::onFrame = nullptr;
    }
    Actor* hero = nullptr;
    Actor* foe = nullptr;
    int h = 0;
};

struct ConfiguredOptions : Options
{
    std::string config() override { return "readabletext\nfightdetails\n"; }
};

} // namespace

TEST_F(ConfiguredOptions, BothAreReadFromTheConfigFileWithTheirLines)
{
    EXPECT_TRUE(g->vars.bReadableText);
    EXPECT_TRUE(g->vars.bFightDetails);
    testing::internal::CaptureStdout();
    { qtest::World again("fightdetails\nreadabletext\n"); }
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(std::string::npos, out.find("\tFight details on\n\tReadable text on\n")) << out;
    qtest::World plain;
    EXPECT_FALSE(plain.game->vars.bReadableText);
    EXPECT_FALSE(plain.game->vars.bFightDetails);
}

// The outline is exactly the ring of pixels around the plain line's ink:
// the white pixels are the plain line's own, every pixel touching one is dark.
TEST_F(Options, ReadableTextIsThePlainLineRingedInADarkColour)
{
    const char* line = "The bog hound hits you for 9";
    snow();
    g->drawMapTextAt(line, 40, 100);   // off: the plain line
    std::vector<Uint32> plain = qtest::pixelBand(g->screen, 38, 98, 300, h + 4);
    snow();
    g->drawTextAt(line, 40, 100);
    EXPECT_EQ(plain, qtest::pixelBand(g->screen, 38, 98, 300, h + 4));

    g->vars.bReadableText = true;
    snow();
    g->drawMapTextAt(line, 40, 100);
    std::vector<Uint32> ringed = qtest::pixelBand(g->screen, 38, 98, 300, h + 4);
    const int W = 300, H = h + 4;
    int ring = 0;
    for (int y = 0; y < H; y++) {
        for (int x = 0; x < W; x++) {
            bool ink = plain[y * W + x] == WHITE, near = false;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++)
                    if (y + dy >= 0 && y + dy < H && x + dx >= 0 && x + dx < W && plain[(y + dy) * W + x + dx] == WHITE)
                        near = true;
            Uint32 expected = ink ? WHITE : near ? OUTLINE : SNOW;
            ASSERT_EQ(expected, ringed[y * W + x]) << "at " << x << "," << y;
            ring += !ink && near;
        }
    }
    EXPECT_GT(ring, 100);

    // Centred, and faded as on the message line: half way, ink and ring are
    // both blended half way into the snow (both SDL 1.2 libraries, within
    // their rounding).
    snow();
    g->centreMapTextAt(line, 300);
    std::vector<Uint32> opaque = qtest::pixelBand(g->screen, 0, 299, g->SCREEN_WIDTH, h + 2);
    EXPECT_GT(count(OUTLINE, 0, 299, g->SCREEN_WIDTH, h + 2), 100);
    snow();
    g->centreMapTextAt(line, 300, 128);
    std::vector<Uint32> faded = qtest::pixelBand(g->screen, 0, 299, g->SCREEN_WIDTH, h + 2);
    for (size_t i = 0; i < faded.size(); i++) {
        for (int shift : {0, 8, 16}) {
            int bg = (int)(SNOW >> shift & 0xff), src = (int)(opaque[i] >> shift & 0xff);
            ASSERT_NEAR(bg + (src - bg) * 128 / 255, (int)(faded[i] >> shift & 0xff), 3) << "pixel " << i;
        }
    }
}

// With readable text the HUD's words start right of the heart, and the fight's
// console, weapon label and figures all carry the outline.
TEST_F(Options, ReadableTextClearsTheHeartAndRingsTheFightText)
{
    g->bPlayingGame = true;
    g->vars.bReadableText = true;
    snow();
    g->drawHud();
    EXPECT_EQ(0, count(WHITE, 0, 0, TILE_SIZE, 10 + 3 * h));
    EXPECT_GT(count(WHITE, TILE_SIZE, 10, 150, 3 * h), 50);
    EXPECT_GT(count(OUTLINE, TILE_SIZE - 1, 9, 150, 3 * h + 2), 100);

    g->bPlayingGame = false;
    g->vars.fightMsgVec = {"Your turn."};
    snow();
    g->drawFightHUD();
    EXPECT_GT(count(OUTLINE, 9, 1, 80, h + 2), 30);     // "Weapons:"
    EXPECT_GT(count(OUTLINE, 9, 539, 100, h + 2), 30);  // the console
}

// The panel stands left of the player, who stays in sight, with all its
// text inside; any key closes it.
TEST_F(Options, KeyHelpPanelLeavesThePlayerInSight)
{
    g->vars.bReadableText = true;
    snow();
    qtest::pushKey(SDLK_a);
    g->keyHelp();
    const int px = playerScreenX(g->SCREEN_WIDTH);
    EXPECT_EQ(0, count(WHITE, px - 16, 0, g->SCREEN_WIDTH - px + 16, SCREEN_HEIGHT));
    EXPECT_EQ(TILE_SIZE * TILE_SIZE, count(SNOW, px, PLAYER_SCREEN_Y, TILE_SIZE, TILE_SIZE));
    EXPECT_NE(SNOW, pixelAt(g->screen, 100, SCREEN_HEIGHT / 2));
    EXPECT_GT(count(WHITE, 0, 0, px, SCREEN_HEIGHT), 20 * 40);   // some twenty lines
}

TEST(FightNames, KindsTakeTheArticleOwnNamesDoNot)
{
    qtest::World w;
    Actor* hero = w.addActor(0, 0, true);
    Actor* foe = w.addActor(48, 0);
    const struct { const char* name; const char* start; const char* within; } cases[] = {
        {"Bog hound", "The bog hound", "the bog hound"},
        {"Cutthroat", "The cutthroat", "the cutthroat"},
        {"Captain Redmaw", "Captain Redmaw", "Captain Redmaw"},
        {"The Drowned King", "The Drowned King", "the Drowned King"},
        {"  ", "The enemy", "the enemy"},
    };
    for (const auto& c : cases) {
        foe->myName = c.name;
        EXPECT_EQ(c.start, fight::nameOf(*w.game, foe, true));
        EXPECT_EQ(c.within, fight::nameOf(*w.game, foe, false));
    }
    EXPECT_EQ("You", fight::nameOf(*w.game, hero, true));
}

// Blows and misses, both ways, name who did what; no creature fights "with fists".
TEST_F(Options, FightDetailsSayWhoDidWhat)
{
    g->vars.bFightDetails = true;
    hero->stats.dexterity = 0;   // no defence roll: the bog hound's strength lands in full
    foe->stats.strength = 9;
    g->fightAI(foe, hero);
    EXPECT_EQ(std::vector<std::string>{"The bog hound hits you for 9"}, g->vars.fightMsgVec);
    EXPECT_EQ(91, hero->stats.hp);

    Item armour;
    armour.maxEffect = 100;
    g->fvars.playerArmour = &armour;
    g->fightAI(foe, hero);
    EXPECT_EQ("The bog hound misses you", g->vars.fightMsgVec.back());

    foe->stats.dexterity = 0;
    hero->stats.strength = 4;   // bare-handed, the strength exactly
    qtest::pushKey(SDLK_z);
    g->getFightInput();
    std::vector<std::string> expected = {"The bog hound hits you for 9", "The bog hound misses you",
                                         "You hit the bog hound for 4", "Enemy's move."};
    EXPECT_EQ(expected, g->vars.fightMsgVec);
    EXPECT_EQ(96, foe->stats.hp);
}

// In the real loop: a potion drunk in a fight is told in the console at once,
// the enemy's answer follows in the same order on screen, and nothing is left
// for the message line after the fight.
TEST_F(Options, APotionInAFightIsToldAtOnce)
{
    g->vars.bFightDetails = true;
    hero->stats.hp = 50;
    hero->stats.dexterity = 0;
    foe->stats.strength = 9;
    Item* potion = w->addItem(ITEM_HEALING, OWNER_PLAYER);
    potion->maxEffect = 20;
    bool drunk = false;
    play({SDLK_x, SDLK_RETURN}, [&] {
        drunk = drunk || !g->vars.bYourTurn;
        return drunk && g->vars.bYourTurn;
    });
    std::vector<std::string> expected = {"You drink a healing potion: +20 health", "Enemy's move.",
                                         "The bog hound hits you for 9", "Your turn."};
    EXPECT_EQ(expected, g->vars.fightMsgVec);
    EXPECT_EQ(61, hero->stats.hp);
    EXPECT_LE(g->vars.talkTimer, 0);
}

// The figures stand left of the player's bars; the foe's name and health bar
// stand at the top right, in its own turn too.
TEST_F(Options, FightDetailsShowFiguresAndTheFoesHealth)
{
    SDL_FreeSurface(g->art.icons[ICON_HEALTH_BAR]);   // a 120-pixel strip in place of the 48-pixel stand-in
    g->art.icons[ICON_HEALTH_BAR] = SDL_CreateRGBSurface(SDL_SWSURFACE, 120, 16, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(g->art.icons[ICON_HEALTH_BAR], NULL, 0xc80000);
    const int left = g->SCREEN_WIDTH - 120;
    foe->stats.hp = 30;
    foe->stats.hp_max = 60;
    snow();
    g->drawFightHUD();
    EXPECT_EQ(0, count(WHITE, 540, 0, g->SCREEN_WIDTH - 540, 30));
    EXPECT_EQ(0, count(WHITE, 0, 564, left, 36));

    g->vars.bFightDetails = true;
    for (bool yourTurn : {true, false}) {
        g->vars.bYourTurn = yourTurn;
        snow();
        g->drawFightHUD();
        EXPECT_EQ(yourTurn, count(WHITE, left - 100, 566, 100, 34) > 30);   // the player's figures
        EXPECT_GT(count(WHITE, left - 100, 0, 220, h + 4), 20);   // the foe's name
        int bar = 0;
        for (int x = left - 4; x < g->SCREEN_WIDTH; x++)
            bar += pixelAt(g->screen, x, 8 + h + 8) == 0xc80000;
        EXPECT_EQ(60, bar);
        EXPECT_GT(count(WHITE, left - 110, 8 + h, 100, 16), 20);   // its figures
    }
}
