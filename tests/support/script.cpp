// script.cpp -- the frame-driven input feeder for tests that cross several screens.
#include "script.h"
#include <cstring>
#include "seam.h"

namespace qtest {

EventScript::~EventScript()
{
    onFrame = nullptr;
}

EventScript& EventScript::keys(std::vector<SDLKey> presses)
{
    Step s;
    for (SDLKey k : presses) {
        SDL_Event e;
        memset(&e, 0, sizeof e);
        e.type = SDL_KEYDOWN;
        e.key.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.keysym.sym = k;
        s.events.push_back(e);
    }
    steps_.push_back(s);
    return *this;
}

EventScript& EventScript::quit()
{
    Step s;
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = SDL_QUIT;
    s.events.push_back(e);
    steps_.push_back(s);
    return *this;
}

EventScript& EventScript::then(std::function<void()> action)
{
    Step s;
    s.action = action;
    steps_.push_back(s);
    return *this;
}

EventScript& EventScript::pause(int frames)
{
    Step s;
    s.pauseFrames = frames;
    steps_.push_back(s);
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
        if (s.action)
            s.action();
        for (SDL_Event e : s.events)
            SDL_PushEvent(&e);
        next_++;
        if (!s.events.empty())
            break;
    }
    if (next_ >= steps_.size())
        done_ = true;
}

} // namespace qtest
