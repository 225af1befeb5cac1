// picture.h -- the tools' picture kit: images, colours, shapes, noise, pixel font, PNG and WAV writers.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class Rgba
{
public:
    uint8_t r = 0, g = 0, b = 0, a = 0;
};

constexpr Rgba rgb(int r, int g, int b, int a = 255)
{
    return Rgba{(uint8_t)r, (uint8_t)g, (uint8_t)b, (uint8_t)a};
}

const Rgba CLEAR = rgb(0, 0, 0, 0);
const Rgba INK = rgb(30, 22, 34);        // the dark outline every sprite and item wears
const Rgba WHITE = rgb(250, 248, 240);

Rgba mix(Rgba a, Rgba b, float t);     // t = 0 gives a, 1 gives b (alpha mixed too)
Rgba lighter(Rgba c, float t);         // towards a warm white
Rgba darker(Rgba c, float t);          // towards a cool dark
Rgba withAlpha(Rgba c, int a);

// An RGBA picture. put() blends over what is there; with wrap set, coordinates
// wrap around the edges so a tile's features continue on the opposite side.
class Image
{
public:
    Image(int width, int height, Rgba fillColour = CLEAR);

    int w, h;
    bool wrap = false;
    std::vector<Rgba> px;

    Rgba get(int x, int y) const;
    void set(int x, int y, Rgba c);
    void put(int x, int y, Rgba c);
    void fill(Rgba c);
    void rect(int x, int y, int rw, int rh, Rgba c);
    void frame(int x, int y, int rw, int rh, Rgba c);
    void line(int x0, int y0, int x1, int y1, Rgba c);
    // Everything within r of the segment; a round-ended thick stroke.
    void capsule(float x0, float y0, float x1, float y1, float r, Rgba c);
    void ellipse(float cx, float cy, float rx, float ry, Rgba c);
    void disc(float cx, float cy, float r, Rgba c) { ellipse(cx, cy, r, r, c); }
    // A filled ellipse in four bands of light coming from the top-left.
    void ball(float cx, float cy, float rx, float ry, Rgba base);
    void triangle(float x0, float y0, float x1, float y1, float x2, float y2, Rgba c);
    void roundRect(int x, int y, int rw, int rh, int radius, Rgba c);
    // Adds a one-pixel rim of c around every opaque area (four-neighbour).
    void outline(Rgba c, int minAlpha = 128);
    void blit(const Image& src, int x, int y);
    Image mirrored() const;
};

// Deterministic numbers: a hash for per-pixel texture and a seeded generator.
uint32_t hash3(int x, int y, uint32_t seed);
float hash01(int x, int y, uint32_t seed);
// Smooth value noise in 0..1 that repeats every `period` pixels (period a multiple of cell).
float vnoise(float x, float y, int cell, int period, uint32_t seed);
// The same with separate periods across and down, for stretched grain.
float vnoise2(float x, float y, int cell, int periodX, int periodY, uint32_t seed);

class Rng
{
public:
    explicit Rng(uint64_t seed) : s(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint32_t next();
    int range(int lo, int hi);   // lo..hi inclusive
    float unit();                // 0..1
private:
    uint64_t s;
};

// A 5x7 capital pixel font (A-Z, 0-9, ! . - ? :), each glyph 6 px apart at scale 1.
int textWidth(const std::string& s, int scale);
void text(Image& img, int x, int y, const std::string& s, Rgba c, int scale);
// The same lettering with a dark rim and a lighter top half, for titles and buttons.
void titleText(Image& img, int x, int y, const std::string& s, Rgba top, Rgba bottom, Rgba rim, int scale);

// Writers: return false (after printing why) when the file cannot be written.
bool savePng(const Image& img, const std::string& path);
bool saveWav(const std::vector<int16_t>& samples, int rate, const std::string& path);
bool makeDirs(const std::string& path);
