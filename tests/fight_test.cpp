// fight_test.cpp -- fight rules: the player's keys, attacks and spells, the enemy's turn, effects, trail and shot.
#include <cstdlib>
#include <gtest/gtest.h>
#include "world.h"

using qtest::World;

namespace {

// The player stands on tile (10, 10), screen (352, 252); the enemy starts on
// the tile to its right. Random outcomes are replayed from srand seeds, which
// also checks the order of the rolls.
struct Fight : qtest::GameTest
{
    void SetUp() override
    {
        GameTest::SetUp();
        foe = w->startFight();
        hero = g->player;
    }
    void enemyAt(int dx, int dy) { foe->x = hero->x + TILE_SIZE * dx; foe->y = hero->y + TILE_SIZE * dy; }
    // A fresh turn (enemy at 1000 health, empty console, no effects), then the keys in one frame.
    void press(std::initializer_list<SDLKey> keys, bool spellBar = false, unsigned seed = 0)
    {
        g->cleanUpFightVars();
        g->fvars.bMenuOpen = spellBar;
        g->vars.fightMsgVec.clear();
        g->vars.bYourTurn = true;
        foe->stats.hp = 1000;
        for (SDLKey k : keys)
            qtest::pushKey(k);
        if (seed)
            srand(seed);
        g->getFightInput();
    }
    Item* weapon(int type, int maxEffect, int range = 0)
    {
        Item* it = w->addItem(type, 1);
        it->maxEffect = maxEffect;
        it->range = range;
        g->fvars.weapons.push_back(it);
        return it;
    }
    std::string line(size_t fromEnd)
    {
        const std::vector<std::string>& c = g->vars.fightMsgVec;
        return c.size() > fromEnd ? c[c.size() - 1 - fromEnd] : "";
    }
    Actor* hero = nullptr;
    Actor* foe = nullptr;
};

std::string hitFor(long n) { return "Hit for " + std::to_string(n) + " damage"; }

} // namespace

TEST_F(Fight, BareHandedMeleeHitsForTheStrengthOnNeighbouringTilesOnly)
{
    foe->stats.dexterity = 1;   // the defence roll is always 0
    hero->stats.strength = 7;
    press({SDLK_v, SDLK_b, SDLK_z});   // no weapons: the switch keys do nothing
    EXPECT_EQ((std::vector<std::string>{"Attacking with fists", hitFor(7), "Enemy's move."}), g->vars.fightMsgVec);
    EXPECT_EQ(993, foe->stats.hp);
    const fightEffect* e = g->fvars.effects.back();
    EXPECT_EQ(ICON_HIT, e->icon);
    EXPECT_EQ("7", e->text);
    EXPECT_FLOAT_EQ(400, e->x);
    EXPECT_FLOAT_EQ(252, e->y);

    enemyAt(1, 1);   // 67.9 pixels, one tile after truncation
    press({SDLK_z});
    EXPECT_EQ(993, foe->stats.hp);
    enemyAt(2, 0);   // 96 pixels: out of reach, said, and the turn is kept
    press({SDLK_z});
    EXPECT_EQ(1000, foe->stats.hp);
    EXPECT_EQ((std::vector<std::string>{"The enemy is out of reach: step next to it to strike"}), g->vars.fightMsgVec);
    EXPECT_TRUE(g->vars.bYourTurn);

    hero->stats.strength = 0;   // attack 0 against defence 0 is a hit for 0
    enemyAt(1, 0);
    press({SDLK_z});
    EXPECT_EQ(hitFor(0), line(1));
}

// maxEffect 7 at drunkenness 0.5 rolls rand() % 10, then the defence.
TEST_F(Fight, DrunkenMeleeRollsInARangeOfTen)
{
    Item* club = weapon(ITEM_MELEE, 7);
    g->vars.drunkenness = 0.5f;
    hero->stats.strength = 0;
    foe->stats.dexterity = 3;
    bool aboveSeven = false;
    for (unsigned seed = 1; seed <= 40; seed++) {
        srand(seed);
        int attack = rand() % 10, defence = rand() % 3;
        aboveSeven |= attack >= 7;
        press({SDLK_z}, false, seed);
        EXPECT_EQ("Attacking with " + club->itemName, line(2));
        EXPECT_EQ(attack < defence ? "Missed!" : hitFor(attack - defence), line(1)) << seed;
        EXPECT_EQ(attack < defence ? 1000 : 1000 - attack + defence, foe->stats.hp) << seed;
    }
    EXPECT_TRUE(aboveSeven);
}

TEST_F(Fight, RangedWeaponRangeRollsAndCriticals)
{
    weapon(ITEM_RANGED, 6, 3);
    hero->stats.strength = 2;
    foe->stats.dexterity = 8;
    enemyAt(3, 0);
    press({SDLK_z});
    EXPECT_EQ("Too far away, max range of this weapon is 3", line(0));
    EXPECT_TRUE(g->vars.bYourTurn);

    enemyAt(2, 0);
    bool critical = false, miss = false;
    for (unsigned seed = 1; seed <= 300; seed++) {
        srand(seed);
        int attack = rand() % 6 + 2, defence = rand() % 8;
        int damage = attack > defence ? attack - defence : 0;
        bool isMiss = damage < defence, isCritical = !isMiss && rand() % 20 == 1;
        press({SDLK_z}, false, seed);
        std::string expect = isMiss ? "Missed!" : (isCritical ? "CRITICAL HIT! " : "") + hitFor((isCritical ? 2 : 1) * damage);
        ASSERT_EQ(expect, line(1)) << seed;
        EXPECT_EQ(isMiss ? 1000 : 1000 - (isCritical ? 2 : 1) * damage, foe->stats.hp);
        EXPECT_TRUE(g->fvars.bIsStillShooting);
        critical |= isCritical;
        miss |= isMiss;
    }
    EXPECT_TRUE(critical && miss);
    EXPECT_FLOAT_EQ(504, g->fvars.shot_x);
    EXPECT_FLOAT_EQ(504, g->fvars.shot_y);

    g->theMap->setTileAt(11, 10, TILE_STONE_WALL);   // a wall: the shot still flies and the turn is spent
    press({SDLK_z});
    EXPECT_EQ("Missed shot, obstacle in the way!", line(1));
    EXPECT_TRUE(g->fvars.bIsStillShooting);
    EXPECT_EQ(1000, foe->stats.hp);
}

// A range of 0 rolls 0 and draws no number: only the critical roll draws one here.
TEST_F(Fight, ZeroRangesRollZero)
{
    Item* stick = weapon(ITEM_MELEE, 0);
    foe->stats.dexterity = 0;
    hero->stats.strength = 3;
    press({SDLK_z});
    EXPECT_EQ(hitFor(3), line(1));
    stick->type = ITEM_RANGED;
    stick->range = 2;
    srand(5);
    int expect = rand() % 20 == 1 ? 6 : 3;
    press({SDLK_z}, false, 5);
    EXPECT_EQ(1000 - expect, foe->stats.hp);
}

TEST_F(Fight, HealAndFireballSpendManaAndTheTurn)
{
    hero->stats.intelligence = 4;
    srand(3);
    int amount = rand() % 10 + 4;
    press({SDLK_c, SDLK_x}, false, 3);   // at full health
    EXPECT_EQ(100, hero->stats.hp);
    EXPECT_EQ(40, hero->stats.mp);
    EXPECT_FALSE(g->vars.bYourTurn);
    EXPECT_EQ("Healed " + std::to_string(amount) + " health", line(1));
    EXPECT_EQ(ICON_HEAL_MARK, g->fvars.effects.back()->icon);
    EXPECT_FLOAT_EQ(352, g->fvars.effects.back()->x);

    enemyAt(6, 0);
    press({SDLK_z}, true);
    EXPECT_EQ(35, hero->stats.mp);
    EXPECT_FALSE(g->vars.bYourTurn);
    EXPECT_FLOAT_EQ(1000, g->fvars.movetimer);
    EXPECT_EQ("Couldn't hit enemy, too far away", line(1));
    EXPECT_EQ(5u, g->fvars.effects.size());   // the trail over the five tiles between

    enemyAt(3, 0);
    srand(9);
    int damage = rand() % 10 + 4;
    press({SDLK_z}, true, 9);
    EXPECT_EQ(hitFor(damage), line(1));
    EXPECT_EQ(1000 - damage, foe->stats.hp);
    g->theMap->setTileAt(12, 10, TILE_STONE_WALL);
    press({SDLK_z}, true);
    EXPECT_EQ("Couldn't hit enemy, wall in the way", line(1));

    hero->stats.mp = 9;
    press({SDLK_x, SDLK_z}, true);   // heal is refused, the fireball still goes
    EXPECT_EQ("Not enough mana to cast heal (need 10)", line(2));
    EXPECT_EQ("Couldn't hit enemy, wall in the way", line(1));
    hero->stats.mp = 4;
    press({SDLK_z}, true);
    EXPECT_EQ("Not enough mana to cast fireball (need 5)", line(0));
    EXPECT_TRUE(g->vars.bYourTurn);
    EXPECT_TRUE(g->fvars.effects.empty());
}

// The enemy looks along the line to the player: to the north-east, across the other diagonal.
TEST_F(Fight, FireballFollowsTheLineToADiagonalEnemy)
{
    hero->stats.intelligence = 4;
    enemyAt(3, -3);
    g->theMap->setTileAt(10, 7, TILE_STONE_WALL);
    g->theMap->setTileAt(11, 8, TILE_STONE_WALL);
    g->theMap->setTileAt(12, 9, TILE_STONE_WALL);
    srand(9);
    int damage = rand() % 10 + 4;
    press({SDLK_z}, true, 9);
    EXPECT_EQ(hitFor(damage), line(1));
    g->theMap->setTileAt(11, 9, TILE_STONE_WALL);
    press({SDLK_z}, true);
    EXPECT_EQ("Couldn't hit enemy, wall in the way", line(1));
}

TEST_F(Fight, PainReachesThreeTilesThroughWalls)
{
    hero->stats.mp = 0;
    enemyAt(4, 0);
    press({SDLK_v}, true);
    EXPECT_EQ("Too far away to cast Pain", line(0));
    enemyAt(3, 0);
    press({SDLK_v}, true);
    EXPECT_EQ("Not enough MP to cast Pain, need 15", line(0));
    EXPECT_TRUE(g->vars.bYourTurn);

    g->theMap->setTileAt(11, 10, TILE_STONE_WALL);
    hero->stats.intelligence = 2;
    for (unsigned seed = 1; seed <= 20; seed++) {
        hero->stats.mp = 15;
        srand(seed);
        bool misses = rand() % 6 < 4;
        int damage = misses ? 0 : rand() % 30 + 2;
        press({SDLK_v}, true, seed);
        EXPECT_EQ(0, hero->stats.mp);
        EXPECT_EQ(misses ? "Missed!" : "Radiated pain for " + std::to_string(damage) + " damage!", line(1));
        EXPECT_EQ(1000 - damage, foe->stats.hp);
    }
}

// A successful flee drops the player at (48, 48) with the fight state untouched.
TEST_F(Fight, FleeKeepsTheTurnEitherWay)
{
    bool escaped = false, failed = false;
    for (unsigned seed = 1; seed <= 60; seed++) {
        hero->x = hero->y = 480;
        hero->stats.mp = 15;
        g->bPlayingGame = false;
        srand(seed);
        bool success = rand() % 8 > 6;
        press({SDLK_b}, true, seed);
        EXPECT_EQ(0, hero->stats.mp);
        EXPECT_TRUE(g->vars.bYourTurn);
        EXPECT_EQ(1, g->mode);
        EXPECT_EQ(success, g->bPlayingGame);
        EXPECT_FLOAT_EQ(success ? 48 : 480, hero->x);
        EXPECT_EQ(success ? "" : "Failure. Could not escape!", line(0));
        (success ? escaped : failed) = true;
    }
    EXPECT_TRUE(escaped && failed);
    hero->stats.mp = 14;
    press({SDLK_b}, true);
    EXPECT_EQ("Not enough mana to cast flee, need 15", line(0));
}

TEST_F(Fight, KeysMovesAndTheQueue)
{
    g->theMap->setTileAt(10, 9, TILE_STONE_WALL);
    press({SDLK_RIGHT, SDLK_UP});   // into the enemy, into a wall: free and silent
    EXPECT_TRUE(g->vars.bYourTurn);
    EXPECT_TRUE(g->vars.fightMsgVec.empty());

    // Every queued press is carried out, also after the turn is used.
    press({SDLK_SPACE, SDLK_LEFT, SDLK_SPACE});
    EXPECT_EQ((std::vector<std::string>{"Waited...", "Waited...", "Enemy's move."}), g->vars.fightMsgVec);
    EXPECT_FLOAT_EQ(432, hero->x);
    EXPECT_EQ(FACE_LEFT, hero->direction);

    for (int i = 0; i < 3; i++)
        weapon(ITEM_MELEE, 1);
    hero->x = 480;
    press({SDLK_v, SDLK_v, SDLK_v, SDLK_b, SDLK_c, SDLK_c, SDLK_F3});
    EXPECT_EQ(1, g->fvars.selectedWeapon);
    EXPECT_EQ(3u, g->vars.fightMsgVec.size());   // the third v was at the end of the list
    EXPECT_TRUE(g->vars.bYourTurn);
    EXPECT_TRUE(w->dir.exists("sshot.bmp"));

    press({SDLK_x, SDLK_ESCAPE});   // the inventory takes the turn
    EXPECT_EQ("Enemy's move.", line(0));
}

// In a fight each side steps where it could walk: the player onto sea only
// with the floater worn, a sea monster only over sea, others on free ground.
TEST_F(Fight, StepsAtSeaFollowTheWalkingRules)
{
    g->theMap->setTileAt(10, 11, TILE_SEA);
    press({SDLK_DOWN});
    EXPECT_FLOAT_EQ(480, hero->y);   // no floater
    g->vars.hasFloater = true;
    press({SDLK_DOWN});
    EXPECT_FLOAT_EQ(528, hero->y);
    EXPECT_EQ("Enemy's move.", line(0));

    w->fill(TILE_SEA);
    hero->x = hero->y = 480;
    enemyAt(3, 0);
    g->fightAI(foe, hero);
    EXPECT_FLOAT_EQ(480 + 144, foe->x) << "a land fighter cannot step onto the sea";
    foe->conversation[1] = "Seamonster";
    g->fightAI(foe, hero);
    EXPECT_FLOAT_EQ(480 + 96, foe->x);
    g->theMap->setTileAt(11, 10, TILE_GRASS);
    g->fightAI(foe, hero);
    EXPECT_FLOAT_EQ(480 + 96, foe->x) << "a sea monster keeps to the sea";
}

TEST_F(Fight, ClosingTheWindowEndsTheProgramAtOnce)
{
    EXPECT_EXIT(
        {
            qtest::pushQuit();
            g->getFightInput();
            _exit(3);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(Fight, EnemyStepsFromTwoTilesAndStrikesFromTheDiagonal)
{
    enemyAt(2, 0);
    g->fightAI(foe, hero);
    EXPECT_FLOAT_EQ(528, foe->x);
    EXPECT_EQ(FACE_LEFT, foe->direction);
    EXPECT_TRUE(g->vars.fightMsgVec.empty());
    enemyAt(1, 1);
    g->fightAI(foe, hero);
    EXPECT_EQ("Enemy attacking with fists", g->vars.fightMsgVec.at(0));
    EXPECT_FLOAT_EQ(528, foe->x);
}

// Defence is the dexterity roll plus the armour; a blow lands at twice the defence.
TEST_F(Fight, EnemyBlowsAgainstDefenceAndArmour)
{
    foe->stats.strength = 10;
    hero->stats.dexterity = 1;
    Item* mail = w->addItem(ITEM_ARMOUR, OWNER_PLAYER);
    g->fvars.playerArmour = mail;
    mail->maxEffect = 5;
    g->fightAI(foe, hero);
    EXPECT_EQ(hitFor(5), line(0));
    EXPECT_EQ(95, hero->stats.hp);
    mail->maxEffect = 6;
    g->fightAI(foe, hero);
    EXPECT_EQ("Missed!", line(0));
    EXPECT_EQ(95, hero->stats.hp);

    mail->maxEffect = 3;
    foe->stats.strength = 12;
    hero->stats.dexterity = 5;
    for (unsigned seed = 1; seed <= 20; seed++) {
        hero->stats.hp = 100;
        srand(seed);
        int defence = rand() % 5 + 3;
        srand(seed);
        g->fightAI(foe, hero);
        EXPECT_EQ(12 - defence < defence ? 100 : 88 + defence, hero->stats.hp) << seed;
    }
    hero->stats.strength = 4;   // armour is the player's only
    foe->stats.dexterity = 1;
    g->fightAI(hero, foe);
    EXPECT_EQ(96, foe->stats.hp);
}

TEST_F(Fight, WallBetweenGivesCantReachYou)
{
    enemyAt(0, -2);
    g->theMap->setTileAt(10, 9, TILE_STONE_WALL);
    g->vars.bYourTurn = false;
    testing::internal::CaptureStdout();
    g->fightAI(foe, hero);
    EXPECT_EQ("Can't reach you!?\n", testing::internal::GetCapturedStdout());
    EXPECT_EQ("Can't reach you!", line(0));
    EXPECT_TRUE(g->vars.bYourTurn);

    enemyAt(2, 2);   // blocked sideways, free upward: a move, no message
    g->theMap->setTileAt(11, 12, TILE_STONE_WALL);
    EXPECT_EQ(0, g->fightAIMove(foe, hero));
    EXPECT_FLOAT_EQ(576, foe->x);
    EXPECT_FLOAT_EQ(528, foe->y);
    EXPECT_EQ(1u, g->vars.fightMsgVec.size());
}

TEST_F(Fight, EffectsExpireOnePerFrameAndTheRestWait)
{
    for (const char* t : {"1", "2", "3"})
        g->fightEffectAt(528, 480, 9, t);
    g->vars.timer_elapsed = 400;
    g->vars.timer_delta = 0.4f;
    g->drawFightEffects();
    EXPECT_FLOAT_EQ(600, g->fvars.effects.back()->timer);
    EXPECT_FLOAT_EQ(248, g->fvars.effects.back()->y);   // rising 10 pixels per second
    g->vars.timer_elapsed = 700;   // all three run out
    for (const char* next : {"2", "3"}) {
        g->drawFightEffects();
        EXPECT_EQ(next, g->fvars.effects.front()->text);
        EXPECT_FLOAT_EQ(600, g->fvars.effects.back()->timer);   // not aged in the frame of an expiry
    }
    g->drawFightEffects();
    EXPECT_TRUE(g->fvars.effects.empty());
}

TEST_F(Fight, TrailCoversAtMostTenTilesDiagonalFirst)
{
    auto trail = [&](float x2, float y2) {
        g->cleanUpFightVars();
        g->effectAlongLine(480, 480, x2, y2, 1);
        std::vector<std::pair<int, int>> t;
        for (const fightEffect* e : g->fvars.effects)
            t.push_back({(int)e->x, (int)e->y});
        return t;
    };
    std::vector<std::pair<int, int>> t = trail(480 + 15 * TILE_SIZE, 480);
    ASSERT_EQ(10u, t.size());
    EXPECT_EQ(std::make_pair(400, 252), t.front());
    EXPECT_EQ(std::make_pair(352 + 480, 252), t.back());
    EXPECT_EQ(ICON_FIRE_TRAIL, g->fvars.effects.front()->icon);
    EXPECT_EQ((std::vector<std::pair<int, int>>{{400, 300}, {448, 300}}), trail(480 + 3 * TILE_SIZE, 528));
    EXPECT_TRUE(trail(528, 528).empty());
    g->theMap->setTileAt(13, 10, TILE_CABIN_WALL);
    EXPECT_EQ(2u, trail(480 + 5 * TILE_SIZE, 480).size());   // stops before the wall
}

TEST_F(Fight, ShotStopsOnTheEnemysLineAndArrives)
{
    enemyAt(2, 0);
    g->fvars.bIsStillShooting = true;
    g->fvars.shot_x = g->fvars.shot_y = 504;
    g->vars.timer_delta = 0.1f;   // 30 pixels per axis
    SDL_FillRect(g->screen, NULL, 0);
    g->updateBullet();
    EXPECT_FLOAT_EQ(534, g->fvars.shot_x);
    EXPECT_FLOAT_EQ(480, g->fvars.shot_y);   // not 474: it does not pass the enemy
    EXPECT_EQ(0xa85728u, qtest::pixelAt(g->screen, 407, 253));   // icon 21 on the shot's screen spot
    testing::internal::CaptureStdout();
    g->updateBullet();
    EXPECT_EQ("Got him.\n", testing::internal::GetCapturedStdout());
    EXPECT_FALSE(g->fvars.bIsStillShooting);
}
