// main.cpp -- the program's entry: reads the options, builds the game object and rebuilds it after each game.
#include <cstdio>
#include <cstring>
#include "game.h"
#include "replay.h"

namespace {

const char* USAGE =
    "usage: quorvane [--game NAME] [--record FILE | --replay FILE [--fast] | --help]\n"
    "  --game NAME     start the game folder NAME at once, with its introduction, as the\n"
    "                  menu's \"Launch Custom Game...\" does; back to the menu when it ends\n"
    "  --record FILE   write every input event, clock reading and the random seed to FILE\n"
    "  --replay FILE   play a recording back and stop at the first frame that differs\n"
    "  --fast          with --replay: run without waiting between frames\n"
    "  --help          print this and exit\n"
    "Without these options the game ignores its arguments.\n";

bool isOption(const char* a)
{
    return !strcmp(a, "--record") || !strcmp(a, "--replay") || !strcmp(a, "--fast") || !strcmp(a, "--help") ||
           !strcmp(a, "--game");
}

// What the command line asks for; only when it names one of the options is it read at all.
struct Options
{
    const char* record = NULL;
    const char* replay = NULL;
    const char* game = NULL;
    bool fast = false;
    bool help = false;
};

// 0 when the arguments are fine, else the exit code (2, after the usage on standard error).
int readOptions(int argc, char** argv, Options& o)
{
    bool any = false;
    for (int i = 1; i < argc; i++)
        any = any || (argv[i] && isOption(argv[i]));
    if (!any)
        return 0;
    for (int i = 1; i < argc; i++) {
        const char* a = argv[i];
        bool takesFile = !strcmp(a, "--record") || !strcmp(a, "--replay");
        bool takesFolder = !strcmp(a, "--game");
        if ((takesFile || takesFolder) && (i + 1 >= argc || (takesFolder && !argv[i + 1][0]))) {
            fprintf(stderr, "%s needs a %s name\n%s", a, takesFile ? "file" : "folder", USAGE);
            return 2;
        }
        if (!strcmp(a, "--record"))
            o.record = argv[++i];
        else if (!strcmp(a, "--replay"))
            o.replay = argv[++i];
        else if (!strcmp(a, "--game"))
            o.game = argv[++i];
        else if (!strcmp(a, "--fast"))
            o.fast = true;
        else if (!strcmp(a, "--help"))
            o.help = true;
        else {
            fprintf(stderr, "unknown argument %s\n%s", a, USAGE);
            return 2;
        }
    }
    const char* clash = o.record && o.replay ? "--record and --replay cannot go together"
                        : o.fast && !o.replay ? "--fast goes with --replay" : NULL;
    if (clash) {
        fprintf(stderr, "%s\n%s", clash, USAGE);
        return 2;
    }
    return 0;
}

} // namespace

extern "C" int SDL_main(int argc, char** argv)
{
    Options o;
    if (int rc = readOptions(argc, argv, o))
        return rc;
    if (o.help) {
        fputs(USAGE, stdout);
        return 0;
    }
    if (o.record && !startRecording(o.record))
        return 1;
    if (o.replay && !startReplay(o.replay, o.fast))
        return 1;
    puts("initializing...");
    CGame* game = new CGame();
    replayFollow(game);
    bool played = false;
    if (o.game) {
        game->theMap->Init();
        if (!game->playNamedGame(o.game)) {
            replayFollow(NULL);
            delete game;
            finishReplay();
            return 1;
        }
        played = true;
    }
    for (;;) {
        if (!played)
            game->begin();
        played = false;
        if (!game->bPleaseLoadGame)
            break;
        // A game ended (quit to menu, death or an ending): start over from scratch.
        replayFollow(NULL);
        delete game;
        game = new CGame();
        replayFollow(game);
    }
    replayFollow(NULL);
    delete game;
    return finishReplay() ? 0 : 1;
}


// Loads a game directory and plays it, whatever the load answered; the game
// loop itself refuses to run without a player character.
void CGame::loadAndStart(const char* dir)
{
    loadGame(dir);
    gameLoop();
}
