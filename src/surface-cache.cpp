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
