// vars.h -- per-game variables (MiscVars) and the picture and sound stores.
#pragma once
#include <array>
#include <iosfwd>
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
    bool writeTo(std::ostream& out);
    // With root, path lies below that folder and no link on the way may lead out of it.
    int serializeFrom(const char* path, const char* root = NULL);

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
    bool bDoorAssist;      // "doorassist": a player stopped beside a one-tile gap slides into it
    // The comfort switches of config.cfg (configfile.cpp); all off, the game plays by its old rules.
    bool bReadableText;
    bool bFightDetails;
    bool bReadTime;
    bool bConfirmations;
    bool bShopCursor;
    bool bEasyTalk;
    bool bRewardHelp;
    bool bKeepWeapon;
    bool bPackOrder;
    bool bStepRound;
    bool bFloatRing;
    bool bEarlyFinds;
    // "packorder": the row the inventory's cursor was on when it last closed, by the name and type
    // of its item and by its line from the top (-1 before the first time).
    std::string packCursorName;
    int packCursorType;
    int packCursorLine;
    std::string dir;
};

class ArtAssets
{
public:
    ArtAssets();

    void loadAssets();
    void unloadAssets();

    // One picture per direction and walking frame for each loaded set: the
    // SPRITE_SETS every game needs, then any further complete ones.
    typedef std::array<std::array<SDL_Surface*, WALK_FRAMES>, DIRECTIONS> SpriteSet;
    std::vector<SpriteSet> sprites;
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
