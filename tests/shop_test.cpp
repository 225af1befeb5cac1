// shop_test.cpp -- the shop: both stages, half-price resale, the shop filters, selling out and leaving.
#include <gtest/gtest.h>
#include "autopilot.h"
#include "seam.h"
#include "world.h"

namespace {

struct Shop : qtest::PlayerGame
{
    void SetUp() override
    {
        PlayerGame::SetUp();
        qtest::logText = true;
    }
    Item* item(int type, unsigned owner, int price)
    {
        Item* it = w->addItem(type, owner);
        it->price = price;
        return it;
    }
    // Runs the shop with each batch of keys arriving in a later frame. Keys
    // after stage 1's choice stay queued for the list's first frame.
    void shop(int filter, std::initializer_list<std::vector<SDLKey>> batches)
    {
        qtest::pressBatches(batches, [&] { g->shopLoop(filter); });
        qtest::clearEvents();
    }
};

} // namespace

TEST_F(Shop, SellAtHalfBuyBackAtFullAndSellOut)
{
    Item* cloak = item(ITEM_ARMOUR, OWNER_PLAYER, 25);
    hero->stats.money = 13;
    // Sell; S to the buying side; buy it back; S to the selling side; leave.
    shop(-1, {{SDLK_DOWN, SDLK_RETURN, SDLK_RETURN}, {SDLK_s}, {SDLK_RETURN}, {SDLK_s}, {SDLK_ESCAPE}});

    // 25 / 2 pays 12; buying back costs 25, and money equal to the price buys.
    EXPECT_TRUE(qtest::wasDrawnAt("Unset Item Description | resale: 12", 63, 2 * g->returnTextHeight()));
    EXPECT_TRUE(qtest::wasDrawn("Money: $25"));
    EXPECT_EQ(0u, hero->stats.money);
    EXPECT_EQ(1u, cloak->owner);
    // Buying the last item shows the sold-out line at once; S then lists the player's goods.
    size_t soldOut = qtest::indexOf("Oh no! We're sold completely out.");
    ASSERT_NE(std::string::npos, soldOut);
    EXPECT_EQ("Unset Item Description | resale: 12", qtest::drawnText.back().text);
    EXPECT_FALSE(g->bMustQuit);
}

TEST_F(Shop, GeneralShopLeavesRoomKeysAndType12ToTheKeyShop)
{
    for (int t = 0; t <= 12; t++) {
        item(t, OWNER_SHOP, 10);
        item(t, OWNER_PLAYER, 10);
    }
    item(ITEM_MELEE, 3, 10);    // an owner with no meaning is never listed
    item(ITEM_ROOM_KEY, OWNER_MAP, 10);   // nor is an item on the map
    auto types = [&](int owner, int filter) {
        std::vector<Item*> v(3, nullptr);   // cleared before it is filled
        g->rebuildShopVector(v, g->itemVec, owner, filter);
        std::vector<int> out;
        for (Item* it : v)
            out.push_back(it->type + 100 * (int)it->owner);
        return out;
    };
    std::vector<int> general = {0, 1, 2, 3, 4, 6, 7, 8, 9, 10};
    for (int& t : general)
        t += 200;
    EXPECT_EQ(general, types(2, -1));
    EXPECT_EQ((std::vector<int>{211, 212}), types(2, 11));
    EXPECT_EQ((std::vector<int>{111, 112}), types(1, 11));
    EXPECT_EQ((std::vector<int>{101, 112}), types(1, 1));   // 12 goes with any filter but -1
    EXPECT_EQ(10u, types(1, -1).size());
}

TEST_F(Shop, EscapeConfirmsInStageOneAndQuitOnlyClosesTheShop)
{
    Item* potion = item(ITEM_HEALING, OWNER_SHOP, 10);
    hero->stats.money = 10;
    g->vars.timer_elapsed = 50;
    // Up then Escape on "Buy item" opens the list; Escape there leaves and
    // resets the frame timers.
    shop(-1, {{SDLK_UP, SDLK_ESCAPE}, {SDLK_ESCAPE}});
    EXPECT_EQ(2u, potion->owner);
    EXPECT_FLOAT_EQ(0.0f, g->vars.timer_elapsed);
    EXPECT_TRUE(qtest::wasDrawn("You are BUYING some items."));

    // "Never mind" leaves without the reset; so does a quit in stage 1.
    g->vars.timer_elapsed = 50;
    shop(-1, {{SDLK_DOWN, SDLK_DOWN, SDLK_DOWN, SDLK_ESCAPE}});
    qtest::pushQuit();
    g->shopLoop(-1);
    EXPECT_FLOAT_EQ(50.0f, g->vars.timer_elapsed);
    // A quit in the list closes the shop after its frame (the Enter after it
    // still buys), not the game.
    qtest::pushKey(SDLK_RETURN);
    qtest::pushQuit();
    qtest::pushKey(SDLK_RETURN);
    g->shopLoop(-1);
    EXPECT_EQ(1u, potion->owner);
    EXPECT_EQ(0u, hero->stats.money);
    EXPECT_FALSE(g->bMustQuit);
}

// What the player wears comes off when it is sold: a sold floater no longer
// carries the player over the sea, and nothing comes back from the stock worn.
TEST_F(Shop, SoldThingsAreTakenOffAndComeBackNotWorn)
{
    Item* spare = item(ITEM_FLOATER, OWNER_PLAYER, 10);   // carried, not worn
    Item* floater = item(ITEM_FLOATER, OWNER_PLAYER, 10);
    Item* armour = item(ITEM_ARMOUR, OWNER_PLAYER, 10);
    floater->bIsEquipped = true;
    armour->bIsEquipped = true;
    g->vars.hasFloater = true;
    // Selling, top row first: the armour, then the floater.
    shop(-1, {{SDLK_DOWN, SDLK_RETURN, SDLK_RETURN}, {SDLK_RETURN}, {SDLK_ESCAPE}});
    EXPECT_EQ(2u, armour->owner);
    EXPECT_EQ(2u, floater->owner);
    EXPECT_FALSE(armour->bIsEquipped);
    EXPECT_FALSE(floater->bIsEquipped);
    EXPECT_FALSE(g->vars.hasFloater);

    // Bought back, neither is worn; nor is a stock item that came worn from its file.
    Item* helmet = item(ITEM_ARMOUR, OWNER_SHOP, 10);
    helmet->bIsEquipped = true;
    hero->stats.money = 100;
    shop(-1, {{SDLK_RETURN, SDLK_RETURN}, {SDLK_RETURN}, {SDLK_RETURN}, {SDLK_ESCAPE}});
    for (Item* it : {floater, armour, helmet}) {
        EXPECT_EQ(1u, it->owner);
        EXPECT_FALSE(it->bIsEquipped);
    }
    EXPECT_FALSE(g->vars.hasFloater);

    // Selling one of two worn floaters leaves the player floating on the other.
    spare->bIsEquipped = floater->bIsEquipped = true;
    g->vars.hasFloater = true;
    // Selling list: spare, floater, armour, helmet; Down twice reaches the floater.
    shop(-1, {{SDLK_DOWN, SDLK_RETURN, SDLK_DOWN, SDLK_DOWN, SDLK_RETURN}, {SDLK_ESCAPE}});
    EXPECT_EQ(2u, floater->owner);
    EXPECT_FALSE(floater->bIsEquipped);
    EXPECT_TRUE(spare->bIsEquipped);
    EXPECT_TRUE(g->vars.hasFloater);
}

TEST_F(Shop, NotEnoughMoneyChangesNothing)
{
    Item* axe = item(ITEM_MELEE, OWNER_SHOP, 25);
    hero->stats.money = 24;
    Uint32 before = SDL_GetTicks();
    qtest::pushKey(SDLK_RETURN);
    qtest::pushKey(SDLK_RETURN);
    qtest::pushKey(SDLK_ESCAPE);
    g->shopLoop(-1);
    EXPECT_GE(SDL_GetTicks() - before, 800u);
    EXPECT_TRUE(qtest::wasDrawnAt("Sorry, you don't have enough money!", 10, 480));
    EXPECT_EQ(24u, hero->stats.money);
    EXPECT_EQ(2u, axe->owner);
}

TEST_F(Shop, AMissingPictureIsReportedOnce)
{
    item(ITEM_MELEE, OWNER_SHOP, 10)->icon = 4000000000u;
    item(ITEM_MELEE, OWNER_SHOP, 10);
    testing::internal::CaptureStderr();
    shop(-1, {{SDLK_RETURN}, {SDLK_DOWN}, {SDLK_UP}, {SDLK_DOWN}, {SDLK_ESCAPE}});
    shop(-1, {{SDLK_RETURN}, {SDLK_DOWN}, {SDLK_ESCAPE}});
    std::string err = testing::internal::GetCapturedStderr();
    size_t first = err.find("Invalid item 4000000000 requested\n");
    ASSERT_NE(std::string::npos, first) << err;
    EXPECT_EQ(std::string::npos, err.find("Invalid item", first + 1)) << err;
}

TEST_F(Shop, OddItemDataCannotBreakTheShop)
{
    Item* junk = item(ITEM_PLAIN, OWNER_PLAYER, -10);
    junk->icon = 4000000000u;
    hero->stats.money = 3;
    // All in the list's first frame: the first Enter sells and empties it.
    for (SDLKey k : {SDLK_DOWN, SDLK_RETURN, SDLK_RETURN, SDLK_RETURN, SDLK_UP, SDLK_DOWN, SDLK_RETURN, SDLK_ESCAPE})
        qtest::pushKey(k);
    testing::internal::CaptureStderr();
    g->shopLoop(-1);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, err.find("Invalid item 4000000000 requested"));
    EXPECT_EQ(2u, junk->owner);
    EXPECT_EQ(0u, hero->stats.money);   // a negative resale never wraps the money

    Item* gift = item(ITEM_PLAIN, OWNER_SHOP, -2147483647 - 1);
    hero->stats.money = 4000000000u;
    for (SDLKey k : {SDLK_RETURN, SDLK_RETURN, SDLK_ESCAPE})
        qtest::pushKey(k);
    g->shopLoop(-1);
    EXPECT_EQ(1u, gift->owner);
    EXPECT_EQ(4294967295u, hero->stats.money);
}
