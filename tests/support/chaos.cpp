// chaos.cpp -- random-input play of a game folder: the key driver, the per-frame invariants, the game cycle.
#include "chaos.h"
#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>
#include <set>
#include <sys/stat.h>
#include "game.h"
#include "harness.h"
#include "seam.h"

namespace chaos {

namespace {

// Keys that some screen of the game reacts to, and a few that none does.
const SDLKey PRESSES[] = {
    SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT,
    SDLK_RETURN, SDLK_RETURN, SDLK_SPACE, SDLK_ESCAPE, SDLK_ESCAPE, SDLK_g, SDLK_r, SDLK_h,
    SDLK_z, SDLK_z, SDLK_x, SDLK_v, SDLK_b, SDLK_c, SDLK_s, SDLK_d, SDLK_i, SDLK_f, SDLK_a,
    SDLK_e, SDLK_y, SDLK_n, SDLK_q, SDLK_w, SDLK_1, SDLK_2, SDLK_9, SDLK_BACKSPACE, SDLK_TAB,
    SDLK_LSHIFT, SDLK_KP8,
};
// Keys read as held: walking and the stakes at the betting table.
const SDLKey HELD[] = {
    SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_LSHIFT, SDLK_RSHIFT, SDLK_LCTRL, SDLK_SPACE,
    SDLK_1, SDLK_2, SDLK_3, SDLK_UP, SDLK_LEFT,
};

const long WIND_DOWN_LIMIT = 3000;   // frames to close every screen once the run is over
const long FIGHT_SCRIPT_AFTER = 600; // frames of a fight in the wind-down before it is ended

struct Run
{
    std::mt19937 rng;
    long budget = 0;
    Figures fig;
    CGame* game = nullptr;           // the game being played, once loaded
    std::set<unsigned> owners;       // item owners the game may hold
    unsigned framesAtLoad = 0;       // the game's frame counter when it was loaded
    long windDown = 0;               // frames since the budget ran out
    long fightFrames = 0;
    int lastMode = 0;

    unsigned pick(unsigned n) { return (unsigned)(rng() % n); }

    void fault(const std::string& what)
    {
        if (fig.faults.size() < 20)
            fig.faults.push_back("frame " + std::to_string(fig.frames) + ": " + what);
    }

    void check()
    {
        CGame& g = *game;
        if (g.mode != 0 && g.mode != 1)
            fault("mode is " + std::to_string(g.mode));
        if (!g.player || std::find(g.actorList.begin(), g.actorList.end(), g.player) == g.actorList.end()) {
            fault("the player is not in the character list");
            return;
        }
        if (g.enemy && std::find(g.actorList.begin(), g.actorList.end(), g.enemy) == g.actorList.end())
            fault("the enemy is not in the character list");
        // The game loop caps health at the start of each frame; potions,
        // spells and sleep cap it too, so it never shows above the maximum
        // once the loop has run.
        const CharacterStats& st = g.player->stats;
        if (g.vars.frames != framesAtLoad && st.hp > 0 && st.hp > st.hp_max)
            fault("hp " + std::to_string(st.hp) + " above hp_max " + std::to_string(st.hp_max));
        for (const Item* it : g.itemVec)
            if (!owners.count(it->owner))
                fault("item " + it->itemName + " has owner " + std::to_string(it->owner));
        for (const Actor* a : g.actorList)
            if (a->walkFrame < 0 || a->walkFrame > 2)
                fault(a->myName + " has walking frame " + std::to_string(a->walkFrame));
    }

    void randomInput()
    {
        // Held keys change now and then; the arrows are held most.
        if (pick(6) == 0) {
            qtest::releaseAllKeys();
            int n = (int)pick(3);
            for (int i = 0; i < n; i++)
                qtest::holdKey(HELD[pick(sizeof HELD / sizeof HELD[0])], true);
        }
        // Rare keys: a save, quitting to the menu, a screenshot.
        unsigned r = pick(4000);
        if (r < 3) {
            qtest::pushKey(SDLK_F1);
            fig.saves++;
        } else if (r < 4) {
            qtest::pushKey(SDLK_F2);
        } else if (r < 5) {
            qtest::pushKey(SDLK_F3);
        }
        int presses = (int)pick(4);   // 0..3, most frames get one or two
        for (int i = 0; i < presses; i++) {
            SDLKey k = PRESSES[pick(sizeof PRESSES / sizeof PRESSES[0])];
            qtest::pushKey(k);
            if (pick(3) == 0)
                qtest::pushKeyUp(k);
        }
    }

    // Closes whatever is open: Escape and Return for the screens, the window
    // close in play (it would end the program in a fight). A fight goes on
    // with attacks; after a while the script ends it by taking the enemy's
    // health, as a won fight would.
    void closeEverything()
    {
        qtest::releaseAllKeys();
        windDown++;
        if (game && game->mode == 1) {
            fightFrames++;
            if (fightFrames > FIGHT_SCRIPT_AFTER && game->enemy && game->enemy->stats.hp > 0) {
                game->enemy->stats.hp = 0;
                fig.endedFightsByScript++;
            }
            qtest::pushKey(windDown % 2 ? SDLK_z : SDLK_RETURN);
            return;
        }
        fightFrames = 0;
        switch (windDown % 3) {
        case 0:
            qtest::pushKey(SDLK_ESCAPE);
            break;
        case 1:
            qtest::pushKey(SDLK_RETURN);
            break;
        default:
            qtest::pushQuit();
            break;
        }
    }

    void frame()
    {
        fig.frames++;
        if (game) {
            if (game->mode == 1 && lastMode != 1)
                fig.fights++;
            lastMode = game->mode;
            if (game->bPlayingGame || game->mode == 1)
                fig.playFrames++;
            check();
        }
        if (fig.frames < budget) {
            randomInput();
            return;
        }
        closeEverything();
        if (windDown == WIND_DOWN_LIMIT) {
            fault("a screen was still open " + std::to_string(WIND_DOWN_LIMIT) + " frames after the run ended");
            fflush(stdout);
            for (const std::string& f : fig.faults)
                fprintf(stderr, "%s\n", f.c_str());
            fprintf(stderr, "chaos: giving up on a screen that does not close\n");
            abort();
        }
    }
};

Run* current = nullptr;
std::function<void()> frameHook;

bool exists(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

// Delays longer than a frame only slow a random run down: they are skipped.
bool onDelay(Uint32 ms)
{
    if (!current) {
        if (ms == 0 && frameHook)
            frameHook();
        return true;
    }
    if (ms == 0)
        current->frame();
    return false;
}

} // namespace

void onEveryFrame(std::function<void()> hook)
{
    frameHook = hook;
    qtest::onDelay = onDelay;
}

Figures play(const std::string& dir, unsigned seed, long frames)
{
    // On the test clock a run plays the same on every machine, and timed screens such as the
    // fight banner end within a bounded number of frames however fast the frames come.
    qtest::TestClock clock;
    Run run;
    run.rng.seed(seed);
    run.budget = frames;
    current = &run;
    qtest::onDelay = onDelay;
    int idle = 0;
    while (run.fig.frames < frames && idle < 3) {
        std::unique_ptr<CGame> g(new CGame());
        qtest::clearEvents();
        qtest::releaseAllKeys();
        bool fromSave = run.fig.games > 0 && exists("save/vars.sav") && run.pick(2) == 0;
        std::string from = fromSave ? "save" : dir;
        if (g->loadGame(from.c_str()) != 0) {
            run.fig.failedLoads++;
            idle++;
            continue;
        }
        run.fig.games++;
        if (fromSave)
            run.fig.loadsOfSave++;
        run.owners = {0, 1, 2, 6};
        for (const Item* it : g->itemVec)
            run.owners.insert(it->owner);
        run.framesAtLoad = g->vars.frames;
        run.lastMode = 0;
        long before = run.fig.frames;
        if (!fromSave)
            g->ScrollyText((dir + "/intro.txt").c_str());
        run.game = g.get();
        g->gameLoop();
        run.game = nullptr;
        idle = run.fig.frames == before ? idle + 1 : 0;
    }
    qtest::clearEvents();
    qtest::releaseAllKeys();
    current = nullptr;
    return run.fig;
}

} // namespace chaos
