// keyfeed.cpp -- a library preloaded into the real game to play it headless from a list of keys.
//
// The installed game has no test hooks: the test command starts it with
// LD_PRELOAD naming this library and QUORVANE_KEYS holding steps such as
// "30:return 90:x 200:f1 260:quit". Each screen loop of the engine calls
// SDL_Delay once a frame; this library's SDL_Delay counts those calls and, at
// each step's frame, presses and lets go of the named key (SDL's own key
// names) or asks the window to close, before it delays as SDL would.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include <dlfcn.h>
#include <SDL.h>

namespace {

struct Step {
    long frame;
    std::string key;   // an SDL key name, or "quit"
};

SDLKey keyNamed(const std::string& name)
{
    for (int k = SDLK_FIRST; k < SDLK_LAST; k++)
        if (name == SDL_GetKeyName(SDLKey(k)))
            return SDLKey(k);
    fprintf(stderr, "keyfeed: no key is named \"%s\"\n", name.c_str());
    return SDLK_UNKNOWN;
}

std::vector<Step> readSteps()
{
    std::vector<Step> steps;
    const char* text = getenv("QUORVANE_KEYS");
    std::string all = text ? text : "";
    size_t pos = 0;
    while (pos < all.size()) {
        size_t end = all.find(' ', pos);
        std::string word = all.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
        pos = end == std::string::npos ? all.size() : end + 1;
        size_t colon = word.find(':');
        if (word.empty() || colon == std::string::npos)
            continue;
        steps.push_back(Step{atol(word.c_str()), word.substr(colon + 1)});
    }
    return steps;
}

void push(Uint8 type, SDLKey key)
{
    SDL_Event e;
    memset(&e, 0, sizeof e);
    e.type = type;
    if (type == SDL_KEYDOWN || type == SDL_KEYUP) {
        e.key.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = key;
    }
    SDL_PushEvent(&e);
}

// Key names are looked up only now: SDL knows them once its video is running,
// and audio is opened, with delays of its own, before that.
void run(const Step& s)
{
    if (s.key == "quit") {
        push(SDL_QUIT, SDLK_UNKNOWN);
    } else {
        SDLKey key = keyNamed(s.key);
        push(SDL_KEYDOWN, key);
        push(SDL_KEYUP, key);
    }
}

} // namespace

extern "C" void SDL_Delay(Uint32 ms)
{
    typedef void (*DelayFn)(Uint32);
    static DelayFn real = (DelayFn)dlsym(RTLD_NEXT, "SDL_Delay");
    static std::vector<Step> steps = readSteps();
    static size_t next = 0;
    static long frame = 0;
    frame++;
    while (next < steps.size() && steps[next].frame <= frame)
        run(steps[next++]);
    // Past the last step the window keeps being asked to close, now and then.
    if (next == steps.size() && !steps.empty() && frame > steps.back().frame && frame % 50 == 0)
        push(SDL_QUIT, SDLK_UNKNOWN);
    if (real)
        real(ms);
}
