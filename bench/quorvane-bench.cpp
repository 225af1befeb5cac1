// quorvane-bench.cpp -- timing figures for frames, start-up, loading and saving, against the pixel-work floor.
//
// Run from the repository's root (it needs data/ and data/assets/):
//     build/bench/quorvane-bench
// SDL's dummy drivers are used, so no display is needed.
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

double ms(Clock::time_point a, Clock::time_point b)
{
    return std::chrono::duration<double, std::milli>(b - a).count();
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The game prints progress lines; keep them out of the figures.
struct Quiet
{
    int saved = -1;
    Quiet()
    {
        fflush(stdout);
        saved = dup(1);
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        close(devnull);
    }
    ~Quiet()
    {
        fflush(stdout);
        dup2(saved, 1);
        close(saved);
    }
};

// Times fn over many runs and returns the median in milliseconds.
template <class F> double timeIt(int runs, F fn)
{
    std::vector<double> t;
    t.reserve(runs);
    for (int i = 0; i < runs; i++) {
        Clock::time_point a = Clock::now();
        fn();
        t.push_back(ms(a, Clock::now()));
    }
    return median(t);
}

// The busiest spot: the place where most characters are within the frame.
void standInTheBusiestPlace(CGame& g)
{
    Actor* best = g.player;
    int bestCount = -1;
    for (Actor* a : g.actorList) {
        int n = 0;
        for (Actor* b : g.actorList)
            if (std::abs(b->x - a->x) < 400 && std::abs(b->y - a->y) < 300)
                n++;
        if (n > bestCount) {
            bestCount = n;
            best = a;
        }
    }
    g.player->x = best->x + 48;
    g.player->y = best->y + 48;
}

void exploringFrame(CGame& g)
{
    g.vars.timer_elapsed = 16;
    g.vars.timer_delta = 0.016f;
    g.vars.talkTimer = g.TALK_TIMER / 2;   // a message line fading
    g.drawMap();
    g.drawSprites();
    g.drawHud();
    g.getInput();
    g.AIManager();
    SDL_Flip(g.screen);
}

// What no implementation can avoid: clearing the screen and painting the
// same number of tile pictures as the map window.
void floorFrame(CGame& g)
{
    SDL_FillRect(g.screen, NULL, SDL_MapRGB(g.screen->format, 26, 26, 168));
    int columns = g.SCREEN_WIDTH == 1024 ? 24 : 22;
    for (int j = 0; j < 18; j++)
        for (int i = 0; i < columns; i++) {
            SDL_Rect dst = {(Sint16)(i * 48 - 20), (Sint16)(j * 48 - 30), 0, 0};
            SDL_BlitSurface(g.art.tiles[(i + j) % g.art.tiles.size()], NULL, g.screen, &dst);
        }
    SDL_Flip(g.screen);
}

void combatFrame(CGame& g)
{
    g.vars.timer_elapsed = 16;
    g.vars.timer_delta = 0.016f;
    g.drawMap();
    g.drawSprites();
    g.drawFightHUD();
    SDL_Flip(g.screen);
}

long peakRssKiB()
{
    struct rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    return ru.ru_maxrss;
}

void report(const char* what, double value, double floorMs)
{
    if (floorMs > 0)
        printf("%-44s %9.3f ms   %5.2f x floor\n", what, value, value / floorMs);
    else
        printf("%-44s %9.3f ms\n", what, value);
}

void frames(const char* config, const char* label)
{
    {
        FILE* f = fopen("config.cfg", "w");
        if (f) {
            fputs(config, f);
            fclose(f);
        }
    }
    CGame* g;
    {
        Quiet q;
        g = new CGame();
        if (g->loadGame("data") != 0) {
            fprintf(stderr, "could not load data\n");
            exit(1);
        }
        standInTheBusiestPlace(*g);
        g->bPlayingGame = true;
    }
    double explore, floor, combat;
    {
        Quiet q;
        for (int i = 0; i < 50; i++)
            exploringFrame(*g);
        explore = timeIt(400, [&] { exploringFrame(*g); });
        floor = timeIt(400, [&] { floorFrame(*g); });

        // A fight with everything on show: weapons, bars, console, a fireball trail.
        Actor* foe = nullptr;
        for (Actor* a : g->actorList)
            if (a != g->player) {
                foe = a;
                break;
            }
        foe->x = g->player->x + 48 * 6;
        foe->y = g->player->y;
        g->enemy = foe;
        g->mode = 1;
        g->bPlayingGame = false;
        g->vars.bYourTurn = true;
        g->fvars.weapons.clear();
        g->buildWeaponVector(g->fvars.weapons);
        for (int i = 0; i < 6; i++)
            g->vars.fightMsgVec.push_back("Hit for 4 damage");
        combat = timeIt(400, [&] {
            if (g->fvars.effects.size() < 5)
                g->effectAlongLine(g->player->x, g->player->y, foe->x, foe->y, 1);
            combatFrame(*g);
        });
    }
    char line[128];
    snprintf(line, sizeof line, "floor (fill + tiles), %s", label);
    report(line, floor, 0);
    snprintf(line, sizeof line, "exploring frame, %s", label);
    report(line, explore, floor);
    snprintf(line, sizeof line, "combat frame, %s", label);
    report(line, combat, floor);
    {
        Quiet q;
        delete g;
    }
    unlink("config.cfg");
}

} // namespace

int main()
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (access("config.cfg", F_OK) == 0) {
        fprintf(stderr, "run from a copy without config.cfg, or move it aside: the benchmark writes its own\n");
        return 1;
    }

    double startup = timeIt(5, [] {
        Quiet q;
        CGame* g = new CGame();
        delete g;
    });
    CGame* g;
    {
        Quiet q;
        g = new CGame();
    }
    double load = timeIt(1, [&] {
        Quiet q;
        g->loadGame("data");
    });
    // Later loads would append to the same game object: time fresh ones.
    std::vector<double> loads;
    for (int i = 0; i < 5; i++) {
        Quiet q;
        CGame* fresh = new CGame();
        Clock::time_point a = Clock::now();
        fresh->loadGame("data");
        loads.push_back(ms(a, Clock::now()));
        delete fresh;
    }
    load = std::min(load, median(loads));
    double save = timeIt(5, [&] {
        Quiet q;
        g->saveGame("bench-save");
    });
    {
        Quiet q;
        delete g;
    }
    if (system("rm -rf bench-save bench-save.*") != 0)
        fprintf(stderr, "could not remove bench-save\n");

    printf("Quorvane benchmark (medians, SDL dummy drivers)\n");
    report("start-up: building the game object", startup, 0);
    report("loadGame(\"data\")", load, 0);
    report("saveGame", save, 0);
    frames("", "800 wide");
    frames("widescreen\n", "1024 wide");
    printf("%-44s %9ld KiB\n", "peak resident memory", peakRssKiB());
    return 0;
}
