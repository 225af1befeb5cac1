// fakeclock.cpp -- the SDL_GetTicks stand-in used by the frame-timing tests.
#include "fakeclock.h"

extern "C" Uint32 __real_SDL_GetTicks(void);

namespace qtest {
std::function<Uint32()> fakeTicks;
}

extern "C" Uint32 __wrap_SDL_GetTicks(void)
{
    if (qtest::fakeTicks)
        return qtest::fakeTicks();
    return __real_SDL_GetTicks();
}
