// script.h -- feeds batches of input to the game from its own thread: SDL_Delay is wrapped (every
// screen calls it once a frame), and at the end of a frame in which the game has emptied the event
// queue the next batch is pushed, so it reaches whatever screen is open at that moment, however
// slow the frame. Test programs that use it link with -Wl,--wrap=SDL_Delay.
#pragma once
#include <chrono>
#include <functional>
#include <vector>
#include <SDL.h>

namespace qtest {

class EventScript
{
public:
    EventScript() = default;
    ~EventScript();
    EventScript(const EventScript&) = delete;
    EventScript& operator=(const EventScript&) = delete;

    // A batch of key presses.
    EventScript& keys(std::vector<SDLKey> presses);
    EventScript& quit();
    // Runs an action in sequence with the batches (for example, holding a key
    // in SDL's key-state array).
    EventScript& then(std::function<void()> action);
    // Waits this long (ms of real time) before the next batch.
    EventScript& pause(int ms);
    void start();
    bool finished() const { return done_; }
    // Called by the wrapped SDL_Delay at the end of every frame.
    void frame();

private:
    struct Step
    {
        std::vector<SDL_Event> events;
        std::function<void()> action;
        int pauseMs = 0;
    };
    std::vector<Step> steps_;
    size_t next_ = 0;
    bool pausing_ = false;
    std::chrono::steady_clock::time_point pauseStart_;
    bool done_ = false;
};

} // namespace qtest
