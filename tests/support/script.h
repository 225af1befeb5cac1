// script.h -- feeds batches of input to the game from a second thread, one batch each time the
// game has emptied the event queue, so that events reach the screen that is open at that moment.
#pragma once
#include <atomic>
#include <functional>
#include <thread>
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

    // A batch of key presses (and releases, with up=true).
    EventScript& keys(std::vector<SDLKey> presses);
    EventScript& quit();
    // Runs an action on the feeder thread in sequence with the batches
    // (for example, holding a key in SDL's key-state array).
    EventScript& then(std::function<void()> action);
    // Waits this long (ms) before the next batch.
    EventScript& pause(int ms);
    void start();
    bool finished() const { return done_; }

private:
    struct Step
    {
        std::vector<SDL_Event> events;
        std::function<void()> action;
        int pauseMs = 0;
    };
    void run();
    std::vector<Step> steps_;
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
};

} // namespace qtest
