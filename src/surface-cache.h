// surface-cache.h -- surfaces kept from frame to frame: rendered lines of text and the message-line band.
#pragma once
#include <string>
#include <unordered_map>
#include <SDL.h>
#include <SDL_ttf.h>

// The dark edge that keeps white text readable on any ground ("readabletext").
const SDL_Color TEXT_OUTLINE = {0, 0, 0, 0};

// Text on screen barely changes between frames, so a line is rendered once
// and its picture kept for the next frames that show it; likewise the band
// behind the message line. The pictures are exactly the ones made afresh
// before, so every pixel drawn is the same. The cache owns its surfaces:
// they are freed when it is full (it then starts over) and when the game
// object is destroyed.
class SurfaceCache
{
public:
    SurfaceCache() = default;
    ~SurfaceCache();
    SurfaceCache(const SurfaceCache&) = delete;
    SurfaceCache& operator=(const SurfaceCache&) = delete;

    // `text` rendered in solid white with `font`; NULL when the font renders
    // nothing (an empty text, say). The caller blits it and must not free it;
    // any alpha it sets must be taken off again (SDL_SetAlpha(s, 0, 255)).
    SDL_Surface* line(TTF_Font* font, const char* text);
    // The one-pixel ring of TEXT_OUTLINE around the line's ink (diagonals
    // too), clear elsewhere, ink included: two pixels wider and higher than
    // the line, to be blitted one pixel up and left of it, under the line.
    // Made from the line's own pixels, an 8-bit picture with a colour key as
    // the line is, so it blits the same way on every SDL 1.2; NULL when the
    // line is not such a picture. Same ownership rules as line().
    SDL_Surface* ring(TTF_Font* font, const char* text);
    // A 32-bit surface w by h filled with colour (0, 0, 100), with no alpha.
    SDL_Surface* band(int w, int h);
    void clear();

    // More distinct lines than this start the cache over.
    static const size_t MAX_LINES = 256;

private:
    void dropLines();
    std::unordered_map<std::string, SDL_Surface*> lines_;
    std::unordered_map<std::string, SDL_Surface*> rings_;
    TTF_Font* font_ = nullptr;
    SDL_Surface* band_ = nullptr;
};
