// hostile_test.cpp -- game folders full of nonsense the file formats still allow, loaded and played with random keys.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "chaos.h"
#include "fakeassets.h"
#include "harness.h"
#include "hostile.h"

namespace {

int envNumber(const char* name, int fallback)
{
    const char* v = getenv(name);
    return v && atoi(v) > 0 ? atoi(v) : fallback;
}

// Plays `count` hostile folders made from seeds first, first+1, ...
void playHostileFolders(unsigned first)
{
    int count = envNumber("QUORVANE_HOSTILE_DIRS", 6);
    long frames = envNumber("QUORVANE_HOSTILE_FRAMES", 2000);
    qtest::WorkDir wd("", false);
    qtest::FakeAssets assets;   // 47 tiles and 3 item pictures: the data may name more
    qtest::writeFakeAssets(wd.path(), assets);
    long total = 0;
    int played = 0;
    for (int i = 0; i < count; i++) {
        unsigned seed = first + (unsigned)i;
        std::string dir = "hostile" + std::to_string(seed);
        qtest::writeHostileFolder(wd, dir, seed);
        ASSERT_EQ(0, system("rm -rf save sshot.bmp"));
        if (const char* keep = getenv("QUORVANE_HOSTILE_KEEP"))   // a copy to reproduce a finding with
            qtest::copyTree(dir, std::string(keep) + "/" + dir);
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        chaos::Figures f = chaos::play(dir, seed, frames);
        testing::internal::GetCapturedStdout();
        std::string err = testing::internal::GetCapturedStderr();
        total += f.frames;
        if (f.games == 0) {   // why nothing was played: the load's own words, map warnings left out
            std::string why;
            for (size_t p = 0, e; p < err.size() && why.size() < 400; p = e + 1) {
                e = err.find('\n', p);
                if (e == std::string::npos)
                    e = err.size();
                std::string line = err.substr(p, e - p);
                if (line.find("tile") == std::string::npos && line.find("map.dat") == std::string::npos)
                    why += line + "; ";
            }
            printf("%s did not load: %s\n", dir.c_str(), why.c_str());
        }
        if (f.games > 0)
            played++;
        printf("%s: %ld frames (%ld of play), %d games, %d fights (%d ended by the script), %d failed loads\n",
               dir.c_str(), f.frames, f.playFrames, f.games, f.fights, f.endedFightsByScript, f.failedLoads);
        for (const std::string& fault : f.faults)
            ADD_FAILURE() << dir << " (seed " << seed << "), " << fault;
    }
    printf("%d hostile folders, %d of them playable, %ld frames in all\n", count, played, total);
    EXPECT_GT(played, count / 2);
}

} // namespace

// Four groups, so that CTest can run them side by side.
TEST(HostileFolders, GroupA) { playHostileFolders(1000); }
TEST(HostileFolders, GroupB) { playHostileFolders(2000); }
TEST(HostileFolders, GroupC) { playHostileFolders(3000); }
TEST(HostileFolders, GroupD) { playHostileFolders(4000); }
