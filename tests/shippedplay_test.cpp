// shippedplay_test.cpp -- the shipped game, "Saltmere: The Lamp of Veyl", played for real from the
// main menu's New Game to the ending slides: every quest, every fight on the way, the shops, the
// inn, the locked doors, the float-ring over the Serpent Reach, saves and loads on fresh game
// objects. The hands are a script run at the end of every frame (tests/support/adventurer.h), on
// the test clock, so the play is the same on every machine.
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include "adventurer.h"
#include "passage.h"
#include "seam.h"

namespace {

using qtest::Adventurer;
using qtest::press;

} // namespace

namespace {

// One sitting: a fresh game object (as the entry builds one after a game ends), the script on
// the keys, and the checks that it ran to its end.
void sitting(CGame*& g, Adventurer& hero, qtest::Scenario& s, const char* what)
{
    delete g;
    g = new CGame();
    hero.play(s);
    EXPECT_TRUE(s.done()) << what << " stopped at step " << s.current() << "\n" << hero.journal();
}

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
    const Uint32 clockAtStart = clock.now;

    CGame* g = nullptr;
    Adventurer hero(g);
    qtest::Snapshot saved;

    // First sitting: the moonwort, the customs house, the locket, the wolves, the Book of Tides.
    qtest::Scenario one;
    one.add("choose New Game", [&] { press(SDLK_RETURN); return true; });
    one.add("leave the introduction", [&] { press(SDLK_x); return true; });
    hero.buy(one, "Pennick", {"leatherarmour"});
    hero.wear(one, "leatherarmour");
    hero.talk(one, "Mayor Odell");
    hero.fetch(one, "moonwort");
    hero.hunt(one, "Meadow wolf", 3);
    hero.talk(one, "Mayor Odell");
    hero.expectQuestsDone(one, 1);
    // The customs house on the harbour: its key lies on the pier; two potions and a shield inside.
    hero.fetch(one, "brasskey");
    hero.openDoor(one, 91, 174);
    hero.fetch(one, "potion", 88, 176);
    hero.fetch(one, "potion", 94, 176);
    hero.fetch(one, "roundshield");
    hero.wear(one, "roundshield");
    // Lady Perrin's locket, in a locked room of the Mendrel Resort.
    hero.buy(one, "Pennick", {"shortsword"});
    hero.buy(one, "Lindel the clerk", {"roomkey"}, true);
    hero.openDoor(one, 172, 178);
    hero.fetch(one, "locket");
    hero.talk(one, "Mayor Odell");
    hero.expectQuestsDone(one, 2);
    // The Book of Tides in the Barrow of the Nine, after the heath and Whisperwood wolves; the
    // barrow key lies in Fenn's cabin, where the player sleeps before going in.
    hero.hunt(one, "Hungry wolf", 2);
    // The inn's middle room, opened for good with a key from Hester.
    hero.buy(one, "Hester the innkeeper", {"roomkey"}, true);
    hero.openDoor(one, 129, 154);
    hero.sleepNear(one, 130, 154);
    hero.buy(one, "Pennick", {"handaxe"});
    hero.hunt(one, "Grey wolf", 3);
    hero.fetch(one, "barrowkey");
    hero.sleepNear(one, 200, 114);
    // Grave-robbers smashed the barrow's door; the key opens the inner tomb's.
    hero.openDoor(one, 181, 84);
    hero.fetch(one, "tidebook");
    hero.talk(one, "Mayor Odell");
    hero.expectQuestsDone(one, 3);
    hero.saveAndQuit(one, saved);
    sitting(g, hero, one, "the first sitting");

    // Second sitting: the ember ruby in the Greyfang mine's vault.
    qtest::Scenario two;
    hero.loadGame(two, saved);
    hero.sleepNear(two, 130, 154);
    hero.buy(two, "Pennick", {"chainmail", "potion", "greatpotion"});
    hero.wear(two, "chainmail");
    hero.fetch(two, "foremankey");
    hero.sleepNear(two, 38, 70);
    hero.fetch(two, "greatpotion", 50, 54);
    hero.openDoor(two, 52, 54);
    hero.fetch(two, "ruby");
    // Out by the foreman's bolt-hole, whose key lies in the vault, to the hills east of the mine.
    hero.fetch(two, "boltkey");
    hero.openDoor(two, 60, 55);
    hero.talk(two, "Mayor Odell");
    hero.expectQuestsDone(two, 4);
    hero.saveAndQuit(two, saved);
    sitting(g, hero, two, "the second sitting");

    // Third sitting: the smugglers' chart and the float-ring from Redmaw's cove.
    qtest::Scenario three;
    hero.loadGame(three, saved);
    hero.sleepNear(three, 130, 154);
    hero.buy(three, "Pennick", {"longsword", "greatpotion"});
    hero.fetch(three, "potion", 38, 154);
    hero.fetch(three, "floatring");
    hero.fetch(three, "greatpotion", 45, 220);
    hero.fetch(three, "chart");
    hero.talk(three, "Mayor Odell");
    hero.expectQuestsDone(three, 5);
    hero.saveAndQuit(three, saved);
    sitting(g, hero, three, "the third sitting");

    // Fourth sitting: over the Serpent Reach to Veyl, the Drowned King's crypt and the ending.
    qtest::Scenario four;
    hero.loadGame(four, saved);
    hero.sleepNear(four, 130, 154);
    // What the player has outgrown helps pay for a pack of potions.
    hero.sell(four, "Pennick", {"handaxe", "shortsword", "roundshield", "leatherarmour"});
    hero.buy(four, "Pennick", {"greatpotion", "greatpotion", "greatpotion", "greatpotion", "potion", "potion",
                               "potion"});
    // Seal Skerry's four serpents and its rune blade, from Whisperwood's east shore and back; the
    // float-ring goes on at the water's edge, so the way there keeps to the land.
    hero.walkTo(four, 241, 119);
    hero.wear(four, "floatring");
    hero.hunt(four, "Sea serpent", 4);
    hero.fetch(four, "runeblade");
    hero.walkTo(four, 241, 119);
    hero.walkTo(four, 202, 122);
    hero.walkTo(four, 152, 162);
    hero.walkTo(four, 114, 191);
    // Over the Serpent Reach by the smugglers' passage, between its rocks: no serpent waits there.
    for (const qtest::Tile& t : qtest::closely(qtest::passageCorners()))
        hero.walkTo(four, t.x, t.y);
    hero.talk(four, "Brother Caddock");
    hero.hunt(four, "Drowned sailor", 3);
    hero.sleepNear(four, 271, 271);
    hero.fetch(four, "greatpotion", 274, 272);
    hero.fetch(four, "drownedkey");
    hero.sleepNear(four, 271, 271);
    hero.openDoor(four, 276, 293);
    // The crypt's two guards first, then a night's sleep before the Drowned King.
    hero.hunt(four, "Drowned sailor", 2);
    hero.sleepNear(four, 271, 271);
    hero.fetch(four, "crown");
    hero.talk(four, "Brother Caddock");
    hero.expectQuestsDone(four, 6);
    // The last errand: Caddock's lamp oil to Wick at the lighthouse, with everyone sent to Ysolde.
    hero.talk(four, "Brother Caddock");
    hero.fetch(four, "lampoil");
    hero.talk(four, "Wick the lamp-boy");
    hero.expectQuestsDone(four, 7);
    hero.watchEnding(four, "Ysolde the lightkeeper");
    delete g;
    g = new CGame();
    hero.play(four);
    std::string out = testing::internal::GetCapturedStdout();

    EXPECT_EQ("watch the slides", four.current()) << "the ending was never reached\n" << hero.journal();
    EXPECT_NE(std::string::npos, out.find("Showing ending at data\n"));
    EXPECT_TRUE(g->vars.flags[7]) << "the last errand was never handed out";
    EXPECT_TRUE(g->bMustQuit);
    EXPECT_TRUE(g->bPleaseLoadGame);
    printf("The route, %lu frames, %.1f minutes on the test clock, %d fights won:\n%s", hero.frames,
           (clock.now - clockAtStart) / 60000.0, hero.wins, hero.journal().c_str());
    delete g;
}
