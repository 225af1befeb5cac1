// displayoptions_test.cpp -- "readabletext" (outlined text, the key help panel) and "fightdetails" (who did what, figures, the foe's health).
#include <functional>
#include <gtest/gtest.h>
#include "seam.h"
#include "world.h"

using qtest::pixelBand;

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
    int count(Uint32 colour, int x, int y, int width, int height)
    {
        int n = 0;
        for (Uint32 p : pixelBand(g->screen, x, y, width, height))
            n += p == colour;
        return n;
    }
    Actor* hero = nullptr;
    Actor* foe = nullptr;
    int h = 0;
};

} // namespace

TEST(DisplayOptions, ReadFromTheConfigFileWithTheirLines)
{
    testing::internal::CaptureStdout();
    qtest::World w("fightdetails\nreadabletext\n");
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStdout().find("\tFight details on\n\tReadable text on\n"));
    EXPECT_TRUE(w.game->vars.bReadableText && w.game->vars.bFightDetails);
}

// The outlined line is the plain line's ink, every pixel touching it dark,
// and the text log of the tests still sees the line where it is; faded half
// way, ink and ring blend half way into the ground on both SDL 1.2
// libraries. The HUD's words move right of the heart.
TEST_F(Options, ReadableTextRingsThePlainLineAndClearsTheHeart)
{
    const char* line = "The bog hound hits you for 9";
    const int W = 300, H = h + 4;
    snow();
    g->drawTextAt(line, 40, 100);
    std::vector<Uint32> plain = pixelBand(g->screen, 38, 98, W, H);
    g->vars.bReadableText = true;
    snow();
    qtest::logText = true;
    g->drawMapTextAt(line, 40, 100);
    EXPECT_TRUE(qtest::wasDrawnAt(line, 40, 100));
    std::vector<Uint32> ringed = pixelBand(g->screen, 38, 98, W, H);
    int ring = 0;
    for (int y = 0; y < H; y++) {
        for (int x = 0; x < W; x++) {
            bool near = false;
            for (int dy = -1; dy <= 1; dy++)
                for (int dx = -1; dx <= 1; dx++)
                    near |= y + dy >= 0 && y + dy < H && x + dx >= 0 && x + dx < W && plain[(y + dy) * W + x + dx] == WHITE;
            const bool ink = plain[y * W + x] == WHITE;
            ASSERT_EQ(ink ? WHITE : near ? OUTLINE : SNOW, ringed[y * W + x]) << x << "," << y;
            ring += near && !ink;
        }
    }
    EXPECT_GT(ring, 100);

    snow();
    g->centreMapTextAt(line, 300);
    std::vector<Uint32> opaque = pixelBand(g->screen, 0, 299, g->SCREEN_WIDTH, H);
    snow();
    g->centreMapTextAt(line, 300, 128);
    std::vector<Uint32> faded = pixelBand(g->screen, 0, 299, g->SCREEN_WIDTH, H);
    for (size_t i = 0; i < faded.size(); i++)
        for (int shift : {0, 8, 16}) {
            int bg = (int)(SNOW >> shift & 0xff), src = (int)(opaque[i] >> shift & 0xff);
            ASSERT_NEAR(bg + (src - bg) * 128 / 255, (int)(faded[i] >> shift & 0xff), 3) << i;
        }

    snow();
    g->drawHud();
    EXPECT_EQ(0, count(WHITE, 0, 0, TILE_SIZE, 10 + 3 * h));
    EXPECT_GT(count(OUTLINE, TILE_SIZE - 1, 9, 150, 3 * h + 2), 100);
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
    EXPECT_GT(count(WHITE, 0, 0, px, SCREEN_HEIGHT), 20 * 40);   // some twenty lines
}

// Blows and misses both ways name who did what: a kind of creature takes
// "the", somebody's own name does not. No creature fights "with fists". A potion drunk in the real loop is told in the console at
// once, before the enemy's answer, and nothing waits for the message line.
TEST_F(Options, FightDetailsSayWhoDidWhatAsItHappens)
{
    g->vars.bFightDetails = true;
    hero->stats.dexterity = foe->stats.dexterity = 0;   // no defence rolls
    foe->stats.strength = 9;
    hero->stats.strength = 4;   // bare-handed: the strength exactly
    g->fightAI(foe, hero);
    Item armour;
    armour.maxEffect = 100;
    g->fvars.playerArmour = &armour;
    foe->myName = "Captain Redmaw";
    g->fightAI(foe, hero);
    g->fvars.playerArmour = nullptr;
    foe->myName = "The Drowned King";
    qtest::pushKey(SDLK_z);
    g->getFightInput();
    std::vector<std::string> expected = {"The bog hound hits you for 9", "Captain Redmaw misses you",
                                         "You hit the Drowned King for 4", "Enemy's move."};
    EXPECT_EQ(expected, g->vars.fightMsgVec);
    EXPECT_EQ(96, foe->stats.hp);
    foe->myName = "Bog hound";

    g->vars.fightMsgVec.clear();
    g->vars.bYourTurn = true;
    hero->stats.hp = 50;
    w->addItem(ITEM_HEALING, OWNER_PLAYER)->maxEffect = 20;
    qtest::TestClock clock;
    bool drunk = false;
    qtest::onFrame = [&] {
        if (g->bPlayingGame) {   // the loop starts exploring: fight from its second frame
            g->bPlayingGame = false;
            qtest::pushKey(SDLK_x);
            qtest::pushKey(SDLK_RETURN);
        }
        drunk |= !g->vars.bYourTurn;
        if ((drunk && g->vars.bYourTurn) || g->vars.frames > 3000)
            g->bMustQuit = true;
    };
    g->gameLoop();
    expected = {"You drink a healing potion: +20 health", "Enemy's move.", "The bog hound hits you for 9",
                "Your turn."};
    EXPECT_EQ(expected, g->vars.fightMsgVec);
    EXPECT_EQ(61, hero->stats.hp);
    EXPECT_LE(g->vars.talkTimer, 0);
}

// Figures stand left of the player's bars; the foe's name, bar and figures
// at the top right, in its own turn too. Without details none of them.
TEST_F(Options, FightDetailsShowFiguresAndTheFoesHealth)
{
    SDL_FreeSurface(g->art.icons[ICON_HEALTH_BAR]);   // a 120-pixel strip for the 48-pixel stand-in
    g->art.icons[ICON_HEALTH_BAR] = SDL_CreateRGBSurface(SDL_SWSURFACE, 120, 16, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(g->art.icons[ICON_HEALTH_BAR], NULL, 0xc80000);
    const int left = g->SCREEN_WIDTH - 120;
    foe->stats.hp = 30;
    foe->stats.hp_max = 60;
    for (int details = 0; details < 2; details++) {
        g->vars.bFightDetails = details;
        for (bool yourTurn : {true, false}) {
            g->vars.bYourTurn = yourTurn;
            snow();
            g->drawFightHUD();
            EXPECT_EQ(details && yourTurn, count(WHITE, left - 100, 566, 100, 34) > 30);   // the player's figures
            EXPECT_EQ(details, count(WHITE, 540, 0, g->SCREEN_WIDTH - 540, 8 + h) > 20);  // the foe's name
            EXPECT_EQ(details, count(WHITE, left - 110, 8 + h, 100, 16) > 20);            // its figures
            EXPECT_EQ(details ? 60 : 0, count(0xc80000, left - 4, 8 + h + 8, 124, 1));     // its bar, half full
        }
    }
}
