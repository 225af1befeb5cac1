// fullplay_test.cpp -- one whole game played through the real screens: New Game, a shop, a quest,
// a fight won, a save, quit to the menu, Load Game and the ending slides.
//
// The player's hands are a script run on the game's own thread: SDL_Delay is wrapped, and every
// screen of the engine calls it once per frame. Each time the event queue is empty the current
// step looks at the game and either pushes the next keys (or holds arrow keys in SDL's key-state
// array) or waits. Whatever screen is open at that moment takes the keys, just as with a player.
#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>
#include "game.h"
#include "minigame.h"

extern "C" void __real_SDL_Delay(Uint32 ms);

namespace {

struct Step
{
    std::string name;
    // Called on every frame while the queue is empty; answers true once the step is done.
    std::function<bool()> run;
};

struct Scenario
{
    std::vector<Step> steps;
    size_t at = 0;
    unsigned long calls = 0;
    unsigned long limit = 400000;

    void tick()
    {
        if (++calls > limit) {
            // A stuck script must fail, not hang: no screen of the game can be relied on to end.
            std::fprintf(stderr, "full play stuck at step '%s'\n",
                         at < steps.size() ? steps[at].name.c_str() : "(done)");
            std::fflush(stderr);
            std::_Exit(3);
        }
        if (at >= steps.size() || SDL_PeepEvents(NULL, 0, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0)
            return;
        if (steps[at].run())
            at++;
    }
    void add(const std::string& name, std::function<bool()> run) { steps.push_back({name, run}); }
};

Scenario* script = nullptr;

} // namespace

extern "C" void __wrap_SDL_Delay(Uint32 ms)
{
    if (script)
        script->tick();
    __real_SDL_Delay(ms);
}

namespace {

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void press(SDLKey k)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    e.key.keysym.sym = k;
    SDL_PushEvent(&e);
}

void hold(SDLKey k, bool down) { qtest::holdKey(k, down); }

void releaseArrows()
{
    for (SDLKey k : {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT})
        hold(k, false);
}

Actor* actorNamed(CGame& g, const std::string& name)
{
    for (Actor* a : g.actorList)
        if (a->myName == name)
            return a;
    return nullptr;
}

Item* itemNamed(CGame& g, const std::string& shortName)
{
    for (Item* i : g.itemVec)
        if (i->shortName == shortName)
            return i;
    return nullptr;
}

std::string itemFile(int type, int maxEffect, int price, int owner, const std::string& name,
                     const std::string& shortName, int icon)
{
    std::ostringstream s;
    s << type << "\n" << maxEffect << "\n" << price << "\n" << owner << "\n0\n0\n0\n"
      << name << "\nFor the test\n" << shortName << "\n" << icon << "\n0\n";
    return s.str();
}

// A character file with chosen fighting statistics.
std::string fighterFile(int x, int y, int hp, int strength, int dexterity, bool hostile,
                        const std::string& line0, const std::string& name, int money)
{
    std::ostringstream s;
    s << x << "\n" << y << "\n" << hp << "\n" << hp << "\n20\n20\n0\n1\n" << strength << "\n"
      << dexterity << "\n3\n0\n" << (hostile ? 1 : 0) << "\n" << line0 << "\n\n" << name
      << "\n0\n2\n0\n" << money << "\n";
    return s.str();
}

// The test game: everything stands on one column of open grass below the player, far enough
// apart that only one character is ever within talking range.
void writeAdventure(const qtest::WorkDir& wd)
{
    qtest::writeMiniGame(wd, "data", "Full Play");
    wd.write("data/npcdef/0.def", fighterFile(480, 480, 300, 40, 5, false, "Plyr", "Hero", 30));
    wd.write("data/npcdef/1.def", fighterFile(540, 530, 30, 1, 1, false, "Shoppy", "Marla", 0));
    wd.write("data/npcdef/2.def", fighterFile(540, 830, 30, 1, 1, false, "Questy", "Old Bren", 0));
    wd.write("data/npcdef/3.def", fighterFile(560, 1500, 10, 1, 1, true, "Grr.", "Bog rat", 0));
    wd.write("data/npcdef/4.def", fighterFile(1200, 900, 30, 1, 1, false, "Ending", "Gatekeeper", 0));
    wd.write("data/idef/0.def", itemFile(1, 6, 30, 1, "Short sword", "sword", 0));
    wd.write("data/idef/1.def", itemFile(0, 0, 999, 2, "Golden apple", "apple", 1));
    wd.write("data/idef/2.def", itemFile(0, 0, 20, 2, "Silver locket", "locket", 2));
    wd.write("data/qdef/0.def", "Find my locket\nlocket\n25\n0\n3\n");
    wd.write("data/ending/0.png", slurp(qtest::sourceDir() + "/data/assets/gameover.png"));
    wd.write("data/ending/1.png", slurp(qtest::sourceDir() + "/data/assets/items/1.png"));
    wd.write("save/.gitkeep", "");
}

// Holds the arrow keys that bring the player to (tx, ty); true once within 10 pixels on both axes.
bool walkTowards(CGame& g, float tx, float ty)
{
    Actor* p = g.player;
    float dx = tx - p->x, dy = ty - p->y;
    hold(SDLK_RIGHT, dx > 10);
    hold(SDLK_LEFT, dx < -10);
    hold(SDLK_DOWN, dy > 10);
    hold(SDLK_UP, dy < -10);
    if (std::fabs(dx) <= 10 && std::fabs(dy) <= 10) {
        releaseArrows();
        return true;
    }
    return false;
}

} // namespace

TEST(FullPlay, NewGameShopQuestFightSaveLoadAndEnding)
{
    qtest::WorkDir wd;
    writeAdventure(wd);
    qtest::clearEvents();
    qtest::releaseAllKeys();
    testing::internal::CaptureStdout();

    CGame* g = new CGame();
    int moneyAfterQuest = 0;
    int frameWait = 0;
    bool sawBanner = false;
    auto waitFrames = [&](int n) {
        if (++frameWait < n)
            return false;
        frameWait = 0;
        return true;
    };
    auto playing = [&] { return g->bPlayingGame && g->player != nullptr && g->mode == 0; };

    Scenario s;
    // First game object: New Game, shop, quest, fight, save, quit to the menu.
    s.add("choose New Game", [&] { press(SDLK_RETURN); return true; });
    s.add("leave the introduction", [&] { press(SDLK_x); return true; });
    s.add("talk to the shopkeeper", [&] {
        if (!playing())
            return false;
        press(SDLK_RETURN);
        return true;
    });
    s.add("choose Buy item", [&] { press(SDLK_RETURN); return true; });
    s.add("buy the locket", [&] { press(SDLK_RETURN); return true; });
    s.add("leave the shop", [&] { press(SDLK_ESCAPE); return true; });
    s.add("walk to the quest giver", [&] { return playing() && walkTowards(*g, 480, 790); });
    s.add("hand in the locket", [&] {
        moneyAfterQuest = (int)g->player->stats.money + 25;
        press(SDLK_RETURN);
        return true;
    });
    s.add("walk south until a fight starts", [&] {
        if (g->mode == 1) {
            releaseArrows();
            return true;
        }
        if (g->player->y > 2400) {
            ADD_FAILURE() << "the rat never attacked";
            releaseArrows();
            return true;
        }
        hold(SDLK_DOWN, true);
        return false;
    });
    s.add("fight until the rat is dead", [&] {
        if (g->mode == 0 && (int)g->player->stats.money >= moneyAfterQuest + 50)
            return true;   // the reward screen is open
        // The weapon list is built once the banner has gone.
        if (g->mode != 1 || !g->vars.bYourTurn || g->fvars.weapons.empty())
            return false;
        sawBanner = true;
        int tiles = (int)(g->distance(g->player->x, g->player->y, g->enemy->x, g->enemy->y) / 48);
        press(tiles > 1 ? SDLK_SPACE : SDLK_z);
        return false;
    });
    s.add("take the reward", [&] { press(SDLK_RETURN); return true; });
    s.add("save", [&] {
        if (!playing() || !waitFrames(5))
            return false;
        press(SDLK_F1);
        return true;
    });
    s.add("quit to the menu", [&] {
        if (!waitFrames(5))
            return false;
        press(SDLK_F2);
        return true;
    });
    script = &s;
    g->begin();
    script = nullptr;

    EXPECT_TRUE(sawBanner);
    ASSERT_EQ(s.steps.size(), s.at) << "stopped at step " << s.steps[s.at].name;
    EXPECT_TRUE(g->bMustQuit);
    ASSERT_TRUE(g->bPleaseLoadGame);
    // What the first game did, before the game object goes.
    EXPECT_EQ(30u - 20 + 25 + 50, g->player->stats.money);
    EXPECT_EQ(1u, g->player->stats.xp);
    EXPECT_EQ(nullptr, actorNamed(*g, "Bog rat"));
    EXPECT_EQ(6u, itemNamed(*g, "locket")->owner);
    EXPECT_EQ(2u, itemNamed(*g, "apple")->owner);
    EXPECT_TRUE(wd.exists("save/vars.sav"));
    EXPECT_TRUE(wd.exists("save/npcdef/3.def"));
    EXPECT_FALSE(wd.exists("save/npcdef/4.def")) << "the dead rat is not saved";
    float savedX = g->player->x, savedY = g->player->y;

    // The entry builds a fresh game object after a game ends; do the same.
    delete g;
    g = new CGame();
    Scenario t;
    t.add("go to Load Game", [&] { press(SDLK_DOWN); return true; });
    t.add("go to Load Game", [&] { press(SDLK_DOWN); return true; });
    t.add("choose Load Game", [&] { press(SDLK_RETURN); return true; });
    t.add("check the loaded game", [&] {
        if (!playing())
            return false;
        EXPECT_EQ(savedX, g->player->x);
        EXPECT_EQ(savedY, g->player->y);
        EXPECT_EQ(85u, g->player->stats.money);
        EXPECT_EQ(1u, g->player->stats.xp);
        EXPECT_TRUE(g->questList.front()->bIsCompleted);
        EXPECT_EQ(6u, itemNamed(*g, "locket")->owner);
        EXPECT_EQ(nullptr, actorNamed(*g, "Bog rat"));
        EXPECT_EQ("data", g->vars.dir);
        return true;
    });
    t.add("walk to the gatekeeper", [&] {
        Actor* gate = actorNamed(*g, "Gatekeeper");
        return gate && walkTowards(*g, gate->x - 60, gate->y - 20);
    });
    t.add("talk to the gatekeeper", [&] { press(SDLK_RETURN); return true; });
    // The slides ignore keys while one moves; a key now and then moves the show on until
    // the last slide has gone and the thank-you lines take a key.
    t.add("watch the slides", [&] {
        if (waitFrames(40))
            press(SDLK_SPACE);
        return false;
    });
    script = &t;
    g->begin();
    script = nullptr;
    std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ("watch the slides", t.steps[t.at].name) << "the ending was never reached";
    EXPECT_NE(std::string::npos, out.find("Showing ending at data\n"));
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_TRUE(g->bPleaseLoadGame);
    delete g;
    qtest::releaseAllKeys();
}
