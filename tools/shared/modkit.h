// modkit.h -- what the modders' tools (quorvane-check, quorvane-map) share: finding the game's
// shared assets, and keeping the engine's readers quiet while a tool reads a folder with them.
#pragma once
#include <string>

// Where the shared assets (data/assets) are when no folder is named: data/assets in the working
// folder, as the engine looks for them; else beside the game folder (a custom game next to
// data/); else the installed game's, found from the running program. The first that holds
// `marker` wins; empty when none does.
std::string findAssetsFolder(const std::string& gameDir, const char* marker = "font.ttf");

// While one lives, what the engine's readers print goes nowhere: their progress lines on standard
// output, and with `errorsToo` their warnings on standard error (a tool that says it in its own
// words, with file and line).
class QuietOutput
{
public:
    explicit QuietOutput(bool errorsToo = true);
    ~QuietOutput();
    QuietOutput(const QuietOutput&) = delete;
    QuietOutput& operator=(const QuietOutput&) = delete;

private:
    int savedOut_ = -1, savedErr_ = -1;
};
