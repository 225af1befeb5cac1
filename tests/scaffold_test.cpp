// scaffold_test.cpp -- quorvane-new's game: names it refuses, a check with nothing to report, and a play
// started by name (as --game starts it) through to the ending slides; --game with a name that cannot be loaded.
#include <gtest/gtest.h>
#include <cstdio>
#include <string>
#include <sys/wait.h>
#include "adventurer.h"
#include "check.h"
#include "checkassets.h"
#include "seam.h"

extern "C" int SDL_main(int argc, char** argv);

namespace {

// quorvane-new's exit code, with everything it printed in `out`.
int runNew(const std::string& args, std::string& out)
{
    FILE* p = popen(("'" QUORVANE_NEW_PATH "' " + args + " 2>&1").c_str(), "r");
    if (!p)
        return -1;
    out.clear();
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        out.append(buf, n);
    int status = pclose(p);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int runEntry(std::vector<std::string> args)
{
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(&a[0]);
    return SDL_main((int)argv.size(), argv.data());
}

} // namespace

TEST(Scaffold, TheNewGameIsCleanAndPlayedFromItsNameToTheEndingSlides)
{
    qtest::clearEvents();
    qtest::releaseAllKeys();
    qtest::WorkDir wd;
    std::string out;
    ASSERT_EQ(0, runNew("meadow", out)) << out;
    wd.write("meadow/intro.txt.keep", "");   // a file of the modder's own, which a second run must not touch
    EXPECT_EQ(1, runNew("meadow", out)) << out;
    EXPECT_TRUE(wd.exists("meadow/intro.txt.keep"));
    const std::string refused[] = {"MyQuest", "quest2", "my-game", "save", std::string(GAME_NAME_MAX + 1, 'a')};
    for (const std::string& bad : refused) {
        EXPECT_EQ(2, runNew("'" + bad + "'", out)) << bad;
        EXPECT_FALSE(wd.exists(bad)) << bad;
    }
    std::remove("meadow/intro.txt.keep");
    CheckResult checked = checkGameFolder("meadow", qtest::repositoryAssets());
    for (const Diagnostic& d : checked.diagnostics)
        ADD_FAILURE() << formatDiagnostic("meadow", d);

    qtest::TestClock clock;
    CGame* g = new CGame();
    qtest::Adventurer hands{g};
    qtest::Scenario s;
    s.add("leave the introduction", [] { qtest::press(SDLK_x); return true; });
    hands.talk(s, "Mira");
    hands.fetch(s, "amulet");
    hands.talk(s, "Mira");
    hands.watchEnding(s, "Old Warden");
    testing::internal::CaptureStdout();
    qtest::onFrame = [&s] { s.tick(); };
    EXPECT_TRUE(g->playNamedGame("meadow"));
    qtest::onFrame = nullptr;
    qtest::releaseAllKeys();
    out = testing::internal::GetCapturedStdout();
    EXPECT_EQ("watch the slides", s.current()) << hands.journal();
    EXPECT_TRUE(g->questList.front()->bIsCompleted);
    EXPECT_NE(std::string::npos, out.find("Showing ending at meadow\n"));
    EXPECT_TRUE(g->bPleaseLoadGame);
    delete g;
}

TEST(Scaffold, AGameNameThatCannotBeLoadedEndsWithTheMenusMessage)
{
    qtest::WorkDir wd;
    std::string help;
    qtest::quietly([&] { EXPECT_EQ(0, runEntry({"quorvane", "--help"})); }, &help);
    EXPECT_NE(std::string::npos, help.find("--game NAME")) << help;
    std::string err = qtest::quietly([&] { EXPECT_EQ(1, runEntry({"quorvane", "--game", "myqest"})); });
    EXPECT_NE(std::string::npos, err.find("Can't load that game...\nFile not found: myqest/vars.sav\n")) << err;
    err = qtest::quietly([&] { EXPECT_EQ(2, runEntry({"quorvane", "--game"})); });
    EXPECT_NE(std::string::npos, err.find("--game needs a folder name")) << err;

    // A folder that is there without its first quest: the fatal message names the file too.
    std::string out;
    ASSERT_EQ(0, runNew("noquest", out)) << out;
    std::remove("noquest/qdef/0.def");
    GTEST_FLAG_SET(death_test_style, "threadsafe");   // the game object runs sound threads
    EXPECT_EXIT(runEntry({"quorvane", "--game", "noquest"}), testing::ExitedWithCode(1),
                "DATA DIR noquest IS MISSING\n\\(the game needs the file noquest/qdef/0.def\\)");
}
