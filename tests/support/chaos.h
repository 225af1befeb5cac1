// chaos.h -- random-input play of a game folder: random keys every frame, invariants checked every frame.
#pragma once
#include <functional>
#include <string>
#include <vector>
#include <SDL.h>

class CGame;

namespace chaos {

// What a run of random play did.
struct Figures
{
    long frames = 0;          // frames of every screen (each SDL_Delay(0) ends one)
    long playFrames = 0;      // frames of the game loop itself
    int games = 0;            // game objects built and loaded
    int loadsOfSave = 0;      // of which loaded the "save" folder
    int failedLoads = 0;
    int saves = 0;            // F1 presses in play
    int fights = 0;           // fights begun
    int endedFightsByScript = 0;
    std::vector<std::string> faults;   // broken invariants and screens that were never left
};

// Plays the game folder dir (relative to the working directory, which holds
// data/assets) for `frames` frames with random input from a generator seeded
// with `seed`. Each game runs as the program runs it: a fresh game object,
// a load, the introduction, the game loop. When a game ends (F2, death, an
// ending) the next one loads the player's save or the folder again, until
// the frames are spent; then the open screens are closed by Escape (and the
// window close in play), a fight by letting it end. The game's own saves go
// to "save" in the working directory.
Figures play(const std::string& dir, unsigned seed, long frames);

// Runs hook at the end of every frame while no random play is going on, for
// tests that script a single screen frame by frame; nullptr removes it.
void onEveryFrame(std::function<void()> hook);

} // namespace chaos
