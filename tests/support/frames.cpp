// frames.cpp -- the SDL_Delay wrapper that runs the per-frame hook of scripted tests.
#include "frames.h"
#include <SDL.h>

extern "C" void __real_SDL_Delay(Uint32 ms);

namespace qtest {
std::function<void()> onFrame;
}

extern "C" void __wrap_SDL_Delay(Uint32 ms)
{
    if (qtest::onFrame)
        qtest::onFrame();
    __real_SDL_Delay(ms);
}
