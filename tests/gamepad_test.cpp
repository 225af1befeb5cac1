// gamepad_test.cpp -- the joystick as keys: held arrows, button keys, joybutton lines, and a game
// played from the menu through a shop, a fight, a save and a quit with no keyboard at all.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "game.h"
#include "seam.h"
#include "autopilot.h"
#include "minigame.h"
#include "world.h"

namespace {

// A joystick event of that type; `set` fills in its fields.
template <class Fill>
void pushJoy(Uint8 type, Fill set)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = type;
    set(e);
    SDL_PushEvent(&e);
}

void pushHat(Uint8 value, Uint8 device = 0)
{
    pushJoy(SDL_JOYHATMOTION, [&](SDL_Event& e) { e.jhat.which = device; e.jhat.value = value; });
}

void pushAxis(Uint8 axis, Sint16 value)
{
    pushJoy(SDL_JOYAXISMOTION, [&](SDL_Event& e) { e.jaxis.axis = axis; e.jaxis.value = value; });
}

void pushButton(Uint8 button, bool down)
{
    pushJoy(down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP, [&](SDL_Event& e) {
        e.jbutton.button = button;
        e.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
    });
}

// A press and release, as a thumb gives it.
void tap(Uint8 button)
{
    pushButton(button, true);
    pushButton(button, false);
}

// Every event the game would see now, as "+KEY" for a press and "-KEY" for a release.
std::string drain()
{
    std::string seen;
    SDL_Event e;
    while (pollEvent(&e)) {
        if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP)
            seen += std::string(e.type == SDL_KEYDOWN ? "+" : "-") + SDL_GetKeyName(e.key.keysym.sym) + " ";
        else
            seen += "other ";
    }
    return seen;
}

bool held(SDLKey k)
{
    return SDL_GetKeyState(NULL)[k] != 0;
}

struct Pad : qtest::GameTest
{
};

} // namespace

TEST_F(Pad, HatAndStickHoldTheArrowsAndButtonsPressTheirKeysInOrder)
{
    pushHat(SDL_HAT_DOWN);
    tap(0);
    EXPECT_EQ("+down +return -return ", drain()) << "menus see the hat before the button pressed after it";
    EXPECT_TRUE(held(SDLK_DOWN));

    // The stick on top of the hat keeps down held; the hat's diagonal adds right.
    pushAxis(1, 20000);
    pushHat(SDL_HAT_DOWN | SDL_HAT_RIGHT);
    EXPECT_EQ("+right ", drain());
    pushHat(SDL_HAT_CENTERED);
    EXPECT_EQ("-right ", drain());
    EXPECT_TRUE(held(SDLK_DOWN)) << "the stick still leans down";
    pushAxis(1, 7999);
    pushAxis(0, -32768);
    EXPECT_EQ("-down +left ", drain()) << "inside the dead zone the stick is centred";
    EXPECT_FALSE(held(SDLK_DOWN));
    pushAxis(0, 0);
    EXPECT_EQ("-left ", drain());
    EXPECT_FALSE(held(SDLK_LEFT));

    // The defaults, and what stands for nothing is dropped without a trace.
    for (Uint8 b = 1; b <= 9; b++)
        pushButton(b, true);
    pushButton(200, true);
    pushAxis(3, 30000);
    pushHat(SDL_HAT_UP, 7);   // a device nobody opened still steers
    SDL_Event quit;
    memset(&quit, 0, sizeof quit);
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    EXPECT_EQ("+escape +space +z +x +c +v +b +f2 +up other ", drain()) << "Start's Escape is already down";
    EXPECT_TRUE(held(SDLK_UP));

    // A new game object lets go of whatever the pad held.
    w.reset();
    w.reset(new qtest::World());
    EXPECT_FALSE(held(SDLK_UP));
    EXPECT_EQ("", drain());
}

TEST(PadConfig, JoybuttonLinesRebindAndMalformedOnesAreNamedOnStderr)
{
    std::string err = qtest::quietly([] {
        qtest::World w("joybutton 10 f1\njoybutton 0 j\njoybutton 32 z\njoybutton 3\n"
                       "joybutton x z\njoybutton 4 enter\njoybutton 2  space\nfastwater\njoybutton 7 f12\n");
        EXPECT_EQ(SDLK_F1, gamepadButtonKey(10));
        EXPECT_EQ(SDLK_j, gamepadButtonKey(0));
        EXPECT_EQ(SDLK_F12, gamepadButtonKey(7));
        EXPECT_EQ(SDLK_z, gamepadButtonKey(3)) << "a malformed line leaves the default";
        EXPECT_EQ(SDLK_x, gamepadButtonKey(4));
        EXPECT_EQ(SDLK_SPACE, gamepadButtonKey(2));
        EXPECT_TRUE(w.game->vars.bFastWater) << "the lines after go on being read";
    });
    for (int line : {3, 4, 5, 6, 7})
        EXPECT_NE(std::string::npos, err.find("config.cfg:" + std::to_string(line) + ": skipped")) << err;
    EXPECT_EQ(std::string::npos, err.find("config.cfg:1:")) << err;

    // The next game object without the lines is back on the defaults.
    qtest::quietly([] {
        qtest::World w;
        EXPECT_EQ(SDLK_RETURN, gamepadButtonKey(0));
        EXPECT_EQ(SDLK_F2, gamepadButtonKey(8));
        EXPECT_EQ(SDLK_UNKNOWN, gamepadButtonKey(10));
    });
}

TEST(PadPlay, NewGameShopFightSaveAndQuitWithThePadAlone)
{
    qtest::WorkDir wd("joybutton 10 f1\n");
    qtest::GameFolder f = qtest::miniGame("data", "Pad Play");
    Actor hero = qtest::character(480, 480, 300, "Plyr", "", "Hero", 30);
    hero.stats.strength = 40;
    hero.stats.dexterity = 5;
    Actor keeper = qtest::character(540, 530, 30, "Shoppy", "", "Marla", 0);
    Actor rat = qtest::character(560, 1200, 10, "Grr.", "", "Bog rat", 0);
    rat.stats.strength = 1;
    rat.bIsHostile = true;
    f.actors = {hero, keeper, rat};
    f.items = {qtest::item(1, 6, 30, 1, "Short sword", "For the test", "sword", 0),
               qtest::item(0, 0, 20, 2, "Silver locket", "For the test", "locket", 2)};
    f.write(wd, "data");
    wd.write("save/.gitkeep", "");
    qtest::clearEvents();
    qtest::releaseAllKeys();
    qtest::TestClock clock;
    testing::internal::CaptureStdout();
    CGame* g = new CGame();

    auto free = [&] { return g->bPlayingGame && g->player && g->mode == 0; };
    bool fought = false;
    qtest::Every now_and_then(40);
    qtest::Scenario s;
    s.add("choose New Game", [&] { tap(0); return true; });
    s.add("leave the introduction", [&] { tap(4); return true; });
    s.add("talk to the shopkeeper", [&] { if (!free()) return false; tap(0); return true; });
    s.add("choose Buy item", [&] { tap(0); return true; });
    s.add("buy the locket", [&] { tap(0); return true; });
    s.add("leave the shop", [&] { tap(1); return true; });
    s.add("walk south on the hat until the rat attacks", [&] {
        if (g->mode == 1) {
            pushHat(SDL_HAT_CENTERED);
            return true;
        }
        if (g->player->y > 2400) {
            ADD_FAILURE() << "the rat never attacked";
            return true;
        }
        if (free() && !held(SDLK_DOWN))
            pushHat(SDL_HAT_DOWN);
        return false;
    });
    s.add("win the fight: strike when near, wait otherwise", [&] {
        if (g->mode == 0) {
            tap(0);   // the victory panel's "Press return to continue"
            return true;
        }
        fought = true;
        if (g->vars.bYourTurn && g->enemy)
            tap(g->distance(g->player->x, g->player->y, g->enemy->x, g->enemy->y) < 96 ? 3 : 2);
        return false;
    });
    s.add("save", [&] {
        if (!free() || !now_and_then())
            return false;
        tap(10);
        return true;
    });
    s.add("quit to the menu", [&] {
        if (!free() || !now_and_then())
            return false;
        tap(8);
        return true;
    });
    {
        qtest::Drive drive(s);
        g->begin();
    }
    testing::internal::GetCapturedStdout();

    EXPECT_TRUE(s.done()) << "stopped at step " << s.current();
    EXPECT_TRUE(fought);
    EXPECT_TRUE(g->bMustQuit && g->bPleaseLoadGame) << "Back quits to the menu";
    EXPECT_EQ(nullptr, qtest::actorNamed(*g, "Bog rat"));
    EXPECT_EQ(1u, qtest::itemNamed(*g, "locket")->owner);
    EXPECT_TRUE(wd.exists("save/vars.sav"));
    delete g;
    qtest::releaseAllKeys();
}
