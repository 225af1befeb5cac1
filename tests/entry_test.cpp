// entry_test.cpp -- the program's entry: a game that ends rebuilds the game object; closing ends the process.
#include <gtest/gtest.h>
#include <chrono>
#include <csignal>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
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
    // The game's output goes to a terminal, so each line arrives as it is printed.
    int terminal = -1;
    pid_t pid = forkpty(&terminal, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        execl(QUORVANE_BINARY_DIR "/quorvane", "quorvane", (char*)nullptr);
        _exit(127);
    }
    // SDL turns SIGTERM into a window-close event once its video is running, which it is by the
    // time the pictures are loaded. The game's output is read to the end, so it never blocks.
    std::string out;
    bool signalled = false;
    int status = 0;
    auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            break;
        if (std::chrono::steady_clock::now() - start > std::chrono::seconds(60)) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            close(terminal);
            FAIL() << "the game did not end; it printed:\n" << out;
        }
        pollfd p = {terminal, POLLIN, 0};
        char buf[4096];
        ssize_t n = poll(&p, 1, 50) > 0 ? read(terminal, buf, sizeof buf) : 0;
        if (n > 0)
            out.append(buf, (size_t)n);
        if (!signalled && out.find("Assets loaded.") != std::string::npos) {
            kill(pid, SIGTERM);
            signalled = true;
        }
    }
    close(terminal);
    EXPECT_TRUE(signalled) << out;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status));
}
