// screenframe.h -- how a blocking screen chooses its frame end and what a window close does to it.
#pragma once

constexpr float FRAME_ELAPSED_MAX = 100.0f;   // ms: the most one frame may move the world

// What a screen's frame end does with the frame timers of MiscVars.
enum class FrameClock {
    Untimed,    // leaves them alone (menus, lists, waits for a key)
    Measured,   // timer_elapsed = ms since timer_start, timer_delta the same in seconds
    Capped,     // as Measured, at most FRAME_ELAPSED_MAX (the map's frames)
    Running,    // as Capped, and the same reading starts the next frame (the fight banner)
};

// What a window close does: on the map, in the inventory, the journal and the main menu it
// ends the game (sets bMustQuit); on every other screen it only closes that screen.
enum class QuitRule { ClosesScreen, EndsGame };
