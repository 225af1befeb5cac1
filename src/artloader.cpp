// artloader.cpp -- loads every picture under data/assets/ in the display's format, and frees them.
#include <cstdio>
#include <cstdlib>
#include <SDL_image.h>
#include "vars.h"

ArtAssets::ArtAssets()
{
    for (int s = 0; s < 9; s++)
        for (int d = 0; d < 4; d++)
            for (int f = 0; f < 3; f++)
                sprites[s][d][f] = NULL;
    for (int i = 0; i < 29; i++)
        icons[i] = NULL;
}

// Loads a picture and converts it to the display's format with its alpha
// channel; NULL when the file is missing or unreadable.
static SDL_Surface* loadPicture(const char* path)
{
    SDL_Surface* raw = IMG_Load(path);
    if (!raw)
        return NULL;
    SDL_Surface* converted = SDL_DisplayFormatAlpha(raw);
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

void ArtAssets::loadAssets()
{
    char path[128];
    for (int s = 0; s < 9; s++)
        for (int d = 0; d < 4; d++)
            for (int f = 0; f < 3; f++) {
                snprintf(path, sizeof path, "data/assets/sprites/%i/%i-%i.png", s, d, f);
                sprites[s][d][f] = loadPicture(path);
                if (!sprites[s][d][f]) {
                    fprintf(stderr, "***CRITICAL ERROR*** Sprite %s not found...\n", path);
                    exit(1);
                }
            }

    loadSeries("data/assets/items/%i.png", items, path, sizeof path);
    fprintf(stderr, "Warning: %s doesn't exist (can be ignored)\n", path);

    for (int i = 0; i < 29; i++) {
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
    for (int s = 0; s < 9; s++)
        for (int d = 0; d < 4; d++)
            for (int f = 0; f < 3; f++)
                release(sprites[s][d][f]);
    for (SDL_Surface*& t : tiles)
        release(t);
    tiles.clear();
    for (int i = 0; i < 29; i++)
        release(icons[i]);
    for (SDL_Surface*& it : items)
        release(it);
    items.clear();
    printf("%i art assets unloaded\n", count);
}
