// doorassist_test.cpp -- the doorway assist: walking into a door frame of the shipped town a little
// off line, with and without "doorassist".
#include <memory>
#include <queue>
#include <gtest/gtest.h>
#include "game.h"
#include "harness.h"
#include "seam.h"

namespace {

// Saltmere's walls, in tiles (content/data/places/town.txt placed at 84, 148).
const int TOWN_LEFT = 84, TOWN_TOP = 148, TOWN_RIGHT = 148, TOWN_BOTTOM = 194;

bool isDoor(int t)
{
    return t == TILE_OPEN_DOOR || t == TILE_LOCKED_DOOR || t == TILE_ROOM_DOOR || t == TILE_DOUBLE_DOOR;
}

// A one-tile doorway and the way a newcomer walks into it: from `from` (two tiles out on the side
// the streets reach, or one where a wall stands two out) toward the door with one arrow key.
struct Doorway
{
    int col, row;
    int fromCol, fromRow;
    SDLKey key;
};

struct ShippedTown
{
    explicit ShippedTown(const std::string& config = "") : wd(config)
    {
        qtest::copyGame(wd, "data");
        game.reset(new CGame());
        game->audio.bSoundOff = true;
        game->loadGame("data");
        // Nobody else in the way, and nobody to start a fight.
        for (auto it = game->actorList.begin(); it != game->actorList.end();) {
            if (*it == game->player) {
                ++it;
                continue;
            }
            delete *it;
            it = game->actorList.erase(it);
        }
        Map& m = *game->theMap;
        for (int r = TOWN_TOP; r < TOWN_BOTTOM; r++)
            for (int c = TOWN_LEFT; c < TOWN_RIGHT; c++)
                if (isDoor(m.getTileAt(c, r)))
                    m.setTileAt(c, r, TILE_OPEN_DOOR);   // unlocked, as with a key
        qtest::clearEvents();
        qtest::releaseAllKeys();
    }
    ~ShippedTown()
    {
        qtest::releaseAllKeys();
        qtest::clearHooks();
        game.reset();
    }

    bool solid(int c, int r) { return game->theMap->isSolid(c * TILE_SIZE + 1, r * TILE_SIZE + 1); }

    // Tiles the town's streets reach from the compass rose with every door open but (skipC, skipR).
    std::vector<std::vector<bool>> reachedWithout(int skipC, int skipR)
    {
        std::vector<std::vector<bool>> seen(MAP_SIZE, std::vector<bool>(MAP_SIZE, false));
        std::queue<std::pair<int, int>> todo;
        for (int r = TOWN_TOP; r < TOWN_BOTTOM; r++)
            for (int c = TOWN_LEFT; c < TOWN_RIGHT; c++)
                if (game->theMap->getTileAt(c, r) == TILE_COMPASS_ROSE) {
                    seen[r][c] = true;
                    todo.push({c, r});
                }
        while (!todo.empty()) {
            auto [c, r] = todo.front();
            todo.pop();
            const int step[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
            for (const auto& d : step) {
                int nc = c + d[0], nr = r + d[1];
                if (nc < TOWN_LEFT || nc >= TOWN_RIGHT || nr < TOWN_TOP || nr >= TOWN_BOTTOM || seen[nr][nc])
                    continue;
                if ((nc == skipC && nr == skipR) || solid(nc, nr))
                    continue;
                seen[nr][nc] = true;
                todo.push({nc, nr});
            }
        }
        return seen;
    }

    // Every door tile of the town between two walls, approached from the side the streets reach
    // when that door is shut (for the inn's rooms: the corridor).
    std::vector<Doorway> doorways()
    {
        std::vector<Doorway> found;
        for (int r = TOWN_TOP; r < TOWN_BOTTOM; r++)
            for (int c = TOWN_LEFT; c < TOWN_RIGHT; c++) {
                if (game->theMap->getTileAt(c, r) != TILE_OPEN_DOOR)
                    continue;
                auto seen = reachedWithout(c, r);
                int dc = 0, dr = 0;
                SDLKey key = SDLK_UNKNOWN;
                if (solid(c - 1, r) && solid(c + 1, r)) {
                    dr = seen[r + 1][c] ? 1 : -1;
                    key = dr > 0 ? SDLK_UP : SDLK_DOWN;
                } else if (solid(c, r - 1) && solid(c, r + 1)) {
                    dc = seen[r][c - 1] ? -1 : 1;
                    key = dc < 0 ? SDLK_RIGHT : SDLK_LEFT;
                } else {
                    continue;
                }
                int out = seen[r + 2 * dr][c + 2 * dc] ? 2 : 1;
                found.push_back({c, r, c + out * dc, r + out * dr, key});
            }
        return found;
    }

    // Whether the player's 40-pixel map box lies wholly past the door's tile.
    bool past(const Doorway& d)
    {
        const Actor* p = game->player;
        switch (d.key) {
        case SDLK_UP: return p->y + 44 < d.row * TILE_SIZE;
        case SDLK_DOWN: return p->y + 4 >= (d.row + 1) * TILE_SIZE;
        case SDLK_LEFT: return p->x + 44 < d.col * TILE_SIZE;
        default: return p->x + 4 >= (d.col + 1) * TILE_SIZE;
        }
    }

    struct Walk
    {
        bool through = false;
        float ms = 0;            // time held until through
        float sideways = 0;      // how far the player moved across the way in
        bool alwaysFitted = true;
    };

    // Holds the key toward the doorway from `off` pixels off line, one frame of frameMs at a time,
    // for at most 1.5 s, until the player is past the door.
    Walk walkIn(const Doorway& d, float off, float frameMs)
    {
        Actor* p = game->player;
        bool vertical = d.key == SDLK_UP || d.key == SDLK_DOWN;
        p->x = d.fromCol * TILE_SIZE + (vertical ? off : 0);
        p->y = d.fromRow * TILE_SIZE + (vertical ? 0 : off);
        float startAcross = vertical ? p->x : p->y;
        qtest::releaseAllKeys();
        qtest::holdKey(d.key, true);
        Walk w;
        for (; w.ms < 1500 && !w.through; w.ms += frameMs) {
            game->vars.timer_elapsed = frameMs;
            game->vars.timer_delta = frameMs / 1000.0f;
            game->getInput();
            w.alwaysFitted = w.alwaysFitted && game->boxFitsMap(p->x, p->y, false);
            w.through = past(d);
        }
        w.sideways = (vertical ? p->x : p->y) - startAcross;
        qtest::holdKey(d.key, false);
        return w;
    }

    qtest::WorkDir wd;
    std::unique_ptr<CGame> game;
};

std::string describe(const Doorway& d, float off)
{
    return "door at tile " + std::to_string(d.col) + "," + std::to_string(d.row) + " from tile " +
           std::to_string(d.fromCol) + "," + std::to_string(d.fromRow) + ", " + std::to_string((int)off) +
           " px off line";
}

} // namespace

// The town's doorways: the big hall, the inn's front door, its three rooms and back door, the
// houses, the shops, and the two locked houses once unlocked. With the assist every one is walked
// into from 1 to 12 pixels off line, either side, by holding one key; without it a player 5 or
// more pixels off is stopped at the frame as ever.
TEST(DoorAssist, EveryTownDoorwayTakesOneHeldKeyFromUpTo12PixelsOffLine)
{
    ShippedTown town;
    std::vector<Doorway> doors = town.doorways();
    ASSERT_EQ(17u, doors.size()) << "the town's doors have changed; look again at the approach sides";
    for (const Doorway& d : doors) {
        EXPECT_TRUE(town.game->playerFits(d.fromCol * TILE_SIZE, d.fromRow * TILE_SIZE)) << describe(d, 0);
        for (int off = -12; off <= 12; off++) {
            if (off == 0)
                continue;
            town.game->vars.bDoorAssist = true;
            ShippedTown::Walk helped = town.walkIn(d, (float)off, 16);
            EXPECT_TRUE(helped.through) << describe(d, (float)off);
            EXPECT_TRUE(helped.alwaysFitted) << describe(d, (float)off);
            EXPECT_LE(std::abs(helped.sideways), (float)std::abs(off)) << describe(d, (float)off);

            town.game->vars.bDoorAssist = false;
            ShippedTown::Walk alone = town.walkIn(d, (float)off, 16);
            if (off >= 5 || off <= -5) {
                EXPECT_FALSE(alone.through) << describe(d, (float)off);
            }
            EXPECT_EQ(0.0f, alone.sideways) << describe(d, (float)off);
        }
    }
}

// The slide goes at walking speed, so it takes as long in short frames as in long ones.
TEST(DoorAssist, TheSlideTakesTheSameTimeAtAnyFrameRate)
{
    ShippedTown town;
    town.game->vars.bDoorAssist = true;
    const Doorway inn = {124, 160, 124, 162, SDLK_UP};   // the inn's front door, from the square
    float quick = town.walkIn(inn, 12, 4).ms;
    float slow = town.walkIn(inn, 12, 33).ms;
    EXPECT_NEAR(quick, slow, 2 * 33.0f);
    // 140 pixels to walk and 8 to slide, at 250 pixels a second.
    EXPECT_NEAR(148 * 4.0f, quick, 40);
}

// From config.cfg, in the real frame loop on the test clock: the option's line is printed and one
// held key takes the player through the inn's front door from 10 pixels off.
TEST(DoorAssist, TheOptionWorksInPlay)
{
    testing::internal::CaptureStdout();
    ShippedTown town("doorassist\n");
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(std::string::npos, out.find("\tDoorway assist enabled\n"));
    CGame& g = *town.game;
    ASSERT_TRUE(g.vars.bDoorAssist);
    const Doorway inn = {124, 160, 124, 162, SDLK_UP};
    g.player->x = inn.col * TILE_SIZE + 10;
    g.player->y = inn.fromRow * TILE_SIZE;
    qtest::holdKey(SDLK_UP, true);
    qtest::TestClock clock;
    qtest::onFrame = [&] {
        if (town.past(inn) || g.vars.frames > 2000)
            g.bMustQuit = true;
    };
    g.gameLoop();
    EXPECT_TRUE(town.past(inn));
}

// Every one-tile gap of the shipped world (doorways, bridges, gaps between trees and walls, the
// mouths of one-tile lanes): a tile one can stand on between two that block, with ground on both
// sides of its way. With the assist, one held key takes the player through from up to 20 pixels
// off line, from either side, wherever the player can stand at the start.
TEST(DoorAssist, EveryOneTileGapOfTheWorldTakesOneHeldKeyFromUpTo20PixelsOffLine)
{
    ShippedTown world;
    world.game->vars.bDoorAssist = true;
    auto open = [&](int c, int r) {
        return c >= 0 && r >= 0 && c < MAP_SIZE && r < MAP_SIZE && !world.solid(c, r);
    };
    int gaps = 0, walks = 0;
    std::vector<std::string> stuck;
    for (int r = 0; r < MAP_SIZE; r++) {
        for (int c = 0; c < MAP_SIZE; c++) {
            if (!open(c, r))
                continue;
            for (bool vertical : {true, false}) {
                if (vertical ? (open(c - 1, r) || open(c + 1, r)) : (open(c, r - 1) || open(c, r + 1)))
                    continue;
                for (int towards : {-1, 1}) {
                    int dc = vertical ? 0 : -towards, dr = vertical ? -towards : 0;   // the side walked from
                    if (!open(c + dc, r + dr) || !open(c - dc, r - dr))
                        continue;
                    int out = open(c + 2 * dc, r + 2 * dr) ? 2 : 1;
                    SDLKey key = vertical ? (towards < 0 ? SDLK_UP : SDLK_DOWN)
                                          : (towards < 0 ? SDLK_LEFT : SDLK_RIGHT);
                    Doorway d = {c, r, c + out * dc, r + out * dr, key};
                    gaps++;
                    for (int off = -20; off <= 20; off++) {
                        float x = d.fromCol * TILE_SIZE + (vertical ? off : 0);
                        float y = d.fromRow * TILE_SIZE + (vertical ? 0 : off);
                        if (!world.game->playerFits(x, y))
                            continue;
                        walks++;
                        ShippedTown::Walk w = world.walkIn(d, (float)off, 33);
                        if (!w.through || !w.alwaysFitted)
                            stuck.push_back(describe(d, (float)off));
                    }
                }
            }
        }
    }
    EXPECT_GT(gaps, 100);
    EXPECT_TRUE(stuck.empty()) << stuck.size() << " of " << walks << " walks into " << gaps
                               << " gaps were stopped, the first: " << stuck.front();
}
