// entry_test.cpp -- the program's entry: a game that ends rebuilds the game object; closing ends the process.
#include <gtest/gtest.h>
#include <csignal>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>
#include "game.h"
#include "minigame.h"
#include "script.h"

TEST(Entry, QuitToMenuRebuildsTheGameObject)
{
    qtest::WorkDir wd;
    qtest::writeMiniGame(wd, "data", "Entry Test");
    qtest::EventScript script;
    script.keys({SDLK_RETURN})   // New Game
        .keys({SDLK_x})          // leaves the introduction
        .pause(100)
        .keys({SDLK_F2})         // quit to the menu: a fresh game object
        .pause(200)
        .keys({SDLK_ESCAPE});    // leave the new menu
    script.start();
    testing::internal::CaptureStdout();
    int rc = SDL_main(0, nullptr);
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(0, rc);
    auto count = [&](const std::string& what) {
        int n = 0;
        for (size_t p = 0; (p = out.find(what, p)) != std::string::npos; p++)
            n++;
        return n;
    };
    EXPECT_EQ(1, count("initializing...\n"));
    EXPECT_EQ(2, count("Assets loaded.\n"));
    EXPECT_EQ(2, count("art assets unloaded\n"));
    EXPECT_EQ(1, count("Comments loaded. Engaging.\n"));
    EXPECT_TRUE(script.finished());
}

TEST(Entry, ClosingTheWindowEndsTheProgramWithCodeZero)
{
    qtest::WorkDir wd;
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        int devnull = open("/dev/null", 1);
        dup2(devnull, 1);
        execl(QUORVANE_BINARY_DIR "/quorvane", "quorvane", (char*)nullptr);
        _exit(127);
    }
    // SDL turns SIGTERM into a window-close event.
    usleep(1500 * 1000);
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 100; i++) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            break;
        usleep(50 * 1000);
        if (i == 99) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            FAIL() << "the game did not end";
        }
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status));
}
