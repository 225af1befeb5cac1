// game.h -- CGame, the one game object: every screen and rule is a member function of it.
#pragma once
#include <list>
#include <set>
#include <string>
#include <vector>
#include <SDL.h>
#include <SDL_ttf.h>
#include "vars.h"
#include "player.h"
#include "item.h"
#include "quest.h"
#include "Map.h"
#include "fightvars.h"
#include "fEffect.h"
#include "surface-cache.h"
#include "framecap.h"
#include "screenframe.h"
#include "gamepad.h"
#include "journal.h"
#include "signs-file.h"

// The program's entry, called by the desktop start-up glue.
extern "C" int SDL_main(int argc, char** argv);

// Opens the game's font at the size every line is drawn in, with the engine's spacing rules, so
// that whoever measures a line (the checker of game folders too) measures what is drawn.
TTF_Font* openGameFont(const char* path);
// Width in window pixels of a line of text in that font; 8 a character when it cannot be measured
// (textdraw.cpp).
int textWidthOf(TTF_Font* font, const std::string& text);

struct SaveBatch;

class CGame
{
public:
    CGame();
    ~CGame();
    CGame(const CGame&) = delete;
    CGame& operator=(const CGame&) = delete;

    // start-up and services
    void wipeEntities();
    // Deletes every item and empties itemVec.
    void freeItems();
    void begin();
    void raiseError(const char* err);
    void errorDialogue(const char* text);
    // The message screen with a second line under the message: why it happened.
    void errorDialogue(const char* text, const std::string& reason);
    void playSound(int number);
    // Writes the window to a BMP file; reports a failure on standard error.
    bool saveScreenshot(const char* file);
    // Sets timer_delta and timer_elapsed to 0 and timer_start to now, so that
    // time spent in a nested screen does not move the world.
    void resetFrameTimers();

    // The end of a blocking screen's frame (screenframe.cpp): the flip, then the frame cap with
    // the recording or replay check, then the frame timers as the screen's clock says.
    void endScreenFrame(FrameClock clock = FrameClock::Untimed);
    // The two halves, for a screen that reads its events between them.
    void showFrame();
    void measureFrame(FrameClock clock);
    // The frame cap alone, for a screen that waits on a picture it has already shown.
    void waitFrame();
    // Takes the next waiting event into `event`; false when there is none. Every screen reads
    // its events here, so the gamepad, the recorder and the replay see them; a window close
    // sets bMustQuit when the screen's rule says it ends the game.
    bool nextEvent(QuitRule rule = QuitRule::ClosesScreen);

    // text drawing (window pixels, top-left corner of the line)
    void drawTextAt(const char* text, int x, int y);
    void drawAlphaTextAt(const char* text, int x, int y, int alpha);
    void centreTextAt(const char* text, int y);
    void centreAlphaTextAt(const char* text, int y, int alpha);
    int returnTextHeight();
    // Text over the map or a fight. With "readabletext" the line gets a dark
    // outline one pixel wide, so it reads on snow, sand and sprites alike;
    // otherwise (and for the line itself) these are drawTextAt and
    // centreAlphaTextAt.
    void drawMapTextAt(const char* text, int x, int y);
    void centreMapTextAt(const char* text, int y, int alpha = SDL_ALPHA_OPAQUE);

    // game directories
    int loadGame(const char* dir);
    bool saveGame(const char* dir);
    void loadActors(const char* dir);
    void loadItems(const char* dir);
    void loadQuests(const char* dir);
    bool saveActors(SaveBatch& batch, const char* dir);
    bool saveItems(SaveBatch& batch, const char* dir);
    bool saveQuests(SaveBatch& batch, const char* dir);
    void loadAndStart(const char* dir);
    // Loads dir, shows its introduction and plays it, as the menu starts a custom game. False,
    // with the menu's message and the reason on standard error, when dir cannot be loaded.
    bool playNamedGame(const char* dir);
    Actor* findPlayerActor();

    // menus and full-screen presentations
    void menuLoop();
    std::string inputLoop();
    void ScrollyText(const char* file);
    void playerInfoScreen();
    // The journal (key J on the map): open and done quests and the last message lines.
    void journalScreen();
    void deathScreen();
    void calculateEndings();
    void loadAndShowEnding(std::string dir);

    // exploration
    void gameLoop();
    void getInput();
    void pollScreenshot();
    void drawMap();
    void drawSprites();
    // "floatring" (float-ring.cpp): whether the player is drawn afloat in its ring, and drawing a
    // character's picture so, its corner at window pixel (x, y).
    bool showsFloatRing();
    void drawAfloat(SDL_Surface* picture, int x, int y);
    void drawHud();
    // Puts text on the map screen's message line for messageTime(text) ms; drawHud fades it.
    void showMessage(const std::string& text);
    // How long a message stays: TALK_TIMER, or with "readtime" long enough to read it.
    float messageTime(const std::string& text) const;
    // A yes-or-no question drawn over the current screen (question.cpp): true for Y, false
    // for N, Escape or a window close, which ends the game under QuitRule::EndsGame.
    bool askYesNo(const char* question, QuitRule rule = QuitRule::ClosesScreen);
    // What using an item did: in a fight with "fightdetails", `fightLine` goes
    // to the console at once; otherwise `message` to the message line.
    void showOutcome(const std::string& message, const std::string& fightLine);
    void keyHelp();
    // Window pixel of a map point (map pixels): the player's top-left corner
    // sits at (playerScreenX(SCREEN_WIDTH), PLAYER_SCREEN_Y). Whole pixels.
    double screenXOf(float mapX) const;
    double screenYOf(float mapY) const;
    bool mapCollision(float x, float y);
    // Whether the player's box may stand at (x, y) on the map: free ground,
    // or open sea while a floater is worn.
    bool playerFits(float x, float y);
    // The same for a box with a floater worn or not, whatever the player wears now.
    bool boxFitsMap(float x, float y, bool floating);
    bool spriteCollision(float ax, float ay, float aw, float ah, float bx, float by, float bw, float bh);
    bool combatCollide(Actor* a1, Actor* a2, int dx, int dy);
    bool playerNPCcollision(float x, float y);
    bool NPCcollision(float x, float y, Actor* oa);
    float distance(float ax, float ay, float bx, float by);
    void AIManager();
    void findSleep();
    void pickupObjects();
    int unlockDoor(float x, float y, bool withPick, bool motelKey);
    // The game folder's signs.txt, if it has one (signposts.cpp).
    void loadSignposts(const char* dir);
    bool readSignpost();

    // conversation and trade
    // Who answers Return on the map (talkmanager.cpp): null when nobody is in reach.
    Actor* talkPartner();
    void startTalking();
    // `giver` is the quest giver's name, kept in the journal with the quest's words.
    std::string getNextQuest(const std::string& giver = std::string());
    void shopLoop(int type);
    void rebuildShopVector(std::vector<Item*>& shopVec, std::vector<Item*> items, int owner, int type);
    void gambleLoop();
    char* gamblingMadLibs();
    void inventoryMenu();
    void unequipAllItems(std::vector<Item*> items);
    void buildWeaponVector(std::vector<Item*>& weapons);

    // combat
    void cleanUpFightVars();
    void fightEffectAt(float x, float y, int icon, const char* text);
    void drawFightEffects();
    void effectAlongLine(float x1, float y1, float x2, float y2, int draw);
    void updateBullet();
    void getFightInput();
    void fightAI(Actor* attacker, Actor* target);
    int fightAIMove(Actor* mover, Actor* target);
    // "stepround" (fight-stepround.cpp): as fightAIMove, but round walls by the shortest way.
    int stepRoundMove(Actor* mover, Actor* target);
    // "keepweapon" (kept-weapon.cpp): the index in fvars.weapons a fight starts with, and
    // remembering the weapon in hand for the next fight.
    int weaponToStartWith();
    void keepWeaponInHand();
    // Whether a fighter may stand on the tile with top-left corner (x, y):
    // the player where it may walk (sea while a floater is worn), a sea
    // monster on sea only, anyone else on free ground.
    bool fighterMayStand(const Actor* a, float x, float y);
    // True when the enemy can neither strike nor come closer and nothing the
    // player can reach lets it strike, shoot or cast at the enemy.
    bool fightIsDeadlocked();
    // Ends the fight as running away does; the enemy stays where it is.
    void endFightByFlight(const char* message);
    void drawFightHUD();
    void drawFightConsole();
    void fightPanel();

    ArtAssets art;
    AudioAssets audio;
    std::list<Actor*> actorList;
    std::vector<Item*> itemVec;
    std::list<Quest*> questList;
    bool bPlayingGame;
    int mode;              // 0 exploring, 1 fighting
    bool bMustQuit;
    bool bPleaseLoadGame;
    MiscVars vars;
    FightVars fvars;
    SDL_Surface* screen;
    TTF_Font* font;
    SDL_Event event;
    Map* theMap;
    Actor* player;
    Actor* enemy;
    std::string loadFailure;  // why the last loadGame failed, for the player to read; empty after a success
    int textHeight;
    Journal journal;        // message lines and quest givers of this sitting; not saved
    SurfaceCache surfaces;  // lines of text and the message band, kept between frames
    std::vector<Signpost> signposts;   // from signs.txt; empty without one
    std::set<int> reportedTiles;  // tile values without a picture, reported once each
    float TALK_TIMER;      // ms a message stays on the message line
    int SCREEN_WIDTH;      // NARROW_SCREEN_WIDTH, or WIDE_SCREEN_WIDTH with "widescreen"
    SDL_Joystick* joystick;
    FrameCap frameCap;     // ends every screen's frame; off unless "framecap"
};
