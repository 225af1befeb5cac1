// fakeclock.h -- a stand-in for SDL_GetTicks in test programs linked with --wrap=SDL_GetTicks.
#pragma once
#include <functional>
#include <SDL.h>

namespace qtest {

// While set, every SDL_GetTicks call made by the engine returns what this
// answers; it runs on the game's own thread, so it may also push events.
extern std::function<Uint32()> fakeTicks;

// The scripted plays' clock: 4 ms per reading, so walking, banners and slides take the same
// number of frames on every machine, with or without sanitizers.
struct TestClock
{
    Uint32 now = 1000;
    TestClock() { fakeTicks = [this] { return now += 4; }; }
    ~TestClock() { fakeTicks = nullptr; }
};

} // namespace qtest
