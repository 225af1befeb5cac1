// signposts_test.cpp -- signs.txt: how its lines are read, and Return beside a signpost on the map.
#include <gtest/gtest.h>
#include "world.h"

namespace {

TEST(SignsFile, GoodLinesAreReadAndEveryBadOneIsNamedByItsLine)
{
    std::string text = "// the crossroads\n"
                       "\n"
                       "12 40 North: the farm.  \r\n"
                       "  349 0\tEast: the sea\n"
                       "350 2 Off the map\n"
                       "7 Just a column\n"
                       "x 3 Letters\n"
                       "8 9\n"
                       "12 40 The same tile again\n" +
                       std::string("1 1 ") + std::string(400, 'a') + "\n"
                       "5 6 Last line without a line feed";
    std::vector<Signpost> signs;
    std::vector<SignProblem> problems;
    readSignposts(text, signs, problems);
    ASSERT_EQ(3u, signs.size());
    EXPECT_EQ(12, signs[0].column);
    EXPECT_EQ(40, signs[0].row);
    EXPECT_EQ("North: the farm.", signs[0].text);
    EXPECT_EQ(3, signs[0].line);
    EXPECT_EQ(349, signs[1].column);
    EXPECT_EQ("East: the sea", signs[1].text);
    EXPECT_EQ("Last line without a line feed", signs[2].text);
    std::vector<int> bad;
    for (const SignProblem& p : problems)
        bad.push_back(p.line);
    EXPECT_EQ((std::vector<int>{5, 6, 7, 8, 9, 10}), bad);
}

struct Signs : qtest::PlayerGame
{
    void SetUp() override
    {
        PlayerGame::SetUp();
        g->theMap->setTileAt(11, 11, TILE_SIGNPOST);   // diagonally beside the hero's tile (10, 10)
        w->dir.write("game/signs.txt", "11 11 North: the farm.\n");
    }
    std::string pressReturn()
    {
        g->vars.currentTalk = "before";
        qtest::pushKey(SDLK_RETURN);
        g->getInput();
        return g->vars.currentTalk;
    }
};

TEST_F(Signs, ReturnBesideTheSignpostReadsItAndPeopleAnswerFirst)
{
    g->loadSignposts("game");
    EXPECT_EQ("North: the farm.", pressReturn());
    hero->x -= TILE_SIZE;   // two tiles off: nothing to read, nobody to talk to
    EXPECT_EQ("before", pressReturn());
    hero->x += TILE_SIZE;
    Actor* bo = w->addActor(hero->x + 30, hero->y - 40);
    bo->myName = "Bo";
    bo->conversation[0] = "Hello";
    EXPECT_EQ("Bo says: \"Hello\"", pressReturn());
}

// A save has no signs of its own: they come from the game it was saved from, named by a plain
// folder name only.
TEST_F(Signs, ASaveReadsItsGamesSignsAndWithoutAFileNothingChanges)
{
    g->vars.dir = "game";
    g->loadSignposts("save");
    EXPECT_EQ("North: the farm.", pressReturn());
    for (const char* dir : {"../game", "/game", ""}) {
        g->vars.dir = dir;
        g->loadSignposts("save");
        EXPECT_TRUE(g->signposts.empty()) << dir;
        EXPECT_EQ("before", pressReturn()) << dir;
    }
}

} // namespace
