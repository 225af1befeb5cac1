// content_test.cpp -- the shipped game and the tutorial as the engine loads them: safe values, roles,
// readable text, and everything a player needs reachable from the start on foot, through doors and by sea.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <gtest/gtest.h>
#include <SDL_image.h>
#include "game.h"
#include "harness.h"
#include "autopilot.h"
#include "world.h"
#include "tile-reach.h"

namespace {

const int N = Map::SIZE;

using Loaded = qtest::LoadedGame;

bool isRole(const Actor* a)
{
    for (const char* r : {"Plyr", "Questy", "Shoppy", "Keyshop", "Gamble", "Ending"})
        if (a->conversation[0] == r)
            return true;
    return false;
}
bool isSeaMonster(const Actor* a) { return a->conversation[1] == "Seamonster"; }
int tileX(float px) { return (int)px / Map::TILE; }

// What a player can reach from the start: the tiles walked, the doors opened with the keys,
// room keys and lock-picks found on the way, and the sea once a floater is in hand.
struct Reach
{
    std::vector<bool> tile = std::vector<bool>(N * N, false);
    std::set<const Item*> items;
    bool floater = false;
    int doorsOpened = 0, roomDoorsOpened = 0;

    bool at(int x, int y) const { return x >= 0 && y >= 0 && x < N && y < N && tile[y * N + x]; }
    // A character's own 3x3 tiles are out of reach (touching boxes collide), but from a tile two
    // away the player walks up until the boxes almost touch, well within talking range (90 pixels).
    bool beside(int x, int y) const
    {
        for (int dy = -2; dy <= 2; dy++)
            for (int dx = -2; dx <= 2; dx++)
                if ((std::abs(dx) == 2 || std::abs(dy) == 2) && at(x + dx, y + dy))
                    return true;
        return false;
    }
    // Standing on the tile or on one beside it: the boxes touch, which is enough to pick up an item.
    bool touching(int x, int y) const { return at(x, y) || at(x - 1, y) || at(x + 1, y) || at(x, y - 1) || at(x, y + 1); }
    // Standing on one of the eight tiles around (x, y): close enough for a bed.
    bool adjacent(int x, int y) const
    {
        for (int dy = -1; dy <= 1; dy++)
            for (int dx = -1; dx <= 1; dx++)
                if ((dx || dy) && at(x + dx, y + dy))
                    return true;
        return false;
    }
};

Reach explore(CGame& g)
{
    Reach r;
    Map& m = *g.theMap;
    bool seaUsed = false;       // the last flood already crossed the sea
    std::set<int> opened;       // door tiles opened so far
    for (;;) {
        // Characters that never move stand in the way; wanderers move out of it.
        TileReach walk(g, r.floater);
        for (Actor* a : g.actorList)
            if (qtest::obstructs(g, a) && !a->bIsWanderer)
                walk.blockAround(a);
        for (int i : opened)
            walk.open(i % N, i / N);
        walk.search(tileX(g.player->x), tileX(g.player->y));
        for (int i = 0; i < N * N; i++)
            r.tile[i] = walk.reached(i % N, i / N);
        bool shop = false, keyShop = false;
        for (Actor* a : g.actorList) {
            if (r.beside(tileX(a->x), tileX(a->y))) {
                shop = shop || a->conversation[0] == "Shoppy";
                keyShop = keyShop || a->conversation[0] == "Keyshop";
            }
        }
        int keys = 0, picks = 0, roomKeys = 0;
        for (Item* it : g.itemVec) {
            bool had = it->owner == OWNER_PLAYER || (it->owner == OWNER_MAP && r.touching(tileX(it->x), tileX(it->y)));
            if (it->owner == OWNER_SHOP) {
                bool keyGoods = it->type == ITEM_ROOM_KEY || it->type == ITEM_KEY_SHOP_GOODS;
                had = keyGoods ? keyShop : shop;
            }
            if (!had)
                continue;
            r.items.insert(it);
            keys += it->type == ITEM_DOOR_KEY;
            picks += it->type == ITEM_LOCK_PICK;
            roomKeys += it->type == ITEM_ROOM_KEY;
            r.floater = r.floater || it->type == ITEM_FLOATER;
        }
        // A lock-pick opens a door before it breaks one time in two: count two picks as one key.
        int openers = keys + picks / 2;
        bool changed = false;
        bool seaNow = r.floater;
        for (int y = 1; y < N - 1 && !changed; y++)
            for (int x = 1; x < N - 1 && !changed; x++) {
                int t = m.getTileAt(x, y);
                bool door = t == TILE_LOCKED_DOOR || t == TILE_DOUBLE_DOOR, roomDoor = t == TILE_ROOM_DOOR;
                if ((!door && !roomDoor) || opened.count(y * N + x) || !(r.at(x - 1, y) || r.at(x + 1, y) || r.at(x, y - 1) || r.at(x, y + 1)))
                    continue;
                if (door && r.doorsOpened < openers) {
                    r.doorsOpened++;
                    opened.insert(y * N + x);
                    changed = true;
                } else if (roomDoor && r.roomDoorsOpened < roomKeys) {
                    r.roomDoorsOpened++;
                    opened.insert(y * N + x);
                    changed = true;
                }
            }
        // A floater found in this pass opens the sea for the next one.
        if (!changed && seaNow == seaUsed)
            break;
        seaUsed = seaNow;
    }
    return r;
}

// The checks every game directory must pass, whatever its size.
void checkSafeValues(Loaded& L)
{
    CGame& g = *L.game;
    SCOPED_TRACE(L.name);
    ASSERT_EQ(0, L.result) << "loadGame";
    ASSERT_NE(nullptr, g.player);
    EXPECT_EQ(g.actorList.front(), g.player) << "the player is character file 0";
    EXPECT_EQ(L.name, g.vars.dir) << "vars.sav points the endings at its own directory";
    EXPECT_FALSE(g.vars.gameName.empty());
    for (bool f : g.vars.flags) {
        EXPECT_FALSE(f) << "a new game starts with every story flag down";
    }

    int tiles = (int)g.art.tiles.size();
    for (int y = 0; y < N; y++)
        for (int x = 0; x < N; x++) {
            int t = g.theMap->getTileAt(x, y);
            ASSERT_TRUE(t >= 0 && t < tiles && t <= 62) << "tile " << t << " at " << x << "," << y;
            if (t == TILE_BED_HEAD) {
                EXPECT_EQ(TILE_BED_FOOT, g.theMap->getTileAt(x, y + 1))
                    << "a bed head needs its foot below, at " << x << "," << y;
            }
        }

    std::set<std::pair<int, int>> taken;
    for (Actor* a : g.actorList) {
        SCOPED_TRACE(a->myName);
        EXPECT_TRUE(a->sprite >= 0 && a->sprite < SPRITE_SETS);
        EXPECT_TRUE(a->direction >= FACE_UP && a->direction <= FACE_LEFT);
        EXPECT_NE(0u, a->stats.dexterity);
        EXPECT_GT(a->stats.hp, 0);
        EXPECT_TRUE(a->flagId >= 0 && a->flagId <= 39);
        EXPECT_EQ(0.0f, a->x - Map::TILE * tileX(a->x)) << "characters start on whole tiles";
        EXPECT_TRUE(taken.insert({tileX(a->x), tileX(a->y)}).second) << "two characters on one tile";
        if (isSeaMonster(a)) {
            EXPECT_EQ(TILE_SEA, g.theMap->getTileAt(tileX(a->x), tileX(a->y))) << "a sea monster starts in open sea";
        } else {
            EXPECT_FALSE(g.theMap->isSolid(a->x, a->y) || g.theMap->isSolid(a->x + 47, a->y + 47));
        }
        if (a->bIsHostile) {
            EXPECT_GE(g.distance(a->x, a->y, g.player->x, g.player->y), 200.0f) << "hostile too close to the start";
        }
        if (a != g.player) {
            EXPECT_NE("Plyr", a->conversation[0]) << "only the player's character carries Plyr";
        }
    }

    unsigned pictures = (unsigned)g.art.items.size();
    for (Item* it : g.itemVec) {
        SCOPED_TRACE(it->itemName);
        EXPECT_LT(it->icon, pictures);
        EXPECT_TRUE(it->type >= ITEM_PLAIN && it->type <= ITEM_KEY_SHOP_GOODS && it->type != ITEM_USED_UP);
        EXPECT_TRUE(it->owner == OWNER_MAP || it->owner == OWNER_PLAYER || it->owner == OWNER_SHOP);
        if (it->type == ITEM_MELEE || it->type == ITEM_RANGED) {
            EXPECT_GT(it->maxEffect, 0);
        }
        if (it->type == ITEM_RANGED) {
            EXPECT_GT(it->range, 0);
        }
        if (it->type == ITEM_ROOM_KEY || it->type == ITEM_KEY_SHOP_GOODS) {
            EXPECT_EQ(2u, it->owner) << "room keys and key-shop goods belong to the key shop's stock";
        }
        if (it->owner == OWNER_MAP) {
            EXPECT_FALSE(g.theMap->isSolid(it->x + 24, it->y + 24)) << "item on a solid tile";
        }
        EXPECT_FALSE(it->bIsEquipped) << "nothing is worn at the start";
    }
    for (Quest* q : g.questList) {
        SCOPED_TRACE(q->description);
        EXPECT_FALSE(q->bIsCompleted);
        EXPECT_TRUE(q->flagId >= 0 && q->flagId <= 39);
        bool exists = false;
        for (Item* it : g.itemVec)
            exists = exists || (it->shortName == q->itemTarget && it->type != ITEM_USED_UP);
        EXPECT_TRUE(exists) << "no item called " << q->itemTarget;
    }
}

// Every line a character can put on the message line fits across the window.
void checkLinesFit(Loaded& L)
{
    CGame& g = *L.game;
    SCOPED_TRACE(L.name);
    auto fits = [&](const std::string& line) {
        int w = 0, h = 0;
        TTF_SizeText(g.font, line.c_str(), &w, &h);
        EXPECT_LE(w, 800) << line;
    };
    for (Actor* a : g.actorList) {
        const std::string& c0 = a->conversation[0];
        if (c0 == "Questy") {
            for (Quest* q : g.questList) {
                fits(a->myName + " intones: \"" + q->description + "\"");
            }
        } else if (c0 == "Shoppy") {
            fits(a->myName + " says \"Welcome to my store!\"");
        } else if (c0 == "Gamble") {
            fits(a->myName + " says: \"" + a->conversation[1] + "\"");
        } else if (!isRole(a)) {
            fits(a->myName + " says: \"" + c0 + "\"");
            if (!isSeaMonster(a)) {
                fits(a->myName + " says: \"" + a->conversation[1] + "\"");
            }
        }
    }
}

// Why an item name reads wrong after "You got a " (picking up) or "you found the " (handing in),
// or "" when it reads right as far as a simple rule can tell: the name starts with a consonant
// letter and not with a silent-h word, holds no possessive, and its head noun (the word before
// "of", else the last word) is singular: no plural 's', though words in "ss" and "us" are kept.
// The rule cannot tell a mass noun ("a Chain mail") from a countable one: those take an eye.
std::string articleProblem(const std::string& name)
{
    std::string s;
    for (char c : name)
        s.push_back((char)std::tolower((unsigned char)c));
    std::vector<std::string> words;
    size_t at = 0;
    while (at < s.size()) {
        size_t end = s.find(' ', at);
        if (end == std::string::npos)
            end = s.size();
        if (end > at)
            words.push_back(s.substr(at, end - at));
        at = end + 1;
    }
    if (words.empty())
        return "has no name";
    if (std::string("aeiou").find(words[0][0]) != std::string::npos)
        return "starts with a vowel";
    for (const char* h : {"heir", "hour", "honest", "honour", "honor"})
        if (words[0].compare(0, std::strlen(h), h) == 0)
            return "starts with a silent h";
    for (const std::string& w : words)
        if (w.find("'s") != std::string::npos || (w.size() > 1 && w.compare(w.size() - 2, 2, "s'") == 0))
            return "is a possessive";
    std::string head = words.back();
    for (size_t i = 1; i < words.size(); i++)
        if (words[i] == "of") {
            head = words[i - 1];
            break;
        }
    size_t n = head.size();
    bool singularS = n > 1 && (head.compare(n - 2, 2, "ss") == 0 || head.compare(n - 2, 2, "us") == 0);
    if (head.back() == 's' && !singularS)
        return "is plural";
    return "";
}

// Every item name fits the engine's fixed sentences around it.
void checkItemNamesRead(Loaded& L)
{
    SCOPED_TRACE(L.name);
    for (Item* it : L.game->itemVec) {
        EXPECT_EQ("", articleProblem(it->itemName)) << "\"You got a " << it->itemName << "\", \"you found the "
                                                   << it->itemName << ".\"";
    }
}

// The scrolling screen shows at most 127 lines of at most 124 characters.
void checkScrollText(const std::string& path)
{
    std::ifstream in(path);
    ASSERT_TRUE(in.good()) << path;
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        n++;
        EXPECT_LE(line.size(), 124u) << path << ":" << n;
    }
    EXPECT_GT(n, 3) << path;
    EXPECT_LE(n, 125) << path;
}

int endingSlides(const std::string& dir)
{
    int n = 0;
    for (;; n++) {
        std::string p = dir + "/ending/" + std::to_string(n) + ".png";
        SDL_Surface* s = IMG_Load(p.c_str());
        if (!s)
            break;
        EXPECT_LE(s->w, NARROW_SCREEN_WIDTH) << p;
        EXPECT_LE(s->h, SCREEN_HEIGHT) << p;
        SDL_FreeSurface(s);
    }
    return n;
}

// Characters with this role keyword.
std::vector<Actor*> withRole(CGame& g, const std::string& role)
{
    std::vector<Actor*> v;
    for (Actor* a : g.actorList)
        if (a->conversation[0] == role)
            v.push_back(a);
    return v;
}

void checkReachable(Loaded& L, const Reach& r)
{
    CGame& g = *L.game;
    SCOPED_TRACE(L.name);
    EXPECT_TRUE(r.at(1, 1)) << "the flee spell sets the player on tile (1, 1): it must be joined to the world";
    for (Quest* q : g.questList) {
        bool had = false;
        for (const Item* it : r.items)
            had = had || it->shortName == q->itemTarget;
        EXPECT_TRUE(had) << "cannot reach the quest item " << q->itemTarget;
    }
    for (Item* it : g.itemVec)
        if (it->owner == OWNER_MAP) {
            EXPECT_TRUE(r.items.count(it)) << "cannot reach " << it->itemName << " at " << tileX(it->x) << "," << tileX(it->y);
        }
    for (Actor* a : g.actorList)
        if (!a->bIsHostile && a != g.player) {
            EXPECT_TRUE(r.beside(tileX(a->x), tileX(a->y))) << "cannot reach " << a->myName << " at " << tileX(a->x) << ","
                                                               << tileX(a->y);
        }
    bool bed = false;
    for (int y = 1; y < N - 1; y++)
        for (int x = 1; x < N - 1; x++)
            bed = bed || (g.theMap->getTileAt(x, y) == TILE_BED_HEAD && r.adjacent(x, y));
    EXPECT_TRUE(bed) << "no bed within reach";
}

// Plays the story through the real conversation, pick-up and ending code: each quest is handed
// out (raising its flag), its item is picked up where it lies and handed in, and the ending gate
// then shows the slides. Walking is left out; reachability is proved above.
void playQuestChain(Loaded& L)
{
    CGame& g = *L.game;
    SCOPED_TRACE(L.name);
    std::vector<Actor*> givers = withRole(g, "Questy");
    ASSERT_FALSE(givers.empty());
    auto standBeside = [&](Actor* a) {
        g.player->x = a->x + 30;
        g.player->y = a->y + 31;
    };
    auto talkTo = [&](Actor* a) {
        standBeside(a);
        g.startTalking();
        return g.vars.currentTalk;
    };
    int q = 0;
    for (Quest* quest : g.questList) {
        SCOPED_TRACE(quest->itemTarget);
        Actor* giver = givers[q++ % givers.size()];
        std::string said = talkTo(giver);
        EXPECT_NE(std::string::npos, said.find(quest->description)) << said;
        EXPECT_TRUE(g.vars.flags[quest->flagId]);
        Item* target = nullptr;
        for (Item* it : g.itemVec)
            if (it->shortName == quest->itemTarget && it->owner == OWNER_MAP && !target)
                target = it;
        ASSERT_NE(nullptr, target) << "the quest item should lie somewhere on the map";
        g.player->x = target->x;
        g.player->y = target->y;
        for (int tries = 0; tries < 4 && target->owner != OWNER_PLAYER; tries++)
            g.pickupObjects();
        EXPECT_EQ(1u, target->owner);
        unsigned before = g.player->stats.money;
        said = talkTo(giver);
        EXPECT_NE(std::string::npos, said.find("Good work, you found the " + target->itemName)) << said;
        EXPECT_TRUE(quest->bIsCompleted);
        EXPECT_EQ(before + (unsigned)quest->reward, g.player->stats.money);
    }
    std::vector<Actor*> gates = withRole(g, "Ending");
    ASSERT_FALSE(gates.empty());
    qtest::clearEvents();
    qtest::pushKey(SDLK_ESCAPE);   // Escape on the first slide ends the show
    standBeside(gates[0]);
    g.startTalking();
    EXPECT_TRUE(g.bMustQuit) << "the ending slides were not shown: " << g.vars.currentTalk;
    EXPECT_TRUE(g.bPleaseLoadGame);
}

TEST(ItemNames, TheRuleRefusesWhatReadsWrongAfterAAndThe)
{
    for (const char* bad : {"Moonwort herbs", "Ember ruby", "Iron helmet", "Apple pie", "Heirloom spear", "Hour glass",
                            "Lady Perrin's locket", "Hollin's book", "Smugglers' chart", "Leather boots", "Sea charts"}) {
        EXPECT_NE("", articleProblem(bad)) << bad;
    }
    for (const char* good : {"Book of Tides", "Loaf of bread", "Healing potion", "Harbour red wine", "Steel cuirass",
                             "Brass compass", "Dried fungus", "Pair of boots", "Bunch of moonwort", "Family heirloom spear"}) {
        EXPECT_EQ("", articleProblem(good)) << good;
    }
}

TEST(ShippedGame, LoadsWithSafeValuesAndEveryRoleAndKindOfThing)
{
    Loaded L("data");
    checkSafeValues(L);
    checkLinesFit(L);
    checkItemNamesRead(L);
    CGame& g = *L.game;

    EXPECT_EQ(1u, withRole(g, "Plyr").size());
    for (const char* role : {"Questy", "Shoppy", "Keyshop", "Gamble", "Ending"}) {
        EXPECT_FALSE(withRole(g, role).empty()) << role;
    }
    int others = 0, hostile = 0, sea = 0, wanderers = 0;
    std::map<int, int> flagged;   // story flag -> townsfolk whose line it changes
    for (Actor* a : g.actorList) {
        if (a == g.player)
            continue;
        others++;
        hostile += a->bIsHostile;
        sea += isSeaMonster(a) && a->bIsHostile;
        wanderers += a->bIsWanderer && !a->bIsHostile;
        if (!isRole(a) && !a->bIsHostile && a->conversation[0] != a->conversation[1])
            flagged[a->flagId]++;
    }
    EXPECT_GE(others, 30);
    EXPECT_GE(hostile, 10);
    EXPECT_GE(sea, 1);
    EXPECT_GE(wanderers, 2);

    EXPECT_GE(g.itemVec.size(), 40u);
    std::set<int> types;
    int keyShopStock = 0, shopStock = 0, melee = 0, ranged = 0;
    for (Item* it : g.itemVec) {
        types.insert(it->type);
        keyShopStock += it->owner == OWNER_SHOP && (it->type == ITEM_ROOM_KEY || it->type == ITEM_KEY_SHOP_GOODS);
        shopStock += it->owner == OWNER_SHOP && it->type != ITEM_ROOM_KEY && it->type != ITEM_KEY_SHOP_GOODS;
        melee += it->type == ITEM_MELEE;
        ranged += it->type == ITEM_RANGED;
    }
    for (int t = ITEM_PLAIN; t <= ITEM_KEY_SHOP_GOODS; t++)
        if (t != ITEM_USED_UP) {
            EXPECT_TRUE(types.count(t)) << "no item of type " << t;
        }
    EXPECT_GT(keyShopStock, 0);
    EXPECT_GT(shopStock, 0);
    EXPECT_GE(melee, 4);
    EXPECT_GE(ranged, 2);

    ASSERT_GE(g.questList.size(), 6u);
    std::set<int> questFlags;
    for (Quest* q : g.questList) {
        EXPECT_TRUE(questFlags.insert(q->flagId).second) << "two quests share flag " << q->flagId;
        EXPECT_GE(flagged[q->flagId], 2) << "the quest's flag " << q->flagId << " changes too few lines";
        EXPECT_GT(q->reward, 0);
    }
    EXPECT_EQ(0, flagged[-1]);

    std::set<int> tiles;
    for (int y = 0; y < N; y++)
        for (int x = 0; x < N; x++)
            tiles.insert(g.theMap->getTileAt(x, y));
    for (int t : {TILE_LOCKED_DOOR, TILE_BED_HEAD, TILE_BED_FOOT, TILE_SEA, TILE_COUNTER, TILE_ROOM_DOOR,
                  TILE_DOUBLE_DOOR}) {
        EXPECT_TRUE(tiles.count(t)) << "the map has no tile " << t;
    }

    checkScrollText("data/intro.txt");
    checkScrollText("data/credits.txt");
    EXPECT_GE(endingSlides("data"), 2);
}

TEST(ShippedGame, TheQuestChainRunsToTheEndingSlides)
{
    Loaded L("data");
    ASSERT_EQ(0, L.result);
    playQuestChain(L);
}

TEST(ShippedGame, EverythingIsReachableThroughItsDoorsAndOverTheSea)
{
    Loaded L("data");
    ASSERT_EQ(0, L.result);
    CGame& g = *L.game;
    Reach r = explore(g);
    checkReachable(L, r);
    EXPECT_TRUE(r.floater);
    EXPECT_GT(r.doorsOpened, 0);
    EXPECT_GT(r.roomDoorsOpened, 0);

    // The crossing really needs the floater: without it the island's quest giver is out of reach.
    Map& m = *g.theMap;
    std::vector<Item*> floaters;
    for (Item* it : g.itemVec)
        if (it->type == ITEM_FLOATER) {
            floaters.push_back(it);
            it->type = ITEM_PLAIN;
        }
    Reach dry = explore(g);
    for (Item* it : floaters)
        it->type = ITEM_FLOATER;
    bool islandGiver = false;
    for (Actor* a : withRole(g, "Questy"))
        islandGiver = islandGiver || !dry.beside(tileX(a->x), tileX(a->y));
    EXPECT_TRUE(islandGiver) << "some quest giver should lie across the sea";
    for (Actor* a : withRole(g, "Ending")) {
        EXPECT_FALSE(dry.beside(tileX(a->x), tileX(a->y))) << "the ending should wait across the sea";
    }
    (void)m;

    // A sea monster can reach the player's sea lanes: it is not boxed into a pond.
    for (Actor* a : g.actorList) {
        if (!isSeaMonster(a))
            continue;
        int open = 0;
        for (int dy = -3; dy <= 3; dy++)
            for (int dx = -3; dx <= 3; dx++)
                open += m.getTileAt(tileX(a->x) + dx, tileX(a->y) + dy) == TILE_SEA;
        EXPECT_GE(open, 30) << a->myName;
    }
}

TEST(Tutorial, LoadsAndTeachesEachStepWithinReach)
{
    Loaded L("tutorial");
    checkSafeValues(L);
    checkLinesFit(L);
    checkItemNamesRead(L);
    CGame& g = *L.game;
    for (const char* role : {"Questy", "Shoppy", "Ending"}) {
        EXPECT_FALSE(withRole(g, role).empty()) << role;
    }
    int hostile = 0;
    for (Actor* a : g.actorList)
        hostile += a->bIsHostile;
    EXPECT_EQ(1, hostile) << "one easy fight";
    std::set<int> types;
    for (Item* it : g.itemVec)
        types.insert(it->type);
    for (int t : {1, 2, 4, 6}) {
        EXPECT_TRUE(types.count(t)) << "the tutorial needs an item of type " << t;
    }
    ASSERT_GE(g.questList.size(), 1u);

    Reach r = explore(g);
    checkReachable(L, r);
    EXPECT_EQ(1, r.doorsOpened) << "the one locked door opens with the key found before it";

    // The lessons come in order along the lane: each teacher stands further east (or the
    // same) than the one before, from walking and talking to the fight.
    std::vector<std::string> order = {"Pell the guide", "Tobin", "Wynn", "Bram the doorkeeper", "Elsa",
                                      "Ma Greel", "Otto", "Master Hollin", "Ida", "Sergeant Brak", "The gatekeeper"};
    float lastX = -1;
    for (const std::string& name : order) {
        Actor* found = nullptr;
        for (Actor* a : g.actorList)
            if (a->myName == name)
                found = a;
        ASSERT_NE(nullptr, found) << name;
        EXPECT_GE(found->x, lastX) << name;
        lastX = found->x;
    }
    checkScrollText("tutorial/intro.txt");
    EXPECT_GE(endingSlides("tutorial"), 1);
    playQuestChain(L);
}

} // namespace
