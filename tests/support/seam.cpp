// seam.cpp -- the wrappers named in tests/CMakeLists.txt's wrap list; see seam.h.
#include "seam.h"
#include <cerrno>
#include <fcntl.h>
#include <cstdio>
#include <SDL_ttf.h>

namespace qtest {

std::function<bool(Uint32)> onDelay;
std::function<void()> onFrame;
std::function<void()> onFlip;
std::function<Uint32()> fakeTicks;
SDL_Surface* windowIcon = nullptr;
Uint8* windowIconMask = nullptr;
bool refuseExchange = false;
std::vector<DrawnText> drawnText;
bool logText = false;
std::map<SDL_Surface*, std::string> renderedText;

bool wasDrawn(const std::string& text)
{
    return indexOf(text) != std::string::npos;
}

bool wasDrawnAt(const std::string& text, int x, int y)
{
    for (const DrawnText& d : drawnText)
        if (d.text == text && d.x == x && d.y == y)
            return true;
    return false;
}

size_t indexOf(const std::string& text)
{
    for (size_t i = 0; i < drawnText.size(); i++)
        if (drawnText[i].text == text)
            return i;
    return std::string::npos;
}

void clearHooks()
{
    onDelay = nullptr;
    onFrame = nullptr;
    onFlip = nullptr;
    fakeTicks = nullptr;
    refuseExchange = false;
    logText = false;
    drawnText.clear();
}

} // namespace qtest

extern "C" {

void __real_SDL_Delay(Uint32 ms);
Uint32 __real_SDL_GetTicks(void);
int __real_SDL_Flip(SDL_Surface* s);
void __real_SDL_WM_SetIcon(SDL_Surface* icon, Uint8* mask);
int __real_SDL_UpperBlit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect);
SDL_Surface* __real_TTF_RenderText_Solid(TTF_Font* font, const char* text, SDL_Color fg);
int __real_renameat2(int olddirfd, const char* oldpath, int newdirfd, const char* newpath, unsigned int flags);

void __wrap_SDL_Delay(Uint32 ms)
{
    bool wait = qtest::onDelay ? qtest::onDelay(ms) : true;
    if (qtest::onFrame)
        qtest::onFrame();
    if (wait)
        __real_SDL_Delay(ms);
}

Uint32 __wrap_SDL_GetTicks(void)
{
    return qtest::fakeTicks ? qtest::fakeTicks() : __real_SDL_GetTicks();
}

int __wrap_SDL_Flip(SDL_Surface* s)
{
    if (qtest::onFlip)
        qtest::onFlip();
    return __real_SDL_Flip(s);
}

void __wrap_SDL_WM_SetIcon(SDL_Surface* icon, Uint8* mask)
{
    qtest::windowIcon = icon;
    qtest::windowIconMask = mask;
    __real_SDL_WM_SetIcon(icon, mask);
}

SDL_Surface* __wrap_TTF_RenderText_Solid(TTF_Font* font, const char* text, SDL_Color fg)
{
    SDL_Surface* s = __real_TTF_RenderText_Solid(font, text, fg);
    if (s)
        qtest::renderedText[s] = text ? text : "";
    return s;
}

int __wrap_SDL_UpperBlit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect)
{
    // Line surfaces are 8-bit; a picture at the address of a freed line is not.
    if (qtest::logText && src && src->format->BitsPerPixel == 8) {
        auto found = qtest::renderedText.find(src);
        if (found != qtest::renderedText.end())
            qtest::drawnText.push_back({found->second, dstrect ? dstrect->x : 0, dstrect ? dstrect->y : 0});
    }
    return __real_SDL_UpperBlit(src, srcrect, dst, dstrect);
}

int __wrap_renameat2(int olddirfd, const char* oldpath, int newdirfd, const char* newpath, unsigned int flags)
{
    if (qtest::refuseExchange && (flags & RENAME_EXCHANGE)) {
        errno = EINVAL;
        return -1;
    }
    return __real_renameat2(olddirfd, oldpath, newdirfd, newpath, flags);
}

} // extern "C"
