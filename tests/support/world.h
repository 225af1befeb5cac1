// world.h -- a game object on stand-in assets with a small hand-made world, for tests of play.
#pragma once
#include <memory>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "game.h"
#include "harness.h"
#include "fakeassets.h"

namespace qtest {

class World
{
public:
    explicit World(const std::string& config = "", FakeAssets assets = FakeAssets());
    ~World();

    // A character at (x, y); the first one made with player=true becomes the player.
    Actor* addActor(float x, float y, bool isPlayer = false);
    // A hostile character at (x, y) that is active (sees the player) from the start.
    Actor* addHostile(float x, float y);
    Item* addItem(int type, unsigned owner, float x = 0, float y = 0);
    // A silent fight on the player's turn: the player on tile (10, 10), the enemy on the tile to
    // its right. Answers the enemy; the player is game->player.
    Actor* startFight();
    // Fills the whole map with one tile.
    void fill(int tile);

    WorkDir dir;
    std::unique_ptr<CGame> game;
};

// A working directory holding the repository's assets and a copy of its game folder `dir`,
// loaded by a game object with the sound off.
struct LoadedGame
{
    explicit LoadedGame(const std::string& dir);
    ~LoadedGame();

    std::string name;
    WorkDir wd;
    std::unique_ptr<CGame> game;
    int result = -1;   // what loadGame answered
};

// The fixture of tests on a World: a fresh game object, no event queued and no key held. After
// each test every seam hook is cleared.
struct GameTest : testing::Test
{
    void SetUp() override;
    void TearDown() override;
    // The World's config.cfg.
    virtual std::string config() { return ""; }

    std::unique_ptr<World> w;
    CGame* g = nullptr;
};

// With the player "Hero" at (480, 480), exploring.
struct PlayerGame : GameTest
{
    void SetUp() override;
    std::vector<Uint32> band(int x, int y, int width, int height) const;
    // Whether the window shows exactly this line at (x, y) in a band width x height on `backdrop`
    // (0xRRGGBB): the band is drawn again with the line alone and compared.
    bool showsLine(const char* text, int x, int y, int width, int height, Uint32 backdrop);
    // Frame timers as after a frame of ms milliseconds.
    void frame(float ms);

    Actor* hero = nullptr;
};

} // namespace qtest
