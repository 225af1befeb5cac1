// artloader.cpp -- loads every picture under data/assets/ in the display's format, and frees them.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "mediafiles.h"
#include "vars.h"

ArtAssets::ArtAssets()
{
    SpriteSet empty;
    for (auto& row : empty)
        row.fill(NULL);
    sprites.assign(SPRITE_SETS, empty);
    for (int i = 0; i < ICON_COUNT; i++)
        icons[i] = NULL;
}

// How the pixels of a 32-bit picture with an alpha channel are made: every
// one wholly solid, every one wholly solid or wholly clear, or some partly
// see-through.
enum Opacity { SOLID, SOLID_OR_CLEAR, BLENDED };

static Opacity opacityOf(SDL_Surface* s)
{
    const Uint32 amask = s->format->Amask;
    Opacity o = SOLID;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h && o != BLENDED; y++) {
        const Uint32* row = (const Uint32*)((const Uint8*)s->pixels + y * s->pitch);
        for (int x = 0; x < s->w; x++) {
            Uint32 a = row[x] & amask;
            if (a == 0) {
                o = SOLID_OR_CLEAR;
            } else if (a != amask) {
                o = BLENDED;
                break;
            }
        }
    }
    SDL_UnlockSurface(s);
    return o;
}

// Whether a solid pixel (by the alpha of `withAlpha`) of `solid` has colour `key`.
static bool colourUsed(SDL_Surface* withAlpha, SDL_Surface* solid, Uint32 key)
{
    for (int y = 0; y < solid->h; y++) {
        const Uint32* a = (const Uint32*)((const Uint8*)withAlpha->pixels + y * withAlpha->pitch);
        const Uint32* p = (const Uint32*)((const Uint8*)solid->pixels + y * solid->pitch);
        for (int x = 0; x < solid->w; x++)
            if ((a[x] & withAlpha->format->Amask) && p[x] == key)
                return true;
    }
    return false;
}

// A colour that no solid pixel of the picture has, for its clear pixels:
// magenta, unless the picture uses it. A picture has fewer colours than
// pixels, so one of the first w * h + 1 candidates is free.
static Uint32 unusedColourOf(SDL_Surface* withAlpha, SDL_Surface* solid)
{
    Uint32 key = SDL_MapRGB(solid->format, 255, 0, 255);
    if (!colourUsed(withAlpha, solid, key))
        return key;
    std::vector<Uint32> used;
    for (int y = 0; y < solid->h; y++) {
        const Uint32* a = (const Uint32*)((const Uint8*)withAlpha->pixels + y * withAlpha->pitch);
        const Uint32* p = (const Uint32*)((const Uint8*)solid->pixels + y * solid->pitch);
        for (int x = 0; x < solid->w; x++)
            if (a[x] & withAlpha->format->Amask)
                used.push_back(p[x]);
    }
    std::sort(used.begin(), used.end());
    for (Uint32 k = 0; k <= used.size() && std::binary_search(used.begin(), used.end(), key); k++)
        key = SDL_MapRGB(solid->format, (Uint8)(k >> 16), (Uint8)(k >> 8), (Uint8)k);
    return key;
}

// The picture in the display's format without an alpha channel; with
// `keyed`, its clear pixels are painted a colour key, so that blits skip them.
static SDL_Surface* solidCopyOf(SDL_Surface* raw, bool keyed)
{
    SDL_Surface* solid = SDL_DisplayFormat(raw);
    if (!solid || solid->format->BytesPerPixel != 4 || raw->w != solid->w || raw->h != solid->h) {
        if (solid)
            SDL_FreeSurface(solid);
        return NULL;
    }
    SDL_SetAlpha(solid, 0, SDL_ALPHA_OPAQUE);
    if (!keyed)
        return solid;
    SDL_LockSurface(raw);
    SDL_LockSurface(solid);
    Uint32 key = unusedColourOf(raw, solid);
    for (int y = 0; y < solid->h; y++) {
        const Uint32* a = (const Uint32*)((const Uint8*)raw->pixels + y * raw->pitch);
        Uint32* p = (Uint32*)((Uint8*)solid->pixels + y * solid->pitch);
        for (int x = 0; x < solid->w; x++)
            if (!(a[x] & raw->format->Amask))
                p[x] = key;
    }
    SDL_UnlockSurface(solid);
    SDL_UnlockSurface(raw);
    SDL_SetColorKey(solid, SDL_SRCCOLORKEY | SDL_RLEACCEL, key);
    return solid;
}

// Loads a picture in the display's format; NULL when the file is missing or
// unreadable. Blending a wholly solid pixel paints its own colour and a wholly
// clear one leaves the window as it was, so a picture with no partly
// see-through pixel is kept without its alpha channel (clear pixels as a
// colour key): it then draws exactly the same pixels, copied instead of
// blended. Pictures with soft edges, and any not loaded as 32-bit with alpha,
// are converted with their alpha channel. A file that is not a regular file,
// or a picture larger than ASSET_PICTURE_MAX each way, counts as missing.
static SDL_Surface* loadPicture(const char* path)
{
    SDL_Surface* raw = loadPictureFile(path, ASSET_PICTURE_MAX, ASSET_PICTURE_MAX, false);
    if (!raw)
        return NULL;
    SDL_Surface* converted = NULL;
    if (raw->format->BytesPerPixel == 4 && raw->format->Amask) {
        Opacity o = opacityOf(raw);
        if (o != BLENDED)
            converted = solidCopyOf(raw, o == SOLID_OR_CLEAR);
    }
    if (!converted)
        converted = SDL_DisplayFormatAlpha(raw);
    SDL_FreeSurface(raw);
    return converted;
}

// Loads path-numbered pictures 0, 1, 2, ... until the first missing one and
// returns that one's path.
static void loadSeries(const char* format, std::vector<SDL_Surface*>& into, char* missing, size_t size)
{
    for (int i = 0;; i++) {
        snprintf(missing, size, format, i);
        SDL_Surface* s = loadPicture(missing);
        if (!s)
            return;
        into.push_back(s);
    }
}

// Loads the further sprite sets 9, 10, ... that the folder holds whole. A set
// with none of its pictures ends the series quietly; one with only some of
// them is reported and ends it too, so that no character is drawn from a
// half-made set: such a set counts as absent, like the ones after it.
static void loadFurtherSprites(std::vector<ArtAssets::SpriteSet>& sprites)
{
    char path[128];
    for (int s = SPRITE_SETS; s < SPRITE_SETS_MAX; s++) {
        ArtAssets::SpriteSet set;
        int loaded = 0;
        std::string missing;
        for (int d = 0; d < DIRECTIONS; d++)
            for (int f = 0; f < WALK_FRAMES; f++) {
                snprintf(path, sizeof path, "data/assets/sprites/%i/%i-%i.png", s, d, f);
                set[d][f] = loadPicture(path);
                if (set[d][f])
                    loaded++;
                else if (missing.empty())
                    missing = path;
            }
        if (loaded == DIRECTIONS * WALK_FRAMES) {
            sprites.push_back(set);
            continue;
        }
        for (auto& row : set)
            for (SDL_Surface* p : row)
                if (p)
                    SDL_FreeSurface(p);
        if (loaded > 0)
            fprintf(stderr, "Sprite set %i is incomplete (%s is missing or damaged): sets from %i on are not used\n",
                    s, missing.c_str(), s);
        return;
    }
}

void ArtAssets::loadAssets()
{
    char path[128];
    for (int s = 0; s < SPRITE_SETS; s++)
        for (int d = 0; d < DIRECTIONS; d++)
            for (int f = 0; f < WALK_FRAMES; f++) {
                snprintf(path, sizeof path, "data/assets/sprites/%i/%i-%i.png", s, d, f);
                sprites[s][d][f] = loadPicture(path);
                if (!sprites[s][d][f]) {
                    fprintf(stderr, "***CRITICAL ERROR*** Sprite %s not found...\n", path);
                    exit(1);
                }
            }
    loadFurtherSprites(sprites);

    loadSeries("data/assets/items/%i.png", items, path, sizeof path);
    fprintf(stderr, "Warning: %s doesn't exist (can be ignored)\n", path);

    for (int i = 0; i < ICON_COUNT; i++) {
        snprintf(path, sizeof path, "data/assets/icns/%i.png", i);
        icons[i] = loadPicture(path);
        if (!icons[i]) {
            fprintf(stderr, "%s doesn't exist\n", path);
            exit(1);
        }
    }

    loadSeries("data/assets/tiles/%i.png", tiles, path, sizeof path);
    fprintf(stderr, "%s doesn't exist\n", path);

    puts("Assets loaded.");
}

void ArtAssets::unloadAssets()
{
    int count = 0;
    auto release = [&count](SDL_Surface*& s) {
        if (s) {
            SDL_FreeSurface(s);
            count++;
        }
        s = NULL;
    };
    for (SpriteSet& set : sprites)
        for (auto& row : set)
            for (SDL_Surface*& p : row)
                release(p);
    sprites.resize(SPRITE_SETS);
    for (SDL_Surface*& t : tiles)
        release(t);
    tiles.clear();
    for (int i = 0; i < ICON_COUNT; i++)
        release(icons[i]);
    for (SDL_Surface*& it : items)
        release(it);
    items.clear();
    printf("%i art assets unloaded\n", count);
}
