// picture-draw.cpp -- pixel drawing: colour mixing, shapes, outlines, noise and the 5x7 font.
#include <algorithm>
#include <cmath>
#include <cstring>
#include "picture.h"

namespace {

uint8_t lerp8(uint8_t a, uint8_t b, float t)
{
    float v = a + (b - a) * t;
    return (uint8_t)std::clamp((int)std::lround(v), 0, 255);
}

} // namespace

Rgba mix(Rgba a, Rgba b, float t)
{
    t = std::clamp(t, 0.0f, 1.0f);
    return Rgba{lerp8(a.r, b.r, t), lerp8(a.g, b.g, t), lerp8(a.b, b.b, t), lerp8(a.a, b.a, t)};
}

Rgba lighter(Rgba c, float t)
{
    Rgba w = rgb(255, 250, 225, c.a);
    return mix(c, w, t);
}

Rgba darker(Rgba c, float t)
{
    Rgba d = rgb(20, 14, 40, c.a);
    return mix(c, d, t);
}

Rgba withAlpha(Rgba c, int a)
{
    c.a = (uint8_t)std::clamp(a, 0, 255);
    return c;
}

Image::Image(int width, int height, Rgba fillColour)
    : w(width), h(height), px((size_t)width * height, fillColour)
{
}

Rgba Image::get(int x, int y) const
{
    if (wrap) {
        x = ((x % w) + w) % w;
        y = ((y % h) + h) % h;
    } else if (x < 0 || y < 0 || x >= w || y >= h) {
        return CLEAR;
    }
    return px[(size_t)y * w + x];
}

void Image::set(int x, int y, Rgba c)
{
    if (wrap) {
        x = ((x % w) + w) % w;
        y = ((y % h) + h) % h;
    } else if (x < 0 || y < 0 || x >= w || y >= h) {
        return;
    }
    px[(size_t)y * w + x] = c;
}

void Image::put(int x, int y, Rgba c)
{
    if (c.a == 0)
        return;
    if (c.a == 255) {
        set(x, y, c);
        return;
    }
    if (!wrap && (x < 0 || y < 0 || x >= w || y >= h))
        return;
    Rgba d = get(x, y);
    float sa = c.a / 255.0f, da = d.a / 255.0f;
    float oa = sa + da * (1 - sa);
    if (oa <= 0) {
        set(x, y, CLEAR);
        return;
    }
    auto ch = [&](uint8_t s, uint8_t dd) {
        return (uint8_t)std::clamp((int)std::lround((s * sa + dd * da * (1 - sa)) / oa), 0, 255);
    };
    set(x, y, Rgba{ch(c.r, d.r), ch(c.g, d.g), ch(c.b, d.b), (uint8_t)std::lround(oa * 255)});
}

void Image::fill(Rgba c)
{
    std::fill(px.begin(), px.end(), c);
}

void Image::rect(int x, int y, int rw, int rh, Rgba c)
{
    for (int j = y; j < y + rh; j++)
        for (int i = x; i < x + rw; i++)
            put(i, j, c);
}

void Image::frame(int x, int y, int rw, int rh, Rgba c)
{
    for (int i = x; i < x + rw; i++) {
        put(i, y, c);
        put(i, y + rh - 1, c);
    }
    for (int j = y + 1; j < y + rh - 1; j++) {
        put(x, j, c);
        put(x + rw - 1, j, c);
    }
}

void Image::line(int x0, int y0, int x1, int y1, Rgba c)
{
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        put(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Image::capsule(float x0, float y0, float x1, float y1, float r, Rgba c)
{
    int minX = (int)std::floor(std::min(x0, x1) - r), maxX = (int)std::ceil(std::max(x0, x1) + r);
    int minY = (int)std::floor(std::min(y0, y1) - r), maxY = (int)std::ceil(std::max(y0, y1) + r);
    float vx = x1 - x0, vy = y1 - y0, len2 = vx * vx + vy * vy;
    for (int y = minY; y <= maxY; y++)
        for (int x = minX; x <= maxX; x++) {
            float px0 = x + 0.5f - x0, py0 = y + 0.5f - y0;
            float t = len2 > 0 ? std::clamp((px0 * vx + py0 * vy) / len2, 0.0f, 1.0f) : 0.0f;
            float dx = px0 - t * vx, dy = py0 - t * vy;
            if (dx * dx + dy * dy <= r * r)
                put(x, y, c);
        }
}

void Image::ellipse(float cx, float cy, float rx, float ry, Rgba c)
{
    for (int y = (int)std::floor(cy - ry); y <= (int)std::ceil(cy + ry); y++)
        for (int x = (int)std::floor(cx - rx); x <= (int)std::ceil(cx + rx); x++) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            if (dx * dx + dy * dy <= 1.0f)
                put(x, y, c);
        }
}

void Image::ball(float cx, float cy, float rx, float ry, Rgba base)
{
    Rgba bands[4] = {darker(base, 0.35f), base, lighter(base, 0.22f), lighter(base, 0.5f)};
    for (int y = (int)std::floor(cy - ry); y <= (int)std::ceil(cy + ry); y++)
        for (int x = (int)std::floor(cx - rx); x <= (int)std::ceil(cx + rx); x++) {
            float dx = (x + 0.5f - cx) / rx, dy = (y + 0.5f - cy) / ry;
            float d2 = dx * dx + dy * dy;
            if (d2 > 1.0f)
                continue;
            float nz = std::sqrt(1.0f - d2);
            float lit = (-dx * 0.55f - dy * 0.6f + nz * 0.58f);
            int band = lit > 0.9f ? 3 : lit > 0.55f ? 2 : lit > 0.15f ? 1 : 0;
            put(x, y, bands[band]);
        }
}

void Image::triangle(float x0, float y0, float x1, float y1, float x2, float y2, Rgba c)
{
    int minX = (int)std::floor(std::min({x0, x1, x2})), maxX = (int)std::ceil(std::max({x0, x1, x2}));
    int minY = (int)std::floor(std::min({y0, y1, y2})), maxY = (int)std::ceil(std::max({y0, y1, y2}));
    auto edge = [](float ax, float ay, float bx, float by, float px0, float py0) {
        return (bx - ax) * (py0 - ay) - (by - ay) * (px0 - ax);
    };
    for (int y = minY; y <= maxY; y++)
        for (int x = minX; x <= maxX; x++) {
            float px0 = x + 0.5f, py0 = y + 0.5f;
            float e0 = edge(x0, y0, x1, y1, px0, py0);
            float e1 = edge(x1, y1, x2, y2, px0, py0);
            float e2 = edge(x2, y2, x0, y0, px0, py0);
            if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0))
                put(x, y, c);
        }
}

void Image::roundRect(int x, int y, int rw, int rh, int radius, Rgba c)
{
    for (int j = y; j < y + rh; j++)
        for (int i = x; i < x + rw; i++) {
            int cx = std::clamp(i, x + radius, x + rw - 1 - radius);
            int cy = std::clamp(j, y + radius, y + rh - 1 - radius);
            float dx = i - cx, dy = j - cy;
            if (dx * dx + dy * dy <= (radius + 0.3f) * (radius + 0.3f))
                put(i, j, c);
        }
}

void Image::outline(Rgba c, int minAlpha)
{
    std::vector<Rgba> src = px;
    auto solid = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return false;
        return src[(size_t)y * w + x].a >= minAlpha;
    };
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++) {
            if (solid(x, y))
                continue;
            if (solid(x - 1, y) || solid(x + 1, y) || solid(x, y - 1) || solid(x, y + 1))
                px[(size_t)y * w + x] = c;
        }
}

void Image::blit(const Image& src, int x, int y)
{
    for (int j = 0; j < src.h; j++)
        for (int i = 0; i < src.w; i++)
            put(x + i, y + j, src.px[(size_t)j * src.w + i]);
}

Image Image::mirrored() const
{
    Image m(w, h);
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            m.px[(size_t)y * w + x] = px[(size_t)y * w + (w - 1 - x)];
    return m;
}

uint32_t hash3(int x, int y, uint32_t seed)
{
    uint32_t h = (uint32_t)x * 0x8DA6B343u ^ (uint32_t)y * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

float hash01(int x, int y, uint32_t seed)
{
    return (hash3(x, y, seed) & 0xFFFFFF) / (float)0x1000000;
}

float vnoise(float x, float y, int cell, int period, uint32_t seed)
{
    return vnoise2(x, y, cell, period, period, seed);
}

float vnoise2(float x, float y, int cell, int periodX, int periodY, uint32_t seed)
{
    int cellsX = periodX / cell, cellsY = periodY / cell;
    float fx = x / cell, fy = y / cell;
    int ix = (int)std::floor(fx), iy = (int)std::floor(fy);
    float tx = fx - ix, ty = fy - iy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    auto at = [&](int i, int j) {
        return hash01(((i % cellsX) + cellsX) % cellsX, ((j % cellsY) + cellsY) % cellsY, seed);
    };
    float a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
    return (a * (1 - tx) + b * tx) * (1 - ty) + (c * (1 - tx) + d * tx) * ty;
}

uint32_t Rng::next()
{
    s ^= s >> 12;
    s ^= s << 25;
    s ^= s >> 27;
    return (uint32_t)((s * 2685821657736338717ull) >> 32);
}

int Rng::range(int lo, int hi)
{
    return lo + (int)(next() % (uint32_t)(hi - lo + 1));
}

float Rng::unit()
{
    return (next() & 0xFFFFFF) / (float)0x1000000;
}

namespace {

class Glyph
{
public:
    char ch;
    const char* rows[7];
};

const Glyph FONT[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "#####"}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {'!', {"..#..", "..#..", "..#..", "..#..", "..#..", ".....", "..#.."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".....", "..#.."}},
    {'-', {".....", ".....", ".....", ".###.", ".....", ".....", "....."}},
    {'?', {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."}},
    {':', {".....", "..#..", ".....", ".....", ".....", "..#..", "....."}},
    {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
};

const Glyph* findGlyph(char c)
{
    for (const Glyph& g : FONT)
        if (g.ch == c)
            return &g;
    return nullptr;
}

} // namespace

int textWidth(const std::string& s, int scale)
{
    return s.empty() ? 0 : ((int)(s.size()) * 6 - 1) * scale;
}

void text(Image& img, int x, int y, const std::string& s, Rgba c, int scale)
{
    for (size_t i = 0; i < s.size(); i++) {
        const Glyph* g = findGlyph(s[i]);
        if (!g)
            continue;
        int gx = x + (int)i * 6 * scale;
        for (int r = 0; r < 7; r++)
            for (int k = 0; k < 5; k++)
                if (g->rows[r][k] == '#')
                    img.rect(gx + k * scale, y + r * scale, scale, scale, c);
    }
}

void titleText(Image& img, int x, int y, const std::string& s, Rgba top, Rgba bottom, Rgba rim, int scale)
{
    Image layer(img.w, img.h);
    text(layer, x, y, s, top, scale);
    for (int j = 0; j < layer.h; j++)
        for (int i = 0; i < layer.w; i++) {
            Rgba& p = layer.px[(size_t)j * layer.w + i];
            if (p.a == 0)
                continue;
            float t = (j - y) / (float)(7 * scale);
            p = mix(top, bottom, t);
            // a highlight on the first row of every glyph stroke
            Rgba above = layer.get(i, j - 1);
            if (above.a == 0 && scale > 1)
                p = lighter(p, 0.4f);
        }
    layer.outline(rim);
    if (scale >= 3)
        layer.outline(rim);
    img.blit(layer, 0, 0);
}
