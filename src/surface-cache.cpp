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
    for (auto& entry : outlined_)
        SDL_FreeSurface(entry.second);
    outlined_.clear();
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

enum OutlinePen : Uint8 { PEN_CLEAR = 0, PEN_INK = 1, PEN_OUTLINE = 2 };

// The pixel at (x, y) of an 8-bit line is ink when it is not the colour key.
bool inked(const SDL_Surface* s, int x, int y)
{
    if (x < 0 || y < 0 || x >= s->w || y >= s->h)
        return false;
    return ((const Uint8*)s->pixels)[y * s->pitch + x] != (Uint8)s->format->colorkey;
}

SDL_Surface* outline(SDL_Surface* line)
{
    if (line->format->BitsPerPixel != 8)
        return NULL;
    SDL_Surface* out = SDL_CreateRGBSurface(SDL_SWSURFACE, line->w + 2, line->h + 2, 8, 0, 0, 0, 0);
    if (!out)
        return NULL;
    // The clear pen is a colour no text uses, so a conversion that keys by
    // colour keeps the outline.
    SDL_Color pens[3] = {{255, 0, 255, 0}, {255, 255, 255, 0}, TEXT_OUTLINE};
    SDL_SetColors(out, pens, 0, 3);
    SDL_LockSurface(line);
    SDL_LockSurface(out);
    for (int y = 0; y < out->h; y++) {
        Uint8* row = (Uint8*)out->pixels + y * out->pitch;
        for (int x = 0; x < out->w; x++) {
            Uint8 pen = PEN_CLEAR;
            if (inked(line, x - 1, y - 1)) {
                pen = PEN_INK;
            } else {
                for (int dy = -2; dy <= 0 && pen == PEN_CLEAR; dy++)
                    for (int dx = -2; dx <= 0; dx++)
                        if (inked(line, x + dx, y + dy))
                            pen = PEN_OUTLINE;
            }
            row[x] = pen;
        }
    }
    SDL_UnlockSurface(out);
    SDL_UnlockSurface(line);
    SDL_SetColorKey(out, SDL_SRCCOLORKEY, PEN_CLEAR);
    return out;
}

} // namespace

SDL_Surface* SurfaceCache::outlinedLine(TTF_Font* font, const char* text)
{
    SDL_Surface* plain = line(font, text);
    if (!plain)
        return NULL;
    auto found = outlined_.find(text);
    if (found != outlined_.end())
        return found->second;
    SDL_Surface* s = outline(plain);
    if (!s)
        return NULL;
    if (outlined_.size() >= MAX_LINES)
        dropLines();
    outlined_.emplace(text, s);
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
