// shippedplay_test.cpp -- the shipped game, "Saltmere: The Lamp of Veyl", played for real from the
// main menu's New Game to the ending slides: every quest, every fight on the way, the shops, the
// inn, the locked doors, the float-ring over the Serpent Reach, saves and loads on fresh game
// objects. The hands are a script run at the end of every frame (tests/support/adventurer.h), on
// the test clock, so the play is the same on every machine.
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include "adventurer.h"
#include "fakeclock.h"

namespace {

using qtest::Adventurer;
using qtest::press;

} // namespace

TEST(ShippedPlay, NewGameToTheEndingSlides)
{
    qtest::WorkDir wd;
    qtest::copyGame(wd, "data");
    wd.write("save/.gitkeep", "");
    qtest::clearEvents();
    qtest::releaseAllKeys();
    testing::internal::CaptureStdout();
    qtest::TestClock clock;

    CGame* g = new CGame();
    Adventurer hero(g);
    qtest::Snapshot saved;

    // First sitting: the moonwort.
    qtest::Scenario s;
    s.add("choose New Game", [&] { press(SDLK_RETURN); return true; });
    s.add("leave the introduction", [&] { press(SDLK_x); return true; });
    hero.buy(s, "Pennick", {"leatherarmour"});
    hero.wear(s, "leatherarmour");
    hero.talk(s, "Mayor Odell");
    hero.fetch(s, "moonwort");
    hero.hunt(s, "Meadow wolf", 3);
    hero.talk(s, "Mayor Odell");
    hero.expectQuestsDone(s, 1);

    // The customs house on the harbour: its key lies on the pier; two potions and a shield inside.
    hero.fetch(s, "brasskey");
    hero.openDoor(s, 91, 174);
    hero.fetch(s, "potion", 88, 176);
    hero.fetch(s, "potion", 94, 176);
    hero.fetch(s, "roundshield");
    hero.wear(s, "roundshield");
    // Lady Perrin's locket, in a locked room of the Mendrel Resort.
    hero.buy(s, "Pennick", {"shortsword"});
    hero.buy(s, "Lindel the clerk", {"roomkey"}, true);
    hero.openDoor(s, 172, 178);
    hero.fetch(s, "locket");
    hero.talk(s, "Mayor Odell");
    hero.expectQuestsDone(s, 2);

    // The Book of Tides in the Barrow of the Nine: the barrow key lies in Fenn's cabin, where
    // the player sleeps before going in.
    hero.hunt(s, "Hungry wolf", 2);
    hero.sleepNear(s, 130, 154);
    hero.buy(s, "Pennick", {"chainmail"});
    hero.wear(s, "chainmail");
    hero.hunt(s, "Grey wolf", 3);
    hero.fetch(s, "barrowkey");
    hero.sleepNear(s, 200, 114);
    hero.openDoor(s, 182, 98);
    hero.fetch(s, "tidebook");
    hero.talk(s, "Mayor Odell");
    hero.expectQuestsDone(s, 3);
    hero.saveAndQuit(s, saved);
    hero.play(s);
    ASSERT_TRUE(s.done()) << "stopped at step " << s.current() << "\n" << hero.journal();

    delete g;
    g = new CGame();
    qtest::Scenario t;
    hero.loadGame(t, saved);
    t.add("quit", [&] {
        press(SDLK_F2);
        return true;
    });
    hero.play(t);
    ASSERT_TRUE(t.done()) << "stopped at step " << t.current() << "\n" << hero.journal();

    std::string out = testing::internal::GetCapturedStdout();
    printf("The route, %lu frames:\n%s", hero.frames, hero.journal().c_str());
    delete g;
}
