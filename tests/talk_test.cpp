// talk_test.cpp -- talking: who answers, the role keywords, drunken gibberish, and quests.
#include <climits>
#include <gtest/gtest.h>
#include "world.h"

using qtest::World;

namespace {

struct Talk : qtest::PlayerGame
{
    Actor* npc(float dx, float dy, const std::string& line0, const std::string& name = "Bo")
    {
        Actor* a = w->addActor(hero->x + dx, hero->y + dy);
        a->conversation[0] = line0;
        a->myName = name;
        return a;
    }
    Quest* quest(const std::string& target, int reward, int flag)
    {
        Quest* q = new Quest();
        q->description = "Find the " + target;
        q->itemTarget = target;
        q->reward = reward;
        q->flagId = flag;
        g->questList.push_back(q);
        return q;
    }
    Item* thing(const std::string& shortName, unsigned owner, int type = ITEM_PLAIN)
    {
        Item* it = w->addItem(type, owner);
        it->shortName = shortName;
        it->itemName = "golden " + shortName;
        return it;
    }
};

} // namespace

TEST_F(Talk, PartnerMustBeCloserThan90AndNotLevel)
{
    npc(89.9f * 0.6f, 89.9f * 0.8f, "Hello there", "Near");
    g->startTalking();
    EXPECT_EQ("Near says: \"Hello there\"", g->vars.currentTalk);
    EXPECT_FLOAT_EQ(g->TALK_TIMER, g->vars.talkTimer);

    World w2;
    CGame& g2 = *w2.game;
    Actor* h2 = w2.addActor(480, 480, true);
    Actor* far = w2.addActor(480 + 54, 480 + 72);   // exactly 90
    far->conversation[0] = "Too far";
    Actor* level = w2.addActor(480 + 10, 480);       // same y as the player
    level->conversation[0] = "Level";
    g2.vars.currentTalk = "unchanged";
    g2.startTalking();
    EXPECT_EQ("unchanged", g2.vars.currentTalk);
    EXPECT_FLOAT_EQ(0, g2.vars.talkTimer);
    (void)h2;
}

TEST_F(Talk, EarlierCharacterInTheListWins)
{
    npc(60, 60, "I am first", "First");
    npc(10, 10, "I am nearer", "Second");
    g->startTalking();
    EXPECT_EQ("First says: \"I am first\"", g->vars.currentTalk);
}

TEST_F(Talk, FlagSwitchesAnOrdinaryLineAndBadFlagsCountAsDown)
{
    Actor* a = npc(30, 40, "Before", "Ann");
    a->conversation[1] = "After";
    a->flagId = 7;
    g->startTalking();
    EXPECT_EQ("Ann says: \"Before\"", g->vars.currentTalk);
    g->vars.flags[7] = true;
    hero->x = 480;
    hero->y = 480;
    g->startTalking();
    EXPECT_EQ("Ann says: \"After\"", g->vars.currentTalk);
    for (int bad : {-1, -5, 40, 4000}) {
        a->flagId = bad;
        g->startTalking();
        EXPECT_EQ("Ann says: \"Before\"", g->vars.currentTalk) << bad;
    }
}

TEST_F(Talk, StandingInsideACharacterPushesThePlayerApart)
{
    npc(20, 20, "Ouch");
    g->startTalking();
    EXPECT_FLOAT_EQ(470, hero->x);
    EXPECT_FLOAT_EQ(470, hero->y);
    // With a wall up and left, the push goes down and right instead.
    hero->x = 480;
    hero->y = 480;
    g->theMap->setTileAt(9, 9, TILE_STONE_WALL);
    g->startTalking();
    EXPECT_FLOAT_EQ(490, hero->x);
    EXPECT_FLOAT_EQ(490, hero->y);
}

TEST_F(Talk, DrunkPlayersHearGibberishAndNoRoleActs)
{
    npc(30, 40, "Shoppy", "Sal");
    g->vars.drunkenness = 3.0f;
    qtest::pushQuit();   // would close the shop, were it opened
    g->startTalking();
    const std::string& t = g->vars.currentTalk;
    ASSERT_EQ(std::string("Sal says: \"").size() + 31, t.size());
    EXPECT_EQ(0u, t.find("Sal says: \""));
    for (size_t i = 11; i < 41; i++)
        EXPECT_TRUE(t[i] >= 'a' && t[i] <= 'z') << t;
    EXPECT_EQ('"', t.back());
    SDL_Event e;
    EXPECT_EQ(1, SDL_PollEvent(&e));   // the shop never read the queue
}

TEST_F(Talk, ShopkeeperGreetsThenOpensTheShop)
{
    npc(30, 40, "Shoppy", "Sal");
    g->vars.drunkenness = 2.99f;
    qtest::pushQuit();   // closes the shop
    g->startTalking();
    EXPECT_EQ("Sal says \"Welcome to my store!\"", g->vars.currentTalk);
    SDL_Event e;
    EXPECT_EQ(0, SDL_PollEvent(&e));
    EXPECT_FALSE(g->bMustQuit);
}

TEST_F(Talk, AnotherPlyrCharacterTakesOverControl)
{
    Actor* body = npc(30, 40, "Plyr", "Twin");
    g->startTalking();
    EXPECT_EQ("Handed over control and items", g->vars.currentTalk);
    EXPECT_EQ(body, g->player);
}

TEST_F(Talk, QuestGiversShareOneListInOrder)
{
    npc(30, 40, "Questy", "Elda");
    Actor* other = w->addActor(2000, 2000);
    other->conversation[0] = "Questy";
    Quest* first = quest("locket", 25, 3);
    Quest* second = quest("herbs", 10, 4);
    Item* locket = thing("locket", OWNER_MAP);
    thing("herbs", OWNER_MAP);

    g->startTalking();
    EXPECT_EQ("Elda intones: \"Find the locket\"", g->vars.currentTalk);
    EXPECT_TRUE(g->vars.flags[3]);
    EXPECT_FALSE(first->bIsCompleted);

    locket->owner = OWNER_PLAYER;
    hero->stats.money = 5;
    g->startTalking();
    EXPECT_EQ("Elda intones: \"Good work, you found the golden locket.\"", g->vars.currentTalk);
    EXPECT_TRUE(first->bIsCompleted);
    EXPECT_EQ(6u, locket->owner);
    EXPECT_EQ(30u, hero->stats.money);
    EXPECT_FALSE(g->vars.flags[4]);

    // The other quest giver, far away, now offers the next quest.
    hero->x = other->x - 30;
    hero->y = other->y - 40;
    g->startTalking();
    EXPECT_EQ("Someone intones: \"Find the herbs\"", g->vars.currentTalk);
    EXPECT_FALSE(second->bIsCompleted);
}

TEST_F(Talk, CarriedItemCompletesAQuestNeverDescribed)
{
    Quest* q = quest("gem", 40, 9);
    thing("gem", OWNER_MAP);
    Item* carried = thing("gem", OWNER_PLAYER);
    EXPECT_EQ("Good work, you found the golden gem.", g->getNextQuest());
    EXPECT_TRUE(q->bIsCompleted);
    EXPECT_EQ(6u, carried->owner);
    EXPECT_FALSE(g->vars.flags[9]);
    EXPECT_EQ("I do not have anything for you at this time.", g->getNextQuest());
}

// "earlyfinds": the same quest is told first (its flag goes up) and the item taken at the next talk;
// a quest already told is taken at once.
TEST_F(Talk, WithEarlyFindsACarriedItemsQuestIsToldBeforeItIsTaken)
{
    g->vars.bEarlyFinds = true;
    Quest* q = quest("gem", 40, 9);
    Item* carried = thing("gem", OWNER_PLAYER);
    EXPECT_EQ("Find the gem", g->getNextQuest());
    EXPECT_TRUE(g->vars.flags[9]);
    EXPECT_FALSE(q->bIsCompleted);
    EXPECT_EQ(OWNER_PLAYER, carried->owner);
    EXPECT_EQ("Good work, you found the golden gem.", g->getNextQuest());
    EXPECT_TRUE(q->bIsCompleted);
    quest("herbs", 10, 4);
    thing("herbs", OWNER_PLAYER);
    g->vars.flags[4] = true;
    EXPECT_EQ("Good work, you found the golden herbs.", g->getNextQuest());
}

// Rewards come from quest files: a negative one takes money down to 0 at most,
// a huge one fills the purse without wrapping.
TEST_F(Talk, QuestRewardsNeverWrapTheMoney)
{
    quest("debt", -10, 1);
    thing("debt", OWNER_PLAYER);
    hero->stats.money = 5;
    g->getNextQuest();
    EXPECT_EQ(0u, hero->stats.money);

    quest("crown", INT_MAX, 2);
    thing("crown", OWNER_PLAYER);
    hero->stats.money = UINT_MAX - 5;
    g->getNextQuest();
    EXPECT_EQ(UINT_MAX, hero->stats.money);
}

TEST_F(Talk, AWornFloaterHandedInIsTakenOff)
{
    quest("float", 5, 1);
    Item* floater = thing("float", OWNER_PLAYER, ITEM_FLOATER);
    floater->bIsEquipped = true;
    g->vars.hasFloater = true;
    EXPECT_EQ("Good work, you found the golden float.", g->getNextQuest());
    EXPECT_EQ(6u, floater->owner);
    EXPECT_FALSE(floater->bIsEquipped);
    EXPECT_FALSE(g->vars.hasFloater);
}

TEST_F(Talk, UsedUpQuestItemsGiveTheQuestUp)
{
    Quest* q = quest("ale", 5, 2);
    thing("ale", OWNER_PLAYER, ITEM_USED_UP);
    EXPECT_EQ("I can't find the item for this quest! Never mind.", g->getNextQuest());
    EXPECT_TRUE(q->bIsCompleted);
    EXPECT_EQ(0u, hero->stats.money);

    Quest* again = quest("ale", 5, 2);
    thing("ale", OWNER_MAP, ITEM_DRINK);   // another copy still lies somewhere
    EXPECT_EQ("Find the ale", g->getNextQuest());
    EXPECT_FALSE(again->bIsCompleted);

    Quest* odd = quest("ale", 5, 77);   // a flag outside the 40 sets nothing
    again->bIsCompleted = true;
    EXPECT_EQ("Find the ale", g->getNextQuest());
    EXPECT_FALSE(odd->bIsCompleted);
}
