// gambling_test.cpp -- the betting table: stakes from held keys, winning and losing, the bet sentences.
#include <cstdlib>
#include <functional>
#include <map>
#include <gtest/gtest.h>
#include "seam.h"
#include "world.h"

using qtest::World;

namespace {

struct Gambling : qtest::PlayerGame
{
    void SetUp() override
    {
        PlayerGame::SetUp();
        qtest::logText = true;
    }
    // Runs the table; script[n] runs at the end of frame n (frame 0: before
    // the first). After the last scripted frame Escape is pushed, so the table
    // always closes.
    void play(std::map<int, std::function<void()>> script)
    {
        int frame = 0;
        int last = script.empty() ? 0 : script.rbegin()->first;
        if (script.count(0))
            script[0]();
        // A 0 ms delay ends a frame of the table.
        qtest::onDelay = [&](Uint32 ms) {
            if (ms == 10)
                tenMsPauses++;
            if (ms != 0)
                return true;
            frame++;
            if (script.count(frame))
                script[frame]();
            if (frame == last + 1)
                qtest::pushKey(SDLK_ESCAPE);
            return true;
        };
        g->gambleLoop();
        qtest::onDelay = nullptr;
        qtest::clearEvents();
        qtest::releaseAllKeys();
        frames = frame;
    }
    static std::function<void()> hold(std::initializer_list<SDLKey> keys)
    {
        std::vector<SDLKey> k(keys);
        return [k]() {
            qtest::releaseAllKeys();
            for (SDLKey key : k)
                qtest::holdKey(key, true);
        };
    }
    static std::function<void()> press(SDLKey key)
    {
        return [key]() { qtest::pushKey(key); };
    }
    // The stake line of every frame, in order.
    static std::vector<std::string> stakes()
    {
        std::vector<std::string> out;
        for (const qtest::DrawnText& d : qtest::drawnText)
            if (!d.text.empty() && d.text[0] == '$')
                out.push_back(d.text);
        return out;
    }
    // A seed under which the bet (drawn after the entry sentence) is won or
    // lost as asked and the next sentence differs.
    static unsigned seedFor(bool win)
    {
        for (unsigned s = 1; s < 100000; s++) {
            srand(s);
            int a = rand() % 12, b = rand() % 10;
            bool won = (rand() & 3) == 0;
            int c = rand() % 12, d = rand() % 10;
            if (won == win && (a != c || b != d))
                return s;
        }
        return 0;
    }
    int frames = 0;
    int tenMsPauses = 0;
};

} // namespace

TEST_F(Gambling, WithoutMoneyTheStakeStaysZero)
{
    hero->stats.money = 0;
    g->vars.timer_elapsed = 40;
    play({{0, hold({SDLK_RIGHT})},
          {5, hold({SDLK_UP})},
          {8, press(SDLK_RETURN)},
          {9, press(SDLK_F3)},
          {10, [] { qtest::pushQuit(); }}});
    EXPECT_EQ(11, frames);   // the quit closes the table after its frame
    EXPECT_EQ(0u, hero->stats.money);
    for (const std::string& s : stakes())
        EXPECT_EQ("$0", s);
    EXPECT_EQ(0, tenMsPauses);   // the pause comes only with a step of the stake
    EXPECT_FALSE(qtest::wasDrawn("Sorry, you lost $0"));
    EXPECT_TRUE(w->dir.exists("gambling.bmp"));
    EXPECT_FALSE(g->bMustQuit);
    EXPECT_FLOAT_EQ(0.0f, g->vars.timer_elapsed);
}

TEST_F(Gambling, WinningPaysFourStakesAndLosingTakesOne)
{
    for (bool win : {true, false}) {
        hero->stats.money = 100;
        unsigned seed = seedFor(win);
        ASSERT_NE(0u, seed);
        qtest::drawnText.clear();
        srand(seed);
        // Ten frames of Right make a stake of 10; Enter bets it.
        play({{0, hold({SDLK_RIGHT})}, {10, hold({})}, {11, press(SDLK_RETURN)}});
        EXPECT_EQ(win ? 130u : 90u, hero->stats.money);
        EXPECT_TRUE(qtest::wasDrawn(win ? "You won $40!!!" : "Sorry, you lost $10"));
        EXPECT_EQ(10, tenMsPauses);
        // The stake goes back to 0 and a new sentence replaces the old one.
        EXPECT_EQ("$0", stakes().back());
        std::vector<std::string> sentences;
        for (const qtest::DrawnText& d : qtest::drawnText)
            if (d.text.rfind("You are gambling on ", 0) == 0 && (sentences.empty() || sentences.back() != d.text))
                sentences.push_back(d.text);
        EXPECT_EQ(2u, sentences.size());
        tenMsPauses = 0;
    }
}

TEST_F(Gambling, LeftWinsOverRightAndTheStakeNeverPassesTheMoney)
{
    hero->stats.money = 100;
    srand(seedFor(false));
    play({{0, hold({SDLK_UP})}, {1, hold({SDLK_LEFT, SDLK_RIGHT})}, {6, hold({})}, {7, press(SDLK_RETURN)}});
    std::vector<std::string> seen = stakes();
    ASSERT_GE(seen.size(), 7u);
    EXPECT_EQ((std::vector<std::string>{"$0", "$100", "$99", "$98", "$97", "$96", "$95"}),
              std::vector<std::string>(seen.begin(), seen.begin() + 7));
    EXPECT_EQ(5u, hero->stats.money);

    // Right stops at the money; Down resets.
    qtest::drawnText.clear();
    play({{0, hold({SDLK_RIGHT})}, {7, hold({SDLK_DOWN})}, {8, hold({})}});
    seen = stakes();
    ASSERT_GE(seen.size(), 9u);
    EXPECT_EQ((std::vector<std::string>{"$0", "$1", "$2", "$3", "$4", "$5", "$5", "$5", "$0"}),
              std::vector<std::string>(seen.begin(), seen.begin() + 9));
}

TEST(GamblingWords, SubjectIsDrawnBeforeThePlace)
{
    qtest::World w;
    // Seeds whose first two draws pick the first subject with the last place
    // and the other way round.
    for (auto want : {std::make_pair(0, 9), std::make_pair(11, 0)}) {
        unsigned seed = 1;
        for (;; seed++) {
            srand(seed);
            int a = rand() % 12;
            if (a == want.first && rand() % 10 == want.second)
                break;
        }
        srand(seed);
        char* text = w.game->gamblingMadLibs();
        EXPECT_STREQ(want.first == 0 ? "You are gambling on chicken catching in Albany"
                                     : "You are gambling on llama farming contests in North Haverbrook",
                     text);
        delete[] text;
    }
}
