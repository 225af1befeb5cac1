// quorvane-bench.cpp -- timing figures for frames, start-up, loading and saving, each against the pixel-work floor.
//
// Run from the repository's root (it needs data/ and data/assets/):
//     build/bench/quorvane-bench            (or scripts/bench.sh)
// It works in a scratch folder of its own (data/ linked in), so the
// repository's config.cfg and save/ are never touched. SDL's dummy drivers
// are used, so no display is needed.
//
// The floor is the pixel work no implementation can avoid for a map frame:
// filling the window and copying, opaque, the same tile pictures to the same
// places the map frame paints them, then the flip. Frames and floor are timed
// one frame at a time, taking turns, in processor time of the game's thread
// (so other programs on a busy machine do not count); the figures are
// medians. Start-up, loading and saving wait on the disk and are timed on the
// wall clock.
#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <ctime>
#include <vector>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <SDL_image.h>
#include "game.h"
#include "savefiles.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point a)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - a).count();
}

// Processor time of this thread, in milliseconds: what a frame costs the
// machine, without the time other programs take the processor away.
double cpuMs()
{
    struct timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The game prints progress lines; keep them out of the report.
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

void writeConfig(const char* text)
{
    if (!*text) {
        unlink("config.cfg");
        return;
    }
    FILE* f = fopen("config.cfg", "w");
    if (f) {
        fputs(text, f);
        fclose(f);
    }
}

// Runs fn in a child process, which sends back one number; the parent never
// initialises SDL for it, so each run is a fresh start of the engine.
template <class F> double inChild(F fn)
{
    int fd[2];
    if (pipe(fd) != 0)
        return -1;
    fflush(stdout);
    pid_t pid = fork();
    if (pid == 0) {
        close(fd[0]);
        double v;
        {
            Quiet q;
            v = fn();
        }
        if (write(fd[1], &v, sizeof v) != (ssize_t)sizeof v)
            _exit(1);
        _exit(0);
    }
    close(fd[1]);
    double v = -1;
    if (read(fd[0], &v, sizeof v) != (ssize_t)sizeof v)
        v = -1;
    close(fd[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return v;
}

// The busiest spot of the town: beside the character with the most other
// characters and items lying about within a screen's reach.
void standInTheBusiestPlace(CGame& g)
{
    Actor* best = g.player;
    int bestCount = -1;
    for (Actor* a : g.actorList) {
        int n = 0;
        for (Actor* b : g.actorList)
            if (std::abs(b->x - a->x) < 400 && std::abs(b->y - a->y) < 300)
                n++;
        for (Item* it : g.itemVec)
            if (it->owner == 0 && std::abs(it->x - a->x) < 400 && std::abs(it->y - a->y) < 300)
                n++;
        if (n > bestCount) {
            bestCount = n;
            best = a;
        }
    }
    g.player->x = best->x + 48;
    g.player->y = best->y + 48;
}

// What a frame may change in the world, put back before every timed frame so
// that each one draws and decides the same scene.
struct Scene
{
    struct Pose
    {
        Actor* a;
        float x, y, frameTimer, wtimer;
        int direction, walkFrame, wdir;
        bool enraged, active;
    };
    std::vector<Pose> poses;

    void take(CGame& g)
    {
        poses.clear();
        for (Actor* a : g.actorList)
            poses.push_back({a, a->x, a->y, a->frameTimer, a->wtimer, a->direction, a->walkFrame, a->wdir,
                             a->bIsEnraged, a->bIsActive});
    }
    void put(CGame& g) const
    {
        for (const Pose& p : poses) {
            Actor* a = p.a;
            a->x = p.x;
            a->y = p.y;
            a->frameTimer = p.frameTimer;
            a->wtimer = p.wtimer;
            a->direction = p.direction;
            a->walkFrame = p.walkFrame;
            a->wdir = p.wdir;
            a->bIsEnraged = p.enraged;
            a->bIsActive = p.active;
        }
        g.vars.timer_elapsed = 16;
        g.vars.timer_delta = 0.016f;
    }
};

struct Bench
{
    CGame* g = nullptr;
    Scene scene;
    Actor* foe = nullptr;
    float playerX = 0, playerY = 0;
    std::vector<SDL_Surface*> floorTiles;   // opaque copies in the window's format
    int floorBlits = 0;

    void exploringSetup()
    {
        scene.put(*g);
        g->mode = 0;
        g->bPlayingGame = true;
        g->enemy = nullptr;
        g->vars.currentTalk = "The innkeeper waves you over.";
        g->vars.talkTimer = g->TALK_TIMER / 2;   // the message line half faded
    }

    // One pass of the game loop while exploring.
    void exploringFrame()
    {
        g->drawMap();
        g->drawSprites();
        g->drawHud();
        g->getInput();
        g->AIManager();
        SDL_LockSurface(g->screen);
        SDL_Flip(g->screen);
        SDL_UnlockSurface(g->screen);
    }

    void combatSetup()
    {
        scene.put(*g);
        g->mode = 1;
        g->bPlayingGame = false;
        g->enemy = foe;
        g->vars.bYourTurn = true;
        g->player->x = playerX;
        g->player->y = playerY;
        foe->x = playerX + 48 * 6;
        foe->y = playerY + 48;
        // A fresh fireball trail and the hit it made, as just after a cast.
        g->cleanUpFightVars();
        g->effectAlongLine(g->player->x, g->player->y, foe->x, foe->y, 1);
        g->fightEffectAt(foe->x, foe->y, 9, "12");
    }

    // One pass of the game loop on the player's turn in a fight.
    void combatFrame()
    {
        g->drawMap();
        g->drawSprites();
        g->drawFightHUD();
        g->fvars.bIsStillShooting = false;
        g->getFightInput();
        SDL_LockSurface(g->screen);
        SDL_Flip(g->screen);
        SDL_UnlockSurface(g->screen);
    }

    // The floor: the window filled and the map window's tiles copied, opaque,
    // where the map frame paints them (the same clipping), then the flip.
    void floorFrame()
    {
        SDL_FillRect(g->screen, NULL, SDL_MapRGB(g->screen->format, 26, 26, 168));
        const int w = g->SCREEN_WIDTH;
        const int tx = (int)(playerX / 48), ty = (int)(playerY / 48);
        const int ox = (int)(playerX - (float)(w / 2 - 48)), oy = (int)(playerY - 252.0f);
        const int last = tx + (w == 1024 ? 12 : 10);
        int n = 0;
        for (int j = std::max(ty - 9, 0); j <= ty + 8 && j <= 350; j++)
            for (int i = std::max(tx - 11, 0); i <= last && i <= 350; i++) {
                int t = g->theMap->getTileAt(i, j);
                if (t < 0 || t >= (int)floorTiles.size())
                    t = 0;
                SDL_Rect dst = {(Sint16)(48 * i - ox), (Sint16)(48 * j - oy), 0, 0};
                SDL_BlitSurface(floorTiles[t], NULL, g->screen, &dst);
                n++;
            }
        floorBlits = n;
        SDL_LockSurface(g->screen);
        SDL_Flip(g->screen);
        SDL_UnlockSurface(g->screen);
    }

    bool open(const char* config)
    {
        writeConfig(config);
        Quiet q;
        g = new CGame();
        if (g->loadGame("data") != 0 || !g->player)
            return false;
        standInTheBusiestPlace(*g);
        playerX = g->player->x = (float)((int)g->player->x / 48 * 48);
        playerY = g->player->y = (float)((int)g->player->y / 48 * 48);
        for (Actor* a : g->actorList)
            if (a != g->player) {
                foe = a;
                break;
            }
        // Weapons in hand and a console with history, as in a real fight.
        int weapons = 0;
        for (Item* it : g->itemVec)
            if ((it->type == 1 || it->type == 8) && weapons < 3 && it->icon < g->art.items.size()) {
                it->owner = 1;
                weapons++;
            }
        g->fvars.weapons.clear();
        g->buildWeaponVector(g->fvars.weapons);
        const char* lines[] = {"Your turn.", "Hit for 4 damage", "Enemy's move.", "Missed!", "You cast a fireball!",
                               "Your turn."};
        for (const char* l : lines)
            g->vars.fightMsgVec.push_back(l);
        g->player->stats.hp = g->player->stats.hp_max * 2 / 3;
        g->player->stats.mp = g->player->stats.mp_max / 3;

        char path[64];
        for (int i = 0;; i++) {
            snprintf(path, sizeof path, "data/assets/tiles/%i.png", i);
            SDL_Surface* raw = IMG_Load(path);
            if (!raw)
                break;
            floorTiles.push_back(SDL_DisplayFormat(raw));
            SDL_FreeSurface(raw);
        }
        scene.take(*g);
        return !floorTiles.empty() && foe;
    }

    void close()
    {
        for (SDL_Surface* s : floorTiles)
            SDL_FreeSurface(s);
        floorTiles.clear();
        Quiet q;
        delete g;
        g = nullptr;
    }
};

struct Figures
{
    double floor, exploring, combat;
    int blits;
    bool fightStarted;
};

Figures measureFrames(const char* config, int frames)
{
    Figures f = {0, 0, 0, 0, false};
    Bench b;
    if (!b.open(config)) {
        fprintf(stderr, "could not load the shipped game from data/\n");
        exit(1);
    }
    std::vector<double> floor, exploring, combat;
    Quiet q;
    for (int warm = 0; warm < 30; warm++) {
        b.exploringSetup();
        b.exploringFrame();
        b.combatSetup();
        b.combatFrame();
        b.floorFrame();
    }
    for (int i = 0; i < frames; i++) {
        b.exploringSetup();
        double t = cpuMs();
        b.exploringFrame();
        exploring.push_back(cpuMs() - t);
        if (b.g->mode == 1)
            f.fightStarted = true;
        t = cpuMs();
        b.floorFrame();
        floor.push_back(cpuMs() - t);
        b.combatSetup();
        t = cpuMs();
        b.combatFrame();
        combat.push_back(cpuMs() - t);
    }
    f.floor = median(floor);
    f.exploring = median(exploring);
    f.combat = median(combat);
    f.blits = b.floorBlits;
    b.close();
    return f;
}

// Start-up: building the game object (every picture and sound) and showing
// the first frame of the main menu, in a fresh process.
double startupToMenu()
{
    Clock::time_point t = Clock::now();
    CGame* g = new CGame();
    SDL_Event quit;
    memset(&quit, 0, sizeof quit);
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    g->begin();
    double ms = msSince(t);
    return ms;
}

double buildOnly()
{
    Clock::time_point t = Clock::now();
    new CGame();
    return msSince(t);
}

// Peak resident memory of a process that starts the engine, loads the
// shipped game and plays exploring and combat frames, then saves it.
double peakOfAGameInPlay()
{
    Bench b;
    if (!b.open(""))
        return -1;
    for (int i = 0; i < 300; i++) {
        b.exploringSetup();
        b.exploringFrame();
    }
    for (int i = 0; i < 300; i++) {
        b.combatSetup();
        b.combatFrame();
    }
    b.g->saveGame("save");
    struct rusage ru;
    getrusage(RUSAGE_SELF, &ru);
    return (double)ru.ru_maxrss;
}

// The file-system work of a save that no implementation of this save format
// can avoid: the same files with the same contents written and flushed to
// the disk (each file, eight at a time, then the folders). Like the save, it
// writes into files emptied beforehand (timed apart, as the save does that
// off the player's frame); the first run makes them.
struct SaveFloor
{
    std::vector<std::pair<std::string, std::string>> files;   // path below the folder, contents
    std::vector<std::string> folders;
    int runs = 0;
    double emptying = 0;

    void take(const std::string& root, const std::string& below = "")
    {
        DIR* d = opendir((root + below).c_str());
        if (!d)
            return;
        while (struct dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name == "." || name == "..")
                continue;
            std::string rel = below + "/" + name;
            struct stat st;
            if (stat((root + rel).c_str(), &st) != 0)
                continue;
            if (S_ISDIR(st.st_mode)) {
                folders.push_back(rel);
                take(root, rel);
            } else {
                std::string body;
                if (FILE* f = fopen((root + rel).c_str(), "rb")) {
                    char buf[4096];
                    size_t n;
                    while ((n = fread(buf, 1, sizeof buf, f)) > 0)
                        body.append(buf, n);
                    fclose(f);
                }
                files.push_back({rel, body});
            }
        }
        closedir(d);
    }

    // Returns the milliseconds of writing and flushing.
    double run()
    {
        const std::string dir = "floor";
        if (runs++ == 0) {
            mkdir(dir.c_str(), 0755);
            for (const std::string& f : folders)
                mkdir((dir + f).c_str(), 0755);
        } else {
            Clock::time_point t = Clock::now();
            for (const auto& f : files)
                if (truncate((dir + f.first).c_str(), 0) != 0)
                    perror(f.first.c_str());
            emptying += msSince(t);
        }
        Clock::time_point start = Clock::now();
        std::vector<int> fds;
        for (const auto& f : files) {
            int fd = open((dir + f.first).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0)
                continue;
            if (write(fd, f.second.data(), f.second.size()) < 0)
                perror(f.first.c_str());
            sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
            fds.push_back(fd);
        }
        std::vector<std::thread> flushers;
        for (size_t k = 0; k < 8; k++)
            flushers.emplace_back([&fds, k]() {
                for (size_t i = k; i < fds.size(); i += 8)
                    fdatasync(fds[i]);
            });
        for (std::thread& t : flushers)
            t.join();
        for (int fd : fds)
            close(fd);
        for (const std::string& f : folders)
            flushFolder(dir + f);
        flushFolder(dir);
        return msSince(start);
    }
};

void line(const char* what, double ms, double floorMs, const char* target, bool met)
{
    printf("%-40s %9.3f ms  %7.2f x floor   target %-16s %s\n", what, ms, ms / floorMs, target, met ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    bool quick = argc > 1 && !strcmp(argv[1], "--quick");
    const int frames = quick ? 60 : 600;

    if (access("data/assets", F_OK) != 0) {
        fprintf(stderr, "run from the repository's root: data/ and data/assets/ are needed\n");
        return 1;
    }
    char root[PATH_MAX];
    if (!getcwd(root, sizeof root))
        return 1;
    char scratch[] = "/tmp/quorvane-bench-XXXXXX";
    if (!mkdtemp(scratch)) {
        perror("mkdtemp");
        return 1;
    }
    std::string data = std::string(root) + "/data";
    if (symlink(data.c_str(), (std::string(scratch) + "/data").c_str()) != 0 || chdir(scratch) != 0) {
        perror(scratch);
        return 1;
    }

    std::vector<double> startup, build;
    for (int i = 0; i < (quick ? 3 : 7); i++) {
        startup.push_back(inChild(startupToMenu));
        build.push_back(inChild(buildOnly));
    }
    // Before this process starts the engine itself, so that the child's is its first.
    double peakKiB = inChild(peakOfAGameInPlay);

    std::vector<double> loads, saves, saveCpu, saveFloors, oldCopies;
    SaveFloor saveFloor;
    {
        CGame* g;
        {
            Quiet q;
            g = new CGame();
        }
        for (int i = 0; i < (quick ? 3 : 9); i++) {
            CGame* fresh;
            {
                Quiet q;
                fresh = new CGame();
            }
            Clock::time_point t = Clock::now();
            {
                Quiet q;
                fresh->loadGame("data");
            }
            loads.push_back(msSince(t));
            if (i == 0) {
                Quiet q;
                std::swap(g, fresh);
            }
            Quiet q;
            delete fresh;
        }
        for (int i = 0; i < (quick ? 3 : 9); i++) {
            Clock::time_point t = Clock::now();
            double cpu = cpuMs();
            {
                Quiet q;
                if (!g->saveGame("save"))
                    fprintf(stderr, "saveGame(\"save\") reported a failure\n");
            }
            saves.push_back(msSince(t));
            saveCpu.push_back(cpuMs() - cpu);
            t = Clock::now();
            finishSpareFolders();
            oldCopies.push_back(msSince(t));
            if (i == 0)
                saveFloor.take("save");
            saveFloors.push_back(saveFloor.run());
        }
        Quiet q;
        delete g;
    }

    Figures narrow = measureFrames("", frames);
    Figures wide = measureFrames("widescreen\n", frames);

    if (chdir(root) != 0)
        perror(root);
    std::string cleanup = std::string("rm -rf '") + scratch + "'";
    if (system(cleanup.c_str()) != 0)
        fprintf(stderr, "could not remove %s\n", scratch);

    printf("Quorvane benchmark: medians, SDL dummy drivers%s\n", quick ? " (quick run)" : "");
    printf("floor, 800 wide: fill + %d opaque tile copies + flip  %.3f ms\n", narrow.blits, narrow.floor);
    printf("floor, 1024 wide: fill + %d opaque tile copies + flip %.3f ms\n\n", wide.blits, wide.floor);
    line("exploring frame, 800 wide", narrow.exploring, narrow.floor, "<= 1.3 x floor", narrow.exploring <= 1.3 * narrow.floor);
    line("exploring frame, 1024 wide", wide.exploring, wide.floor, "<= 1.3 x floor", wide.exploring <= 1.3 * wide.floor);
    line("combat frame, 800 wide", narrow.combat, narrow.floor, "<= 1.5 x floor", narrow.combat <= 1.5 * narrow.floor);
    line("combat frame, 1024 wide", wide.combat, wide.floor, "<= 1.5 x floor", wide.combat <= 1.5 * wide.floor);
    double st = median(startup), ld = median(loads), sv = median(saves);
    line("start-up to the first menu frame", st, narrow.floor, "< 250 ms", st < 250);
    line("  of which building the game object", median(build), narrow.floor, "-", true);
    line("loadGame(\"data\")", ld, narrow.floor, "< 20 ms", ld < 20);
    line("saveGame(\"save\")", sv, narrow.floor, "< 25 ms", sv < 25);
    printf("  of which processor time of the game's thread  %.3f ms\n", median(saveCpu));
    printf("  save floor: %zu files written and flushed  %.3f ms; saveGame %.2f x it\n", saveFloor.files.size(),
           median(saveFloors), sv / median(saveFloors));
    printf("  off the frame: the earlier copy emptied for the next save, on its own thread  %.3f ms (the floor's: %.3f ms)\n",
           median(oldCopies), saveFloor.runs > 1 ? saveFloor.emptying / (saveFloor.runs - 1) : 0.0);
    printf("%-40s %9.1f MiB                     target %-16s %s\n", "peak resident memory, a game in play",
           peakKiB / 1024, "< 64 MiB", peakKiB >= 0 && peakKiB < 64 * 1024 ? "met" : "MISSED");
    if (narrow.fightStarted || wide.fightStarted)
        printf("note: a fight started during the exploring frames; those figures include it\n");
    return 0;
}
