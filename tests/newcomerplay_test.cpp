// newcomerplay_test.cpp -- Saltmere's first three quests played from New Game as a newcomer plays them:
// each quest in order, straight where the quest giver says, no hunting, the first shop's gear for the
// money in hand, a room at the inn; every fight met on the way is fought and won. Real keys through
// the real screens, on the test clock (tests/support/adventurer.h).
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <string>
#include "adventurer.h"
#include "seam.h"

TEST(NewcomerPlay, TheFirstThreeQuestsFromNewGame)
{
    // The comfort options a player gets: the shipped config.cfg, but for the frame cap, which
    // would make the test clock wait for the real one.
    std::string config = qtest::readFile(qtest::sourceDir() + "/config.cfg");
    size_t cap = config.find("\nframecap\n");
    ASSERT_NE(std::string::npos, cap);
    config.erase(cap + 1, strlen("framecap\n"));
    qtest::WorkDir wd(config);
    qtest::copyGame(wd, "data");
    wd.write("save/.gitkeep", "");
    qtest::clearEvents();
    qtest::releaseAllKeys();
    qtest::TestClock clock;
    const Uint32 clockAtStart = clock.now;

    CGame* g = new CGame();
    qtest::Adventurer hero(g);
    qtest::Scenario s;
    s.limit = 120000;   // frames; the play takes about a third of that
    s.add("choose New Game", [&] { qtest::press(SDLK_RETURN); return true; });
    s.add("leave the introduction", [&] { qtest::press(SDLK_x); return true; });
    // The moonwort: a leather jerkin for the 60 gold in hand.
    hero.buy(s, "Pennick", {"leatherarmour"});
    hero.wear(s, "leatherarmour");
    hero.talk(s, "Mayor Odell");
    hero.fetch(s, "moonwort");
    hero.talk(s, "Mayor Odell");
    hero.expectQuestsDone(s, 1);
    // The locket: the Mendrel's room key.
    hero.talk(s, "Mayor Odell");
    hero.buy(s, "Lindel the clerk", {"roomkey"}, true);
    hero.openDoor(s, 172, 178);
    hero.fetch(s, "locket");
    hero.talk(s, "Mayor Odell");
    hero.expectQuestsDone(s, 2);
    // The Book of Tides: a short sword, a room at the inn and a potion from the locket's reward; a
    // night at the inn, Fenn's key and spare potion, a night in his bed, the barrow.
    hero.talk(s, "Mayor Odell");
    hero.buy(s, "Pennick", {"shortsword", "potion"});
    hero.buy(s, "Hester the innkeeper", {"roomkey"}, true);
    hero.openDoor(s, 129, 154);
    hero.sleepNear(s, 130, 154);
    hero.fetch(s, "barrowkey");
    hero.fetch(s, "potion", 201, 115);
    hero.sleepNear(s, 200, 114);
    hero.openDoor(s, 181, 84);
    hero.fetch(s, "tidebook");
    hero.talk(s, "Mayor Odell");
    hero.expectQuestsDone(s, 3);
    qtest::Snapshot saved;
    hero.saveAndQuit(s, saved);
    hero.play(s);

    EXPECT_TRUE(s.done()) << "stopped at step " << s.current() << "\n" << hero.journal();
    printf("The newcomer's first three quests: %lu frames, %.1f minutes on the test clock, %d fights won, "
           "%d level-ups:\n%s",
           hero.frames, (clock.now - clockAtStart) / 60000.0, hero.wins, hero.levelUps, hero.journal().c_str());
    delete g;
}
