// entry_test.cpp -- the program's entry: a game that ends rebuilds the game object; closing ends the process.
#include <gtest/gtest.h>
#include <csignal>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>
#include "autopilot.h"
#include "game.h"
#include "minigame.h"

TEST(Entry, QuitToMenuRebuildsTheGameObject)
{
    qtest::WorkDir wd;
    qtest::writeMiniGame(wd, "data", "Entry Test");
    qtest::Scenario steps;
    qtest::Every now_and_then(20);
    steps.add("New Game", [] { qtest::press(SDLK_RETURN); return true; });
    steps.add("leave the introduction", [] { qtest::press(SDLK_x); return true; });
    steps.add("quit to the menu", [&] {
        if (!now_and_then())
            return false;
        qtest::press(SDLK_F2);   // a fresh game object
        return true;
    });
    // The old menu's last frames still run after F2, and the queue goes with the old game
    // object: Escape now and then until the new menu takes one.
    steps.add("leave the new menu", [&] {
        if (now_and_then())
            qtest::press(SDLK_ESCAPE);
        return false;
    });
    testing::internal::CaptureStdout();
    int rc = -1;
    {
        qtest::Drive drive(steps);
        rc = SDL_main(0, nullptr);
    }
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
    EXPECT_EQ("leave the new menu", steps.current());
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
