// textlog.h -- records each line of text the engine draws and where it lands, for tests of screens.
// Include in exactly one file of a test program linked with
// -Wl,--wrap=TTF_RenderText_Solid -Wl,--wrap=SDL_UpperBlit (see screens.cmake).
#pragma once
#include <map>
#include <string>
#include <vector>
#include <SDL.h>
#include <SDL_ttf.h>

namespace qtest {

struct DrawnText
{
    std::string text;
    int x, y;
};

// Lines blitted since the last clear, in drawing order; only while logging.
inline std::vector<DrawnText> drawnText;
inline bool logText = false;
// The text of each line surface the font has made. The engine keeps lines
// from frame to frame, so one surface may be blitted many times.
inline std::map<SDL_Surface*, std::string> renderedText;

inline bool wasDrawn(const std::string& text)
{
    for (const DrawnText& d : drawnText)
        if (d.text == text)
            return true;
    return false;
}

inline bool wasDrawnAt(const std::string& text, int x, int y)
{
    for (const DrawnText& d : drawnText)
        if (d.text == text && d.x == x && d.y == y)
            return true;
    return false;
}

inline size_t indexOf(const std::string& text)
{
    for (size_t i = 0; i < drawnText.size(); i++)
        if (drawnText[i].text == text)
            return i;
    return std::string::npos;
}

} // namespace qtest

extern "C" SDL_Surface* __real_TTF_RenderText_Solid(TTF_Font* font, const char* text, SDL_Color fg);
extern "C" int __real_SDL_UpperBlit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect);

extern "C" SDL_Surface* __wrap_TTF_RenderText_Solid(TTF_Font* font, const char* text, SDL_Color fg)
{
    SDL_Surface* s = __real_TTF_RenderText_Solid(font, text, fg);
    if (s)
        qtest::renderedText[s] = text ? text : "";
    return s;
}

extern "C" int __wrap_SDL_UpperBlit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect)
{
    // Line surfaces are 8-bit; a picture at the address of a freed line is not.
    auto found = src && src->format->BitsPerPixel == 8 ? qtest::renderedText.find(src) : qtest::renderedText.end();
    if (found != qtest::renderedText.end() && qtest::logText)
        qtest::drawnText.push_back({found->second, dstrect ? dstrect->x : 0, dstrect ? dstrect->y : 0});
    return __real_SDL_UpperBlit(src, srcrect, dst, dstrect);
}
