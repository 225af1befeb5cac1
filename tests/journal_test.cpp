// journal_test.cpp -- the journal screen on key J: quests and their givers' words, the last lines, closing and quitting.
#include <string>
#include <gtest/gtest.h>
#include "script.h"
#include "seam.h"
#include "world.h"

namespace {

struct JournalScreen : qtest::PlayerGame
{
    void SetUp() override
    {
        PlayerGame::SetUp();
        qtest::logText = true;
    }
    // Presses the keys on the map, in one frame of input.
    void play(std::initializer_list<SDLKey> keys)
    {
        qtest::drawnText.clear();
        for (SDLKey k : keys)
            qtest::pushKey(k);
        g->getInput();
    }
    Quest* quest(const std::string& words, const std::string& target, int flag)
    {
        Quest* q = new Quest();
        q->description = words;
        q->itemTarget = target;
        q->reward = 5;
        q->flagId = flag;
        g->questList.push_back(q);
        return q;
    }
    // Whether every line drawn lies inside the window.
    void expectAllInside()
    {
        int h = g->returnTextHeight();
        for (const qtest::DrawnText& t : qtest::drawnText) {
            int width = 0, height = 0;
            TTF_SizeText(g->font, t.text.c_str(), &width, &height);
            EXPECT_LE(t.x + width, g->SCREEN_WIDTH) << t.text;
            EXPECT_LE(t.y + h, SCREEN_HEIGHT) << t.text;
        }
    }
};

} // namespace

TEST_F(JournalScreen, KeepsTheGiversWordsTheQuestsDoneAndTheLinesSaid)
{
    Actor* mara = w->addActor(hero->x + 30, hero->y + 40);
    mara->conversation[0] = "Questy";
    mara->myName = "Mara";
    quest("Find my lost gem", "gem", 4);
    quest("Bring me a lantern", "lantern", 5);
    Item* gem = w->addItem(ITEM_PLAIN, OWNER_MAP);
    gem->shortName = "gem";
    gem->itemName = "Green gem";
    w->addItem(ITEM_PLAIN, OWNER_MAP)->shortName = "lantern";

    play({SDLK_RETURN, SDLK_j, SDLK_ESCAPE});
    int h = g->returnTextHeight();
    EXPECT_TRUE(qtest::wasDrawnAt("Journal", 10, 10));
    EXPECT_TRUE(qtest::wasDrawnAt("Open quests", 10, 10 + h));
    EXPECT_TRUE(qtest::wasDrawnAt("Mara: \"Find my lost gem\"", 30, 10 + 2 * h));
    EXPECT_TRUE(qtest::wasDrawn("Quests done: 0/2"));
    EXPECT_TRUE(qtest::wasDrawn("Mara intones: \"Find my lost gem\""));
    EXPECT_FALSE(qtest::wasDrawn("Mara: \"Bring me a lantern\""));   // not told yet
    EXPECT_FALSE(g->bMustQuit);

    // The gem handed in: the quest moves to the done list, J closes the
    // journal, and the newest line comes first.
    gem->owner = OWNER_PLAYER;
    hero->x = hero->y = 480;
    play({SDLK_RETURN, SDLK_j, SDLK_j});
    EXPECT_TRUE(qtest::wasDrawn("Quests done: 1/2"));
    EXPECT_TRUE(qtest::wasDrawnAt("Find my lost gem", 30, 10 + 5 * h));
    EXPECT_FALSE(qtest::wasDrawn("Mara: \"Find my lost gem\""));
    size_t newest = qtest::indexOf("Mara intones: \"Good work, you found the Green gem.\"");
    size_t oldest = qtest::indexOf("Mara intones: \"Find my lost gem\"");
    ASSERT_NE(std::string::npos, newest);
    ASSERT_NE(std::string::npos, oldest);
    EXPECT_LT(newest, oldest);
    EXPECT_FLOAT_EQ(0, g->vars.timer_delta);
}

TEST_F(JournalScreen, AQuestRaisedInAnEarlierSittingShowsWithoutItsGiver)
{
    quest("Slay the marsh rat", "tail", 9);
    g->vars.flags[9] = true;
    quest("Never told", "cup", 10);
    play({SDLK_j, SDLK_ESCAPE});
    EXPECT_TRUE(qtest::wasDrawn("\"Slay the marsh rat\""));
    EXPECT_FALSE(qtest::wasDrawn("\"Never told\""));
    EXPECT_TRUE(qtest::wasDrawn("(none)"));   // no lines said yet
}

TEST_F(JournalScreen, KeepsTwentyLinesAndFitsEveryLineInTheWindow)
{
    std::string longWords;
    for (int i = 0; i < 40; i++)
        longWords += "blather ";
    for (int i = 0; i < 30; i++)
        g->showMessage("Line " + std::to_string(i) + " " + (i % 3 ? longWords : std::string(300, 'x')));
    for (int i = 0; i < 60; i++) {
        quest("Quest number " + std::to_string(i) + " " + longWords, "it", i % FLAG_COUNT);
        g->vars.flags[i % FLAG_COUNT] = true;
    }
    ASSERT_EQ(Journal::LINES_KEPT, g->journal.lines.size());
    EXPECT_EQ(0u, g->journal.lines.front().find("Line 10 "));

    // Scrolled a page a frame to the very bottom: the oldest line kept is the last one.
    qtest::EventScript script;
    for (int i = 0; i < 40; i++)
        script.keys({SDLK_PAGEDOWN});
    script.keys({SDLK_DOWN}).keys({SDLK_ESCAPE}).start();
    play({SDLK_j});
    EXPECT_TRUE(script.finished());
    expectAllInside();
    EXPECT_TRUE(qtest::wasDrawn("Up, Down: scroll   Escape, J: close"));
    bool sawOldest = false, sawDropped = false, sawCut = false;
    for (const qtest::DrawnText& t : qtest::drawnText) {
        sawOldest |= t.text.rfind("Line 10 ", 0) == 0;
        sawDropped |= t.text.rfind("Line 9 ", 0) == 0;
        sawCut |= t.text.size() > 3 && t.text.compare(t.text.size() - 3, 3, "...") == 0;
    }
    EXPECT_TRUE(sawOldest);
    EXPECT_FALSE(sawDropped);
    EXPECT_TRUE(sawCut);
}

struct WideJournal : JournalScreen
{
    std::string config() override { return "widescreen\n"; }
};

TEST_F(WideJournal, LongLinesWrapInsideTheWideWindow)
{
    ASSERT_EQ(WIDE_SCREEN_WIDTH, g->SCREEN_WIDTH);
    std::string words;
    for (int i = 0; i < 60; i++)
        words += "lament ";
    g->showMessage(words);
    play({SDLK_j, SDLK_ESCAPE});
    expectAllInside();
    int rows = 0;
    for (const qtest::DrawnText& t : qtest::drawnText)
        rows += t.text.rfind("lament", 0) == 0 && t.x == 30;
    EXPECT_EQ(4, rows);   // wrapped, and cut after the fourth row
    EXPECT_EQ(std::string::npos, qtest::indexOf(words));
}

TEST_F(JournalScreen, ClosingTheWindowInsideItQuitsTheGame)
{
    qtest::drawnText.clear();
    qtest::pushKey(SDLK_j);
    qtest::pushQuit();
    g->getInput();
    EXPECT_TRUE(qtest::wasDrawn("Journal"));
    EXPECT_TRUE(g->bMustQuit);
}
