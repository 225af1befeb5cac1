// check.h -- quorvane-check's library: a game folder read the way the engine reads it, and what is wrong with it.
#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>
#include <SDL_ttf.h>
#include "Map.h"
#include "item.h"
#include "player.h"
#include "quest.h"
#include "vars.h"
#include "modkit.h"
#include "gamename.h"

enum class Severity { Error, Warning };

// One finding. `file` is the file's name inside the game folder ("npcdef/3.def", "map.dat"), empty
// for the folder as a whole; `line` counts from 1, 0 for the file as a whole.
class Diagnostic
{
public:
    std::string file;
    int line = 0;
    Severity severity = Severity::Error;
    std::string message;
    // 0 for a cause that others follow from (a broken player start, no map): reported first.
    int rank = 1;
};

// What the player can get to from the start, by the engine's step rules (TileReach): the
// counts the content tests hold the shipped games to.
class ReachSummary
{
public:
    int doorsOpened = 0;       // locked doors and double doors, with keys and lock-picks found
    int roomDoorsOpened = 0;   // with room keys bought at a key shop
    bool bFloater = false;     // a floater can be had, so the sea is open
    int tilesReached = 0;
};

class CheckResult
{
public:
    std::vector<Diagnostic> diagnostics;   // sorted by file, then line
    bool bUnreadable = false;              // no game folder there at all
    std::string unreadableWhy;
    ReachSummary reach;

    int errors() const;
    int warnings() const;
};

// The shared pictures and the font every game uses (data/assets), as far as a checker needs
// them: which sprite sets, item pictures and tiles have a picture, and the font to measure lines.
class CheckAssets
{
public:
    CheckAssets() = default;
    ~CheckAssets();
    CheckAssets(const CheckAssets&) = delete;
    CheckAssets& operator=(const CheckAssets&) = delete;

    // Reads what is under `dir` ("data/assets"); false, with the reason, when the engine could
    // not start with it (a sprite or interface picture or the font missing).
    bool load(const std::string& dir, std::string& why);

    std::string dir;
    int spriteSets = SPRITE_SETS;   // sets 0..n-1 are whole: the common ones and any further ones
    int itemPictures = 0;   // item pictures 0..n-1 decode; icons from n on have none
    int tilePictures = 0;
    TTF_Font* font = nullptr;
    bool bFontLibrary = false;   // a use of the font library taken, given back at the end
};

// Checks the game folder `dir` with the assets. The folder's own files are only read.
CheckResult checkGameFolder(const std::string& dir, const CheckAssets& assets);

// "DIR/FILE:LINE: error: message", the folder as given joined with the file's name.
std::string formatDiagnostic(const std::string& dir, const Diagnostic& d);
// "DIR: 2 errors, 1 warning" or "DIR: clean".
std::string summaryLine(const std::string& dir, const CheckResult& r);
// 0 clean or warnings only, 1 errors, 2 no folder to read.
int exitCodeOf(const CheckResult& r);

// ---- what the parts of the checker share (check-*.cpp) ----

// A record file as lines, cut at line feeds; lines keep everything, however long.
class RecordText
{
public:
    std::string name;   // inside the folder, "npcdef/3.def"
    std::vector<std::string> lines;
};

// The records of a game folder as the engine reads them, beside the text of their files.
class CheckedGame
{
public:
    CheckedGame(const std::string& dir, const CheckAssets& assets, CheckResult& result);
    ~CheckedGame();
    CheckedGame(const CheckedGame&) = delete;
    CheckedGame& operator=(const CheckedGame&) = delete;

    void report(const std::string& file, int line, Severity s, const std::string& message);
    void error(const std::string& file, int line, const std::string& message) { report(file, line, Severity::Error, message); }
    void warn(const std::string& file, int line, const std::string& message) { report(file, line, Severity::Warning, message); }
    // An error that other findings follow from: it leads the report.
    void cause(const std::string& file, int line, const std::string& message);

    std::string dir;
    const CheckAssets& assets;
    CheckResult& result;

    MiscVars vars;
    bool bVarsRead = false;
    std::vector<Actor*> actors;
    std::vector<Item*> items;
    std::vector<Quest*> quests;
    std::vector<RecordText> actorText, itemText, questText;
    std::unique_ptr<Map> map;
    bool bMapRead = false;
    Actor* player = nullptr;   // the first "Plyr", as the engine takes it

    // The items with this short name, in file order (quests look for them by it).
    const std::vector<size_t>& itemsNamed(const std::string& shortName);

private:
    std::map<std::string, std::vector<size_t>> byShortName_;
    bool bNamesIndexed_ = false;
};

// The record files: series, lines, values in range (check-records.cpp). False when the folder
// holds no game at all.
bool readAndCheckRecords(CheckedGame& g);
// map.dat: rows, tiles, pictures (check-world.cpp).
void readAndCheckMap(CheckedGame& g);
// Where things stand and what the player can reach from the start (check-world.cpp, check-reach.cpp).
void checkPlacement(CheckedGame& g);
void checkReach(CheckedGame& g);
// intro.txt, the ending slides and the lines characters say (check-text.cpp).
void checkTexts(CheckedGame& g);
// Role keywords, the role holders, the quests and the shops, and the folder's own name (check-roles.cpp).
void checkRoles(CheckedGame& g);
// signs.txt, when the folder has one: its lines and the signposts of the map (check-signs.cpp).
void checkSigns(CheckedGame& g);

// Reads `name` inside the game folder `dir` as the engine's reader does (readfile.h), with its
// limit, quietly. When it cannot, `present` tells a file that is there but cannot be read (not a
// plain file, unreadable, too large) from one that is not there at all.
bool readGameFile(const std::string& dir, const std::string& name, size_t limit, std::string& bytes,
                  bool& present);
// The same for a file the game needs, reporting on it when it cannot be read: "missing: " or
// "cannot be read (not a plain file, unreadable or too large): ", then `consequence`.
bool readNeededFile(CheckedGame& g, const std::string& name, size_t limit, std::string& bytes, Severity s,
                    const std::string& consequence);

// Tile of a map-pixel position, as the content checks count it.
inline int tileOf(float px) { return truncToInt(px) / TILE_SIZE; }
bool isRoleKeyword(const std::string& line);
// What a role keyword makes of a character ("the quest giver"), empty for no role.
std::string roleName(const std::string& keyword);
// The one of `names` that `word` is most likely a slip for (case, a blank, a letter or two), or
// empty when none is close.
std::string nearestName(const std::string& word, const std::vector<std::string>& names);
// The last name of a folder path as the engine's working folder sees it ("mygame").
std::string folderNameOf(const std::string& dir);

bool isSeaMonster(const Actor* a);
// "tile 12,40" of a position in map pixels.
std::string tileText(float x, float y);
// For a position of small numbers off the whole tiles, a reminder that it is in map pixels; else empty.
std::string pixelHint(float x, float y);
