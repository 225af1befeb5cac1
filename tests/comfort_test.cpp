// comfort_test.cpp -- the comfort options of config.cfg at work: reading time, acknowledged saves and
// quits, shops that keep their place, easy talking, the explained rewards, the weapon kept in hand,
// the ordered pack, foes that step round walls and the float-ring at sea.
#include <algorithm>
#include <set>
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

// The fight, pack and sea comforts, each of which a test turns off again to see the old rules.
struct FightComfort : Comfort
{
    std::string config() override { return "keepweapon\npackorder\nstepround\neasytalk\nfloatring\n"; }
    // A fight begun the way the map begins one, with a foe two tiles off; answers the weapon in hand.
    Item* newFight()
    {
        g->mode = 0;
        g->bPlayingGame = true;
        Actor* foe = w->addHostile(hero->x + 2 * TILE_SIZE, hero->y + TILE_SIZE);
        Uint32 now = 10000;
        qtest::fakeTicks = [&]() { return now += 50; };   // the fight's banner passes quickly
        g->AIManager();
        qtest::fakeTicks = nullptr;
        EXPECT_EQ(foe, g->enemy);
        foe->bIsHostile = false;   // beaten, as far as the next fight is concerned
        return g->fvars.weapons.empty() ? nullptr : g->fvars.weapons[g->fvars.selectedWeapon];
    }
    // The row of the pointer in the weapon list, 0 at the top, after a weapon key.
    int pointerRowAfter(SDLKey key)
    {
        g->mode = 1;
        g->bPlayingGame = false;
        g->vars.bYourTurn = true;
        qtest::pushKey(key);
        g->getFightInput();
        return (int)g->fvars.weapons.size() - 1 - g->fvars.selectedWeapon;
    }
    // Opens the inventory on the given keys and Escape (left unread when Enter in a fight returns).
    void openPack(std::vector<SDLKey> keys)
    {
        qtest::drawnText.clear();
        for (SDLKey k : keys)
            qtest::pushKey(k);
        qtest::pushKey(SDLK_ESCAPE);
        g->inventoryMenu();
        qtest::clearEvents();
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

// A character right beside the player on its row or column answers; with nobody in reach, or the
// player too drunk to follow, the message line says so.
TEST_F(Comfort, ReturnTalksToAnyoneBesideYou)
{
    g->startTalking();
    EXPECT_EQ("There is nobody close enough to talk to.", g->vars.currentTalk);
    Actor* level = w->addActor(hero->x + TILE_SIZE, hero->y);
    level->conversation[0] = "Fine weather";
    level->myName = "Pip";
    g->startTalking();
    EXPECT_EQ("Pip says: \"Fine weather\"", g->vars.currentTalk);
    g->vars.drunkenness = 3;
    g->startTalking();
    EXPECT_EQ(0u, g->vars.currentTalk.find("Pip says: \""));
    const std::string why = "\" Too drunk to make sense of anyone. Sleep it off in a bed.";
    EXPECT_NE(std::string::npos, g->vars.currentTalk.find(why));
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

// The best weapon starts the first fight (the first of equals); the one in hand starts the next, until
// it is sold. V goes down the list as drawn (last weapon at the top), B up; without the option V goes
// up and every fight starts with the first weapon.
TEST_F(FightComfort, TheWeaponInHandIsKeptFromFightToFight)
{
    auto weapon = [&](int type, int most, const char* name) {
        Item* it = stock(type, OWNER_PLAYER, name);
        it->maxEffect = most;
        return it;
    };
    Item* staff = weapon(ITEM_MELEE, 2, "Staff");
    Item* bow = weapon(ITEM_RANGED, 7, "Bow");
    Item* sword = weapon(ITEM_MELEE, 9, "Sword");
    weapon(ITEM_MELEE, 9, "Club");
    EXPECT_EQ(sword, newFight());
    EXPECT_EQ(2, pointerRowAfter(SDLK_v));   // rows: club, sword, bow, staff
    EXPECT_EQ(bow, newFight());
    EXPECT_EQ(1, pointerRowAfter(SDLK_b));
    EXPECT_EQ(2, pointerRowAfter(SDLK_v));
    bow->owner = OWNER_SHOP;
    EXPECT_EQ(sword, newFight());

    g->vars.bKeepWeapon = false;
    EXPECT_EQ(staff, newFight());
    EXPECT_EQ(1, pointerRowAfter(SDLK_v));   // rows: club, sword, staff
}

// Potions on top and like items counted once; Enter uses one of a kind, and the menu opens again on the
// row it was left on, or on the same line when that kind is gone. (The plain order: inventory_test.)
TEST_F(FightComfort, ThePackListsPotionsFirstAndCountsLikeItems)
{
    Item* ale = stock(ITEM_DRINK, OWNER_PLAYER, "Ale");
    stock(ITEM_HEALING, OWNER_PLAYER, "Healing potion");
    stock(ITEM_MELEE, OWNER_PLAYER, "Sword");
    stock(ITEM_HEALING, OWNER_PLAYER, "Healing potion");
    Item* mail = stock(ITEM_ARMOUR, OWNER_PLAYER, "Mail");
    Item* mana = stock(ITEM_MANA, OWNER_PLAYER, "Mana potion");
    stock(ITEM_HEALING, OWNER_PLAYER, "Healing potion");
    const int h = g->returnTextHeight();
    auto row = [&](int r) { return h + 49 * r; };
    auto potionsLeft = [&]() {
        const auto& v = g->itemVec;
        return std::count_if(v.begin(), v.end(), [](Item* it) { return it->type == ITEM_HEALING; });
    };

    openPack({SDLK_DOWN});
    const char* rows[] = {"Healing potion x3", "Mana potion", "Mail", "Sword", "Ale"};
    for (int r = 0; r < 5; r++)
        EXPECT_TRUE(qtest::wasDrawnAt(rows[r], 63, row(r))) << rows[r];
    openPack({SDLK_RETURN});   // opens on the mana potion and drinks it
    EXPECT_EQ(ITEM_USED_UP, mana->type);
    openPack({SDLK_RETURN});   // the same line is the mail now
    EXPECT_TRUE(mail->bIsEquipped);
    EXPECT_TRUE(qtest::wasDrawnAt("Mail", 63, row(1)));

    g->bPlayingGame = false;   // in a fight Enter takes the turn at once
    openPack({SDLK_UP, SDLK_RETURN});
    EXPECT_EQ(2, potionsLeft());
    openPack({SDLK_RETURN});
    EXPECT_TRUE(qtest::wasDrawnAt("Healing potion x2", 63, row(0)));
    EXPECT_EQ(1, potionsLeft());
    EXPECT_EQ(ITEM_DRINK, ale->type);
}

// Turns until the foe strikes, each turn's console line kept; a foe that never comes near stops at 8.
// Walls are given relative to the player's tile, the foe two or more tiles above it.
TEST_F(FightComfort, AFoeStepsRoundAWallByTheShortestWay)
{
    struct Case
    {
        const char* what;
        std::vector<std::pair<int, int>> walls;
        int foeRow;
        bool on;
        int turns;        // to come within a strike, or -1 for never
        int cantReach;    // "Can't reach you!" lines over the turns
    };
    const std::vector<std::pair<int, int>> ring = {{-1, -4}, {0, -4}, {1, -4}, {-1, -3},
                                                   {1, -3},  {-1, -2}, {0, -2}, {1, -2}};
    const Case cases[] = {
        {"a wall straight between", {{0, -1}}, -2, true, 2, 0},
        {"the same without the option", {{0, -1}}, -2, false, -1, 8},
        {"a cup the straight walk leads into", {{-1, -2}, {0, -2}, {1, -2}, {-1, -3}, {1, -3}}, -4, true, 6,
         0},
        {"walled in", ring, -3, true, -1, 1},
    };
    const float px = hero->x, py = hero->y;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        w->fill(TILE_GRASS);
        for (const auto& c : k.walls)
            g->theMap->setTileAt(Map::cellOf(px) + c.first, Map::cellOf(py) + c.second, TILE_STONE_WALL);
        g->vars.bStepRound = k.on;
        g->fvars.bToldNoWay = false;
        g->vars.fightMsgVec.clear();
        Actor foe;
        foe.x = px;
        foe.y = py + (float)(TILE_SIZE * k.foeRow);
        std::set<std::pair<float, float>> been;
        int turns = -1;
        for (int t = 0; t < 8 && turns < 0; t++) {
            if (g->distance(foe.x, foe.y, px, py) < 2 * TILE_SIZE) {
                turns = t;
            } else {
                g->fightAI(&foe, hero);
                EXPECT_TRUE(been.insert({foe.x, foe.y}).second || k.turns < 0) << "back again at turn " << t;
            }
        }
        EXPECT_EQ(k.turns, turns);
        EXPECT_EQ(k.cantReach, (int)std::count(g->vars.fightMsgVec.begin(), g->vars.fightMsgVec.end(),
                                               std::string("Can't reach you!")));
    }
}

// Out at sea with the floater worn the player sits in a red and white ring, legs under water; on land,
// without the floater or without the option, the picture is drawn as it always was.
TEST_F(FightComfort, TheFloatRingShowsAtSea)
{
    auto tile = [&](int ground, bool floater, bool on) {
        w->fill(ground);
        g->vars.hasFloater = floater;
        g->vars.bFloatRing = on;
        g->drawMap();
        g->drawSprites();
        return band((int)g->screenXOf(hero->x), (int)g->screenYOf(hero->y), TILE_SIZE, TILE_SIZE);
    };
    const std::vector<Uint32> plainAtSea = tile(TILE_SEA, true, false);
    EXPECT_EQ(plainAtSea, tile(TILE_SEA, false, true));
    EXPECT_EQ(tile(TILE_GRASS, true, false), tile(TILE_GRASS, true, true));
    const std::vector<Uint32> afloat = tile(TILE_SEA, true, true);
    EXPECT_NE(plainAtSea, afloat);
    EXPECT_EQ(0xcd3024u, afloat[31 * TILE_SIZE + 24 - 18]);   // the ring's left side, in front
    g->actorList.remove(hero);   // the same sea with nobody on it
    const std::vector<Uint32> sea = tile(TILE_SEA, true, false);
    g->actorList.push_front(hero);
    for (int x = 0; x < TILE_SIZE; x++)
        EXPECT_EQ(sea[45 * TILE_SIZE + x], afloat[45 * TILE_SIZE + x]) << "feet under water at " << x;
}
