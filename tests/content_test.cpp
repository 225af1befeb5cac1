// content_test.cpp -- the shipped game and the tutorial as the engine loads them: quorvane-check finds nothing,
// every role and kind of thing is there, the story plays through, and the sea crossing needs its floater.
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
#include "check.h"
#include "checkassets.h"

namespace {

const int N = Map::SIZE;

using Loaded = qtest::LoadedGame;

int tileX(float px) { return (int)px / Map::TILE; }

// The checker's findings on the loaded copy of the game folder, with the repository's assets.
CheckResult checked(const Loaded& L)
{
    return checkGameFolder(L.name, qtest::repositoryAssets());
}

std::string reportOf(const Loaded& L, const CheckResult& r)
{
    std::string s;
    for (const Diagnostic& d : r.diagnostics)
        s += formatDiagnostic(L.name, d) + "\n";
    return s;
}

// What every game folder must pass is the checker's (values, pictures, placement, reach, texts);
// the shipped games also keep to the conventions of a new game, checked here.
void checkSafeValues(Loaded& L)
{
    CGame& g = *L.game;
    SCOPED_TRACE(L.name);
    ASSERT_EQ(0, L.result) << "loadGame";
    ASSERT_NE(nullptr, g.player);
    EXPECT_EQ(g.actorList.front(), g.player) << "the player is character file 0";
    EXPECT_EQ(L.name, g.vars.dir) << "vars.sav points the endings at its own directory";
    EXPECT_FALSE(g.vars.gameName.empty());
    CheckResult r = checked(L);
    EXPECT_TRUE(r.diagnostics.empty()) << reportOf(L, r);
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
        if (!isRoleKeyword(a->conversation[0]) && !a->bIsHostile && a->conversation[0] != a->conversation[1])
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
    CheckResult r = checked(L);
    EXPECT_TRUE(r.diagnostics.empty()) << reportOf(L, r);
    EXPECT_TRUE(r.reach.bFloater);
    EXPECT_GT(r.reach.doorsOpened, 0);
    EXPECT_GT(r.reach.roomDoorsOpened, 0);

    // The crossing really needs the floater: without it the checker finds a quest giver and the
    // ending out of reach across the sea.
    for (size_t i = 0; i < g.itemVec.size(); i++)
        if (g.itemVec[i]->type == ITEM_FLOATER) {
            Item plain = *g.itemVec[i];
            plain.type = ITEM_PLAIN;
            ASSERT_TRUE(plain.writeTo(("data/idef/" + std::to_string(i) + ".def").c_str()));
        }
    CheckResult dry = checked(L);
    EXPECT_FALSE(dry.reach.bFloater);
    bool islandGiver = false, endingAcross = false;
    for (const Diagnostic& d : dry.diagnostics) {
        islandGiver = islandGiver || d.message.find("the quest giver at") != std::string::npos;
        endingAcross = endingAcross || d.message.find("shows the ending at") != std::string::npos;
    }
    EXPECT_TRUE(islandGiver) << "some quest giver should lie across the sea\n" << reportOf(L, dry);
    EXPECT_TRUE(endingAcross) << "the ending should wait across the sea\n" << reportOf(L, dry);

    Map& m = *g.theMap;
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

    EXPECT_EQ(1, checked(L).reach.doorsOpened) << "the one locked door opens with the key found before it";

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

// A foe is known by its picture before the fight: no friend wears a set a hostile character wears.
// A friendly wanderer is penned where it can block no doorway or lane: the free tiles joined to
// its own number a handful.
TEST(ShippedGame, FoesLookLikeFoesAndStrollersArePennedIn)
{
    for (const char* dir : {"data", "tutorial"}) {
        Loaded L(dir);
        ASSERT_EQ(0, L.result) << dir;
        CGame& g = *L.game;
        std::set<int> foes, friends;
        for (Actor* a : g.actorList)
            if (a != g.player)
                (a->bIsHostile ? foes : friends).insert(a->sprite);
        for (int s : foes) {
            EXPECT_FALSE(friends.count(s)) << dir << ": friends and foes share sprite set " << s;
        }
        for (Actor* a : g.actorList) {
            if (!a->bIsWanderer || a->bIsHostile)
                continue;
            std::set<std::pair<int, int>> seen{{tileX(a->x), tileX(a->y)}};
            std::vector<std::pair<int, int>> todo(seen.begin(), seen.end());
            while (!todo.empty() && seen.size() <= 4) {
                auto [c, r] = todo.back();
                todo.pop_back();
                for (auto [dc, dr] : {std::pair<int, int>{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                    std::pair<int, int> t{c + dc, r + dr};
                    if (!g.theMap->isSolid((float)(t.first * TILE_SIZE), (float)(t.second * TILE_SIZE)) &&
                        seen.insert(t).second)
                        todo.push_back(t);
                }
            }
            EXPECT_LE(seen.size(), 4u) << dir << ": " << a->myName << " strolls free";
        }
    }
}

// The view keeps the player at a fixed point of the window, so ground the player can reach near the
// map's edge would show what lies past it, even in the wide window. Only Wayfarer's Cairn, where
// the flee spell sets the player down at tile 1,1, is let off.
TEST(ShippedGame, TheCameraNeverLooksPastTheMapsEdge)
{
    Loaded L("data");
    ASSERT_EQ(0, L.result);
    const int left = (playerScreenX(WIDE_SCREEN_WIDTH) + TILE_SIZE - 1) / TILE_SIZE;
    const int right = N - (N * TILE_SIZE - (WIDE_SCREEN_WIDTH - playerScreenX(WIDE_SCREEN_WIDTH)) + TILE_SIZE) / TILE_SIZE;
    const int top = (PLAYER_SCREEN_Y + TILE_SIZE - 1) / TILE_SIZE;
    const int bottom = N - (N * TILE_SIZE - (SCREEN_HEIGHT - PLAYER_SCREEN_Y) + TILE_SIZE) / TILE_SIZE;
    int open = 0;
    for (int y = 0; y < N; y++)
        for (int x = 0; x < N; x++) {
            bool nearEdge = x < left || y < top || x >= N - right || y >= N - bottom;
            bool cairn = x < 16 && y < 14;
            float px = (float)(x * TILE_SIZE), py = (float)(y * TILE_SIZE);
            bool stands = !L.game->theMap->isSolid(px, py) || L.game->theMap->isSea(px, py);
            if (nearEdge && !cairn && stands && open++ < 5)
                ADD_FAILURE() << "tile " << x << "," << y << " lets the player near the edge";
        }
    EXPECT_EQ(0, open);
}

} // namespace
