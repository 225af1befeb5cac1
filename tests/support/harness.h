// harness.h -- shared test helpers: a private working directory per test, events, captured output.
#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>
#include <SDL.h>

namespace qtest {

// Makes a fresh temporary directory, links the repository's data/assets into
// it (unless withAssets is false), writes config.cfg when given, and makes it
// the working directory. The destructor goes back and removes the directory.
class WorkDir
{
public:
    explicit WorkDir(const std::string& config = "", bool withAssets = true);
    ~WorkDir();
    const std::string& path() const { return dir_; }
    // Writes a file relative to the working directory, creating its folders.
    void write(const std::string& rel, const std::string& content) const;
    std::string read(const std::string& rel) const;
    bool exists(const std::string& rel) const;

private:
    std::string dir_;
    std::string previous_;
};

std::string sourceDir();
void mkdirs(const std::string& path);
// Copies a directory tree (used to build a damaged copy of the assets).
void copyTree(const std::string& from, const std::string& to);
// Copies the repository's game folder `dir` (without its assets, which WorkDir links) into wd.
void copyGame(const WorkDir& wd, const std::string& dir);
std::string readFile(const std::string& path);
// Every file and folder under dir by relative path (folders end in '/'), with the files' contents.
std::map<std::string, std::string> filesUnder(const std::string& dir);

void pushKey(SDLKey key, SDLMod mod = KMOD_NONE);
void pushKeyUp(SDLKey key);
void pushQuit();
// Types lower-case letters as key presses.
void pushText(const std::string& letters);
void clearEvents();
// The held-key array the game reads every frame.
void holdKey(SDLKey key, bool down);
void releaseAllKeys();

// Runs f with standard output and error captured; answers what went to standard error, and
// what went to standard output through `out` when given.
std::string quietly(const std::function<void()>& f, std::string* out = nullptr);

// Colour of one window pixel as 0xRRGGBB.
Uint32 pixelAt(SDL_Surface* s, int x, int y);
// The colours of a rectangle of pixels, row by row.
std::vector<Uint32> pixelBand(SDL_Surface* s, int x, int y, int width, int height);

} // namespace qtest
