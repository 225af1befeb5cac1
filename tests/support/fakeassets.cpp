// fakeassets.cpp -- small stand-in pictures and sounds for tests that damage the asset tree.
#include "fakeassets.h"
#include "harness.h"
#include <cstdio>
#include <fstream>
#include <SDL.h>
#include "game-codes.h"

namespace qtest {

static void writePicture(const std::string& path, Uint8 shade)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, TILE_SIZE, TILE_SIZE, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(s, NULL, SDL_MapRGB(s->format, shade, (Uint8)(255 - shade), 40));
    SDL_SaveBMP(s, path.c_str());
    SDL_FreeSurface(s);
}

static void writeWav(const std::string& path)
{
    const int samples = 200;
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&](Uint32 v) { out.write((const char*)&v, 4); };
    auto u16 = [&](Uint16 v) { out.write((const char*)&v, 2); };
    out.write("RIFF", 4); u32(36 + samples * 2); out.write("WAVE", 4);
    out.write("fmt ", 4); u32(16); u16(1); u16(1); u32(22050); u32(44100); u16(2); u16(16);
    out.write("data", 4); u32(samples * 2);
    for (int i = 0; i < samples; i++)
        u16((Uint16)((i % 20) < 10 ? 3000 : -3000));
}

void writeFakeAssets(const std::string& dir, const FakeAssets& fake)
{
    std::string a = dir + "/data/assets";
    char path[256];
    for (int s = 0; s < fake.spriteSets; s++) {
        snprintf(path, sizeof path, "%s/sprites/%i", a.c_str(), s);
        mkdirs(path);
        for (int d = 0; d < 4; d++)
            for (int f = 0; f < 3; f++) {
                if (s * 12 + d * 3 + f == fake.skipSprite)
                    continue;
                snprintf(path, sizeof path, "%s/sprites/%i/%i-%i.png", a.c_str(), s, d, f);
                writePicture(path, (Uint8)(s * 20 + d * 5 + f));
            }
    }
    mkdirs(a + "/items");
    for (int i = 0; i < fake.items; i++)
        writePicture(a + "/items/" + std::to_string(i) + ".png", (Uint8)(i * 7));
    mkdirs(a + "/icns");
    for (int i = 0; i < 29; i++)
        if (i != fake.skipIcon)
            writePicture(a + "/icns/" + std::to_string(i) + ".png", (Uint8)(i * 8));
    mkdirs(a + "/tiles");
    for (int i = 0; i < fake.tiles; i++)
        writePicture(a + "/tiles/" + std::to_string(i) + ".png", (Uint8)(i * 5));
    mkdirs(a + "/sounds");
    for (int i = 0; i < fake.sounds; i++)
        writeWav(a + "/sounds/" + std::to_string(i) + ".wav");
    writePicture(a + "/gameover.png", 10);
    if (fake.font) {
        std::ifstream in(sourceDir() + "/data/assets/font.ttf", std::ios::binary);
        std::ofstream out(a + "/font.ttf", std::ios::binary);
        out << in.rdbuf();
    }
}

} // namespace qtest
