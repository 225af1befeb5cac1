// fightdisplay_test.cpp -- what a fight shows: weapon list, bars, gauges, console, banner, and a turn in the loop.
#include <gtest/gtest.h>
#include "seam.h"
#include "world.h"

using qtest::World;
using qtest::pixelAt;

namespace {

// The stand-in pictures are flat 48x48 colours (see fakeassets.cpp); text is white.
Uint32 iconColour(int i) { return ((Uint32)(Uint8)(i * 8) << 16) | ((Uint32)(Uint8)(255 - i * 8) << 8) | 40; }
const Uint32 BACKDROP = 0x123456;

struct Display : qtest::GameTest
{
    void SetUp() override
    {
        GameTest::SetUp();
        foe = w->startFight();
        hero = g->player;
        h = g->returnTextHeight();
    }
    void backdrop() { SDL_FillRect(g->screen, NULL, SDL_MapRGB(g->screen->format, 0x12, 0x34, 0x56)); }
    void drawHUD()
    {
        backdrop();
        g->drawFightHUD();
    }
    // Rightmost white pixel of the rows [y0, y1) right of column x0, or -1.
    int textEnd(int y0, int y1, int x0 = 0)
    {
        int best = -1;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < g->SCREEN_WIDTH; x++)
                if (pixelAt(g->screen, x, y) == 0xffffff && x > best)
                    best = x;
        return best;
    }
    // Where a line of text drawn at x should end; the ink may stop a pixel or two short.
    int endOf(int x, const std::string& s)
    {
        int tw = 0, th = 0;
        TTF_SizeText(g->font, s.c_str(), &tw, &th);
        return x + tw;
    }
    Actor* hero = nullptr;
    Actor* foe = nullptr;
    int h = 0;
};

} // namespace

TEST_F(Display, ConsoleShowsTheNewestFiveNewestAtY540)
{
    g->vars.fightMsgVec = {"old", "WWWWWWWWWWWWWWWWWWWW"};
    backdrop();
    g->drawFightConsole();
    EXPECT_NEAR(endOf(10, "WWWWWWWWWWWWWWWWWWWW"), textEnd(540, 540 + h), 3);
    EXPECT_NEAR(endOf(10, "old"), textEnd(540 - h, 540), 3);
    EXPECT_EQ(-1, textEnd(0, 540 - h));
    for (int i = 1; i <= 5; i++)
        g->vars.fightMsgVec.push_back(std::string(i, 'M'));
    backdrop();
    g->drawFightConsole();
    for (int k = 0; k < 5; k++)
        EXPECT_NEAR(endOf(10, std::string(5 - k, 'M')), textEnd(540 - k * h, 540 - k * h + h), 3) << k;
    EXPECT_EQ(-1, textEnd(0, 540 - 4 * h));
}

TEST_F(Display, WeaponListBarsAndPointer)
{
    hero->stats.strength = 3;
    const char* names[3] = {"Dagger", "Short bow of the hills", "Axe"};
    for (int i = 0; i < 3; i++) {
        Item* it = w->addItem(i == 1 ? ITEM_RANGED : ITEM_MELEE, OWNER_PLAYER);
        it->itemName = names[i];
        it->maxEffect = 10 * (i + 1);
        g->fvars.weapons.push_back(it);
    }
    drawHUD();
    const char* rows[3] = {"Axe 33 max dmg M", "Short bow of the hills 23 max dmg R", "Dagger 13 max dmg M"};
    for (int r = 0; r < 3; r++)
        EXPECT_NEAR(endOf(20, rows[r]), textEnd(20 + r * h, 20 + r * h + h, 48), 3) << rows[r];
    EXPECT_EQ(iconColour(ICON_POINTER), pixelAt(g->screen, 1, 20 + 2 * h + 47));   // pointer on the bottom row
    EXPECT_EQ(BACKDROP, pixelAt(g->screen, 1, 20 + 2 * h - 1));
    for (int k = 0; k < 5; k++)
        EXPECT_EQ(iconColour(ICON_FIGHT_ATTACK + k), pixelAt(g->screen, 281 + 48 * k, 11)) << k;

    g->fvars.weapons.clear();
    g->fvars.bMenuOpen = true;
    drawHUD();
    EXPECT_NE(-1, textEnd(2, 2 + h));   // "Weapons:"
    EXPECT_EQ(-1, textEnd(2 + h, 20 + 3 * h));   // no rows
    EXPECT_EQ(BACKDROP, pixelAt(g->screen, 1, 21));
    for (int k = 0; k < 5; k++)
        EXPECT_EQ(iconColour(ICON_SPELL_FIREBALL + k), pixelAt(g->screen, 281 + 48 * k, 57)) << k;
}

TEST_F(Display, GaugesShowTheShareOfHealthAndManaWithinTheirSlot)
{
    for (int icon : {ICON_HEALTH_BAR, ICON_MANA_BAR}) {   // 120-pixel strips in place of the 48-pixel stand-ins
        SDL_FreeSurface(g->art.icons[icon]);
        g->art.icons[icon] = SDL_CreateRGBSurface(SDL_SWSURFACE, 120, 16, 32, 0xff0000, 0xff00, 0xff, 0);
        SDL_FillRect(g->art.icons[icon], NULL, 0xc80000);
    }
    const int left = g->SCREEN_WIDTH - 120;
    auto width = [&](int y) {
        int n = 0;
        for (int x = left; x < g->SCREEN_WIDTH; x++)
            n += pixelAt(g->screen, x, y) == 0xc80000;
        return n;
    };
    struct Case { int hp, hpMax, mp, mpMax, hpWidth, mpWidth; };
    const Case cases[] = {{100, 100, 50, 50, 120, 120}, {50, 100, 10, 50, 60, 24}, {-5, 100, 10, 0, 0, 120},
                          {250, 100, 0, 0, 120, 0}};
    for (const Case& c : cases) {
        hero->stats.hp = c.hp;
        hero->stats.hp_max = c.hpMax;
        hero->stats.mp = c.mp;
        hero->stats.mp_max = c.mpMax;
        drawHUD();
        EXPECT_EQ(c.hpWidth, width(568)) << c.hp << "/" << c.hpMax;
        EXPECT_EQ(c.mpWidth, width(599)) << c.mp << "/" << c.mpMax;
        EXPECT_EQ(c.hpWidth == 120 ? 0xc80000u : 0u, pixelAt(g->screen, g->SCREEN_WIDTH - 1, 583));
    }
}

TEST_F(Display, EnemyFramesShowOnlyEffectsAndConsole)
{
    g->vars.bYourTurn = false;
    g->vars.fightMsgVec = {"Enemy's move."};
    g->fightEffectAt(528, 480, 10, "Miss");
    g->vars.timer_elapsed = 50;
    drawHUD();
    EXPECT_EQ(BACKDROP, pixelAt(g->screen, g->SCREEN_WIDTH - 60, 570));
    EXPECT_EQ(BACKDROP, pixelAt(g->screen, 281, 11));
    EXPECT_EQ(-1, textEnd(2, 2 + h));
    EXPECT_EQ(iconColour(ICON_MISS), pixelAt(g->screen, 401, 260));
    EXPECT_NE(-1, textEnd(540, 540 + h));
    // A shot in flight at a living enemy freezes the effects; at a beaten one it does not.
    g->fvars.bIsStillShooting = true;
    drawHUD();
    EXPECT_FLOAT_EQ(950, g->fvars.effects.front()->timer);
    foe->stats.hp = 0;
    drawHUD();
    EXPECT_FLOAT_EQ(900, g->fvars.effects.front()->timer);
}

// The banner slides 600 to 276 (the centre for a 48-pixel banner), holds one
// second and slides back: (600 - 276) / 400 * 2 + 1 = 2.62 s. At 5 ms a frame
// it moves 2 pixels a frame: 163 frames in, 200 holding, 163 out.
struct Banner : Display
{
    int run(Uint32 msPerFrame, std::function<void(int)> atFrame)
    {
        int flips = 0;
        Uint32 now = 5000;
        g->vars.timer_delta = g->vars.timer_elapsed = 0;
        qtest::fakeTicks = [&]() { return now; };
        // A clock that moves only when a frame is shown, as a real window's does.
        qtest::onFlip = [&]() {
            if (++flips > 20000) {
                fputs("The banner never left the screen\n", stderr);
                abort();
            }
            atFrame(flips);
            now += msPerFrame;
        };
        g->fightPanel();
        qtest::onFlip = nullptr;
        qtest::fakeTicks = nullptr;
        return flips;
    }
};

TEST_F(Banner, TakesItsTimeAtAnyFrameRate)
{
    for (Uint32 ms : {2u, 5u, 16u, 33u}) {
        int frames = run(ms, [](int) {});
        // From the first frame shown to the last.
        EXPECT_NEAR(2620.0, (double)((frames - 1) * (int)ms), (double)ms) << ms << " ms a frame";
    }
}

TEST_F(Banner, KeysWhileSlidingInAreLost)
{
    const int x = (g->SCREEN_WIDTH - 48) / 2;
    int frames = run(5, [&](int frame) {
        if (frame == 10) {
            qtest::pushKey(SDLK_SPACE);
            qtest::pushQuit();
        }
        if (frame == 250) {
            EXPECT_EQ(iconColour(ICON_FIGHT_BANNER), pixelAt(g->screen, x + 1, 276));
            EXPECT_NE(iconColour(ICON_FIGHT_BANNER), pixelAt(g->screen, x + 1, 275));
        }
    });
    EXPECT_EQ(163 + 200 + 163, frames);
    EXPECT_FALSE(g->bMustQuit);
    EXPECT_FLOAT_EQ(0, g->vars.timer_elapsed);
}

TEST_F(Banner, AKeyWhileHoldingSendsItAway)
{
    // Pushed as frame 200 is shown, the key is read in frame 201.
    EXPECT_EQ(201 + 163, run(5, [&](int frame) {
        if (frame == 200)
            qtest::pushKey(SDLK_z);
    }));
}

// A fireball in the game loop: the trail, the one-second pause, the enemy's
// step, and the turn coming back with every effect aged out.
TEST_F(Display, FireballTurnInTheGameLoop)
{
    foe->x = 624;   // three tiles right
    foe->stats.hp = 1000;
    unsigned start = g->vars.frames, turnBackAt = 0;
    bool sawTrail = false;
    Uint32 now = 20000;
    qtest::fakeTicks = [&]() {
        unsigned frame = g->vars.frames - start;
        if (frame == 1 && g->bPlayingGame) {
            g->bPlayingGame = false;   // the loop starts exploring; fight from its first frame
            qtest::pushKey(SDLK_c);
            qtest::pushKey(SDLK_z);
        }
        if (frame == 10)
            sawTrail = pixelAt(g->screen, 401, 262) == iconColour(ICON_FIRE_TRAIL) &&
                       pixelAt(g->screen, 449, 262) == iconColour(ICON_FIRE_TRAIL);
        if (frame > 1 && g->vars.bYourTurn && !turnBackAt) {
            turnBackAt = frame;
            g->bMustQuit = true;
        }
        return now += 5;
    };
    g->gameLoop();
    qtest::fakeTicks = nullptr;
    EXPECT_TRUE(sawTrail);
    EXPECT_GE(turnBackAt, 100u);
    EXPECT_EQ(45, hero->stats.mp);
    EXPECT_FLOAT_EQ(576, foe->x);
    EXPECT_LT(foe->stats.hp, 1000);
    ASSERT_EQ(3u, g->vars.fightMsgVec.size());
    EXPECT_EQ("Enemy's move.", g->vars.fightMsgVec[1]);
    EXPECT_EQ("Your turn.", g->vars.fightMsgVec[2]);
    EXPECT_TRUE(g->fvars.effects.empty());
}
