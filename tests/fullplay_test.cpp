// fullplay_test.cpp -- one whole game played through the real screens: New Game, a shop, a quest,
// a fight won, a save, quit to the menu, Load Game and the ending slides.
//
// The player's hands are a script run on the game's own thread: SDL_Delay is wrapped, and every
// screen of the engine calls it once per frame. Each time the event queue is empty the current
// step looks at the game and either pushes the next keys (or holds arrow keys in SDL's key-state
// array) or waits. Whatever screen is open at that moment takes the keys, just as with a player.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "game.h"
#include "seam.h"
#include "adventurer.h"
#include "minigame.h"

namespace {

using qtest::actorNamed;
using qtest::itemNamed;
using qtest::press;

using qtest::TestClock;

Item thing(int type, int maxEffect, int price, int owner, const std::string& name, const std::string& shortName,
           int icon)
{
    return qtest::item(type, maxEffect, price, (unsigned)owner, name, "For the test", shortName, (unsigned)icon);
}

// A character with chosen fighting statistics.
Actor fighter(int x, int y, int hp, int strength, int dexterity, bool hostile, const std::string& line0,
              const std::string& name, int money)
{
    Actor a = qtest::character(x, y, hp, line0, "", name, (unsigned)money);
    a.stats.strength = (unsigned)strength;
    a.stats.dexterity = (unsigned)dexterity;
    a.bIsHostile = hostile;
    a.sprite = 2;
    a.direction = FACE_UP;
    return a;
}

// The test game: everything stands on one column of open grass below the player, far enough
// apart that only one character is ever within talking range.
void writeAdventure(const qtest::WorkDir& wd)
{
    qtest::GameFolder f = qtest::miniGame("data", "Full Play");
    f.actors = {fighter(480, 480, 300, 40, 5, false, "Plyr", "Hero", 30),
                fighter(540, 530, 30, 1, 1, false, "Shoppy", "Marla", 0),
                fighter(540, 830, 30, 1, 1, false, "Questy", "Old Bren", 0),
                fighter(560, 1500, 10, 1, 1, true, "Grr.", "Bog rat", 0),
                fighter(1200, 900, 30, 1, 1, false, "Ending", "Gatekeeper", 0)};
    f.items = {thing(ITEM_MELEE, 6, 30, OWNER_PLAYER, "Short sword", "sword", 0),
               thing(ITEM_PLAIN, 0, 999, OWNER_SHOP, "Golden apple", "apple", 1),
               thing(ITEM_PLAIN, 0, 20, OWNER_SHOP, "Silver locket", "locket", 2)};
    f.write(wd, "data");
    wd.write("data/ending/0.png", qtest::readFile(qtest::sourceDir() + "/data/assets/gameover.png"));
    wd.write("data/ending/1.png", qtest::readFile(qtest::sourceDir() + "/data/assets/items/1.png"));
    wd.write("save/.gitkeep", "");
}

// A working directory with the assets, on the test clock, and a game object the Adventurer plays.
struct FullPlay : testing::Test
{
    void SetUp() override
    {
        qtest::clearEvents();
        qtest::releaseAllKeys();
        testing::internal::CaptureStdout();
        g = new CGame();
    }
    void TearDown() override
    {
        delete g;
        qtest::releaseAllKeys();
    }
    qtest::WorkDir wd;
    TestClock clock;
    CGame* g = nullptr;
    qtest::Adventurer hands{g};
};

} // namespace

TEST_F(FullPlay, NewGameShopQuestFightSaveLoadAndEnding)
{
    writeAdventure(wd);
    qtest::Every now_and_then(40);

    // First game object: New Game, shop, quest, fight, save, quit to the menu.
    qtest::Scenario s;
    s.add("choose New Game", [&] { press(SDLK_RETURN); return true; });
    s.add("leave the introduction", [&] { press(SDLK_x); return true; });
    s.add("talk to the shopkeeper", [&] { return hands.talkTo("Marla"); });
    s.add("choose Buy item", [&] { press(SDLK_RETURN); return true; });
    // The stock is listed newest last, top row first: the locket is under the cursor.
    s.add("buy the locket", [&] { press(SDLK_RETURN); return true; });
    s.add("leave the shop", [&] { press(SDLK_ESCAPE); return true; });
    s.add("hand in the locket", [&] { return hands.talkTo("Old Bren"); });
    s.add("walk south until the rat attacks", [&] {
        if (!hands.free())
            return (hands.fights > 0);
        if (g->player->y > 2400) {
            ADD_FAILURE() << "the rat never attacked";
            return true;
        }
        qtest::holdKey(SDLK_DOWN, true);
        return false;
    });
    s.add("win the fight", [&] { return hands.free() && hands.wins == 1; });
    s.add("save", [&] {
        if (!hands.free() || !now_and_then())
            return false;
        press(SDLK_F1);
        return true;
    });
    s.add("quit to the menu", [&] {
        if (!hands.free() || !now_and_then())
            return false;
        press(SDLK_F2);
        return true;
    });
    hands.play(s);

    ASSERT_TRUE(s.done()) << "stopped at step " << s.current();
    EXPECT_TRUE(g->bMustQuit);
    ASSERT_TRUE(g->bPleaseLoadGame);
    // What the first game did, before the game object goes: 30 gold, the locket bought for 20,
    // 25 for the quest, 50 for the fight.
    EXPECT_EQ(85u, g->player->stats.money);
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
    qtest::Scenario t;
    t.add("go to Load Game", [&] { press(SDLK_DOWN); return true; });
    t.add("go to Load Game", [&] { press(SDLK_DOWN); return true; });
    t.add("choose Load Game", [&] { press(SDLK_RETURN); return true; });
    t.add("check the loaded game", [&] {
        if (!hands.exploring())
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
    hands.watchEnding(t, "Gatekeeper");
    hands.play(t);
    std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ("watch the slides", t.current()) << "the ending was never reached";
    EXPECT_NE(std::string::npos, out.find("Showing ending at data\n"));
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_TRUE(g->bPleaseLoadGame);
}

TEST_F(FullPlay, TutorialFromTheMenuToItsEndingSlides)
{
    // Played on the committed tutorial itself, by its characters' and items' names.
    qtest::copyTree(qtest::sourceDir() + "/tutorial", wd.path() + "/tutorial");
    wd.write("save/.gitkeep", "");
    int doorX = -1, doorY = -1;
    // Space, then a look at whether the item is now the player's.
    bool pressed = false;
    auto pickUp = [&](const char* shortName) {
        if (!pressed) {
            press(SDLK_SPACE);
            pressed = true;
            return false;
        }
        pressed = false;
        EXPECT_EQ(1u, itemNamed(*g, shortName)->owner) << shortName << " was not picked up";
        return true;
    };

    qtest::Scenario s;
    s.add("go to Tutorial", [&] { press(SDLK_DOWN); return true; });
    s.add("choose Tutorial", [&] { press(SDLK_RETURN); return true; });
    s.add("leave the introduction", [&] { press(SDLK_x); return true; });
    s.add("talk to the guide", [&] { return hands.talkTo("Pell the guide"); });
    s.add("walk to the key", [&] { return hands.walkToItem("yardkey"); });
    s.add("pick up the key", [&] { return pickUp("yardkey"); });
    s.add("find the locked door", [&] {
        // The locked door nearest the key.
        Item* key = itemNamed(*g, "yardkey");
        int kx = qtest::Walker::tileOf(key->x), ky = qtest::Walker::tileOf(key->y);
        int best = 1 << 30;
        for (int y = 0; y < Map::SIZE; y++)
            for (int x = 0; x < Map::SIZE; x++) {
                int tile = g->theMap->getTileAt(x, y);
                int d = (x - kx) * (x - kx) + (y - ky) * (y - ky);
                if ((tile == TILE_LOCKED_DOOR || tile == TILE_DOUBLE_DOOR) && d < best) {
                    best = d;
                    doorX = x;
                    doorY = y;
                }
            }
        EXPECT_GE(doorX, 0) << "no locked door";
        return true;
    });
    s.add("walk to the door", [&] {
        const int beside[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (const auto& b : beside)
            if (hands.walker.reachable(*g, doorX + b[0], doorY + b[1]))
                return hands.free() && hands.walker.walkTo(*g, doorX + b[0], doorY + b[1]);
        ADD_FAILURE() << "no way to the door";
        return true;
    });
    // The key is the only thing in the pack besides the staff, and the newest item is on top;
    // a key that opens a door closes the pack.
    s.add("open the pack", [&] { press(SDLK_ESCAPE); return true; });
    s.add("use the key", [&] { press(SDLK_RETURN); return true; });
    s.add("the door is open", [&] {
        if (!hands.exploring())
            return false;
        EXPECT_EQ(TILE_OPEN_DOOR, g->theMap->getTileAt(doorX, doorY));
        return true;
    });
    s.add("get the first task", [&] { return hands.talkTo("Master Hollin"); });
    s.add("walk to the book", [&] { return hands.walkToItem("hollinbook"); });
    s.add("pick up the book", [&] { return pickUp("hollinbook"); });
    s.add("hand in the book", [&] { return hands.talkTo("Master Hollin"); });
    s.add("get the second task", [&] {
        if (!hands.exploring())
            return false;
        EXPECT_TRUE(g->questList.front()->bIsCompleted);
        press(SDLK_RETURN);
        return true;
    });
    s.add("walk to the token", [&] { return hands.walkToItem("token"); });
    s.add("pick up the token", [&] { return pickUp("token"); });
    s.add("hand in the token", [&] { return hands.talkTo("Master Hollin"); });
    hands.watchEnding(s, "The gatekeeper");
    hands.play(s);
    std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ("watch the slides", s.current()) << "the tutorial stopped early";
    EXPECT_TRUE((hands.fights > 0)) << "the wolf pup never attacked";
    EXPECT_EQ(1, hands.wins);
    for (Quest* q : g->questList)
        EXPECT_TRUE(q->bIsCompleted) << q->description;
    EXPECT_NE(std::string::npos, out.find("Showing ending at tutorial\n"));
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_TRUE(g->bPleaseLoadGame);
}
