// modkit.h -- what the modders' tools (quorvane-check, quorvane-map) share: finding the game's
// shared assets, counting its sprite sets, and keeping the engine's readers quiet while a tool
// reads a folder with them.
#pragma once
#include <string>

// Where the shared assets (data/assets) are when no folder is named: data/assets in the working
// folder, as the engine looks for them; else beside the game folder (a custom game next to
// data/); else the installed game's, found from the running program. The first that holds
// `marker` wins; empty when none does.
std::string findAssetsFolder(const std::string& gameDir, const char* marker = "font.ttf");

// How many sprite sets the game draws from the assets folder `assets`: the sets every game has,
// then the further ones while all their pictures are there, as the game loads them. `present`
// says whether one picture counts (a tool that decodes, or one that only looks for the file).
int countSpriteSets(const std::string& assets, bool (*present)(const std::string& path));

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
