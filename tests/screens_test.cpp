// screens_test.cpp -- the status screen, the death screen, the choice of ending and the slide show.
#include <cstdio>
#include <functional>
#include <unistd.h>
#include <gtest/gtest.h>
#include "seam.h"
#include "script.h"
#include "world.h"

using qtest::World;

namespace {

enum Seen { BACKGROUND, SLIDE0, SLIDE1 };

// What one frame of the slide show left on screen: the colour at the centre
// and the left edge of the slide on the middle row (-1 without one).
struct ShowFrame
{
    Seen centre;
    Seen slide;
    int left;
};

Seen classify(Uint32 rgb)
{
    if (((rgb >> 16) & 0xff) > 150)
        return SLIDE0;
    if (((rgb >> 8) & 0xff) > 150)
        return SLIDE1;
    return BACKGROUND;
}

struct Screens : qtest::PlayerGame
{
    void SetUp() override
    {
        PlayerGame::SetUp();
        qtest::logText = true;
    }
    Quest* quest(bool done)
    {
        Quest* q = new Quest();
        q->bIsCompleted = done;
        g->questList.push_back(q);
        return q;
    }
    // A 200 by 100 slide, red for the first colour and green for the second.
    void slide(const std::string& rel, bool red)
    {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 200, 100, 32, 0xff0000, 0xff00, 0xff, 0);
        SDL_FillRect(s, NULL, red ? SDL_MapRGB(s->format, 230, 0, 0) : SDL_MapRGB(s->format, 0, 230, 0));
        std::string full = w->dir.path() + "/" + rel;
        qtest::mkdirs(full.substr(0, full.rfind('/')));
        SDL_SaveBMP(s, full.c_str());
        SDL_FreeSurface(s);
    }
    // Runs call on the test clock: every frame of the slide show lasts 5 ms
    // (2 pixels of slide movement). keys(n) runs before frame n + 1 reads
    // its events; a show still running after 6000 frames is closed.
    void onClock(std::function<void()> call, std::function<void(int)> keys)
    {
        frames.clear();
        int calls = 0;
        Uint32 now = 10000;
        qtest::fakeTicks = [&]() {
            // Odd calls start a frame: the screen still shows the last one.
            if (++calls % 2 == 1) {
                int done = calls / 2;
                if (done > 0)
                    frames.push_back(sample());
                keys(done);
                if (done > 6000)
                    qtest::pushQuit();
            }
            return now += 5;
        };
        call();
        qtest::fakeTicks = nullptr;
        clockCalls = calls;
    }
    ShowFrame sample()
    {
        ShowFrame f = {classify(qtest::pixelAt(g->screen, 400, 300)), BACKGROUND, -1};
        for (int x = 0; x < g->SCREEN_WIDTH; x++) {
            Seen s = classify(qtest::pixelAt(g->screen, x, 300));
            if (s != BACKGROUND) {
                f.slide = s;
                f.left = x;
                break;
            }
        }
        return f;
    }
    // The centre colours in order, repeats dropped.
    std::vector<Seen> centres() const
    {
        std::vector<Seen> out;
        for (const ShowFrame& f : frames)
            if (out.empty() || out.back() != f.centre)
                out.push_back(f.centre);
        return out;
    }
    static std::function<void(int)> every(int n, SDLKey key)
    {
        return [n, key](int frame) {
            if (frame > 0 && frame % n == 0)
                qtest::pushKey(key);
        };
    }
    std::vector<ShowFrame> frames;
    int clockCalls = 0;
};

} // namespace

TEST_F(Screens, StatusShowsStatisticsAndCountsMadeOnEntry)
{
    CharacterStats& st = hero->stats;
    st.hp = 80;
    st.hp_max = 100;
    st.mp = 20;
    st.mp_max = 50;
    st.xp = 3;
    st.level = 2;
    st.money = 1234;
    st.strength = 5;
    st.dexterity = 6;
    st.intelligence = 7;
    // Two room keys and a sword carried, among 30 items: only the sword counts.
    w->addItem(ITEM_ROOM_KEY, OWNER_PLAYER);
    w->addItem(ITEM_ROOM_KEY, OWNER_PLAYER);
    w->addItem(ITEM_MELEE, OWNER_PLAYER);
    w->addItem(ITEM_KEY_SHOP_GOODS, OWNER_PLAYER);
    w->addItem(ITEM_USED_UP, OWNER_PLAYER);
    while (g->itemVec.size() < 30)
        w->addItem(ITEM_HEALING, g->itemVec.size() % 2 ? OWNER_SHOP : OWNER_MAP);
    quest(true);
    quest(true);   // given up: also marked done
    quest(false);

    qtest::pushKey(SDLK_ESCAPE);
    std::string out;
    qtest::quietly([&] { g->playerInfoScreen(); }, &out);
    EXPECT_NE(std::string::npos, out.find("setting up player data...\n"));

    int h = g->returnTextHeight();
    const std::pair<const char*, int> lines[] = {
        {"Hero's Status", 10},
        {"HP: 80/100", 10 + h},
        {"MP: 20/50", 10 + 2 * h},
        {"XP: 3/4 Level: 2", 10 + 3 * h},
        {"Gold: $1234", 10 + 4 * h},
        {"Strength: 5 Dexterity: 6", 10 + 5 * h},
        {"Intelligence: 7", 10 + 6 * h},
        {"Items: 1/30", 10 + 8 * h},
        {"Quests: 2/3", 10 + 9 * h},
        {"Press escape to exit, S to save", SCREEN_HEIGHT - h},
    };
    for (const auto& l : lines)
        EXPECT_TRUE(qtest::wasDrawnAt(l.first, 10, l.second)) << l.first;
    EXPECT_FALSE(g->bMustQuit);
}

TEST_F(Screens, StatusSavesOnEachSAndReportsAFailedSave)
{
    g->vars.timer_elapsed = 30;
    qtest::pushKey(SDLK_s);
    qtest::pushKey(SDLK_s);
    qtest::pushKey(SDLK_ESCAPE);
    g->playerInfoScreen();
    int saving = 0;
    for (const qtest::DrawnText& d : qtest::drawnText)
        if (d.text == "Saving..." && d.x == 0 && d.y == 0)
            saving++;
    EXPECT_EQ(2, saving);
    EXPECT_TRUE(w->dir.exists("save/vars.sav"));
    EXPECT_FALSE(qtest::wasDrawn("Could not save the game!"));
    EXPECT_FLOAT_EQ(0.0f, g->vars.timer_elapsed);

    // A file where the save folder should be makes the save fail.
    w->dir.write("blocked/save", "not a folder");
    ASSERT_EQ(0, chdir((w->dir.path() + "/blocked").c_str()));
    qtest::drawnText.clear();
    qtest::pushKey(SDLK_s);
    qtest::pushQuit();   // closes the screen only
    std::string err = qtest::quietly([&] { g->playerInfoScreen(); });
    ASSERT_EQ(0, chdir(w->dir.path().c_str()));
    EXPECT_TRUE(qtest::wasDrawn("Saving..."));
    EXPECT_TRUE(qtest::wasDrawn("Could not save the game!"));
    EXPECT_FALSE(err.empty());
    EXPECT_FALSE(g->bMustQuit);
}

// The failure stays on the screen until the player presses a key; that key
// then does what it always does (here S tries again, Escape leaves).
TEST_F(Screens, AFailedSaveStaysReportedUntilTheNextKey)
{
    w->dir.write("blocked/save", "not a folder");
    ASSERT_EQ(0, chdir((w->dir.path() + "/blocked").c_str()));
    bool shownLater = false, shownAfterKey = true, shownAfterRetry = false;
    auto look = [](bool& seen) {
        return [&seen] {
            seen = qtest::wasDrawn("Could not save the game!");
            qtest::drawnText.clear();
        };
    };
    qtest::EventScript script;
    script.keys({SDLK_s})
        .pause(10)
        .then([] { qtest::drawnText.clear(); })
        .pause(3)
        .then(look(shownLater))
        .keys({SDLK_x})
        .pause(3)
        .then([] { qtest::drawnText.clear(); })
        .pause(3)
        .then(look(shownAfterKey))
        .keys({SDLK_s})
        .pause(10)
        .then([] { qtest::drawnText.clear(); })
        .pause(3)
        .then(look(shownAfterRetry))
        .keys({SDLK_ESCAPE});
    script.start();
    qtest::quietly([&] { g->playerInfoScreen(); });
    ASSERT_EQ(0, chdir(w->dir.path().c_str()));
    EXPECT_TRUE(script.finished());
    EXPECT_TRUE(shownLater);
    EXPECT_FALSE(shownAfterKey);
    EXPECT_TRUE(shownAfterRetry);
}

TEST_F(Screens, DeathScreenClosesOnAQuitRequestAndEndsTheGame)
{
    hero->stats.hp = 0;
    qtest::pushQuit();
    g->gameLoop();
    // The loop ran the death screen and ended; the process goes on.
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_TRUE(g->bPleaseLoadGame);
    EXPECT_FALSE(g->bPlayingGame);
    int h = g->returnTextHeight();
    EXPECT_TRUE(qtest::wasDrawnAt("You have perished in your quest...", 10, SCREEN_HEIGHT - h));

    // The picture is centred on black; any key closes the screen too.
    g->bMustQuit = g->bPleaseLoadGame = false;
    g->vars.timer_elapsed = 30;
    qtest::pushKey(SDLK_a);
    g->deathScreen();
    EXPECT_TRUE(g->bMustQuit && g->bPleaseLoadGame);
    EXPECT_FLOAT_EQ(0.0f, g->vars.timer_elapsed);
    // The 48 by 48 picture spans (376, 276) to (423, 323).
    EXPECT_EQ(0x000000u, qtest::pixelAt(g->screen, 375, 300));
    EXPECT_NE(0x000000u, qtest::pixelAt(g->screen, 376, 276));
    EXPECT_NE(0x000000u, qtest::pixelAt(g->screen, 423, 323));
    EXPECT_EQ(0x000000u, qtest::pixelAt(g->screen, 424, 300));
}

TEST_F(Screens, DeathScreenWithoutItsPictureStopsTheProgram)
{
    ASSERT_EQ(0, remove("data/assets/gameover.png"));
    EXPECT_EXIT(g->deathScreen(), testing::ExitedWithCode(1), "data/assets/gameover.png missing");
}

TEST_F(Screens, SlidesUpToTheFirstGapAreShownInTurn)
{
    slide("game/ending/0.png", true);
    slide("game/ending/1.png", false);
    slide("game/ending/3.png", true);
    onClock([&] { g->loadAndShowEnding("game"); }, every(40, SDLK_RETURN));

    EXPECT_EQ((std::vector<Seen>{SLIDE0, BACKGROUND, SLIDE1, BACKGROUND}), centres());
    // Each move takes about 250 frames of 2 pixels; the second slide comes
    // in from the right edge and stops centred.
    int leaving = 0, entering = 0, lastLeft = -1;
    bool arrived = false;
    for (const ShowFrame& f : frames) {
        if (f.slide == SLIDE0 && f.left > 300)
            leaving++;
        if (f.slide == SLIDE1 && f.left > 300 && !arrived) {
            entering++;
            EXPECT_TRUE(lastLeft < 0 || f.left < lastLeft);
            lastLeft = f.left;
        }
        if (f.slide == SLIDE1 && f.left == 300)
            arrived = true;
    }
    EXPECT_TRUE(arrived);
    EXPECT_NEAR(250, leaving, 3);
    EXPECT_NEAR(250, entering, 3);
    // After the last slide has left, the next key ends the show.
    EXPECT_LT(frames.size(), 750u + 4 * 40);
    int h = g->returnTextHeight();
    EXPECT_TRUE(qtest::wasDrawnAt("Thank you for playing!!!", 0, 0));
    EXPECT_TRUE(qtest::wasDrawnAt("Please press any key to return to game.", 0, h));
    EXPECT_TRUE(qtest::wasDrawnAt("Any key to advance slide, ESC to quit", 0, SCREEN_HEIGHT - h));
    EXPECT_TRUE(g->bMustQuit && g->bPleaseLoadGame);

    // Slide 1 without slide 0: nothing is shown and play goes on.
    g->bMustQuit = g->bPleaseLoadGame = false;
    ASSERT_EQ(0, remove("game/ending/0.png"));
    onClock([&] { g->loadAndShowEnding("game"); }, every(5, SDLK_RETURN));
    EXPECT_EQ(0, clockCalls);
    EXPECT_FALSE(g->bMustQuit || g->bPleaseLoadGame);
}

TEST_F(Screens, EscapeEndsTheShowExceptWhileASlideMoves)
{
    slide("game/ending/0.png", true);
    slide("game/ending/1.png", false);
    onClock([&] { g->loadAndShowEnding("game"); }, [](int frame) {
        if (frame == 1)
            qtest::pushKey(SDLK_ESCAPE);
    });
    EXPECT_EQ(2u, frames.size());   // the Escape is read in the second frame
    EXPECT_EQ((std::vector<Seen>{SLIDE0}), centres());
    EXPECT_TRUE(g->bMustQuit && g->bPleaseLoadGame);
    EXPECT_FALSE(qtest::wasDrawn("Thank you for playing!!!"));

    // Escape (and any key) pressed while a slide moves is dropped.
    g->bMustQuit = g->bPleaseLoadGame = false;
    onClock([&] { g->loadAndShowEnding("game"); }, [](int frame) {
        if (frame == 1)
            qtest::pushKey(SDLK_RETURN);
        if (frame == 100 || frame == 400)
            qtest::pushKey(SDLK_ESCAPE);
        if (frame == 101)
            qtest::pushKey(SDLK_RETURN);
        if (frame == 700)
            qtest::pushKey(SDLK_ESCAPE);
    });
    EXPECT_EQ((std::vector<Seen>{SLIDE0, BACKGROUND, SLIDE1}), centres());
    EXPECT_EQ(701u, frames.size());
    EXPECT_EQ(300, frames.back().left);
    EXPECT_FALSE(qtest::wasDrawn("Thank you for playing!!!"));
}

TEST_F(Screens, EndingWaitsForEveryQuest)
{
    slide("game/ending/0.png", true);
    g->vars.dir = "game";
    quest(true);
    Quest* open = quest(false);
    g->vars.talkTimer = 0;
    onClock([&] { g->calculateEndings(); }, every(1, SDLK_ESCAPE));
    EXPECT_EQ("You aren't done yet. Finish your quests, adventurer!", g->vars.currentTalk);
    EXPECT_FLOAT_EQ(g->TALK_TIMER, g->vars.talkTimer);
    EXPECT_EQ(0, clockCalls);
    EXPECT_FALSE(g->bMustQuit);

    // A given-up quest is done as far as the ending cares.
    open->bIsCompleted = true;
    testing::internal::CaptureStdout();
    onClock([&] { g->calculateEndings(); }, every(1, SDLK_ESCAPE));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(std::string::npos, out.find("Showing ending at game\n"));
    EXPECT_EQ((std::vector<Seen>{SLIDE0}), centres());
    EXPECT_TRUE(g->bMustQuit && g->bPleaseLoadGame);
}

TEST_F(Screens, GameWithoutQuestsShowsItsEndingAtOnceWhateverItsFolderName)
{
    // Far longer than any fixed path buffer would allow.
    std::string dir = std::string(120, 'a') + "/" + std::string(120, 'b') + "/" + std::string(120, 'c');
    slide(dir + "/ending/0.png", false);
    g->vars.dir = dir;
    testing::internal::CaptureStdout();
    onClock([&] { g->calculateEndings(); }, every(1, SDLK_ESCAPE));
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(std::string::npos, out.find("Showing ending at " + dir + "\n"));
    EXPECT_EQ((std::vector<Seen>{SLIDE1}), centres());
    EXPECT_TRUE(g->bMustQuit && g->bPleaseLoadGame);
}

TEST(Restart, AnEndingFromTheMenuGivesAFreshMenu)
{
    qtest::WorkDir dir("", false);
    qtest::writeFakeAssets(dir.path(), qtest::FakeAssets());
    {
        SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 64, 64, 32, 0xff0000, 0xff00, 0xff, 0);
        qtest::mkdirs(dir.path() + "/data/ending");
        SDL_SaveBMP(s, (dir.path() + "/data/ending/0.png").c_str());
        SDL_FreeSurface(s);
    }
    // The event queue must exist before the feeder's first key.
    ASSERT_EQ(0, SDL_Init(SDL_INIT_VIDEO));
    qtest::clearEvents();
    int rc = -1;
    testing::internal::CaptureStdout();
    {
        // E shows the slides of "data"; Escape ends them and the game object
        // is rebuilt; Escape on the fresh menu leaves the program.
        qtest::EventScript script;
        script.keys({SDLK_e}).keys({SDLK_ESCAPE}).pause(10).keys({SDLK_ESCAPE});
        script.start();
        rc = SDL_main(0, nullptr);
    }
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(0, rc);
    size_t first = out.find("Assets loaded.");
    ASSERT_NE(std::string::npos, first);
    EXPECT_NE(std::string::npos, out.find("Assets loaded.", first + 1));
    qtest::clearEvents();
}
