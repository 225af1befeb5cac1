// records_test.cpp -- start values of the records that later code relies on, and walking animation.
#include <gtest/gtest.h>
#include "player.h"
#include "item.h"
#include "vars.h"
#include "fightvars.h"

TEST(Records, StartValuesThatGameRulesDependOn)
{
    Actor a;
    EXPECT_EQ(-1, a.flagId);
    EXPECT_EQ("I'm unset", a.conversation[0]);
    EXPECT_EQ("Still unset", a.conversation[1]);
    EXPECT_EQ("Unset Actor", a.myName);
    EXPECT_EQ(0, a.stats.hp);

    Item i;
    EXPECT_EQ("Unset Item", i.itemName);
    EXPECT_EQ("", i.shortName);
    EXPECT_EQ("Unset Item Description", i.itemDescript);
    EXPECT_EQ(0u, i.owner);

    MiscVars v;
    EXPECT_EQ("BrassFinch CloudBarrow University", v.gameName);
    EXPECT_EQ("Invalid talking ptr", v.currentTalk);
    EXPECT_EQ(60, v.fps_min);
    EXPECT_EQ(0, v.fps_max);
    EXPECT_EQ("", v.dir);
    for (bool f : v.flags)
        EXPECT_FALSE(f);

    FightVars f;
    EXPECT_TRUE(f.effects.empty());
    EXPECT_TRUE(f.weapons.empty());
    EXPECT_FALSE(f.bMenuOpen);
    EXPECT_FLOAT_EQ(0, f.movetimer);
}

TEST(Records, AnimationStepsOncePer185Milliseconds)
{
    Actor a;
    a.animate(185.0f);
    EXPECT_EQ(0, a.walkFrame);
    a.animate(0.5f);
    EXPECT_EQ(1, a.walkFrame);
    EXPECT_FLOAT_EQ(0, a.frameTimer);

    Actor b;
    b.animate(1000.0f);   // leftover time is dropped
    EXPECT_EQ(1, b.walkFrame);
    EXPECT_FLOAT_EQ(0, b.frameTimer);
    b.animate(1000.0f);
    b.animate(1000.0f);
    EXPECT_EQ(0, b.walkFrame);   // 0, 1, 2, 0
    for (int i = 0; i < 10; i++)
        b.animate(100.0f);
    EXPECT_EQ(2, b.walkFrame);   // five steps of 200 ms
}
