// comfort_test.cpp -- the comfort options of config.cfg at work: reading time, acknowledged saves and
// quits, shops that keep their place, easy talking and the explained rewards.
#include <gtest/gtest.h>
#include "autopilot.h"
#include "seam.h"
#include "world.h"

namespace {

struct Comfort : qtest::PlayerGame
{
    std::string config() override { return "readtime\nconfirmations\nshopcursor\neasytalk\nrewardhelp\n"; }
    void SetUp() override
    {
        PlayerGame::SetUp();
        qtest::logText = true;
    }
    // Runs `screen` with each batch of keys arriving in a later frame.
    void play(std::initializer_list<std::vector<SDLKey>> batches, std::function<void()> screen)
    {
        qtest::pressBatches(batches, screen);
        qtest::clearEvents();
    }
    Item* stock(int type, unsigned owner, const std::string& name, bool worn = false)
    {
        Item* it = w->addItem(type, owner);
        it->itemName = name;
        it->price = 10;
        it->bIsEquipped = worn;
        return it;
    }
};

} // namespace

// At least 2.5 s, 1.5 s and 40 ms a character for long lines, at most 6 s; the line stays opaque
// until its last TALK_TIMER ms and goes into the journal as before.
TEST_F(Comfort, MessagesStayLongEnoughToRead)
{
    g->showMessage("Hi");
    EXPECT_FLOAT_EQ(2500, g->vars.talkTimer);
    std::string quest(90, 'q');
    g->showMessage(quest);
    EXPECT_FLOAT_EQ(1500 + 90 * 40, g->vars.talkTimer);
    g->showMessage(std::string(400, 'q'));
    EXPECT_FLOAT_EQ(6000, g->vars.talkTimer);
    g->showMessage(quest);
    frame(100);
    for (int i = 0; i < 40; i++)
        g->drawHud();
    EXPECT_FLOAT_EQ(1100, g->vars.talkTimer);   // 4 s on, still showing
    EXPECT_TRUE(qtest::wasDrawn(quest));
}

// F1 says whether the game was saved and why not; F2 asks first: N plays on, Y goes to the menu,
// and a window close in the question ends the game.
TEST_F(Comfort, SavesAndQuitsAreAcknowledged)
{
    qtest::pushKey(SDLK_F1);
    g->getInput();
    EXPECT_EQ("Game saved", g->vars.currentTalk);
    EXPECT_TRUE(w->dir.exists("save/vars.sav"));

    qtest::WorkDir blocked;
    blocked.write("save", "not a folder");
    qtest::quietly([&] {
        qtest::pushKey(SDLK_F1);
        g->getInput();
    });
    EXPECT_EQ("Could not save the game: Not a directory", g->vars.currentTalk);

    auto quitKeys = [&](std::vector<SDLKey> answer) {
        qtest::pushKey(SDLK_F2);
        play({answer}, [&] { g->getInput(); });
    };
    quitKeys({SDLK_a, SDLK_n});
    EXPECT_TRUE(qtest::wasDrawn("Quit to the menu? Unsaved play is lost. (Y/N)"));
    EXPECT_FALSE(g->bMustQuit);
    quitKeys({SDLK_ESCAPE});
    EXPECT_FALSE(g->bMustQuit);
    quitKeys({SDLK_y});
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_TRUE(g->bPleaseLoadGame);

    g->bMustQuit = g->bPleaseLoadGame = false;
    qtest::pushKey(SDLK_F2);
    qtest::pushQuit();
    g->getInput();
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_FALSE(g->bPleaseLoadGame);
}

// The cursor stays in its row after a trade, on the next item; worn gear is marked in the sell list,
// and selling it or the only weapon asks first.
TEST_F(Comfort, ShopsKeepYourPlace)
{
    Item* a = stock(ITEM_HEALING, OWNER_SHOP, "Apple");
    Item* b = stock(ITEM_HEALING, OWNER_SHOP, "Bread");
    Item* c = stock(ITEM_HEALING, OWNER_SHOP, "Cheese");
    hero->stats.money = 100;
    // The list shows Cheese, Bread, Apple: Down to Bread, buy it, and the next Return buys Apple.
    play({{SDLK_RETURN}, {SDLK_DOWN}, {SDLK_RETURN}, {SDLK_RETURN}, {SDLK_ESCAPE}},
         [&] { g->shopLoop(SHOP_ALL_TYPES); });
    EXPECT_EQ(OWNER_PLAYER, (int)a->owner);
    EXPECT_EQ(OWNER_PLAYER, (int)b->owner);
    EXPECT_EQ(OWNER_SHOP, (int)c->owner);

    Item* mail = stock(ITEM_ARMOUR, OWNER_PLAYER, "Mail", true);
    Item* sword = stock(ITEM_MELEE, OWNER_PLAYER, "Sword");
    qtest::drawnText.clear();
    // Selling: the top row is the sword, then the mail; N keeps each, Y sells the mail.
    play({{SDLK_DOWN, SDLK_RETURN}, {SDLK_RETURN}, {SDLK_n}, {SDLK_DOWN}, {SDLK_RETURN}, {SDLK_n}, {SDLK_RETURN},
          {SDLK_y}, {SDLK_ESCAPE}},
         [&] { g->shopLoop(SHOP_ALL_TYPES); });
    EXPECT_TRUE(qtest::wasDrawn("Unset Item Description | resale: 5 | worn"));
    EXPECT_TRUE(qtest::wasDrawn("Sell your only weapon? (Y/N)"));
    EXPECT_TRUE(qtest::wasDrawn("Sell the armour you are wearing? (Y/N)"));
    EXPECT_EQ(OWNER_PLAYER, (int)sword->owner);
    EXPECT_EQ(OWNER_SHOP, (int)mail->owner);
    EXPECT_FALSE(mail->bIsEquipped);
}

// A character right beside the player on its row or column answers; with nobody in reach the
// message line says so.
TEST_F(Comfort, ReturnTalksToAnyoneBesideYou)
{
    g->startTalking();
    EXPECT_EQ("There is nobody close enough to talk to.", g->vars.currentTalk);
    Actor* level = w->addActor(hero->x + TILE_SIZE, hero->y);
    level->conversation[0] = "Fine weather";
    level->myName = "Pip";
    g->startTalking();
    EXPECT_EQ("Pip says: \"Fine weather\"", g->vars.currentTalk);
}

// The level-up screen gives each choice's worth in the player's own numbers.
TEST_F(Comfort, TheRewardScreenExplainsItself)
{
    hero->stats.xp = 3;
    hero->stats.hp_max = 40;
    hero->stats.mp_max = 20;
    hero->stats.money = 7;
    Actor* foe = w->addActor(hero->x + TILE_SIZE, hero->y);
    Uint32 now = 10000;
    qtest::fakeTicks = [&]() { return now += 5; };
    qtest::onFrame = [&]() {
        if (g->vars.frames == 1 && g->enemy == nullptr && foe) {
            foe->stats.hp = -5;
            g->enemy = foe;
            g->mode = 1;
            g->bPlayingGame = false;
            foe = nullptr;
            qtest::pushKey(SDLK_d);
        } else if (g->vars.frames > 2) {
            g->bMustQuit = true;
        }
    };
    g->gameLoop();
    qtest::onFrame = nullptr;
    qtest::fakeTicks = nullptr;
    EXPECT_TRUE(qtest::wasDrawn("  +1 damage a blow, max health 40 to 44"));
    EXPECT_TRUE(qtest::wasDrawn("  blocks up to 1 more damage a blow"));
    EXPECT_TRUE(qtest::wasDrawn("  +1 to every spell, max mana 20 to 24"));
    EXPECT_TRUE(qtest::wasDrawn("  $1000, you would have $1057"));
    EXPECT_EQ(6u, hero->stats.dexterity);
}
