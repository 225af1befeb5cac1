// crossing_test.cpp -- the Serpent Reach of the shipped game as players cross it: whoever strikes
// out over open water for Veyl, Gull Rock or Seal Skerry meets its serpents, and the passage the
// rocks mark from the harbour by Gull Rock to Veyl's landing meets none.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "passage.h"
#include "world.h"

namespace {

using qtest::Tile;

struct Crossing
{
    const char* what;
    std::vector<Tile> way;
};

// Ways a player who has not seen the chart takes over the water.
const std::vector<Crossing> kOpenWater = {
    {"the pier straight to Veyl's landing", {{114, 194}, {246, 275}}},
    {"the pier south-east on a slant, then east to Veyl", {{114, 194}, {194, 274}, {246, 274}}},
    {"the pier south, then east to Veyl", {{114, 194}, {114, 274}, {246, 274}}},
    {"along the coast, then south to Veyl's north shore", {{114, 194}, {204, 203}, {242, 196}, {276, 252}}},
    {"the Mendrel's beach straight to Veyl", {{196, 200}, {268, 252}}},
    {"the Mendrel's beach south, then east to Veyl", {{196, 200}, {196, 266}, {246, 268}}},
    {"the Mendrel's beach to Gull Rock's east side", {{196, 200}, {238, 222}}},
    {"along the coast and north to Seal Skerry", {{114, 194}, {204, 203}, {244, 184}, {250, 150}, {294, 118}}},
    {"the pier south-west, then east to Veyl's west shore", {{114, 194}, {100, 300}, {245, 300}}},
    {"Whisperwood's east shore south to Veyl's north shore", {{244, 130}, {244, 180}, {290, 250}}},
};

// Walks the player along the tiles at walking speed, holding two arrows on a slant, while the
// engine moves the characters a 60th of a second at a time; every fight that starts is counted
// and its foe sent off as if beaten. Answers the names met.
std::vector<std::string> cross(CGame& g, const std::vector<Tile>& way)
{
    std::vector<std::string> met;
    Actor* p = g.player;
    p->x = (float)(way[0].x * TILE_SIZE);
    p->y = (float)(way[0].y * TILE_SIZE);
    g.vars.timer_elapsed = 1000.0f / 60;
    g.vars.timer_delta = g.vars.timer_elapsed / 1000;
    const float step = 250 * g.vars.timer_delta;
    for (size_t leg = 1; leg < way.size(); leg++) {
        const float tx = (float)(way[leg].x * TILE_SIZE), ty = (float)(way[leg].y * TILE_SIZE);
        for (int frame = 0; frame < 60 * 120 && (p->x != tx || p->y != ty); frame++) {
            p->x += std::max(-step, std::min(step, tx - p->x));
            p->y += std::max(-step, std::min(step, ty - p->y));
            for (Actor* a : g.actorList)
                if (a != p)
                    a->bIsActive = g.distance(a->x, a->y, p->x, p->y) < 500;
            g.AIManager();
            if (g.mode == 1 && g.enemy) {
                met.push_back(g.enemy->myName);
                g.enemy->bIsHostile = false;
                g.enemy->x = g.enemy->y = 0;
                g.enemy = nullptr;
                g.mode = 0;
                g.bPlayingGame = true;
            }
        }
    }
    return met;
}

struct Reach : testing::Test
{
    Reach() : loaded("data")
    {
        g = loaded.game.get();
        // Fights start through the engine's own rule; their banner is not wanted here.
        banner = g->art.icons[ICON_FIGHT_BANNER];
        g->art.icons[ICON_FIGHT_BANNER] = nullptr;
        for (Actor* a : g->actorList)
            start.push_back(*a);
    }
    ~Reach() override { g->art.icons[ICON_FIGHT_BANNER] = banner; }
    // Everyone back where the game starts them, the dice thrown from `seed`.
    void reset(unsigned seed)
    {
        auto was = start.begin();
        for (Actor* a : g->actorList)
            *a = *was++;
        g->mode = 0;
        g->bPlayingGame = true;
        std::srand(seed);
    }

    qtest::LoadedGame loaded;
    CGame* g = nullptr;
    SDL_Surface* banner = nullptr;
    std::vector<Actor> start;
};

std::string names(const std::vector<std::string>& met)
{
    std::string s;
    for (const std::string& n : met)
        s += (s.empty() ? "" : ", ") + n;
    return s;
}

TEST_F(Reach, OpenWaterMeetsSerpentsAndThePassageNone)
{
    ASSERT_EQ(0, loaded.result);
    testing::internal::CaptureStdout();   // the engine says "Chasing" every frame a foe chases
    std::vector<std::string> report;
    for (unsigned seed = 1; seed <= 2; seed++) {
        reset(seed);
        std::vector<std::string> met = cross(*g, qtest::closely(qtest::passageCorners()));
        EXPECT_TRUE(met.empty()) << "the passage met " << names(met) << " (dice " << seed << ")";
        for (const Crossing& c : kOpenWater) {
            reset(seed);
            met = cross(*g, c.way);
            int serpents = 0;
            for (const std::string& n : met)
                serpents += n == "Sea serpent";
            EXPECT_GE(serpents, 1) << c.what << " met no serpent (dice " << seed << ")";
            if (seed == 1)
                report.push_back(std::string(c.what) + ": " + std::to_string(serpents));
        }
    }
    testing::internal::GetCapturedStdout();
    for (const std::string& r : report)
        std::printf("%s\n", r.c_str());
}

// Out on the water the passage is never more than a few tiles from one of its rocks, so a player
// with the chart can follow it; by the shores the land shows the way.
TEST_F(Reach, ThePassageIsMarkedByRocksAllTheWay)
{
    ASSERT_EQ(0, loaded.result);
    auto near = [&](Tile p, int r, auto is) {
        for (int y = p.y - r; y <= p.y + r; y++)
            for (int x = p.x - r; x <= p.x + r; x++)
                if (is(g->theMap->getTileAt(x, y)))
                    return true;
        return false;
    };
    for (const Tile& p : qtest::closely(qtest::passageCorners())) {
        bool offshore = !near(p, 4, [](int t) { return t != TILE_SEA; });
        EXPECT_TRUE(!offshore || near(p, 6, [](int t) { return t == TILE_BOULDERS; }))
            << "no rock marks the passage at " << p.x << "," << p.y;
    }
}

} // namespace
