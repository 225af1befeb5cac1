// inventory_test.cpp -- the inventory: list order and scrolling, and what using each kind of item does.
#include <climits>
#include <vector>
#include <gtest/gtest.h>
#include "world.h"
#include "script.h"

using qtest::World;

namespace {

struct Inventory : qtest::PlayerGame
{
    // Opens the inventory with these keys queued; Escape is added to close it.
    void run(std::initializer_list<SDLKey> keys, bool close = true)
    {
        for (SDLKey k : keys)
            qtest::pushKey(k);
        if (close)
            qtest::pushKey(SDLK_ESCAPE);
        g->inventoryMenu();
    }
    bool textNear(int x, int y, int w_, int h_)
    {
        for (int j = y; j < y + h_; j++)
            for (int i = x; i < x + w_; i++)
                if (qtest::pixelAt(g->screen, i, j) == 0xffffff)
                    return true;
        return false;
    }
    // Whether the last frame shows exactly this line at (x, y).
    bool shows(const char* text, int x, int y) { return showsLine(text, x, y, 300, g->returnTextHeight(), 0x000064); }
};

} // namespace

TEST_F(Inventory, TwelveItemsScrollByOneAfterNineRows)
{
    for (int i = 0; i < 12; i++)
        w->addItem(ITEM_MELEE, OWNER_PLAYER);
    w->addItem(ITEM_USED_UP, OWNER_PLAYER);   // used up: never listed
    int h = g->returnTextHeight();
    testing::internal::CaptureStdout();
    run({});
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::string::npos, out.find("Scrolling"));
    EXPECT_TRUE(textNear(600, 450, 30, h));    // more below the ninth row
    EXPECT_FALSE(textNear(600, h, 30, h));

    testing::internal::CaptureStdout();
    run({SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN});
    out = testing::internal::GetCapturedStdout();
    size_t first = out.find("Scrolling down...\n");
    ASSERT_NE(std::string::npos, first);
    EXPECT_EQ(std::string::npos, out.find("Scrolling down...", first + 1));
    // Scroll in one frame, look at the next one: hidden rows above and below.
    qtest::EventScript script;
    script.keys({SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_DOWN})
        .pause(3)
        .keys({SDLK_ESCAPE});
    script.start();
    g->inventoryMenu();
    EXPECT_TRUE(textNear(600, h, 30, h));
    EXPECT_TRUE(textNear(600, 450, 30, h));
}

TEST_F(Inventory, PotionsCapAtTheirMaximum)
{
    Item* heal = w->addItem(ITEM_HEALING, OWNER_PLAYER);
    heal->maxEffect = 50;
    hero->stats.hp = 90;
    run({SDLK_RETURN}, false);
    EXPECT_EQ(100, hero->stats.hp);
    EXPECT_EQ(5, heal->type);
    EXPECT_EQ("Healed", g->vars.currentTalk);
    EXPECT_FLOAT_EQ(0, g->vars.timer_delta);

    Item* mana = w->addItem(ITEM_MANA, OWNER_PLAYER);
    mana->maxEffect = 5;
    hero->stats.mp = 10;
    run({SDLK_RETURN}, false);
    EXPECT_EQ(15, hero->stats.mp);
    EXPECT_EQ("Restored mana", g->vars.currentTalk);
}

// Potion strengths come from item files: the largest still only fills up.
TEST_F(Inventory, HugePotionsFillUpWithoutOverflowing)
{
    Item* heal = w->addItem(ITEM_HEALING, OWNER_PLAYER);
    heal->maxEffect = INT_MAX;
    hero->stats.hp = 90;
    run({SDLK_RETURN}, false);
    EXPECT_EQ(100, hero->stats.hp);
    EXPECT_EQ(5, heal->type);

    Item* mana = w->addItem(ITEM_MANA, OWNER_PLAYER);
    mana->maxEffect = INT_MAX;
    hero->stats.mp = 10;
    run({SDLK_RETURN}, false);
    EXPECT_EQ(50, hero->stats.mp);
}

TEST_F(Inventory, CashIsShownUnsigned)
{
    w->addItem(ITEM_MELEE, OWNER_PLAYER);
    hero->stats.money = 3000000000u;
    run({});
    EXPECT_TRUE(shows("Your cash: $3000000000", 10, 500));
}

// A missing picture is reported once for each item, however many frames and
// openings show it.
TEST_F(Inventory, AMissingPictureIsReportedOncePerItem)
{
    w->addItem(ITEM_MELEE, OWNER_PLAYER)->icon = 4000000000u;
    w->addItem(ITEM_MELEE, OWNER_PLAYER)->icon = 4000000000u;
    w->addItem(ITEM_MELEE, OWNER_PLAYER);
    testing::internal::CaptureStderr();
    for (int opening = 0; opening < 2; opening++) {
        qtest::EventScript script;
        script.keys({SDLK_DOWN}).pause(3).keys({SDLK_UP}).pause(3).keys({SDLK_ESCAPE});
        script.start();
        g->inventoryMenu();
    }
    std::string err = testing::internal::GetCapturedStderr();
    size_t n = 0;
    for (size_t p = 0; (p = err.find("Invalid item ", p)) != std::string::npos; p++)
        n++;
    EXPECT_EQ(2u, n) << err;
}

TEST_F(Inventory, TheFifthDrinkIsRefused)
{
    for (int i = 0; i < 5; i++)
        w->addItem(ITEM_DRINK, OWNER_PLAYER);
    g->vars.drunkenness = 3.0f;
    run({SDLK_RETURN}, false);
    EXPECT_FLOAT_EQ(4.0f, g->vars.drunkenness);
    EXPECT_EQ("*hic*", g->vars.currentTalk);
    run({SDLK_RETURN}, false);
    EXPECT_FLOAT_EQ(4.0f, g->vars.drunkenness);
    EXPECT_EQ("You are already too drunk!", g->vars.currentTalk);
    int left = 0;
    for (Item* it : g->itemVec)
        left += it->type == ITEM_DRINK;
    EXPECT_EQ(4, left);
}

TEST_F(Inventory, ArmourLeavesTheFloaterOnAndFloatersToggle)
{
    Item* floater = w->addItem(ITEM_FLOATER, OWNER_PLAYER);
    Item* oldArmour = w->addItem(ITEM_ARMOUR, OWNER_PLAYER);
    Item* newArmour = w->addItem(ITEM_ARMOUR, OWNER_PLAYER);
    oldArmour->bIsEquipped = true;
    // The top row is the last item: the new armour. Down, Down reaches the floater.
    run({SDLK_RETURN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
    EXPECT_TRUE(newArmour->bIsEquipped);
    EXPECT_FALSE(oldArmour->bIsEquipped);
    EXPECT_TRUE(floater->bIsEquipped);
    EXPECT_TRUE(g->vars.hasFloater);
    run({SDLK_DOWN, SDLK_DOWN, SDLK_RETURN});
    EXPECT_FALSE(floater->bIsEquipped);
    EXPECT_FALSE(g->vars.hasFloater);
    EXPECT_TRUE(newArmour->bIsEquipped);
}

// Taking off one of two worn floaters leaves the player floating on the other.
TEST_F(Inventory, TwoFloatersWornOneTakenOffStillFloats)
{
    Item* first = w->addItem(ITEM_FLOATER, OWNER_PLAYER);
    Item* second = w->addItem(ITEM_FLOATER, OWNER_PLAYER);
    first->bIsEquipped = second->bIsEquipped = true;
    g->vars.hasFloater = true;
    run({SDLK_RETURN});   // the top row: the second floater
    EXPECT_FALSE(second->bIsEquipped);
    EXPECT_TRUE(g->vars.hasFloater);
    run({SDLK_DOWN, SDLK_RETURN});
    EXPECT_FALSE(first->bIsEquipped);
    EXPECT_FALSE(g->vars.hasFloater);
}

TEST_F(Inventory, DroppedObjectsLieAtThePlayerAndCanBeTakenAgain)
{
    Item* letter = w->addItem(ITEM_PLAIN, OWNER_PLAYER);
    Item* towel = w->addItem(ITEM_KEY_SHOP_GOODS, OWNER_PLAYER);
    hero->x = 700;
    hero->y = 300;
    run({SDLK_RETURN}, false);   // the towel, on top
    EXPECT_EQ(0u, towel->owner);
    EXPECT_FLOAT_EQ(700, towel->x);
    EXPECT_FLOAT_EQ(300, towel->y);
    EXPECT_EQ(1u, letter->owner);
    g->pickupObjects();
    EXPECT_EQ(1u, towel->owner);
}

TEST_F(Inventory, KeysAndPicksOnDoors)
{
    Item* key = w->addItem(ITEM_DOOR_KEY, OWNER_PLAYER);
    run({SDLK_RETURN});   // no door: the key stays, the menu stays open until Escape
    EXPECT_EQ(6, key->type);
    g->theMap->setTileAt(11, 11, TILE_LOCKED_DOOR);
    run({SDLK_RETURN}, false);
    EXPECT_EQ(5, key->type);
    EXPECT_EQ(TILE_OPEN_DOOR, g->theMap->getTileAt(11, 11));

    Item* roomKey = w->addItem(ITEM_ROOM_KEY, OWNER_PLAYER);
    g->theMap->setTileAt(9, 10, TILE_ROOM_DOOR);
    run({SDLK_RETURN}, false);
    EXPECT_EQ(5, roomKey->type);
    EXPECT_EQ("Welcome to Mendrel Resorts!", g->vars.currentTalk);

    Item* pick = w->addItem(ITEM_LOCK_PICK, OWNER_PLAYER);
    g->vars.currentTalk = "earlier";
    run({SDLK_RETURN});   // no door: the old line shows again
    EXPECT_EQ("earlier", g->vars.currentTalk);
    EXPECT_FLOAT_EQ(g->TALK_TIMER, g->vars.talkTimer);
    bool broke = false, opened = false;
    for (int i = 0; i < 200 && !(broke && opened); i++) {
        g->theMap->setTileAt(10, 9, TILE_DOUBLE_DOOR);
        if (pick->type == ITEM_USED_UP)
            pick->type = ITEM_LOCK_PICK;
        run({SDLK_RETURN}, false);
        const std::string& t = g->vars.currentTalk;
        if (t == "Oh no! You broke your pick.") {
            broke = true;
            EXPECT_EQ(5, pick->type);
        } else if (t == "Successfully picked the lock.") {
            opened = true;
            EXPECT_EQ(TILE_OPEN_DOOR, g->theMap->getTileAt(10, 9));
        } else {
            EXPECT_EQ("Couldn't pick, try again", t);
        }
    }
    EXPECT_TRUE(broke);
    EXPECT_TRUE(opened);
}

TEST_F(Inventory, InCombatUsingAnythingEndsTheTurnAtOnce)
{
    w->addItem(ITEM_MELEE, OWNER_PLAYER);
    g->bPlayingGame = false;
    g->vars.timer_delta = 0.05f;
    qtest::pushKey(SDLK_RETURN);
    qtest::pushKey(SDLK_a);
    g->inventoryMenu();
    EXPECT_FLOAT_EQ(0.05f, g->vars.timer_delta);   // timers untouched
    SDL_Event e;
    EXPECT_EQ(1, SDL_PollEvent(&e));                // later keys are left for the fight
}

TEST_F(Inventory, EmptyInventoryWaitsForOneKey)
{
    qtest::pushQuit();
    g->vars.timer_delta = 0.05f;
    g->inventoryMenu();
    EXPECT_FALSE(g->bMustQuit);
    EXPECT_FLOAT_EQ(0.05f, g->vars.timer_delta);

    w->addItem(ITEM_MELEE, OWNER_PLAYER);
    qtest::pushQuit();
    g->inventoryMenu();
    EXPECT_TRUE(g->bMustQuit);
}

TEST_F(Inventory, WeaponListInItemOrder)
{
    Item* sword = w->addItem(ITEM_MELEE, OWNER_PLAYER);
    w->addItem(ITEM_MELEE, OWNER_SHOP);
    w->addItem(ITEM_ARMOUR, OWNER_PLAYER);
    Item* bow = w->addItem(ITEM_RANGED, OWNER_PLAYER);
    std::vector<Item*> list{sword};
    g->buildWeaponVector(list);
    ASSERT_EQ(3u, list.size());   // appends, does not clear
    EXPECT_EQ(sword, list[1]);
    EXPECT_EQ(bow, list[2]);
}
