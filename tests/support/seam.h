// seam.h -- the test programs' hooks into SDL, SDL_ttf and the C library. Every test program is
// linked with the same -Wl,--wrap list (tests/CMakeLists.txt) and with seam.cpp, whose wrappers do
// exactly what the wrapped function does until a test sets a hook here. The hooks run on the
// game's own thread.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>
#include <SDL.h>

namespace qtest {

// SDL_Delay: every screen loop of the engine calls it once a frame (with 0 ms). onDelay, when set,
// sees every delay first and answers whether the real delay should happen; onFrame runs after it,
// at every delay.
extern std::function<bool(Uint32 ms)> onDelay;
extern std::function<void()> onFrame;

// SDL_Flip: runs before every frame is shown.
extern std::function<void()> onFlip;

// SDL_GetTicks: while set, every reading the engine takes is what this answers.
extern std::function<Uint32()> fakeTicks;

// The scripted plays' clock: 4 ms per reading, so walking, banners and slides take the same
// number of frames on every machine, with or without sanitizers.
struct TestClock
{
    Uint32 now = 1000;
    TestClock() { fakeTicks = [this] { return now += 4; }; }
    ~TestClock() { fakeTicks = nullptr; }
};

// SDL_WM_SetIcon: the last window icon the engine set, and its mask.
extern SDL_Surface* windowIcon;
extern Uint8* windowIconMask;

// renameat2: while set, exchanging two folders fails as on a file system that cannot do it.
extern bool refuseExchange;

// TTF_RenderText_Solid and SDL_UpperBlit: each line of text the engine draws and where it lands.
struct DrawnText
{
    std::string text;
    int x, y;
};
// Lines blitted since the last clear, in drawing order; only while logText is set.
extern std::vector<DrawnText> drawnText;
extern bool logText;
// The text of each line surface the font has made. The engine keeps lines from frame to frame,
// so one surface may be blitted many times.
extern std::map<SDL_Surface*, std::string> renderedText;

bool wasDrawn(const std::string& text);
bool wasDrawnAt(const std::string& text, int x, int y);
// Index in drawnText of the first line with that text, or npos.
size_t indexOf(const std::string& text);

// Every hook back to doing nothing, the text log off and empty.
void clearHooks();

} // namespace qtest
