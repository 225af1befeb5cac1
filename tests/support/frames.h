// frames.h -- a hook run at the end of every frame of every screen: each of the engine's screen
// loops calls SDL_Delay once a frame, and test programs linked with -Wl,--wrap=SDL_Delay get
// this file's wrapper, which calls the hook on the game's own thread before the real delay.
#pragma once
#include <functional>

namespace qtest {

extern std::function<void()> onFrame;

} // namespace qtest
