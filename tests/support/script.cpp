// script.cpp -- the frame-driven input feeder for tests that cross several screens.
#include "script.h"
#include "harness.h"
#include "seam.h"

namespace qtest {

EventScript::~EventScript()
{
    onFrame = nullptr;
}

EventScript& EventScript::keys(std::vector<SDLKey> presses)
{
    steps_.push_back({[presses] {
                          for (SDLKey k : presses)
                              pushKey(k);
                      },
                      true, 0});
    return *this;
}

EventScript& EventScript::quit()
{
    steps_.push_back({pushQuit, true, 0});
    return *this;
}

EventScript& EventScript::then(std::function<void()> action)
{
    steps_.push_back({action, false, 0});
    return *this;
}

EventScript& EventScript::pause(int frames)
{
    steps_.push_back({nullptr, false, frames});
    return *this;
}

void EventScript::start()
{
    next_ = 0;
    paused_ = 0;
    done_ = steps_.empty();
    onFrame = [this] { frame(); };
}

// One batch of events a frame, and only once the game has taken the last one.
void EventScript::frame()
{
    while (next_ < steps_.size()) {
        if (SDL_PeepEvents(NULL, 0, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0)
            return;
        const Step& s = steps_[next_];
        if (paused_ < s.pauseFrames) {
            paused_++;
            return;
        }
        paused_ = 0;
        if (s.run)
            s.run();
        next_++;
        if (s.pushes)
            break;
    }
    if (next_ >= steps_.size())
        done_ = true;
}

} // namespace qtest
