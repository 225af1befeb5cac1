// fight-stepround.cpp -- "stepround": a foe in a fight walks round what stands between it and the player.
#include <vector>
#include "fight-actions.h"

using namespace fight;

namespace {

// The tiles searched lie within this many steps of the target on each axis; a fight ends once
// the fighters are more than 500 pixels apart, so nothing farther matters.
const int SPAN = 11;
const int SIDE = 2 * SPAN + 1;
const int NO_WAY = -1;

// Steps from every tile around the target to the nearest tile the mover could strike from,
// walking straight steps over tiles it may stand on, never onto the target, never more than 500
// pixels from it. NO_WAY where there is none.
std::vector<int> stepsToStrike(CGame& g, Actor* mover, Actor* target)
{
    std::vector<int> steps(SIDE * SIDE, NO_WAY);
    std::vector<int> todo;
    auto cornerOf = [&](int cell, float& x, float& y) {
        x = target->x + (float)TILE_SIZE * (float)(cell % SIDE - SPAN);
        y = target->y + (float)TILE_SIZE * (float)(cell / SIDE - SPAN);
    };
    auto free = [&](int cell) {
        float x, y;
        cornerOf(cell, x, y);
        if (cell == SPAN * SIDE + SPAN || g.distance(x, y, target->x, target->y) > 500.0f)
            return false;
        return g.fighterMayStand(mover, x, y);
    };
    for (int r = SPAN - 1; r <= SPAN + 1; r++) {
        for (int c = SPAN - 1; c <= SPAN + 1; c++) {
            if (free(r * SIDE + c)) {
                steps[r * SIDE + c] = 0;
                todo.push_back(r * SIDE + c);
            }
        }
    }
    static const int NEXT[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
    for (size_t at = 0; at < todo.size(); at++) {
        const int cell = todo[at];
        for (const auto& n : NEXT) {
            int c = cell % SIDE + n[0], r = cell / SIDE + n[1];
            const int next = r * SIDE + c;
            if (c < 0 || r < 0 || c >= SIDE || r >= SIDE || steps[next] != NO_WAY || !free(next))
                continue;
            steps[next] = steps[cell] + 1;
            todo.push_back(next);
        }
    }
    return steps;
}

// The cell of a corner (x, y) on the grid around the target, or -1 off it or off the tile grid.
int cellAt(const Actor* target, float x, float y)
{
    const float fc = (x - target->x) / TILE_SIZE + SPAN, fr = (y - target->y) / TILE_SIZE + SPAN;
    const int c = (int)fc, r = (int)fr;
    if (fc < 0 || fr < 0 || c >= SIDE || r >= SIDE || (float)c != fc || (float)r != fr)
        return -1;
    return r * SIDE + c;
}

} // namespace

// The mover takes its usual straight step when that brings it nearer by the shortest way; where
// it would not (a wall, or a pocket the straight walk leads into), it takes one tile along the
// shortest way instead. With no way at all it walks as usual. 0 when it moved, -1 when it stayed.
int CGame::stepRoundMove(Actor* mover, Actor* target)
{
    const std::vector<int> steps = stepsToStrike(*this, mover, target);
    const int from = cellAt(target, mover->x, mover->y);
    if (from < 0 || steps[from] == NO_WAY)
        return fightAIMove(mover, target);

    Actor probe = *mover;
    if (fightAIMove(&probe, target) == 0) {
        const int to = cellAt(target, probe.x, probe.y);
        if (to >= 0 && steps[to] != NO_WAY && steps[to] < steps[from]) {
            mover->x = probe.x;
            mover->y = probe.y;
            mover->direction = probe.direction;
            return 0;
        }
    }
    static const struct
    {
        int dx, dy, facing;
    } STEPS[4] = {{0, -1, FACE_UP}, {1, 0, FACE_RIGHT}, {0, 1, FACE_DOWN}, {-1, 0, FACE_LEFT}};
    for (const auto& s : STEPS) {
        const float x = mover->x + (float)(TILE_SIZE * s.dx), y = mover->y + (float)(TILE_SIZE * s.dy);
        const int to = cellAt(target, x, y);
        if (to >= 0 && steps[to] == steps[from] - 1) {
            mover->x = x;
            mover->y = y;
            mover->direction = s.facing;
            return 0;
        }
    }
    return -1;
}
