// harness.cpp -- shared test helpers.
#include "harness.h"
#include <dirent.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace qtest {

// Every test runs headless, whether started by CTest or by hand.
static const bool headless = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return true;
}();

std::string sourceDir() { return QUORVANE_SOURCE_DIR; }

void mkdirs(const std::string& path)
{
    std::string cur;
    std::stringstream ss(path);
    std::string part;
    if (!path.empty() && path[0] == '/')
        cur = "/";
    while (std::getline(ss, part, '/')) {
        if (part.empty())
            continue;
        cur += part + "/";
        mkdir(cur.c_str(), 0755);
    }
}

void copyTree(const std::string& from, const std::string& to)
{
    std::string cmd = "cp -rL '" + from + "' '" + to + "'";
    ASSERT_EQ(0, system(cmd.c_str())) << cmd;
}

void copyGame(const WorkDir& wd, const std::string& dir)
{
    std::string cmd = "cd '" + sourceDir() + "/" + dir + "' && mkdir -p '" + wd.path() + "/" + dir +
                      "' && for f in *; do [ \"$f\" = assets ] || cp -r \"$f\" '" + wd.path() + "/" + dir + "/'; done";
    ASSERT_EQ(0, system(cmd.c_str())) << cmd;
}

std::string quietly(const std::function<void()>& f, std::string* out)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    f();
    std::string o = testing::internal::GetCapturedStdout();
    if (out)
        *out = o;
    return testing::internal::GetCapturedStderr();
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

namespace {

void collect(const std::string& root, const std::string& rel, std::map<std::string, std::string>& out)
{
    std::string path = rel.empty() ? root : root + "/" + rel;
    DIR* d = opendir(path.c_str());
    if (!d)
        return;
    while (struct dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name == "." || name == "..")
            continue;
        std::string r = rel.empty() ? name : rel + "/" + name;
        struct stat st;
        if (lstat((root + "/" + r).c_str(), &st) != 0)
            continue;
        if (S_ISDIR(st.st_mode)) {
            out[r + "/"] = "";
            collect(root, r, out);
        } else {
            out[r] = readFile(root + "/" + r);
        }
    }
    closedir(d);
}

} // namespace

std::map<std::string, std::string> filesUnder(const std::string& dir)
{
    std::map<std::string, std::string> out;
    collect(dir, "", out);
    return out;
}

WorkDir::WorkDir(const std::string& config, bool withAssets)
{
    char tmpl[] = "/tmp/quorvane-test-XXXXXX";
    char* d = mkdtemp(tmpl);
    if (!d) {
        ADD_FAILURE() << "mkdtemp failed";
        return;
    }
    dir_ = d;
    char cwd[4096];
    if (getcwd(cwd, sizeof cwd))
        previous_ = cwd;
    if (withAssets) {
        mkdirs(dir_ + "/data");
        std::string target = sourceDir() + "/data/assets";
        if (symlink(target.c_str(), (dir_ + "/data/assets").c_str()) != 0)
            ADD_FAILURE() << "could not link the assets";
    }
    if (!config.empty()) {
        std::ofstream(dir_ + "/config.cfg") << config;
    }
    if (chdir(dir_.c_str()) != 0)
        ADD_FAILURE() << "chdir failed";
}

WorkDir::~WorkDir()
{
    if (!previous_.empty() && chdir(previous_.c_str()) != 0)
        ADD_FAILURE() << "chdir back failed";
    if (!dir_.empty()) {
        std::string cmd = "chmod -R u+w '" + dir_ + "' 2>/dev/null; rm -rf '" + dir_ + "'";
        if (system(cmd.c_str()) != 0)
            ADD_FAILURE() << "could not remove " << dir_;
    }
}

void WorkDir::write(const std::string& rel, const std::string& content) const
{
    std::string full = dir_ + "/" + rel;
    size_t slash = full.rfind('/');
    mkdirs(full.substr(0, slash));
    std::ofstream out(full, std::ios::binary);
    out << content;
}

std::string WorkDir::read(const std::string& rel) const
{
    return readFile(dir_ + "/" + rel);
}

bool WorkDir::exists(const std::string& rel) const
{
    struct stat st;
    return stat((dir_ + "/" + rel).c_str(), &st) == 0;
}

namespace {

// SDL_KEYDOWN, SDL_KEYUP or SDL_QUIT.
void pushEvent(Uint8 type, SDLKey key = SDLK_UNKNOWN, SDLMod mod = KMOD_NONE)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = type;
    if (type != SDL_QUIT) {
        e.key.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = key;
        e.key.keysym.mod = mod;
    }
    SDL_PushEvent(&e);
}

} // namespace

void pushKey(SDLKey key, SDLMod mod) { pushEvent(SDL_KEYDOWN, key, mod); }
void pushKeyUp(SDLKey key) { pushEvent(SDL_KEYUP, key); }
void pushQuit() { pushEvent(SDL_QUIT); }

void pushText(const std::string& letters)
{
    for (char c : letters)
        pushKey((SDLKey)c);
}

void clearEvents()
{
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
    }
}

void holdKey(SDLKey key, bool down)
{
    Uint8* keys = SDL_GetKeyState(NULL);
    keys[key] = down ? 1 : 0;
}

void releaseAllKeys()
{
    int n = 0;
    Uint8* keys = SDL_GetKeyState(&n);
    for (int i = 0; i < n; i++)
        keys[i] = 0;
}

Uint32 pixelAt(SDL_Surface* s, int x, int y)
{
    SDL_LockSurface(s);
    Uint8* p = (Uint8*)s->pixels + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 v = 0;
    memcpy(&v, p, s->format->BytesPerPixel);
    SDL_UnlockSurface(s);
    Uint8 r, g, b;
    SDL_GetRGB(v, s->format, &r, &g, &b);
    return ((Uint32)r << 16) | ((Uint32)g << 8) | b;
}

std::vector<Uint32> pixelBand(SDL_Surface* s, int x, int y, int width, int height)
{
    std::vector<Uint32> px;
    for (int j = y; j < y + height; j++)
        for (int i = x; i < x + width; i++)
            px.push_back(pixelAt(s, i, j));
    return px;
}

} // namespace qtest
