// script.cpp -- the second-thread input feeder for tests that cross several screens.
#include "script.h"
#include <chrono>
#include <cstring>

namespace qtest {

EventScript::~EventScript()
{
    stop_ = true;
    if (thread_.joinable())
        thread_.join();
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

EventScript& EventScript::pause(int ms)
{
    Step s;
    s.pauseMs = ms;
    steps_.push_back(s);
    return *this;
}

void EventScript::start()
{
    thread_ = std::thread([this] { run(); });
}

static int pending()
{
    return SDL_PeepEvents(NULL, 0, SDL_PEEKEVENT, SDL_ALLEVENTS);
}

void EventScript::run()
{
    using namespace std::chrono;
    for (const Step& s : steps_) {
        if (s.pauseMs > 0)
            std::this_thread::sleep_for(milliseconds(s.pauseMs));
        // Wait for the game to take what it was given, then give it a moment
        // to move on to whatever screen that input opened.
        while (!stop_ && pending() > 0)
            std::this_thread::sleep_for(milliseconds(2));
        if (stop_)
            return;
        std::this_thread::sleep_for(milliseconds(40));
        if (s.action)
            s.action();
        for (SDL_Event e : s.events)
            SDL_PushEvent(&e);
    }
    done_ = true;
}

} // namespace qtest
