// script.h -- feeds batches of input to the game from its own thread: at the end of a frame (the
// seam's frame hook) in which the game has emptied the event queue the next batch is pushed, so it
// reaches whatever screen is open at that moment, however slow the frame.
#pragma once
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
    // Lets this many frames pass before the next batch.
    EventScript& pause(int frames);
    void start();
    bool finished() const { return done_; }
    // Called by the frame hook at the end of every frame.
    void frame();

private:
    struct Step
    {
        std::function<void()> run;
        bool pushes;       // a batch of events: the next step waits for a later frame
        int pauseFrames;
    };
    std::vector<Step> steps_;
    size_t next_ = 0;
    int paused_ = 0;   // frames the current pause has waited
    bool done_ = false;
};

} // namespace qtest
