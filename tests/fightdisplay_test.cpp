// fightdisplay_test.cpp -- what a fight shows: weapon list, bars, gauges, console, banner, and a fight in the loop.
#include <gtest/gtest.h>
#include "fakeclock.h"
#include "world.h"

using qtest::World;
using qtest::pixelAt;

namespace {

// The stand-in pictures are flat colours (see fakeassets.cpp).
Uint32 iconColour(int i) { return ((Uint32)(Uint8)(i * 8) << 16) | ((Uint32)(Uint8)(255 - i * 8) << 8) | 40; }
const Uint32 WHITE = 0xffffff;
const Uint32 BACKDROP = 0x123456;

struct Display : testing::Test
{
    void SetUp() override
    {
        w.reset(new World());
        g = w->game.get();
        g->audio.bSoundOff = true;
        hero = w->addActor(480, 480, true);
        foe = w->addActor(528, 480);
        g->enemy = foe;
        g->mode = 1;
        g->bPlayingGame = false;
        g->vars.bYourTurn = true;
        h = g->returnTextHeight();
        qtest::clearEvents();
    }
    void TearDown() override
    {
        qtest::fakeTicks = nullptr;
        w.reset();
    }
    void backdrop() { SDL_FillRect(g->screen, NULL, SDL_MapRGB(g->screen->format, 0x12, 0x34, 0x56)); }
    // Rightmost white pixel in the rows [y0, y1), or -1.
    int rightmostWhite(int y0, int y1)
    {
        int best = -1;
        for (int y = y0; y < y1; y++)
            for (int x = 0; x < g->SCREEN_WIDTH; x++)
                if (pixelAt(g->screen, x, y) == WHITE && x > best)
                    best = x;
        return best;
    }
    int textWidth(const std::string& s)
    {
        int tw = 0, th = 0;
        TTF_SizeText(g->font, s.c_str(), &tw, &th);
        return tw;
    }
    // A 120 by 16 strip of one colour in place of a gauge icon.
    void stripFor(int icon, Uint8 r, Uint8 gr, Uint8 b)
    {
        SDL_FreeSurface(g->art.icons[icon]);
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 120, 16, 32, 0xff0000, 0xff00, 0xff, 0);
        SDL_FillRect(s, NULL, SDL_MapRGB(s->format, r, gr, b));
        g->art.icons[icon] = s;
    }
    std::unique_ptr<World> w;
    CGame* g = nullptr;
    Actor* hero = nullptr;
    Actor* foe = nullptr;
    int h = 0;
};

} // namespace

TEST_F(Display, ConsoleShowsTheNewestFiveNewestAtTheBottom)
{
    g->vars.fightMsgVec = {"W", "WWWWWWWWWWWWWWWWWWWW"};
    backdrop();
    g->drawFightConsole();
    // The ink ends a pixel or so short of the advance width.
    EXPECT_NEAR(10 + textWidth("WWWWWWWWWWWWWWWWWWWW"), rightmostWhite(540, 540 + h), 3);
    EXPECT_NEAR(10 + textWidth("W"), rightmostWhite(540 - h, 540), 3);
    EXPECT_EQ(-1, rightmostWhite(0, 540 - h));

    for (int i = 0; i < 5; i++)
        g->vars.fightMsgVec.push_back(std::string(i + 1, 'M'));
    backdrop();
    g->drawFightConsole();
    for (int k = 0; k < 5; k++)
        EXPECT_NEAR(10 + textWidth(std::string(5 - k, 'M')), rightmostWhite(540 - k * h, 540 - k * h + h), 3) << k;
    EXPECT_EQ(-1, rightmostWhite(0, 540 - 4 * h));
    EXPECT_EQ(7u, g->vars.fightMsgVec.size());   // older lines are kept
}

TEST_F(Display, WeaponListRunsLastToFirstWithThePointerOnTheWeaponInHand)
{
    hero->stats.strength = 3;
    const char* names[3] = {"Dagger", "Short bow of the hills", "Axe"};
    for (int i = 0; i < 3; i++) {
        Item* it = w->addItem(i == 1 ? 8 : 1, 1);
        it->itemName = names[i];
        it->maxEffect = 10 * (i + 1);
        g->fvars.weapons.push_back(it);
    }
    backdrop();
    g->drawFightHUD();
    const char* rows[3] = {"Axe 33 max dmg M", "Short bow of the hills 23 max dmg R", "Dagger 13 max dmg M"};
    for (int r = 0; r < 3; r++) {
        int y = 20 + r * h;
        // Only text right of the pointer's 48 columns is measured.
        int right = -1;
        for (int yy = y; yy < y + h; yy++)
            for (int x = 48; x < 300; x++)
                if (pixelAt(g->screen, x, yy) == WHITE && x > right)
                    right = x;
        EXPECT_NEAR(20 + textWidth(rows[r]), right, 3) << rows[r];
    }
    int pointerTop = 20 + 2 * h;
    EXPECT_EQ(iconColour(0), pixelAt(g->screen, 1, pointerTop + 47));
    EXPECT_EQ(BACKDROP, pixelAt(g->screen, 1, pointerTop - 1));

    g->fvars.weapons.clear();
    backdrop();
    g->drawFightHUD();
    EXPECT_NE(-1, rightmostWhite(2, 2 + h));   // "Weapons:"
    EXPECT_EQ(-1, rightmostWhite(20, 20 + 3 * h));
    EXPECT_NE(iconColour(0), pixelAt(g->screen, 1, 20 + 1));
}

TEST_F(Display, ActionBarAndSpellBar)
{
    backdrop();
    g->drawFightHUD();
    for (int k = 0; k < 5; k++)
        EXPECT_EQ(iconColour(4 + k), pixelAt(g->screen, 280 + 48 * k + 1, 11)) << k;
    g->fvars.bMenuOpen = true;
    g->drawFightHUD();
    for (int k = 0; k < 5; k++)
        EXPECT_EQ(iconColour(11 + k), pixelAt(g->screen, 280 + 48 * k + 1, 57)) << k;
}

TEST_F(Display, GaugesAreAsWideAsTheShareOfHealthAndMana)
{
    stripFor(16, 200, 0, 0);
    stripFor(17, 0, 0, 200);
    const int left = g->SCREEN_WIDTH - 120;
    auto width = [&](int y) {
        int n = 0;
        for (int x = left; x < g->SCREEN_WIDTH; x++)
            if (pixelAt(g->screen, x, y) != 0)
                n++;
        return n;
    };
    backdrop();
    g->drawFightHUD();
    EXPECT_EQ(120, width(570));
    EXPECT_EQ(120, width(590));
    EXPECT_EQ(0xc80000u, pixelAt(g->screen, left, 568));

    hero->stats.hp = 50;
    hero->stats.mp = 10;
    backdrop();
    g->drawFightHUD();
    EXPECT_EQ(60, width(570));
    EXPECT_EQ(24, width(590));
    EXPECT_EQ(0u, pixelAt(g->screen, left + 60, 583));   // the rest of the slot is black

    // Out-of-range values are held to an empty or a full gauge.
    hero->stats.hp = -5;
    hero->stats.mp_max = 0;
    backdrop();
    g->drawFightHUD();
    EXPECT_EQ(0, width(570));
    EXPECT_EQ(120, width(590));
    hero->stats.hp = 250;
    hero->stats.mp = 0;
    backdrop();
    g->drawFightHUD();
    EXPECT_EQ(120, width(570));
    EXPECT_EQ(0, width(590));
}

TEST_F(Display, EnemyFramesShowOnlyEffectsAndConsole)
{
    g->vars.bYourTurn = false;
    g->vars.fightMsgVec = {"Enemy's move."};
    g->fightEffectAt(528, 480, 10, "Miss");
    g->vars.timer_elapsed = 50;
    backdrop();
    g->drawFightHUD();
    EXPECT_EQ(BACKDROP, pixelAt(g->screen, g->SCREEN_WIDTH - 60, 570));
    EXPECT_EQ(BACKDROP, pixelAt(g->screen, 281, 11));
    EXPECT_EQ(-1, rightmostWhite(2, 2 + h));
    EXPECT_EQ(iconColour(10), pixelAt(g->screen, 401, 260));
    EXPECT_NE(-1, rightmostWhite(540, 540 + h));
    EXPECT_FLOAT_EQ(950, g->fvars.effects.front()->timer);

    // A shot in flight at a living enemy freezes the effects; a beaten enemy does not.
    g->fvars.bIsStillShooting = true;
    g->drawFightHUD();
    EXPECT_FLOAT_EQ(950, g->fvars.effects.front()->timer);
    foe->stats.hp = 0;
    g->drawFightHUD();
    EXPECT_FLOAT_EQ(900, g->fvars.effects.front()->timer);
}

// The banner's frame reads the clock twice; 5 ms a frame moves it 2 pixels.
// In: 600 to 276 (the centre for a 48-pixel banner) in 162 steps; holding:
// 200 frames; out: 163 steps.
struct Banner : Display
{
    int run(std::function<void(int)> atFrame)
    {
        int calls = 0;
        Uint32 now = 5000;
        g->vars.timer_delta = 0;
        g->vars.timer_elapsed = 0;
        qtest::fakeTicks = [&]() {
            calls++;
            if (calls % 2 == 0)
                atFrame(calls / 2);
            return now += 5;
        };
        g->fightPanel();
        qtest::fakeTicks = nullptr;
        return calls / 2;
    }
};

TEST_F(Banner, KeysWhileSlidingInAreLost)
{
    const int x = (g->SCREEN_WIDTH - 48) / 2;
    int frames = run([&](int frame) {
        if (frame == 10) {
            qtest::pushKey(SDLK_SPACE);
            qtest::pushQuit();
        }
        if (frame == 250) {
            EXPECT_EQ(iconColour(26), pixelAt(g->screen, x + 1, 276));
            EXPECT_NE(iconColour(26), pixelAt(g->screen, x + 1, 275));
        }
    });
    EXPECT_EQ(526, frames);
    EXPECT_FALSE(g->bMustQuit);
    EXPECT_FLOAT_EQ(0, g->vars.timer_elapsed);
    SDL_Event e;
    EXPECT_EQ(0, SDL_PollEvent(&e));
}

TEST_F(Banner, AKeyWhileHoldingSendsItAway)
{
    int frames = run([&](int frame) {
        if (frame == 200)
            qtest::pushKey(SDLK_z);
    });
    EXPECT_EQ(200 + 163, frames);
}

// A whole turn in the game loop: a fireball, its one-second pause, the
// enemy's step, and the turn coming back.
TEST_F(Display, FireballTurnInTheGameLoop)
{
    foe->x = 624;   // three tiles right
    foe->stats.hp = 1000;
    unsigned start = 0;
    bool setUp = false, sawTrail = false;
    unsigned turnBackAt = 0;
    Uint32 now = 20000;
    qtest::fakeTicks = [&]() {
        unsigned frame = g->vars.frames - start;
        if (!setUp && frame == 1) {
            setUp = true;
            g->mode = 1;
            g->bPlayingGame = false;
            g->vars.bYourTurn = true;
            qtest::pushKey(SDLK_c);
            qtest::pushKey(SDLK_z);
        }
        if (setUp && frame == 10)
            sawTrail = pixelAt(g->screen, 401, 262) == iconColour(18) && pixelAt(g->screen, 449, 262) == iconColour(18);
        if (setUp && g->vars.bYourTurn && frame > 1 && !turnBackAt) {
            turnBackAt = frame;
            g->bMustQuit = true;
        }
        return now += 5;
    };
    start = g->vars.frames;
    g->gameLoop();
    qtest::fakeTicks = nullptr;
    EXPECT_TRUE(sawTrail);
    EXPECT_GE(turnBackAt, 100u);   // the pause before the enemy acts
    EXPECT_EQ(45, hero->stats.mp);
    EXPECT_FLOAT_EQ(576, foe->x);
    EXPECT_LT(foe->stats.hp, 1000);
    ASSERT_EQ(3u, g->vars.fightMsgVec.size());
    EXPECT_EQ("Enemy's move.", g->vars.fightMsgVec[1]);
    EXPECT_EQ("Your turn.", g->vars.fightMsgVec[2]);
    EXPECT_TRUE(g->fvars.effects.empty());   // all aged out during the pause
}
