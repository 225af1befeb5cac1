// game-constructor.cpp -- birth and death of the game object, config.cfg, wipeEntities and freeItems.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "configfile.h"
#include "gamepad.h"
#include "game.h"

static const Uint32 WINDOW_FLAGS = SDL_HWSURFACE | SDL_DOUBLEBUF;

// Sets the video mode or ends the process: every screen needs a window surface.
static SDL_Surface* setMode(int width, Uint32 flags)
{
    SDL_Surface* s = SDL_SetVideoMode(width, SCREEN_HEIGHT, 32, flags);
    if (!s) {
        fprintf(stderr, "Could not set the %ix%i video mode: %s\n", width, SCREEN_HEIGHT, SDL_GetError());
        exit(1);
    }
    return s;
}

CGame::CGame()
    : bPlayingGame(false), mode(0), bMustQuit(false), bPleaseLoadGame(false),
      screen(NULL), font(NULL), theMap(NULL), player(NULL), enemy(NULL),
      textHeight(0), TALK_TIMER(1700.0f), SCREEN_WIDTH(NARROW_SCREEN_WIDTH), joystick(NULL)
{
    memset(&event, 0, sizeof(event));
    if (SDL_Init(SDL_INIT_EVERYTHING) < 0) {
        fprintf(stderr, "SDL failed init: %s\n", SDL_GetError());
        exit(1);
    }
    // Before the video mode is set, which would turn every key the pad still holds into a release.
    resetGamepad();

    std::vector<ConfigOption> options;
    std::vector<JoyButtonBinding> buttons;
    bool haveConfig = readConfigFile("config.cfg", options, &buttons);
    SCREEN_WIDTH = NARROW_SCREEN_WIDTH;
    TALK_TIMER = 1700.0f;
    bool modeSet = false;
    if (haveConfig) {
        puts("Reading from config.cfg....");
        for (ConfigOption option : options) {
            switch (option) {
            case ConfigOption::Fullscreen:
                puts("\tEnabled fullscreen");
                screen = setMode(SCREEN_WIDTH, WINDOW_FLAGS | SDL_FULLSCREEN);
                modeSet = true;
                break;
            case ConfigOption::Pickpocketry:
                puts("\tCheating fucker, you enabled invincible lockpick mode!");
                vars.bCheatPick = true;
                break;
            case ConfigOption::NoAlpha:
                puts("\tDisabled Alpha");
                vars.bNoAlpha = true;
                break;
            case ConfigOption::Widescreen:
                puts("\tEnabled widescreen! Windowing..");
                SCREEN_WIDTH = WIDE_SCREEN_WIDTH;
                screen = setMode(WIDE_SCREEN_WIDTH, WINDOW_FLAGS);
                modeSet = true;
                break;
            case ConfigOption::LongTalk:
                puts("\tTalk timer slowed");
                TALK_TIMER = 2500.0f;
                break;
            case ConfigOption::Windowed:
                puts("\tWindowed mode enabled");
                // With widescreen in force the window is already set.
                if (SCREEN_WIDTH != WIDE_SCREEN_WIDTH)
                    modeSet = false;
                break;
            case ConfigOption::FastWater:
                puts("\tFast water enabled");
                vars.bFastWater = true;
                break;
            case ConfigOption::Debug:
                puts("\tHello developers");
                vars.debugMode = true;
                break;
            case ConfigOption::FrameCap:
                puts("\tFrame rate capped at 60 a second");
                frameCap.setRate(FRAME_CAP_FPS);
                // The game sets no SDL timers, yet SDL 1.2's timer thread wakes every
                // millisecond to look for one: at 60 frames a second that costs about as
                // much processor time as the game's own thread. Ticks and delays go on
                // working without it.
                SDL_QuitSubSystem(SDL_INIT_TIMER);
                break;
            case ConfigOption::DoorAssist:
                puts("\tDoorway assist enabled");
                vars.bDoorAssist = true;
                break;
            case ConfigOption::ReadableText:
                puts("\tReadable text on");
                vars.bReadableText = true;
                break;
            case ConfigOption::FightDetails:
                puts("\tFight details on");
                vars.bFightDetails = true;
                break;
            }
        }
    }
    if (!modeSet)
        screen = setMode(SCREEN_WIDTH, WINDOW_FLAGS);

    TTF_Init();
    font = openGameFont("data/assets/font.ttf");
    if (!font) {
        fprintf(stderr, "Could not open the font data/assets/font.ttf: %s\n", TTF_GetError());
        exit(1);
    }

    art.loadAssets();

    SDL_Surface* windowIcon = art.icons[ICON_WINDOW];
    SDL_SetColorKey(windowIcon, SDL_SRCCOLORKEY, SDL_MapRGB(windowIcon->format, 255, 0, 255));
    SDL_WM_SetIcon(windowIcon, NULL);

    bMustQuit = false;
    mode = 0;
    bPlayingGame = false;
    bPleaseLoadGame = false;

    vars.gameName = "Brassfinch Cloudbarrow University";
    vars.dir = "data";

    SDL_WM_SetCaption("Quorvane 2.0", NULL);
    atexit(SDL_Quit);

    theMap = new Map();
    memset(theMap->level, 0, sizeof theMap->level);
    theMap->Init();

    textHeight = 0;
    wipeEntities();

    // The pad's buttons are bound whether or not a joystick is in: events may come from a
    // device opened later, and every screen polls through the same translation.
    for (const JoyButtonBinding& b : buttons) {
        bindGamepadButton(b.button, b.key);
        printf("\tJoystick button %i acts as %s\n", b.button, SDL_GetKeyName(b.key));
    }
    if (SDL_NumJoysticks() > 0) {
        puts("Joystick(s) detected and activated");
        SDL_JoystickEventState(SDL_ENABLE);
        joystick = SDL_JoystickOpen(0);
        if (!joystick)
            fprintf(stderr, "Could not open the joystick: %s\n", SDL_GetError());
    }
}

CGame::~CGame()
{
    if (font)
        TTF_CloseFont(font);
    TTF_Quit();
    art.unloadAssets();
    wipeEntities();
    freeItems();
    delete theMap;
    theMap = NULL;
    if (joystick)
        SDL_JoystickClose(joystick);
}

void CGame::wipeEntities()
{
    while (!actorList.empty()) {
        Actor* a = actorList.front();
        actorList.pop_front();
        delete a;
    }
    while (!questList.empty()) {
        Quest* q = questList.front();
        questList.pop_front();
        delete q;
    }
}

void CGame::freeItems()
{
    for (Item* item : itemVec)
        delete item;
    itemVec.clear();
}
