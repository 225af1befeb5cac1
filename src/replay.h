// replay.h -- recording a run's input events, clock readings and random seed to a file, and playing one back.
#pragma once
#include <SDL.h>

class CGame;

// The first line of every recording; a file with another first line is refused.
#define REPLAY_VERSION_LINE "quorvane-replay 1"

// From now on every raw event, clock reading and frame end is written to `path`, and the random
// numbers start from a seed written there first. False, with a message on standard error, when the
// file cannot be written.
bool startRecording(const char* path);
// From now on events and clock readings come from the recording at `path`, and every frame end is
// checked against it; `fast` skips the frame waits. False, with a message, when the file cannot be
// read or is not a recording.
bool startReplay(const char* path, bool fast);
// Closes the recording or the replay; true unless a replay stopped matching the game or ran out.
bool finishReplay();
bool isRecording();
bool isReplaying();

// The game object whose player the per-frame check reads; null while none is alive.
void replayFollow(const CGame* game);

// The engine's one clock (ms): SDL_GetTicks, written to a recording or read back from one.
Uint32 gameTicks();
// A frame's wait: SDL_Delay, skipped while a replay runs fast.
void gameDelay(Uint32 ms);
// The end of every screen's frame: writes the frame's check line or compares it with the recording.
void replayFrameEnd();
// SDL_PollEvent for the gamepad's pollEvent: a raw event, written down or read back. While a
// replay that stopped runs, every other poll answers a window-close so each screen unwinds.
int replayPollEvent(SDL_Event* event);
// Called after a raw event has been handled (the gamepad may hold or let go of arrows): the key
// state the next recorded poll is compared with.
void replayKeysSettled();
