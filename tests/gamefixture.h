// gamefixture.h -- small game folders written line by line for the load and save tests.
#pragma once
#include <map>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "harness.h"
#include "records.h"

namespace gamefix {

// Lines of a hand-made file, for tests of how the readers take files no writer makes.
inline std::string lines(const std::vector<std::string>& ls)
{
    std::string s;
    for (const std::string& l : ls)
        s += l + "\n";
    return s;
}

// A character: position, statistics, flag, hostility, two lines, name,
// wandering, sprite, direction and money last.
inline Actor actor(const std::string& talk0, const std::string& name, int x = 96, int y = 96, bool hostile = false,
                   int money = 10)
{
    Actor a = qtest::character(x, y, 20, talk0, "Later.", name, (unsigned)money);
    a.stats.mp = a.stats.mp_max = 5;
    a.stats.strength = 3;
    a.stats.dexterity = 4;
    a.stats.intelligence = 2;
    a.flagId = -1;
    a.bIsHostile = hostile;
    a.sprite = 2;
    a.direction = FACE_RIGHT;
    return a;
}

inline std::string actorFile(const std::string& talk0, const std::string& name, int x = 96, int y = 96,
                             bool hostile = false, int money = 10)
{
    return qtest::fileOf(actor(talk0, name, x, y, hostile, money));
}

inline Item item(int type, int owner, const std::string& shortName, int range = 0)
{
    Item it = qtest::item(type, 4, 30, (unsigned)owner, "Item " + shortName, "A " + shortName + " to carry", shortName, 1);
    it.x = 144;
    it.y = 192;
    it.range = range;
    return it;
}

inline Quest quest(const std::string& target, int flag)
{
    return qtest::quest("Bring me a " + target, target, 50, flag);
}

inline MiscVars vars(const std::string& dir, const std::string& name = "Fixture Game")
{
    MiscVars v = qtest::gameVars(name, dir);
    v.frames = 120;
    v.flags[3] = true;
    return v;
}

// Writes a complete game folder: character 0 is the player ("Plyr"), the
// others are hostile; items alternate between the map and the shop.
inline void writeGame(const qtest::WorkDir& wd, const std::string& dir, int actors, int items, int quests)
{
    qtest::GameFolder f;
    f.vars = vars("data");
    for (int i = 0; i < actors; i++)
        f.actors.push_back(i == 0 ? actor("Plyr", "Hero")
                                  : actor("Grr", "Rat " + std::to_string(i), 480 + TILE_SIZE * i, 480, true));
    for (int i = 0; i < items; i++)
        f.items.push_back(i == 2 ? item(ITEM_RANGED, OWNER_PLAYER, "bow", 6)
                                 : item(i % 4, i % 2 ? OWNER_SHOP : OWNER_MAP, "thing" + std::to_string(i)));
    for (int i = 0; i < quests; i++)
        f.quests.push_back(quest("thing" + std::to_string(i), i));
    f.write(wd, dir);
}

// Every file and folder under dir, by relative path, with its content.
inline std::map<std::string, std::string> snapshot(const std::string& dir)
{
    return qtest::filesUnder(dir);
}

inline std::vector<std::string> names(const std::map<std::string, std::string>& snap)
{
    std::vector<std::string> v;
    for (const auto& kv : snap)
        v.push_back(kv.first);
    return v;
}

// Every field a character file holds; positions as the file truncates them.
inline void expectSameActor(const Actor& a, const Actor& b)
{
    EXPECT_EQ((int)a.x, (int)b.x);
    EXPECT_EQ((int)a.y, (int)b.y);
    EXPECT_EQ(a.stats.hp, b.stats.hp);
    EXPECT_EQ(a.stats.hp_max, b.stats.hp_max);
    EXPECT_EQ(a.stats.mp, b.stats.mp);
    EXPECT_EQ(a.stats.mp_max, b.stats.mp_max);
    EXPECT_EQ(a.stats.xp, b.stats.xp);
    EXPECT_EQ(a.stats.level, b.stats.level);
    EXPECT_EQ(a.stats.strength, b.stats.strength);
    EXPECT_EQ(a.stats.dexterity, b.stats.dexterity);
    EXPECT_EQ(a.stats.intelligence, b.stats.intelligence);
    EXPECT_EQ(a.stats.money, b.stats.money);
    EXPECT_EQ(a.flagId, b.flagId);
    EXPECT_EQ(a.bIsHostile, b.bIsHostile);
    EXPECT_EQ(a.conversation[0], b.conversation[0]);
    EXPECT_EQ(a.conversation[1], b.conversation[1]);
    EXPECT_EQ(a.myName, b.myName);
    EXPECT_EQ(a.bIsWanderer, b.bIsWanderer);
    EXPECT_EQ(a.sprite, b.sprite);
    EXPECT_EQ(a.direction, b.direction);
}

inline void expectSameItem(const Item& a, const Item& b)
{
    EXPECT_EQ(a.type, b.type);
    EXPECT_EQ(a.maxEffect, b.maxEffect);
    EXPECT_EQ(a.price, b.price);
    EXPECT_EQ(a.owner, b.owner);
    EXPECT_EQ((int)a.x, (int)b.x);
    EXPECT_EQ((int)a.y, (int)b.y);
    EXPECT_EQ(a.bIsEquipped, b.bIsEquipped);
    EXPECT_EQ(a.itemName, b.itemName);
    EXPECT_EQ(a.itemDescript, b.itemDescript);
    EXPECT_EQ(a.shortName, b.shortName);
    EXPECT_EQ(a.icon, b.icon);
    EXPECT_EQ(a.type == ITEM_RANGED ? a.range : 0, b.type == ITEM_RANGED ? b.range : 0);
}

inline void expectSameQuest(const Quest& a, const Quest& b)
{
    EXPECT_EQ(a.description, b.description);
    EXPECT_EQ(a.itemTarget, b.itemTarget);
    EXPECT_EQ(a.reward, b.reward);
    EXPECT_EQ(a.bIsCompleted, b.bIsCompleted);
    EXPECT_EQ(a.flagId, b.flagId);
}

inline void expectSameVars(const MiscVars& a, const MiscVars& b)
{
    EXPECT_EQ(a.gameName, b.gameName);
    EXPECT_EQ(a.menuScreen, b.menuScreen);
    EXPECT_EQ(a.frames, b.frames);
    EXPECT_EQ((int)a.drunkenness, (int)b.drunkenness);
    EXPECT_EQ(a.hasFloater, b.hasFloater);
    for (int i = 0; i < 40; i++)
        EXPECT_EQ(a.flags[i], b.flags[i]) << "flag " << i;
    EXPECT_EQ(a.dir, b.dir);
}

// Text for a POSIX extended regular expression matching s literally.
inline std::string literal(const std::string& s)
{
    std::string r;
    for (char c : s) {
        if (std::string("\\^$.|?*+()[]{}").find(c) != std::string::npos)
            r += '\\';
        r += c;
    }
    return r;
}

} // namespace gamefix
