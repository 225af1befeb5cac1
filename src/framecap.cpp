// framecap.cpp -- sleeping out the rest of each frame when the frame cap is on.
#include "framecap.h"
#include "replay.h"

void FrameCap::setRate(int framesPerSecond)
{
    budgetMs = framesPerSecond > 0 ? 1000.0 / framesPerSecond : 0;
    running = false;
}

void FrameCap::endFrame()
{
    replayFrameEnd();
    if (!isOn()) {
        gameDelay(0);
        return;
    }
    double now = gameTicks();
    if (!running || now - deadline > budgetMs) {
        deadline = now;
        running = true;
    }
    Uint32 wait = deadline > now ? (Uint32)(deadline - now + 0.5) : 0;
    deadline += budgetMs;
    gameDelay(wait);
}
