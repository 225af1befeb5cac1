// balance_test.cpp -- the shipped game's fights played many times over the real combat code: a sensible
// player who levels up, buys better gear and drinks potions must win every fight the story asks for.
#include <cstdio>
#include <map>
#include <gtest/gtest.h>
#include "game.h"
#include "autopilot.h"
#include "world.h"

namespace {

// One leg of the story as the scripted play of the shipped game walks it (docs/saltmere-route.md):
// who the player fights there, back to back without a rest, and what the player has by then.
// Stats follow the level-up rewards taken so far (strength first, then dexterity, alternating).
struct Leg
{
    const char* title;
    std::vector<std::string> foes;       // names from the game's characters, fought in this order
    int levelUps;                        // rewards taken before this leg
    std::string weapon, armour;          // short names of items in the game
    std::vector<std::string> potions;    // carried into the leg, drunk when a blow could kill
    std::vector<std::string> buys;       // bought in town before the leg (for the money check)
    std::string questDone;               // the quest whose reward is paid after this leg
    bool mustWin;
    bool ring = false;                   // the float-ring is worn (from the sea crossing on)
    bool atSea = false;                  // fought on open water
    std::vector<std::string> sells = {}; // sold in town before the leg's shopping
};

const std::vector<Leg> kLegs = {
    {"Moonwort meadow", {"Meadow wolf", "Meadow wolf", "Meadow wolf", "Meadow wolf"}, 0, "staff", "leatherarmour",
     {"draught"}, {"leatherarmour"}, "moonwort", true},
    // The customs house's two potions and round shield (brass key from the pier) come before the heath;
    // a room key for the locket and one for a room at the inn.
    {"The heath road", {"Hungry wolf", "Hungry wolf"}, 1, "shortsword", "roundshield", {"potion", "potion", "draught"},
     {"shortsword", "roomkey", "roomkey"}, "locket", true},
    {"Whisperwood", {"Grey wolf", "Grey wolf", "Grey wolf", "Risen dead"}, 1, "shortsword", "chainmail",
     {"potion", "potion"}, {"chainmail"}, "", true},
    {"Barrow of the Nine", {"Barrow wight"}, 2, "shortsword", "chainmail", {"potion", "potion"}, {}, "tidebook", true},
    // One great potion lies in the mine's tunnels.
    {"Greyfang mine", {"Restless miner", "Restless miner", "Mine warden"}, 2, "longsword", "chainmail",
     {"potion", "greatpotion", "greatpotion"}, {"longsword", "potion", "greatpotion"}, "ruby", true},
    {"Reedmire", {"Smugglers' lookout", "Bog hound", "Bog hound"}, 2, "battleaxe", "chainmail", {"greatpotion"},
     {"battleaxe", "greatpotion"}, "", true},
    // Old Nettle's potion and the cove's great potion help there.
    {"Smugglers' Cove", {"Cutthroat", "Cutthroat", "Captain Redmaw"}, 3, "battleaxe", "chainmail",
     {"draught", "potion", "potion", "greatpotion", "greatpotion"}, {}, "chart", true},
    {"Frostmere snows", {"Frost wolf", "Frost wolf"}, 4, "battleaxe", "chainmail", {"greatpotion", "greatpotion"}, {}, "",
     false},
    // What the player has outgrown pays for plate armour and the potions for Veyl.
    {"The Serpent Reach", {"Sea serpent", "Sea serpent", "Sea serpent", "Sea serpent"}, 4, "battleaxe", "platearmour",
     {"greatpotion", "greatpotion", "potion", "potion"},
     {"platearmour", "greatpotion", "greatpotion", "greatpotion", "greatpotion", "potion", "potion", "potion"}, "", true,
     true, true, {"longsword", "chainmail", "shortsword", "roundshield", "leatherarmour"}},
    // The rune blade waits on Seal Skerry.
    {"Veyl shore", {"Drowned sailor", "Drowned sailor", "Drowned sailor"}, 5, "runeblade", "platearmour",
     {"greatpotion", "potion"}, {}, "", true, true},
    // A night's sleep before the King; a great potion lies in the village.
    {"The Drowned King's crypt", {"Drowned sailor", "Drowned sailor", "The Drowned King"}, 6, "runeblade", "platearmour",
     {"potion", "potion", "greatpotion", "greatpotion", "greatpotion", "greatpotion"}, {}, "crown", true, true},
};

// The newcomer's legs (docs/saltmere-route.md): what a first-time player meets going straight to
// each of the first three quests, with the starting staff and draught and what the first shop sells
// for the money in hand. One fight each with the meadow wolves that wander into the way.
const std::vector<Leg> kNewcomer = {
    {"Moonwort meadow", {"Meadow wolf", "Meadow wolf"}, 0, "staff", "leatherarmour", {"draught"}, {"leatherarmour"},
     "moonwort", true},
    // The road to the Mendrel is free of creatures; the room key is the only purchase.
    {"The Mendrel road", {}, 0, "staff", "leatherarmour", {}, {"roomkey"}, "locket", true},
    // The locket's reward buys a short sword, a room at the inn and a potion.
    {"The Whisperwood road", {"Grey wolf", "Grey wolf", "Risen dead"}, 0, "shortsword", "leatherarmour",
     {"draught", "potion"}, {"shortsword", "roomkey", "potion"}, "", true},
    // A night in Fenn's bed, where the barrow key lies, and his spare potion.
    {"Barrow of the Nine", {"Barrow skeleton", "Barrow wight"}, 1, "shortsword", "leatherarmour", {"potion"}, {},
     "tidebook", true},
};

struct Arena : qtest::LoadedGame
{
    Arena() : LoadedGame("data")
    {
        loaded = result == 0;
        field(TILE_GRASS);
        // Fights start through the engine's own rule; its banner is not wanted here.
        banner = g->art.icons[ICON_FIGHT_BANNER];
        g->art.icons[ICON_FIGHT_BANNER] = nullptr;
        for (Item* it : g->itemVec) {
            if (it->owner == OWNER_SHOP)
                shopStock[it->shortName]++;
            it->owner = 3;   // nobody's: the simulation hands out its own copies
        }
    }
    ~Arena()
    {
        if (g)
            g->art.icons[ICON_FIGHT_BANNER] = banner;
        g.reset();
    }
    // The ground fought on: open land or open sea.
    void field(int tile)
    {
        for (int r = 0; r < Map::SIZE; r++)
            for (int c = 0; c < Map::SIZE; c++)
                g->theMap->level[r][c] = tile;
    }

    const Actor* foe(const std::string& name) const
    {
        for (Actor* a : g->actorList)
            if (a->myName == name && a->bIsHostile)
                return a;
        return nullptr;
    }
    const Item* item(const std::string& shortName) const { return qtest::itemNamed(*g, shortName); }
    // A copy of a game item, carried by the player, kept at the end of the list (the top of the pack).
    Item* give(const std::string& shortName)
    {
        const Item* src = item(shortName);
        EXPECT_NE(nullptr, src) << shortName;
        Item* it = new Item(src ? *src : Item());
        it->owner = OWNER_PLAYER;
        g->itemVec.push_back(it);
        return it;
    }

    std::unique_ptr<CGame>& g = game;
    SDL_Surface* banner = nullptr;
    bool loaded = false;
    std::map<std::string, int> shopStock;   // short name -> copies in the shops' stock
};

// The player as the leg finds it: the file's start values plus the level-up rewards.
void setUpPlayer(Actor& p, const Actor& start, int levelUps)
{
    p.stats = start.stats;
    for (int i = 0; i < levelUps; i++) {
        if (i % 2 == 0) {
            p.stats.strength++;
            p.stats.hp_max += 4;
        } else {
            p.stats.dexterity++;
        }
    }
    p.stats.hp = p.stats.hp_max;
    p.stats.mp = p.stats.mp_max;
}

// One fight, turn by turn, through the player's keys and the enemy's own turn. The foe comes up
// from where it notices the player, a little under 200 pixels off, and the fight starts through
// the engine's own rule (tiles, armour, weapons); the player waits for it to come next to it, then
// strikes. True when won.
bool fight(Arena& A, Actor* foe)
{
    CGame& g = *A.g;
    Actor* p = g.player;
    p->x = 480;
    p->y = 480;
    foe->x = 480 + 150;
    foe->y = 480 + 100;
    foe->bIsActive = true;
    foe->bIsBaffled = false;
    g.mode = 0;
    g.bPlayingGame = true;
    g.vars.timer_delta = g.vars.timer_elapsed = 0;
    g.actorList.push_back(foe);
    g.AIManager();
    g.actorList.remove(foe);
    if (g.mode != 1 || g.enemy != foe) {
        ADD_FAILURE() << foe->myName << " did not start a fight";
        return false;
    }
    for (int turn = 0; turn < 400; turn++) {
        int armour = g.fvars.playerArmour ? g.fvars.playerArmour->maxEffect : 0;
        int deadly = (int)foe->stats.strength - armour;   // the most one blow can take
        bool potion = false;
        for (Item* it : g.itemVec)
            potion = potion || (it->owner == OWNER_PLAYER && (it->type == ITEM_HEALING));
        bool near = g.distance(p->x, p->y, foe->x, foe->y) < 96;
        qtest::clearEvents();
        if (p->stats.hp <= deadly && potion) {
            qtest::pushKey(SDLK_x);        // the pack opens on the last potion added
            qtest::pushKey(SDLK_RETURN);
        } else if (p->stats.hp <= deadly && p->stats.mp >= 10) {
            qtest::pushKey(SDLK_c);
            qtest::pushKey(SDLK_x);
            qtest::pushKey(SDLK_c);
        } else {
            qtest::pushKey(near ? SDLK_z : SDLK_SPACE);
        }
        g.getFightInput();
        if (foe->stats.hp <= 0)
            return true;
        if (g.vars.bYourTurn)
            return false;   // the key did nothing: a fault in the simulation or the data
        g.fightAI(foe, p);
        g.vars.bYourTurn = true;
        if (p->stats.hp <= 0)
            return false;
        if (g.fightIsDeadlocked()) {
            ADD_FAILURE() << "neither side can reach the other in the fight with " << foe->myName;
            return false;
        }
        if (g.vars.fightMsgVec.size() > 200)
            g.vars.fightMsgVec.clear();
    }
    return false;
}

// Money: start purse, 50 per win, quest rewards; every leg's shopping must be affordable, and the
// shops must hold what the legs buy.
void expectAffordable(Arena& A, const Actor& start, const std::vector<Leg>& legs)
{
    std::map<std::string, int> rewards;
    for (Quest* q : A.g->questList)
        rewards[q->itemTarget] = q->reward;
    long money = start.stats.money;
    int wins = 0;
    std::map<std::string, int> bought;
    for (const Leg& leg : legs) {
        for (const std::string& sold : leg.sells) {
            ASSERT_NE(nullptr, A.item(sold)) << sold;
            money += A.item(sold)->price / 2;
        }
        for (const std::string& b : leg.buys) {
            ASSERT_NE(nullptr, A.item(b)) << b;
            money -= A.item(b)->price;
            bought[b]++;
        }
        EXPECT_GE(money, 0) << "cannot afford the shopping before " << leg.title;
        EXPECT_LE(leg.levelUps, wins / 4) << "more level-ups than wins before " << leg.title;
        wins += (int)leg.foes.size();
        money += 50 * (long)leg.foes.size();
        if (!leg.questDone.empty()) {
            ASSERT_TRUE(rewards.count(leg.questDone)) << leg.questDone;
            money += rewards[leg.questDone];
        }
    }
    for (const auto& kv : bought)
        EXPECT_LE(kv.second, A.shopStock[kv.first]) << "the shops hold too few of " << kv.first;
}

// Plays the leg `runs` times and returns the share of whole legs won.
double playLeg(Arena& A, const Actor& start, const Leg& leg, int runs, bool report)
{
    CGame& g = *A.g;
    std::map<std::string, std::pair<int, int>> perFoe;   // name -> (won, fought)
    int legsWon = 0;
    long potionsDrunk = 0, hpLeft = 0;
    for (int run = 0; run < runs; run++) {
        for (Item* it : g.itemVec)
            if (it->owner == OWNER_PLAYER)
                it->owner = 3;
        // The ring goes on first, as the player finds it before the sea: it comes ahead of the
        // armour in the pack.
        g.vars.hasFloater = false;
        if (leg.ring) {
            A.give("floatring")->bIsEquipped = true;
            g.vars.hasFloater = true;
        }
        A.field(leg.atSea ? TILE_SEA : TILE_GRASS);
        A.give(leg.weapon);
        if (!leg.armour.empty())
            A.give(leg.armour)->bIsEquipped = true;
        for (const std::string& p : leg.potions)
            A.give(p);
        setUpPlayer(*g.player, start, leg.levelUps);
        bool alive = true;
        for (const std::string& name : leg.foes) {
            const Actor* model = A.foe(name);
            EXPECT_NE(nullptr, model) << name;
            if (!model)
                return 0.0;
            Actor foe = *model;
            bool won = fight(A, &foe);
            perFoe[name].second++;
            perFoe[name].first += won;
            g.enemy = nullptr;
            if (!won) {
                alive = false;
                break;
            }
        }
        legsWon += alive;
        for (Item* it : g.itemVec)
            potionsDrunk += it->owner == OWNER_PLAYER && it->type == ITEM_USED_UP;
        if (alive)
            hpLeft += 100 * g.player->stats.hp / g.player->stats.hp_max;
    }
    if (report) {
        for (const auto& kv : perFoe)
            printf("%-26s %-18s %8.1f%%\n", leg.title, kv.first.c_str(), 100.0 * kv.second.first / kv.second.second);
        printf("%-26s %-18s %8.1f%%   potions drunk %.1f of %zu, health left %ld%%%s\n", leg.title, "(whole leg)",
               100.0 * legsWon / runs, (double)potionsDrunk / runs, leg.potions.size(), legsWon ? hpLeft / legsWon : 0,
               leg.mustWin ? "" : "   optional");
    }
    return (double)legsWon / runs;
}

TEST(Balance, ASensiblePlayerWinsEveryFightTheStoryNeeds)
{
    Arena A;
    ASSERT_TRUE(A.loaded);
    const Actor start = *A.g->player;
    expectAffordable(A, start, kLegs);

    printf("\nA sensible player: levels up, buys the gear named, drinks a potion when a blow could kill.\n");
    printf("%-26s %-18s %9s\n", "Leg", "Foe", "Win rate");
    for (const Leg& leg : kLegs) {
        double rate = playLeg(A, start, leg, 300, true);
        if (leg.mustWin) {
            EXPECT_GE(rate, 0.9) << leg.title << " is too hard";
        }
        EXPECT_GE(rate, 0.33) << leg.title << " is hopeless";
    }
    // The same legs for a player who never levels up, keeps the staff and buys nothing: the
    // creatures get stronger along the story, so the later legs must need the progress.
    printf("\nThe same legs with the start stats, the walking staff, no armour and no potions:\n");
    for (size_t i = 0; i < kLegs.size(); i++) {
        Leg bare = kLegs[i];
        bare.levelUps = 0;
        bare.weapon = "staff";
        bare.armour.clear();
        bare.potions.clear();
        double rate = playLeg(A, start, bare, 100, false);
        printf("%-26s %8.1f%%\n", bare.title, 100.0 * rate);
        if (i == kLegs.size() - 1) {
            EXPECT_LT(rate, 0.05) << "the last fight should need everything the player gathered";
        }
    }
    // Copies handed out by the simulation are freed with the game's items.
}

// A newcomer follows the first three quests in order, straight where the quest giver sends them,
// hunts nothing, and buys only what the money in hand pays for at the first shop; every fight met on
// the way must be won four times in five.
TEST(Balance, ANewcomerWhoFollowsTheQuestsWinsEveryFightOnTheWay)
{
    Arena A;
    ASSERT_TRUE(A.loaded);
    const Actor start = *A.g->player;
    expectAffordable(A, start, kNewcomer);
    printf("\nA newcomer: the quests in order, no hunting, the first shop's gear for the money in hand.\n");
    printf("%-26s %-18s %9s\n", "Leg", "Foe", "Win rate");
    for (const Leg& leg : kNewcomer) {
        double rate = playLeg(A, start, leg, 300, true);
        EXPECT_GE(rate, 0.8) << leg.title << " is too hard for a newcomer";
    }
}

} // namespace
