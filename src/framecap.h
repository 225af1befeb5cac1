// framecap.h -- the optional frame cap: every screen's frame ends by sleeping out the rest of its share of a second.
#pragma once
#include <SDL.h>

constexpr int FRAME_CAP_FPS = 60;   // the rate of the "framecap" option

// Owned by the game object. Off, a frame end only yields (SDL_Delay(0)) and
// frames come as fast as the machine draws them.
class FrameCap
{
public:
    // Frames come at most framesPerSecond a second from now on; 0 switches the cap off.
    void setRate(int framesPerSecond);
    bool isOn() const { return budgetMs > 0; }
    // The last call of every screen loop's frame, after the flip. With the cap
    // on it sleeps until a running deadline that moves on by one frame's budget
    // (ms, read with gameTicks) each call, so short and long frames even out
    // to the rate; a frame late by more than a whole budget (a stall, a nested
    // screen) starts the deadline afresh instead of hurrying the frames after it.
    void endFrame();

private:
    double budgetMs = 0;
    double deadline = 0;   // ms: when the current frame should end
    bool running = false;
};
