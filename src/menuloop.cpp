// menuloop.cpp -- the main menu: seven entries, the sound switch, and starting each kind of game.
#include <cstdio>
#include <string>
#include "game.h"
#include "game-layout.h"

namespace {

const char* const ENTRIES[7] = {
    "New Game", "Tutorial", "Load Game", "Credits", "Exit", "Launch Custom Game...", "",
};

} // namespace

// A load that failed part-way may have left records behind; drop them so a
// later load starts from an empty world instead of appending to a broken one.
static void discardFailedLoad(CGame& g)
{
    g.wipeEntities();
    g.freeItems();
    g.player = NULL;
    g.enemy = NULL;
    for (bool& f : g.vars.flags)
        f = false;
    g.vars.drunkenness = 0;
    g.vars.hasFloater = false;
    g.vars.dir = "data";
    g.theMap->Init();
}

// Loads a game directory; on failure shows the message and cleans up.
static bool loadForPlay(CGame& g, const char* dir, const char* failure)
{
    if (g.loadGame(dir) == 0)
        return true;
    discardFailedLoad(g);
    g.errorDialogue(failure, g.loadFailure);
    return false;
}

void CGame::menuLoop()
{
    int pos = 1;
    char title[256];
    snprintf(title, sizeof title, "%s: Powered by Quorvane2", vars.gameName.c_str());
    int h = returnTextHeight();

    while (!bMustQuit) {
        SDL_FillRect(screen, NULL, SDL_MapRGB(screen->format, 0, 0, 100));
        drawTextAt(title, 10, 10);
        for (int i = 1; i <= 7; i++) {
            const char* text = ENTRIES[i - 1];
            if (i == 7)
                text = audio.bSoundOff ? "Turn sound on" : "Turn sound off";
            drawTextAt(text, 20, 20 + i * h);
        }
        SDL_Rect cursor = {0, (Sint16)(20 + pos * h), 0, 0};
        SDL_BlitSurface(art.icons[ICON_POINTER], NULL, screen, &cursor);

        while (nextEvent(QuitRule::EndsGame)) {
            if (event.type == SDL_QUIT)
                continue;
            if (event.type != SDL_KEYDOWN)
                continue;
            switch (event.key.keysym.sym) {
            case SDLK_UP:
                if (--pos < 1)
                    pos = 7;
                break;
            case SDLK_DOWN:
                if (++pos > 7)
                    pos = 1;
                break;
            case SDLK_ESCAPE:
                bMustQuit = true;
                break;
            case SDLK_e:
                loadAndShowEnding("data");
                break;
            case SDLK_RETURN:
            case SDLK_SPACE:
                switch (pos) {
                case 1:
                    if (loadForPlay(*this, "data", "Can't find data folder, or data is corrupt.")) {
                        ScrollyText("data/intro.txt");
                        gameLoop();
                    }
                    break;
                case 2:
                    if (loadForPlay(*this, "tutorial", "Can't find tutorial folder, or tutorial is corrupt.")) {
                        ScrollyText("tutorial/intro.txt");
                        gameLoop();
                    }
                    break;
                case 3:
                    if (loadForPlay(*this, "save", "That save game doesn't exist"))
                        gameLoop();
                    break;
                case 4:
                    ScrollyText("data/credits.txt");
                    break;
                case 5:
                    bMustQuit = true;
                    break;
                case 6: {
                    // An empty name (the prompt abandoned) names no folder: nothing is read.
                    std::string name = inputLoop();
                    printf("Loading game! %s\n", name.c_str());
                    if (name.empty())
                        errorDialogue("Can't load that game...");
                    else if (loadForPlay(*this, name.c_str(), "Can't load that game...")) {
                        std::string intro = gameFile(name, INTRO_FILE);
                        ScrollyText(intro.c_str());
                        gameLoop();
                    }
                    break;
                }
                case 7:
                    audio.bSoundOff = !audio.bSoundOff;
                    break;
                default:
                    raiseError("Finger out of bounds\n");
                    pos = 1;
                    break;
                }
                break;
            default:
                break;
            }
        }
        vars.frames++;
        endScreenFrame();
    }
    resetFrameTimers();
}
