// world.h -- a game object on stand-in assets with a small hand-made world, for tests of play.
#pragma once
#include <memory>
#include <string>
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
    Item* addItem(int type, unsigned owner, float x = 0, float y = 0);
    // A silent fight on the player's turn: the player on tile (10, 10), the enemy on the tile to
    // its right. Answers the enemy; the player is game->player.
    Actor* startFight();
    // Fills the whole map with one tile.
    void fill(int tile);

    WorkDir dir;
    std::unique_ptr<CGame> game;
};

} // namespace qtest
