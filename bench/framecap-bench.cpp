// framecap-bench.cpp -- processor use and frame pacing of the map screen, with and without "framecap".
//
// Run from the repository's root (it needs data/):
//     build/bench/framecap-bench [seconds]      (or scripts/framecap.sh)
// For each of no cap and "framecap" it starts a game object in a scratch folder
// of its own (data/ linked in, config.cfg written there), loads the shipped
// game and runs the real frame loop on the map for the given seconds (3 by
// default), once standing still and once walking (left and right in turn).
// It prints the processor time the whole process took per second of wall
// clock (user + system, getrusage) as a share of one core, and the share of
// the game's own thread alone (the rest is SDL's audio thread), the frames per
// second, and the interval between one flip and the next: median and 99th
// percentile. SDL's dummy drivers are used, so no display is needed.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include "game.h"

namespace {

using Clock = std::chrono::steady_clock;

std::vector<Clock::time_point> flips;
Clock::time_point runEnd;
bool walking = false;
CGame* running = nullptr;

double cpuSeconds(int who = RUSAGE_SELF)
{
    struct rusage u;
    getrusage(who, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, (size_t)(p * (double)v.size()))];
}

struct Figures
{
    double cpuShare, threadShare, fps, medianMs, p99Ms;
};

Figures play(const std::string& config, bool walk, double seconds, const std::string& root)
{
    char tmpl[] = "/tmp/quorvane-framecap-XXXXXX";
    std::string dir = mkdtemp(tmpl);
    if (symlink((root + "/data").c_str(), (dir + "/data").c_str()) != 0 || chdir(dir.c_str()) != 0) {
        fprintf(stderr, "could not set up the scratch folder %s\n", dir.c_str());
        exit(1);
    }
    if (FILE* f = fopen("config.cfg", "w")) {
        fputs(config.c_str(), f);
        fclose(f);
    }
    fflush(stdout);
    int saved = dup(1), devnull = open("/dev/null", O_WRONLY);
    dup2(devnull, 1);
    CGame* g = new CGame();
    g->audio.bSoundOff = true;
    g->loadGame("data");
    running = g;
    walking = walk;
    flips.clear();
    double cpu0 = cpuSeconds(), thread0 = cpuSeconds(RUSAGE_THREAD);
    Clock::time_point t0 = Clock::now();
    runEnd = t0 + std::chrono::milliseconds((long)(seconds * 1000));
    g->gameLoop();
    double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    double cpu = cpuSeconds() - cpu0, thread = cpuSeconds(RUSAGE_THREAD) - thread0;
    running = nullptr;
    delete g;
    fflush(stdout);
    dup2(saved, 1);
    close(saved);
    close(devnull);
    if (chdir(root.c_str()) != 0)
        exit(1);
    unlink((dir + "/config.cfg").c_str());
    unlink((dir + "/data").c_str());
    rmdir(dir.c_str());

    std::vector<double> gaps;
    for (size_t i = 1; i < flips.size(); i++)
        gaps.push_back(std::chrono::duration<double, std::milli>(flips[i] - flips[i - 1]).count());
    return {100 * cpu / wall, 100 * thread / wall, (double)flips.size() / wall, percentile(gaps, 0.5), percentile(gaps, 0.99)};
}

} // namespace

// Each flip of the map screen is timed; walking turns round every half second; the run ends with
// a window close once its time is up.
extern "C" int __real_SDL_Flip(SDL_Surface* s);
extern "C" int __wrap_SDL_Flip(SDL_Surface* s)
{
    Clock::time_point now = Clock::now();
    if (running) {
        flips.push_back(now);
        Uint8* keys = SDL_GetKeyState(NULL);
        bool left = walking && (flips.size() / 30) % 2 == 1;
        keys[SDLK_LEFT] = left;
        keys[SDLK_RIGHT] = walking && !left;
        if (now >= runEnd) {
            SDL_Event quit;
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            running = nullptr;
        }
    }
    return __real_SDL_Flip(s);
}

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    double seconds = argc > 1 ? atof(argv[1]) : 3;
    if (!(seconds > 0))
        seconds = 3;
    char cwd[4096];
    if (!getcwd(cwd, sizeof cwd)) {
        fputs("no working directory\n", stderr);
        return 1;
    }
    printf("Map screen of the shipped game, %.0f s each, %ld cores\n", seconds, sysconf(_SC_NPROCESSORS_ONLN));
    printf("%-10s %-9s %8s %8s %8s %12s %12s\n", "cap", "player", "CPU", "(game)", "fps", "median ms", "p99 ms");
    for (const char* config : {"", "framecap\n"})
        for (bool walk : {false, true}) {
            Figures f = play(config, walk, seconds, cwd);
            printf("%-10s %-9s %7.1f%% %7.1f%% %8.1f %12.2f %12.2f\n", *config ? "framecap" : "none",
                   walk ? "walking" : "standing", f.cpuShare, f.threadShare, f.fps, f.medianMs, f.p99Ms);
        }
    return 0;
}
