// autopilot.h -- hands for scripted play: keys pushed like a player's, and a walker that finds its
// way over the tile map and steers the player there by holding arrow keys in SDL's key-state array.
#pragma once
#include <cmath>
#include <cstdlib>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>
#include <SDL.h>
#include "seam.h"
#include "game.h"
#include "harness.h"

namespace qtest {

// A list of steps run one per frame from the game's own thread (tests call tick() from a wrapped
// SDL_Delay, which every screen calls once a frame). A step runs only while the event queue is
// empty, so whatever screen is open takes the keys it pushes, as it would a player's.
class Scenario
{
public:
    // run answers true once its step is done.
    void add(const std::string& name, std::function<bool()> run);
    void tick();
    bool done() const { return at_ >= steps_.size(); }
    std::string current() const { return done() ? "(done)" : steps_[at_].name; }
    // Frames after which a stuck script ends the test program with a message.
    unsigned long limit = 300000;

private:
    struct Step
    {
        std::string name;
        std::function<bool()> run;
    };
    std::vector<Step> steps_;
    size_t at_ = 0;
    unsigned long calls_ = 0;
};

// While it lives, the scenario runs at the end of every frame (frames.h; the test program links
// with -Wl,--wrap=SDL_Delay).
class Drive
{
public:
    explicit Drive(Scenario& s) { onFrame = [&s] { s.tick(); }; }
    ~Drive() { onFrame = nullptr; }
    Drive(const Drive&) = delete;
    Drive& operator=(const Drive&) = delete;
};

inline void press(SDLKey k) { pushKey(k); }
// Runs `screen` (a blocking screen) with each batch of keys pressed in a later frame of it.
void pressBatches(std::initializer_list<std::vector<SDLKey>> batches, const std::function<void()>& screen);
void releaseArrows();
// Counts frames: true on every n-th call.
class Every
{
public:
    explicit Every(int n) : n_(n) {}
    bool operator()() { return ++count_ % n_ == 0; }

private:
    int n_;
    int count_ = 0;
};

Actor* actorNamed(CGame& g, const std::string& name);
// Who stands in the way of the scripted plays and the content checks (TileReach gives the rest of
// the walking rules): every peaceful character; hostile ones come to fight instead.
inline bool obstructs(const CGame& g, const Actor* a) { return a != g.player && !a->bIsHostile; }
Item* itemNamed(CGame& g, const std::string& shortName);

// Walks the player over the map: a path over whole tiles by the engine's TileReach (walls and the
// 3x3 tiles around each peaceful character are avoided), then one arrow key at a time from tile
// to tile, lined up within two pixels before each turn.
class Walker
{
public:
    // One frame of walking to tile (tx, ty); true once the player stands on it.
    bool walkTo(CGame& g, int tx, int ty);
    // One frame of walking to a tile two tiles from the character, then stepping off the grid
    // line and closing in until within talking range; true when Return may be pressed.
    bool approach(CGame& g, const Actor* who);
    // One frame of walking onto the item's tile, or beside it and then up against it when the
    // item lies on something solid; true once the player's box touches the item's.
    bool reach(CGame& g, const Item* item);
    // The arrow key of the first step of a path toward tile (tx, ty), for fights, where every
    // step is a whole tile; SDLK_UNKNOWN when there is no path.
    SDLKey stepToward(CGame& g, int tx, int ty);
    // Forgets the path, after anything that moved the player (a fight snaps it to the grid).
    void reset();
    // True when a path from the player's tile to (tx, ty) exists.
    bool reachable(CGame& g, int tx, int ty);
    // Tile of a map pixel position, rounded to the nearest tile.
    static int tileOf(float v) { return (int)((v + TILE_SIZE / 2) / TILE_SIZE); }

private:
    // Picks the first reachable tile at one of the offsets from (x, y) and walks there; true
    // once the player stands on it.
    bool standNear(CGame& g, int x, int y, const std::vector<std::pair<int, int>>& offsets,
                   const std::string& what);
    std::vector<std::pair<int, int>> findPath(CGame& g, int tx, int ty);
    std::vector<std::pair<int, int>> path_;
    size_t next_ = 0;
    int goalX_ = -1, goalY_ = -1;
    int standX_ = 0, standY_ = 0;
    const Actor* partner_ = nullptr;
    int phase_ = 0;
    int stillFrames_ = 0;
    bool yFirst_ = false;
    float lastX_ = 0, lastY_ = 0;
};

// One frame of walking up to the character called `name`; Return is pressed once within talking
// range, and the answer is true then (or when nobody has that name, which is a test failure).
bool walkUpAndTalk(CGame& g, Walker& walker, const std::string& name);

} // namespace qtest
