// makeassets-ground.cpp -- ground textures for the map tiles: grass, sand, water, floors, stones.
#include <algorithm>
#include <cmath>
#include "makeassets-tiles.h"

Rgba band(const Rgba* pal, int n, float v, int x, int y, uint32_t seed, float jitter)
{
    v += (hash01(x, y, seed ^ 0x5bd1u) - 0.5f) * 2 * jitter;
    int i = (int)std::floor(v * n);
    return pal[std::clamp(i, 0, n - 1)];
}

Cells::Cells(int perSide, float jitter, uint32_t seed)
{
    float step = (float)TILE_SIZE / perSide;
    for (int j = 0; j < perSide; j++)
        for (int i = 0; i < perSide; i++) {
            cx.push_back((i + 0.5f + (hash01(i, j, seed) - 0.5f) * jitter) * step);
            cy.push_back((j + 0.5f + (hash01(i, j, seed + 7) - 0.5f) * jitter) * step);
        }
}

Cells::Hit Cells::at(float x, float y) const
{
    Hit h{0, 1e9f, 1e9f, 0, 0};
    for (size_t k = 0; k < cx.size(); k++) {
        float dx = x - cx[k], dy = y - cy[k];
        dx -= TILE_SIZE * std::round(dx / TILE_SIZE);
        dy -= TILE_SIZE * std::round(dy / TILE_SIZE);
        float d = std::sqrt(dx * dx + dy * dy);
        if (d < h.d1) {
            h.d2 = h.d1;
            h.d1 = d;
            h.index = (int)k;
            h.dx = dx;
            h.dy = dy;
        } else if (d < h.d2) {
            h.d2 = d;
        }
    }
    return h;
}

namespace {

const Rgba GRASS[4] = {rgb(52, 112, 50), rgb(64, 132, 56), rgb(78, 150, 62), rgb(98, 168, 72)};
const Rgba DIRT[4] = {rgb(118, 84, 54), rgb(138, 100, 64), rgb(156, 116, 74), rgb(172, 134, 88)};
const Rgba SAND[4] = {rgb(204, 176, 116), rgb(218, 194, 134), rgb(230, 208, 150), rgb(240, 222, 170)};
const Rgba SEA[4] = {rgb(26, 66, 130), rgb(32, 80, 150), rgb(40, 96, 168), rgb(52, 114, 186)};
const Rgba SNOW[4] = {rgb(196, 210, 228), rgb(214, 226, 240), rgb(230, 238, 248), rgb(244, 248, 252)};
const Rgba LEAVES[4] = {rgb(58, 48, 34), rgb(74, 60, 40), rgb(90, 74, 46), rgb(70, 84, 44)};

// Short grass blades sprinkled over a ground, wrapping at the edges.
void blades(Image& t, int count, const Rgba& light, const Rgba& dark, uint32_t seed)
{
    for (int i = 0; i < count; i++) {
        int x = (int)(hash01(i, 1, seed) * TILE_SIZE), y = (int)(hash01(i, 2, seed) * TILE_SIZE);
        int lean = hash01(i, 3, seed) < 0.5f ? -1 : 1;
        t.put(x, y + 2, dark);
        t.put(x, y + 1, light);
        t.put(x + lean, y, light);
        if (hash01(i, 4, seed) < 0.5f) {
            t.put(x + 2, y + 2, dark);
            t.put(x + 2, y + 1, light);
        }
    }
}

} // namespace

void grassGround(Image& t, uint32_t seed)
{
    t.wrap = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            float v = 0.65f * vnoise(x, y, 16, TILE_SIZE, seed) + 0.35f * vnoise(x, y, 6, TILE_SIZE, seed + 3);
            t.set(x, y, band(GRASS, 3, v * 1.1f - 0.05f, x, y, seed));
        }
    blades(t, 34, GRASS[3], GRASS[0], seed + 11);
}

void dirtGround(Image& t, uint32_t seed)
{
    t.wrap = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++)
            t.set(x, y, band(DIRT, 4, 0.2f + 0.6f * vnoise(x, y, 12, TILE_SIZE, seed), x, y, seed, 0.18f));
    for (int i = 0; i < 10; i++) {   // pebbles
        int x = (int)(hash01(i, 9, seed) * TILE_SIZE), y = (int)(hash01(i, 10, seed) * TILE_SIZE);
        t.put(x, y, DIRT[3]);
        t.put(x + 1, y, DIRT[3]);
        t.put(x, y + 1, DIRT[0]);
        t.put(x + 1, y + 1, DIRT[0]);
    }
}

void sandGround(Image& t, uint32_t seed)
{
    t.wrap = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            // gentle wind ripples across the sand
            float ripple = 0.5f + 0.5f * std::sin((x * 0.26f + y * 0.52f) + 3 * vnoise(x, y, 16, TILE_SIZE, seed));
            float v = 0.5f * vnoise(x, y, 8, TILE_SIZE, seed + 1) + 0.35f * ripple + 0.1f;
            t.set(x, y, band(SAND, 4, v, x, y, seed, 0.14f));
        }
}

void seaWater(Image& t, uint32_t seed)
{
    t.wrap = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            float v = 0.7f * vnoise(x, y, 16, TILE_SIZE, seed) + 0.3f * vnoise(x, y, 8, TILE_SIZE, seed + 1);
            t.set(x, y, band(SEA, 4, v, x, y, seed, 0.06f));
        }
    // wave crests: short bright arcs with a dark trough under them
    const Rgba crest = rgb(150, 200, 236), foam = rgb(214, 236, 248), trough = rgb(22, 56, 116);
    for (int i = 0; i < 9; i++) {
        int cx = (int)(((i % 3) + 0.5f) * 16 + (hash01(i, 1, seed) - 0.5f) * 8);
        int cy = (int)(((i / 3) + 0.5f) * 16 + (hash01(i, 2, seed) - 0.5f) * 6);
        int len = 4 + (int)(hash01(i, 3, seed) * 4);
        for (int k = -len; k <= len; k++) {
            int dy = (k * k) / (len + 2);
            t.put(cx + k, cy + dy, std::abs(k) < 2 ? foam : crest);
            t.put(cx + k, cy + dy + 1, trough);
        }
    }
}

void shallowWater(Image& t, uint32_t seed)
{
    sandGround(t, seed);
    const Rgba film = rgb(70, 170, 190, 150);
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            float v = vnoise(x, y, 16, TILE_SIZE, seed + 4);
            t.put(x, y, withAlpha(film, 120 + (int)(v * 60)));
        }
    const Rgba ripple = rgb(200, 240, 240, 200);
    for (int i = 0; i < 7; i++) {
        int cx = (int)(hash01(i, 1, seed + 2) * TILE_SIZE), cy = (int)(hash01(i, 2, seed + 2) * TILE_SIZE);
        for (int k = -3; k <= 3; k++)
            t.put(cx + k, cy - (std::abs(k) == 3 ? 0 : 1), ripple);
    }
    for (int i = 0; i < 6; i++) {   // pebbles seen through the water
        int x = (int)(hash01(i, 5, seed) * TILE_SIZE), y = (int)(hash01(i, 6, seed) * TILE_SIZE);
        t.put(x, y, rgb(120, 150, 140));
        t.put(x + 1, y, rgb(150, 180, 170));
    }
}

void snowGround(Image& t, uint32_t seed)
{
    t.wrap = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++)
            t.set(x, y, band(SNOW, 4, 0.15f + 0.8f * vnoise(x, y, 12, TILE_SIZE, seed), x, y, seed, 0.08f));
    for (int i = 0; i < 14; i++) {
        int x = (int)(hash01(i, 1, seed) * TILE_SIZE), y = (int)(hash01(i, 2, seed) * TILE_SIZE);
        t.put(x, y, WHITE);
        t.put(x + 1, y + 1, SNOW[0]);
    }
}

void forestFloor(Image& t, uint32_t seed)
{
    t.wrap = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++)
            t.set(x, y, band(LEAVES, 3, vnoise(x, y, 8, TILE_SIZE, seed), x, y, seed, 0.25f));
    for (int i = 0; i < 18; i++) {   // fallen leaves
        int x = (int)(hash01(i, 1, seed) * TILE_SIZE), y = (int)(hash01(i, 2, seed) * TILE_SIZE);
        Rgba c = hash01(i, 3, seed) < 0.5f ? rgb(122, 92, 44) : rgb(84, 108, 46);
        t.put(x, y, c);
        t.put(x + 1, y, c);
        t.put(x, y + 1, darker(c, 0.3f));
    }
    for (int i = 0; i < 2; i++) {   // a root
        int x = (int)(hash01(i, 7, seed) * TILE_SIZE), y = (int)(hash01(i, 8, seed) * TILE_SIZE);
        for (int k = 0; k < 9; k++) {
            t.put(x + k, y + (int)(std::sin(k * 0.7f) * 1.5f), rgb(96, 70, 42));
            t.put(x + k, y + 1 + (int)(std::sin(k * 0.7f) * 1.5f), rgb(46, 34, 24));
        }
    }
}

void woodPlanks(Image& t, Rgba base, int boardHeight, uint32_t seed)
{
    t.wrap = true;
    const Rgba gap = darker(base, 0.6f);
    int boards = TILE_SIZE / boardHeight;
    for (int b = 0; b < boards; b++) {
        int y0 = b * boardHeight;
        // each board is cut into two lengths; seams are staggered from board to board
        int seam = (b * 29 + (int)(hash01(b, 0, seed) * 10)) % TILE_SIZE;
        Rgba tone = mix(base, hash01(b, 1, seed) < 0.5f ? darker(base, 0.2f) : lighter(base, 0.12f), 0.5f);
        for (int y = y0; y < y0 + boardHeight; y++)
            for (int x = 0; x < TILE_SIZE; x++) {
                int local = y - y0;
                Rgba c = tone;
                float grain = vnoise2(x * 0.25f, y * 2.0f, 4, 12, 96, seed + b);
                if (grain > 0.62f)
                    c = darker(c, 0.12f);
                else if (grain < 0.3f)
                    c = lighter(c, 0.08f);
                if (local == 0)
                    c = lighter(tone, 0.2f);
                if (local == boardHeight - 1)
                    c = gap;
                if (x == seam || x == (seam + 24) % TILE_SIZE)
                    c = gap;
                if (x == (seam + 1) % TILE_SIZE || x == (seam + 25) % TILE_SIZE)
                    c = lighter(tone, 0.15f);
                t.set(x, y, c);
            }
        // nail heads by the seams
        t.set(seam + 2, y0 + 2, darker(base, 0.5f));
        t.set(seam + 2, y0 + boardHeight - 3, darker(base, 0.5f));
    }
}

void stoneCells(Image& t, int perSide, Rgba stone, Rgba gap, float gapWidth, float variation, uint32_t seed)
{
    t.wrap = true;
    Cells cells(perSide, 0.8f, seed);
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            Cells::Hit h = cells.at(x + 0.5f, y + 0.5f);
            float edge = h.d2 - h.d1;
            if (edge < gapWidth) {
                t.set(x, y, gap);
                continue;
            }
            float tint = (hash01(h.index, 3, seed) - 0.5f) * variation;
            Rgba c = tint > 0 ? lighter(stone, tint) : darker(stone, -tint);
            float len = std::max(h.d1, 0.001f);
            float toward = (h.dx + h.dy) / len;   // negative on the upper-left side
            if (edge < gapWidth + 2.5f)
                c = toward < -0.3f ? lighter(c, 0.3f) : toward > 0.3f ? darker(c, 0.3f) : c;
            else if (hash01(x, y, seed + 9) < 0.08f)
                c = darker(c, 0.1f);
            t.set(x, y, c);
        }
}

void flagstones(Image& t, Rgba stone, Rgba gap, uint32_t seed)
{
    t.wrap = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            int row = y / 16;
            int off = (row % 2) * 12;
            int col = ((x + off) % TILE_SIZE) / 24;
            int lx = (x + off) % 24, ly = y % 16;
            float tint = (hash01(col, row, seed) - 0.5f) * 0.3f;
            Rgba c = tint > 0 ? lighter(stone, tint) : darker(stone, -tint);
            float n = vnoise(x, y, 6, TILE_SIZE, seed + row);
            if (n > 0.7f)
                c = darker(c, 0.08f);
            if (lx == 0 || ly == 0)
                c = gap;
            else if (lx == 1 || ly == 1)
                c = lighter(c, 0.22f);
            else if (lx == 23 || ly == 15)
                c = darker(c, 0.25f);
            t.set(x, y, c);
        }
}

void raggedSplit(Image& t, const Image& over, bool overOnTop, int edgeY, uint32_t seed)
{
    for (int x = 0; x < TILE_SIZE; x++) {
        // the edge repeats across the tile width so neighbours meet
        int e = edgeY + (int)((vnoise(x, 0, 8, TILE_SIZE, seed) - 0.5f) * 8);
        for (int y = 0; y < TILE_SIZE; y++) {
            bool take = overOnTop ? y < e : y > e;
            if (take)
                t.set(x, y, over.get(x, y));
            else if (y == e)
                t.set(x, y, darker(overOnTop ? t.get(x, y) : over.get(x, y), 0.25f));
        }
    }
}
