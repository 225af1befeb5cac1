// world.cpp -- the stand-in world used by tests of play.
#include "world.h"
#include "seam.h"

namespace qtest {

World::World(const std::string& config, FakeAssets assets) : dir(config, false)
{
    writeFakeAssets(dir.path(), assets);
    game.reset(new CGame());
}

World::~World()
{
    game.reset();
}

Actor* World::addActor(float x, float y, bool isPlayer)
{
    Actor* a = new Actor();
    a->x = x;
    a->y = y;
    a->stats.hp = a->stats.hp_max = 100;
    a->stats.mp = a->stats.mp_max = 50;
    a->stats.dexterity = 5;
    a->stats.strength = 5;
    a->stats.money = 0;
    a->myName = isPlayer ? "Hero" : "Someone";
    if (isPlayer) {
        a->conversation[0] = "Plyr";
        if (!game->player)
            game->player = a;
    }
    game->actorList.push_back(a);
    return a;
}

Actor* World::addHostile(float x, float y)
{
    Actor* a = addActor(x, y);
    a->bIsHostile = true;
    a->bIsActive = true;
    return a;
}

Item* World::addItem(int type, unsigned owner, float x, float y)
{
    Item* it = new Item();
    it->type = type;
    it->owner = owner;
    it->x = x;
    it->y = y;
    it->itemName = "Thing " + std::to_string(game->itemVec.size());
    game->itemVec.push_back(it);
    return it;
}

Actor* World::startFight()
{
    game->audio.bSoundOff = true;
    addActor(480, 480, true);
    Actor* foe = addActor(528, 480);
    game->enemy = foe;
    game->mode = 1;
    game->bPlayingGame = false;
    game->vars.bYourTurn = true;
    return foe;
}

void World::fill(int tile)
{
    for (int r = 0; r < Map::SIZE; r++)
        for (int c = 0; c < Map::SIZE; c++)
            game->theMap->level[r][c] = tile;
}

LoadedGame::LoadedGame(const std::string& dir) : name(dir)
{
    copyGame(wd, dir);
    game.reset(new CGame());
    game->audio.bSoundOff = true;
    result = game->loadGame(dir.c_str());
}

LoadedGame::~LoadedGame()
{
    game.reset();
}

void GameTest::SetUp()
{
    w.reset(new World(config()));
    g = w->game.get();
    clearEvents();
    releaseAllKeys();
    clearHooks();
}

void PlayerGame::SetUp()
{
    GameTest::SetUp();
    hero = w->addActor(480, 480, true);
    g->bPlayingGame = true;
}

void GameTest::TearDown()
{
    clearHooks();
    releaseAllKeys();
    clearEvents();
    w.reset();
}

std::vector<Uint32> PlayerGame::band(int x, int y, int width, int height) const
{
    return pixelBand(g->screen, x, y, width, height);
}

void PlayerGame::frame(float ms)
{
    g->vars.timer_elapsed = ms;
    g->vars.timer_delta = ms / 1000.0f;
}

bool PlayerGame::showsLine(const char* text, int x, int y, int width, int height, Uint32 backdrop)
{
    std::vector<Uint32> shown = band(x, y, width, height);
    SDL_Rect r = {(Sint16)x, (Sint16)y, (Uint16)width, (Uint16)height};
    SDL_FillRect(g->screen, &r, SDL_MapRGB(g->screen->format, (backdrop >> 16) & 0xff, (backdrop >> 8) & 0xff, backdrop & 0xff));
    g->drawTextAt(text, x, y);
    return band(x, y, width, height) == shown;
}

} // namespace qtest
