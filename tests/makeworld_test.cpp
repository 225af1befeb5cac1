// makeworld_test.cpp -- the content builder: it reproduces the committed data/ and tutorial/ byte for
// byte, clears stale record files, and refuses sources with mistakes instead of writing a broken game.
#include <cstdlib>
#include <map>
#include <gtest/gtest.h>
#include "harness.h"

namespace {

// Every file of a game folder, as relative path -> contents; its assets are not the builder's.
std::map<std::string, std::string> gameFiles(const std::string& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& kv : qtest::filesUnder(dir))
        if (kv.first.back() != '/' && kv.first.compare(0, 7, "assets/") != 0)
            files.insert(kv);
    return files;
}

int runBuilder(const std::string& content, const std::string& out)
{
    std::string cmd = std::string("'") + MAKEWORLD_PATH + "' '" + content + "' '" + out + "' > builder.log 2>&1";
    return system(cmd.c_str());
}

TEST(MakeWorld, ReproducesTheCommittedGamesByteForByte)
{
    qtest::WorkDir wd("", false);
    ASSERT_EQ(0, runBuilder(qtest::sourceDir() + "/content", wd.path())) << qtest::readFile("builder.log");
    for (const char* game : {"data", "tutorial"}) {
        SCOPED_TRACE(game);
        std::map<std::string, std::string> made = gameFiles(wd.path() + "/" + game);
        std::map<std::string, std::string> committed = gameFiles(qtest::sourceDir() + "/" + game);
        ASSERT_GT(made.size(), 10u);
        for (const auto& kv : made) {
            auto it = committed.find(kv.first);
            ASSERT_TRUE(it != committed.end()) << kv.first << " is made but not committed: run makeworld";
            EXPECT_TRUE(it->second == kv.second) << kv.first << " differs from what makeworld makes: run makeworld";
        }
        for (const auto& kv : committed)
            EXPECT_TRUE(made.count(kv.first)) << kv.first << " is committed but no longer made";
    }
}

TEST(MakeWorld, ClearsRecordsLeftFromALargerBuild)
{
    qtest::WorkDir wd("", false);
    wd.write("data/npcdef/999.def", "stale");
    wd.write("tutorial/idef/500.def", "stale");
    wd.write("data/ending/40.png", "stale");
    ASSERT_EQ(0, runBuilder(qtest::sourceDir() + "/content", wd.path())) << qtest::readFile("builder.log");
    EXPECT_FALSE(wd.exists("data/npcdef/999.def"));
    EXPECT_FALSE(wd.exists("tutorial/idef/500.def"));
    EXPECT_FALSE(wd.exists("data/ending/40.png"));
    EXPECT_TRUE(wd.exists("data/npcdef/0.def"));
}

// A copy of the sources with one line replaced; the builder must name the file and write nothing.
void expectRefused(const std::string& file, const std::string& from, const std::string& to, const std::string& says)
{
    SCOPED_TRACE(file + ": " + to);
    qtest::WorkDir wd("", false);
    qtest::copyTree(qtest::sourceDir() + "/content", wd.path() + "/content");
    std::string text = qtest::readFile("content/" + file);
    size_t at = text.find(from);
    ASSERT_NE(std::string::npos, at) << from;
    text.replace(at, from.size(), to);
    wd.write("content/" + file, text);
    EXPECT_NE(0, runBuilder("content", "out"));
    std::string log = qtest::readFile("builder.log");
    EXPECT_NE(std::string::npos, log.find(says)) << log;
    EXPECT_FALSE(wd.exists("out/data/map.dat"));
}

TEST(MakeWorld, RefusesSourcesThatWouldMakeABrokenGame)
{
    // The mayor moved into the town wall.
    expectRefused("data/characters.txt", "at: town 6 5", "at: town 0 0", "stands on a solid tile");
    // A sword that can never hurt anyone.
    expectRefused("data/items.txt", "name: Dagger\ntype: 1\neffect: 4", "name: Dagger\ntype: 1\neffect: 0",
                  "a weapon needs an effect above 0");
    // A room key lying about instead of in the key shop's stock.
    expectRefused("data/items.txt", "owner: shop\nshort: roomkey", "at: town 27 17\nshort: roomkey",
                  "sold by the key shop");
    // A quest for something that does not exist.
    expectRefused("data/quests.txt", "target: ruby", "target: rubby", "no item has the short name \"rubby\"");
    // A story flag beyond the 40 the game keeps.
    expectRefused("data/quests.txt", "flag: 6", "flag: 40", "\"flag\" must be a number from 0 to 39");
    // A typo in a key is a mistake, not a silent default.
    expectRefused("data/characters.txt", "money: 60", "mony: 60", "unknown key \"mony\"");
    // A layout character nobody defined.
    expectRefused("data/places/farm.txt", "  LLLLLLLLLL", "  LLLLL&LLLL", "is not in the legend");
}

} // namespace
