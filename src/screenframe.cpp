// screenframe.cpp -- the frame end and event pump every blocking screen shares (flip, frame cap, recording, timers).
#include "game.h"
#include "gamepad.h"
#include "replay.h"
#include "screen-show.h"

void CGame::showFrame()
{
    showWindowSurface(screen);
    frameCap.endFrame();
}

void CGame::measureFrame(FrameClock clock)
{
    if (clock == FrameClock::Untimed)
        return;
    float now = (float)gameTicks();
    vars.timer_elapsed = now - vars.timer_start;
    if (clock != FrameClock::Measured && vars.timer_elapsed > FRAME_ELAPSED_MAX)
        vars.timer_elapsed = FRAME_ELAPSED_MAX;
    vars.timer_delta = vars.timer_elapsed / 1000.0f;
    if (clock == FrameClock::Running)
        vars.timer_start = now;
}

void CGame::endScreenFrame(FrameClock clock)
{
    showFrame();
    measureFrame(clock);
}

void CGame::waitFrame()
{
    frameCap.endFrame();
}

bool CGame::nextEvent(QuitRule rule)
{
    if (!pollEvent(&event))
        return false;
    if (event.type == SDL_QUIT && rule == QuitRule::EndsGame)
        bMustQuit = true;
    return true;
}
