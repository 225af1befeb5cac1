// surface-cache.cpp -- keeps rendered lines of text and the message-line band between frames.
#include "surface-cache.h"

static const SDL_Color WHITE = {255, 255, 255, 0};

SurfaceCache::~SurfaceCache()
{
    clear();
}

void SurfaceCache::dropLines()
{
    for (auto& entry : lines_)
        SDL_FreeSurface(entry.second);
    lines_.clear();
    for (auto& entry : rings_)
        SDL_FreeSurface(entry.second);
    rings_.clear();
}

void SurfaceCache::clear()
{
    dropLines();
    font_ = nullptr;
    if (band_)
        SDL_FreeSurface(band_);
    band_ = nullptr;
}

SDL_Surface* SurfaceCache::line(TTF_Font* font, const char* text)
{
    if (!font || !text)
        return NULL;
    if (font != font_) {
        dropLines();
        font_ = font;
    }
    auto found = lines_.find(text);
    if (found != lines_.end())
        return found->second;
    SDL_Surface* s = TTF_RenderText_Solid(font, text, WHITE);
    if (!s)
        return NULL;
    if (lines_.size() >= MAX_LINES)
        dropLines();
    lines_.emplace(text, s);
    return s;
}

namespace {

// Whether a line comes with an alpha channel instead of pens: a text renderer that smooths
// its glyphs (the browser's) gives 32-bit lines whose alpha is the ink's coverage.
bool smoothLine(const SDL_Surface* s)
{
    return s->format->BitsPerPixel == 32 && s->format->Amask != 0;
}

// The pixel at (x, y) of a line is ink: on an 8-bit line when it is not pen 0, the background
// SDL_ttf keys out of every solid line; on a smooth line when it is at least half covered.
bool inked(const SDL_Surface* s, int x, int y)
{
    if (x < 0 || y < 0 || x >= s->w || y >= s->h)
        return false;
    const Uint8* row = (const Uint8*)s->pixels + y * s->pitch;
    if (!smoothLine(s))
        return row[x] != 0;
    Uint32 mask = s->format->Amask;
    return (((const Uint32*)row)[x] & mask) > (mask >> 1);
}

// The ring's pixels: ink up to two pixels above or to the left, and no ink one up and one left.
bool onRing(const SDL_Surface* line, int x, int y)
{
    bool near = false;
    for (int dy = -2; dy <= 0; dy++)
        for (int dx = -2; dx <= 0; dx++)
            near = near || inked(line, x + dx, y + dy);
    return near && !inked(line, x - 1, y - 1);
}

// A colour's value in a pixel of 32 bits: placed at the mask's lowest bit.
Uint32 placed(Uint8 value, Uint32 mask)
{
    if (!mask)
        return 0;
    int shift = 0;
    while (!((mask >> shift) & 1))
        shift++;
    return ((Uint32)value << shift) & mask;
}

// The ring round a smooth line: opaque TEXT_OUTLINE on clear pixels, in the line's own format.
SDL_Surface* smoothRingAround(SDL_Surface* line)
{
    const SDL_PixelFormat* f = line->format;
    SDL_Surface* out = SDL_CreateRGBSurface(SDL_SWSURFACE, line->w + 2, line->h + 2, 32, f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (!out)
        return NULL;
    Uint32 ink = placed(TEXT_OUTLINE.r, f->Rmask) | placed(TEXT_OUTLINE.g, f->Gmask) | placed(TEXT_OUTLINE.b, f->Bmask) | f->Amask;
    SDL_LockSurface(line);
    SDL_LockSurface(out);
    for (int y = 0; y < out->h; y++) {
        Uint32* row = (Uint32*)((Uint8*)out->pixels + y * out->pitch);
        for (int x = 0; x < out->w; x++)
            row[x] = onRing(line, x, y) ? ink : 0;
    }
    SDL_UnlockSurface(out);
    SDL_UnlockSurface(line);
    return out;
}

// Pen 0 is clear (a colour no text uses, so a conversion that keys by colour
// keeps the ring), pen 1 the ring.
SDL_Surface* ringAround(SDL_Surface* line)
{
    if (smoothLine(line))
        return smoothRingAround(line);
    if (line->format->BitsPerPixel != 8)
        return NULL;
    SDL_Surface* out = SDL_CreateRGBSurface(SDL_SWSURFACE, line->w + 2, line->h + 2, 8, 0, 0, 0, 0);
    if (!out)
        return NULL;
    SDL_Color pens[2] = {{255, 0, 255, 0}, TEXT_OUTLINE};
    SDL_SetColors(out, pens, 0, 2);
    SDL_LockSurface(line);
    SDL_LockSurface(out);
    for (int y = 0; y < out->h; y++) {
        Uint8* row = (Uint8*)out->pixels + y * out->pitch;
        for (int x = 0; x < out->w; x++)
            row[x] = onRing(line, x, y) ? 1 : 0;
    }
    SDL_UnlockSurface(out);
    SDL_UnlockSurface(line);
    SDL_SetColorKey(out, SDL_SRCCOLORKEY, 0);
    return out;
}

} // namespace

SDL_Surface* SurfaceCache::ring(TTF_Font* font, const char* text)
{
    SDL_Surface* plain = line(font, text);
    if (!plain)
        return NULL;
    auto found = rings_.find(text);
    if (found != rings_.end())
        return found->second;
    SDL_Surface* s = ringAround(plain);
    if (!s)
        return NULL;
    if (rings_.size() >= MAX_LINES)
        dropLines();
    rings_.emplace(text, s);
    return s;
}

SDL_Surface* SurfaceCache::band(int w, int h)
{
    if (band_ && (band_->w != w || band_->h != h)) {
        SDL_FreeSurface(band_);
        band_ = nullptr;
    }
    if (!band_) {
        band_ = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0, 0, 0, 0);
        if (band_)
            SDL_FillRect(band_, NULL, SDL_MapRGB(band_->format, 0, 0, 100));
    }
    return band_;
}
