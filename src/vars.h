// vars.h -- per-game variables (MiscVars) and the picture and sound stores.
#pragma once
#include <string>
#include <vector>
#include <SDL.h>
#include <SDL_mixer.h>
#include "game-codes.h"

class MiscVars
{
public:
    MiscVars();

    void serializeTo(const char* path);
    bool writeTo(const char* path);
    int serializeFrom(const char* path);

    int menuScreen;
    float timer_start;     // ms, tick count at the start of the frame
    float timer_elapsed;   // ms, length of the last frame, at most 100
    float timer_delta;     // s, timer_elapsed / 1000
    unsigned int frames;
    float drunkenness;
    std::string gameName;
    bool flags[FLAG_COUNT];
    float talkTimer;       // ms left for currentTalk
    float drunktimer;      // ms
    std::string currentTalk;
    int fps;
    std::vector<std::string> fightMsgVec;
    bool bYourTurn;
    bool bFastWater;
    int fps_max;
    int fps_min;
    bool bNoAlpha;
    bool debugMode;
    bool bCheatPick;
    bool hasFloater;
    bool bDoorAssist;      // "doorassist": a player stopped by a door frame slides into the doorway
    bool bReadableText;    // "readabletext": text over the map or a fight is outlined in a dark colour
    bool bFightDetails;    // "fightdetails": who did what in the console, numbers by the bars, the foe's health
    std::string dir;
};

class ArtAssets
{
public:
    ArtAssets();

    void loadAssets();
    void unloadAssets();

    SDL_Surface* sprites[SPRITE_SETS][DIRECTIONS][WALK_FRAMES];
    std::vector<SDL_Surface*> items;
    SDL_Surface* icons[ICON_COUNT];
    std::vector<SDL_Surface*> tiles;
};

class AudioAssets
{
public:
    AudioAssets();
    ~AudioAssets();
    AudioAssets(const AudioAssets&) = delete;
    AudioAssets& operator=(const AudioAssets&) = delete;

    bool bSoundOff;
    Mix_Chunk* sfx[SOUND_COUNT];
};
