// autopilot.cpp -- scripted play: the step runner, pushed keys and the path-finding walker.
#include "autopilot.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include "harness.h"
#include "tile-reach.h"

namespace qtest {

void Scenario::add(const std::string& name, std::function<bool()> run)
{
    steps_.push_back({name, run});
}

void Scenario::tick()
{
    if (++calls_ > limit) {
        // No screen of the game can be relied on to end a stuck script: stop the program.
        std::fprintf(stderr, "scripted play stuck at step '%s'\n", current().c_str());
        std::fflush(stderr);
        std::_Exit(3);
    }
    if (done() || SDL_PeepEvents(NULL, 0, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0)
        return;
    if (steps_[at_].run()) {
        at_++;
        // QUORVANE_SCRIPT_TRACE=1 prints each step of a scripted play as it is reached.
        static const bool trace = std::getenv("QUORVANE_SCRIPT_TRACE") != nullptr;
        if (trace)
            std::fprintf(stderr, "[script] frame %lu: %s\n", calls_, current().c_str());
    }
}

void pressBatches(std::initializer_list<std::vector<SDLKey>> batches, const std::function<void()>& screen)
{
    Scenario steps;
    for (const std::vector<SDLKey>& b : batches)
        steps.add("keys", [b] {
            for (SDLKey k : b)
                press(k);
            return true;
        });
    {
        Drive drive(steps);
        screen();
    }
}

void releaseArrows()
{
    for (SDLKey k : {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT})
        holdKey(k, false);
}

Actor* actorNamed(CGame& g, const std::string& name)
{
    for (Actor* a : g.actorList)
        if (a->myName == name)
            return a;
    return nullptr;
}

Item* itemNamed(CGame& g, const std::string& shortName)
{
    for (Item* i : g.itemVec)
        if (i->shortName == shortName)
            return i;
    return nullptr;
}

void Walker::reset()
{
    path_.clear();
    next_ = 0;
    goalX_ = goalY_ = -1;
    partner_ = nullptr;
    phase_ = 0;
    stillFrames_ = 0;
    releaseArrows();
}

std::vector<std::pair<int, int>> Walker::findPath(CGame& g, int tx, int ty)
{
    TileReach reach(g, g.vars.hasFloater);
    for (const Actor* a : g.actorList)
        if (obstructs(g, a))
            reach.blockAround(a);
    reach.search(tileOf(g.player->x), tileOf(g.player->y), tx, ty);
    return reach.pathTo(tx, ty);
}

SDLKey Walker::stepToward(CGame& g, int tx, int ty)
{
    std::vector<std::pair<int, int>> path = findPath(g, tx, ty);
    if (path.size() < 2)
        return SDLK_UNKNOWN;
    int dx = path[1].first - path[0].first, dy = path[1].second - path[0].second;
    if (dx)
        return dx > 0 ? SDLK_RIGHT : SDLK_LEFT;
    return dy > 0 ? SDLK_DOWN : SDLK_UP;
}

bool Walker::reachable(CGame& g, int tx, int ty)
{
    return !findPath(g, tx, ty).empty();
}

bool Walker::walkTo(CGame& g, int tx, int ty)
{
    Actor* p = g.player;
    if (tx != goalX_ || ty != goalY_ || path_.empty()) {
        path_ = findPath(g, tx, ty);
        next_ = 0;
        goalX_ = tx;
        goalY_ = ty;
        if (path_.empty()) {
            std::fprintf(stderr, "no path from (%.0f, %.0f) to tile (%d, %d)\n", p->x, p->y, tx, ty);
            releaseArrows();
            return false;
        }
    }
    float dx = path_[next_].first * TILE_SIZE - p->x;
    float dy = path_[next_].second * TILE_SIZE - p->y;
    if (std::fabs(dx) <= 2 && std::fabs(dy) <= 2) {
        if (++next_ >= path_.size()) {
            path_.clear();
            goalX_ = goalY_ = -1;
            releaseArrows();
            return true;
        }
        dx = path_[next_].first * TILE_SIZE - p->x;
        dy = path_[next_].second * TILE_SIZE - p->y;
    }
    // Blocked for a while (a character in the way, a corner): try the other axis first.
    if (p->x == lastX_ && p->y == lastY_) {
        if (++stillFrames_ > 15) {
            yFirst_ = !yFirst_;
            stillFrames_ = 0;
        }
    } else {
        stillFrames_ = 0;
    }
    lastX_ = p->x;
    lastY_ = p->y;
    releaseArrows();
    bool moveX = std::fabs(dx) > 2, moveY = std::fabs(dy) > 2;
    if (moveX && moveY)
        (yFirst_ ? moveX : moveY) = false;
    if (moveX)
        holdKey(dx > 0 ? SDLK_RIGHT : SDLK_LEFT, true);
    if (moveY)
        holdKey(dy > 0 ? SDLK_DOWN : SDLK_UP, true);
    return false;
}

bool Walker::standNear(CGame& g, int x, int y, const std::vector<std::pair<int, int>>& offsets,
                       const std::string& what)
{
    if (phase_ == 0) {
        for (const auto& o : offsets) {
            if (reachable(g, x + o.first, y + o.second)) {
                standX_ = x + o.first;
                standY_ = y + o.second;
                phase_ = 1;
                break;
            }
        }
        if (phase_ == 0) {
            std::fprintf(stderr, "no way to reach %s\n", what.c_str());
            return false;
        }
    }
    if (phase_ == 1) {
        if (walkTo(g, standX_, standY_))
            phase_ = 2;
        return false;
    }
    return true;
}

bool Walker::reach(CGame& g, const Item* item)
{
    Actor* p = g.player;
    int ix = tileOf(item->x), iy = tileOf(item->y);
    if (g.spriteCollision(p->x, p->y, TILE_SIZE, TILE_SIZE, item->x, item->y, TILE_SIZE, TILE_SIZE)) {
        reset();
        return true;
    }
    if (!standNear(g, ix, iy, {{0, 0}, {-1, 0}, {1, 0}, {0, 1}, {0, -1}}, item->itemName))
        return false;
    releaseArrows();
    float dx = item->x - p->x, dy = item->y - p->y;
    if (std::fabs(dx) > std::fabs(dy))
        holdKey(dx > 0 ? SDLK_RIGHT : SDLK_LEFT, true);
    else
        holdKey(dy > 0 ? SDLK_DOWN : SDLK_UP, true);
    return false;
}

bool Walker::approach(CGame& g, const Actor* who)
{
    Actor* p = g.player;
    int wx = tileOf(who->x), wy = tileOf(who->y);
    if (who != partner_) {
        reset();
        partner_ = who;
    }
    if (!standNear(g, wx, wy, {{-2, 0}, {2, 0}, {0, 2}, {0, -2}}, who->myName))
        return false;
    bool alongX = standY_ == wy;
    releaseArrows();
    if (phase_ == 2) {
        // Talking needs both coordinates to differ from the character's: step off its line.
        float off = alongX ? p->y - who->y : p->x - who->x;
        if (std::fabs(off) >= 3) {
            phase_ = 3;
            stillFrames_ = 0;
        } else {
            holdKey(alongX ? (stillFrames_ < 20 ? SDLK_DOWN : SDLK_UP)
                           : (stillFrames_ < 20 ? SDLK_RIGHT : SDLK_LEFT),
                    true);
            stillFrames_++;
        }
        return false;
    }
    float d = g.distance(p->x, p->y, who->x, who->y);
    if (d < 85 || ++stillFrames_ > 200) {
        reset();
        return true;
    }
    if (alongX)
        holdKey(who->x > p->x ? SDLK_RIGHT : SDLK_LEFT, true);
    else
        holdKey(who->y > p->y ? SDLK_DOWN : SDLK_UP, true);
    return false;
}

bool walkUpAndTalk(CGame& g, Walker& walker, const std::string& name)
{
    Actor* who = actorNamed(g, name);
    if (!who) {
        ADD_FAILURE() << "nobody called " << name;
        return true;
    }
    if (!walker.approach(g, who))
        return false;
    press(SDLK_RETURN);
    return true;
}

} // namespace qtest
