// makeassets-outdoor.cpp -- outdoor tiles: ground, water, shores, paths, trees, rocks, fields and rubble.
#include <cmath>
#include "makeassets-tiles.h"

namespace {

const Rgba SHADOW = rgb(16, 24, 20, 90);
const Rgba ROCK = rgb(132, 130, 140);

void oakTree(Image& t)
{
    grassGround(t, 1);
    t.wrap = false;
    t.ellipse(25, 42, 16, 5, SHADOW);
    const Rgba bark = rgb(110, 72, 42);
    t.rect(20, 28, 8, 15, bark);
    t.rect(20, 28, 2, 15, lighter(bark, 0.25f));
    t.rect(26, 28, 2, 15, darker(bark, 0.35f));
    t.triangle(18, 44, 21, 38, 23, 44, bark);        // roots
    t.triangle(25, 44, 27, 38, 30, 44, darker(bark, 0.2f));
    Image crown(TILE_SIZE, TILE_SIZE);
    const Rgba leaf = rgb(52, 118, 48);
    crown.ball(24, 17, 19, 15, leaf);
    crown.ball(13, 22, 10, 9, leaf);
    crown.ball(35, 22, 10, 9, darker(leaf, 0.1f));
    crown.ball(20, 11, 10, 8, lighter(leaf, 0.05f));
    crown.ball(31, 12, 9, 7, leaf);
    for (int y = 0; y < TILE_SIZE; y++)                        // leaf clusters
        for (int x = 0; x < TILE_SIZE; x++) {
            Rgba c = crown.get(x, y);
            if (c.a == 0)
                continue;
            float n = hash01(x / 2, y / 2, 10);
            if (n < 0.18f)
                crown.set(x, y, darker(c, 0.2f));
            else if (n > 0.9f && x + y < 46)
                crown.set(x, y, lighter(c, 0.3f));
        }
    crown.outline(rgb(22, 52, 30));
    t.blit(crown, 0, 0);
}

void pineTree(Image& t)
{
    grassGround(t, 2);
    t.wrap = false;
    t.ellipse(25, 43, 13, 4, SHADOW);
    t.rect(21, 36, 6, 8, rgb(100, 64, 40));
    t.rect(21, 36, 2, 8, rgb(130, 88, 54));
    Image tree(TILE_SIZE, TILE_SIZE);
    const Rgba needle = rgb(34, 96, 62);
    for (int tier = 0; tier < 4; tier++) {
        float top = 1 + tier * 8, bottom = 17 + tier * 7;
        float half = 8 + tier * 3.5f;
        tree.triangle(24, top, 24 - half, bottom, 24 + half, bottom, needle);
    }
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            Rgba c = tree.get(x, y);
            if (c.a == 0)
                continue;
            if (x < 24 - (y % 7) / 2)        // lit western side with needle streaks
                c = lighter(c, (x + y) % 3 == 0 ? 0.1f : 0.22f);
            else if (x > 27)
                c = darker(c, 0.25f);
            if (tree.get(x, y + 1).a == 0)
                c = darker(needle, 0.45f);
            tree.set(x, y, c);
        }
    tree.outline(rgb(14, 44, 30));
    t.blit(tree, 0, 0);
}

void boulders(Image& t)
{
    sandGround(t, 9);
    t.wrap = false;
    t.ellipse(22, 38, 18, 7, SHADOW);
    t.ellipse(38, 41, 9, 4, SHADOW);
    Image rocks(TILE_SIZE, TILE_SIZE);
    rocks.ball(20, 27, 16, 14, ROCK);
    rocks.ball(37, 34, 9, 8, darker(ROCK, 0.08f));
    rocks.ball(34, 15, 8, 7, lighter(ROCK, 0.05f));
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++)
            if (rocks.get(x, y).a && hash01(x, y, 91) < 0.1f)
                rocks.set(x, y, darker(rocks.get(x, y), 0.15f));
    rocks.line(14, 22, 19, 30, darker(ROCK, 0.5f));
    rocks.line(19, 30, 17, 36, darker(ROCK, 0.5f));
    // a little seaweed and a barnacle crust where the waves reach
    rocks.outline(rgb(40, 38, 48));
    t.blit(rocks, 0, 0);
    for (int x = 8; x < 32; x += 3)
        t.put(x, 38 + (x % 2), rgb(60, 110, 70));
}

void grassWith(Image& t, int n)
{
    grassGround(t, 1);
    if (n == TILE_FLOWERS) {   // wild flowers
        const Rgba petals[4] = {rgb(230, 70, 70), rgb(250, 220, 80), rgb(245, 245, 240), rgb(170, 110, 220)};
        for (int i = 0; i < 11; i++) {
            int x = 3 + (int)(hash01(i, 1, 16) * 42), y = 3 + (int)(hash01(i, 2, 16) * 42);
            Rgba p = petals[i % 4];
            t.put(x, y + 3, rgb(40, 90, 40));
            t.put(x - 1, y, p);
            t.put(x + 1, y, p);
            t.put(x, y - 1, p);
            t.put(x, y + 1, darker(p, 0.25f));
            t.put(x, y, rgb(250, 200, 60));
        }
    } else if (n == TILE_TALL_GRASS) {
        for (int i = 0; i < 70; i++) {
            int x = (int)(hash01(i, 1, 171) * TILE_SIZE), y = (int)(hash01(i, 2, 171) * TILE_SIZE);
            int len = 5 + (int)(hash01(i, 3, 171) * 4);
            int lean = (int)(hash01(i, 4, 171) * 3) - 1;
            for (int k = 0; k < len; k++) {
                Rgba c = k > len - 3 ? rgb(132, 190, 84) : k > len / 2 ? rgb(84, 150, 64) : rgb(40, 96, 48);
                t.put(x + (k * lean) / 4, y - k, c);
            }
        }
    } else if (n == TILE_SIGNPOST) {
        t.wrap = false;
        t.ellipse(25, 44, 8, 3, SHADOW);
        t.rect(22, 18, 4, 27, rgb(110, 72, 42));
        t.rect(22, 18, 1, 27, rgb(140, 96, 58));
        Image board(TILE_SIZE, TILE_SIZE);
        const Rgba wood = rgb(178, 130, 76);
        board.rect(8, 9, 28, 12, wood);
        board.triangle(36, 8, 42, 15, 36, 21, wood);
        board.rect(8, 9, 28, 1, lighter(wood, 0.3f));
        board.rect(11, 13, 18, 1, rgb(80, 52, 32));
        board.rect(11, 16, 13, 1, rgb(80, 52, 32));
        board.outline(rgb(60, 38, 24));
        t.blit(board, 0, 0);
    } else if (n == TILE_AUTUMN_LEAVES) {
        const Rgba leaves[4] = {rgb(214, 120, 40), rgb(190, 70, 40), rgb(230, 180, 60), rgb(150, 90, 40)};
        for (int i = 0; i < 60; i++) {
            int x = (int)(hash01(i, 1, 53) * TILE_SIZE), y = (int)(hash01(i, 2, 53) * TILE_SIZE);
            Rgba c = leaves[i % 4];
            t.put(x, y, c);
            t.put(x + 1, y, c);
            t.put(x, y + 1, c);
            t.put(x + 1, y + 1, darker(c, 0.3f));
        }
    } else if (n == TILE_STEPPING_STONES) {
        t.wrap = false;
        const float stones[3][2] = {{12, 36}, {25, 23}, {37, 10}};
        for (const auto& s : stones) {
            t.ellipse(s[0] + 1, s[1] + 2, 8, 6, SHADOW);
            t.ball(s[0], s[1], 8, 6, rgb(170, 166, 160));
        }
    }
}

void dirtPath(Image& t, bool northSouth)
{
    Image grass(TILE_SIZE, TILE_SIZE), dirt(TILE_SIZE, TILE_SIZE);
    grassGround(grass, 1);
    dirtGround(dirt, 8);
    for (int a = 0; a < TILE_SIZE; a++) {          // a is the coordinate along the path
        int lo = 9 + (int)((vnoise(a, 0, 8, TILE_SIZE, 50) - 0.5f) * 7);
        int hi = 38 + (int)((vnoise(a, 5, 8, TILE_SIZE, 51) - 0.5f) * 7);
        for (int b = 0; b < TILE_SIZE; b++) {
            int x = northSouth ? b : a, y = northSouth ? a : b;
            Rgba c = (b > lo && b < hi) ? dirt.get(x, y) : grass.get(x, y);
            if (b == lo + 1 || b == hi - 1)
                c = darker(dirt.get(x, y), 0.2f);
            else if (b == lo || b == hi)
                c = rgb(46, 96, 44);
            t.set(x, y, c);
        }
    }
}

void cobbles(Image& t, int n)
{
    stoneCells(t, 6, rgb(150, 144, 136), rgb(64, 58, 60), 1.4f, 0.3f, 11);
    if (n == TILE_MOSSY_COBBLES) {   // moss in the joints of an old street
        Image plain(TILE_SIZE, TILE_SIZE);
        stoneCells(plain, 6, rgb(150, 144, 136), rgb(64, 58, 60), 1.4f, 0.3f, 11);
        for (int y = 0; y < TILE_SIZE; y++)
            for (int x = 0; x < TILE_SIZE; x++) {
                float m = vnoise(x, y, 16, TILE_SIZE, 58);
                Rgba c = t.get(x, y);
                if (c.r == 64 && c.g == 58 && m > 0.35f)
                    t.set(x, y, rgb(58, 104, 50));
                else if (m > 0.7f && hash01(x, y, 59) < 0.5f)
                    t.set(x, y, mix(c, rgb(90, 130, 60), 0.45f));
            }
    } else if (n == TILE_DRAIN) {   // a grate
        t.wrap = false;
        t.rect(12, 12, 24, 24, rgb(40, 36, 40));
        t.rect(14, 14, 20, 20, rgb(12, 10, 14));
        for (int x = 15; x < 34; x += 4)
            t.rect(x, 14, 2, 20, rgb(92, 92, 104));
        t.rect(12, 12, 24, 1, rgb(120, 120, 132));
        t.rect(12, 12, 1, 24, rgb(120, 120, 132));
    } else if (n == TILE_COMPASS_ROSE) {   // compass rose set into the square
        t.wrap = false;
        t.disc(24, 24, 21, rgb(60, 54, 58));
        t.disc(24, 24, 20, rgb(210, 200, 180));
        t.disc(24, 24, 17, rgb(96, 120, 150));
        const Rgba gold = rgb(224, 180, 80), dark = rgb(160, 110, 50);
        t.triangle(24, 5, 20, 24, 28, 24, gold);
        t.triangle(24, 43, 20, 24, 28, 24, dark);
        t.triangle(5, 24, 24, 20, 24, 28, dark);
        t.triangle(43, 24, 24, 20, 24, 28, gold);
        t.triangle(24, 5, 24, 24, 28, 24, lighter(gold, 0.3f));
        t.disc(24, 24, 2.5f, rgb(150, 36, 48));
    }
}

void sea(Image& t) { seaWater(t, 21); }

void swamp(Image& t, bool reeds)
{
    t.wrap = true;
    const Rgba mud[3] = {rgb(70, 72, 40), rgb(86, 88, 48), rgb(100, 100, 56)};
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            float v = vnoise(x, y, 12, TILE_SIZE, 22);
            Rgba c = band(mud, 3, v, x, y, 22, 0.2f);
            if (v > 0.62f)
                c = v > 0.66f ? rgb(48, 70, 62) : rgb(34, 50, 44);   // murky puddles
            if (v > 0.66f && hash01(x, y, 23) < 0.04f)
                c = rgb(120, 150, 130);
            t.set(x, y, c);
        }
    if (!reeds)
        return;
    t.wrap = false;
    for (int i = 0; i < 9; i++) {
        int x = 6 + (int)(hash01(i, 1, 60) * 36), y = 14 + (int)(hash01(i, 2, 60) * 30);
        int len = 9 + (int)(hash01(i, 3, 60) * 6);
        t.line(x, y, x + (i % 3) - 1, y - len, rgb(60, 110, 50));
        t.line(x + 1, y, x + (i % 3), y - len + 2, rgb(40, 80, 40));
        if (i % 2 == 0)
            t.rect(x - 1 + (i % 3) - 1, y - len - 1, 3, 5, rgb(110, 70, 40));
    }
}

void dock(Image& t)
{
    seaWater(t, 23);
    const Rgba plank = rgb(160, 116, 70);
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            int lx = x % 8;
            if (lx >= 6)
                continue;                     // gaps show the water below
            Rgba c = plank;
            float g = vnoise2(x * 3.0f, y * 0.25f, 4, 144, 12, 23 + x / 8);
            c = g > 0.65f ? darker(c, 0.15f) : g < 0.25f ? lighter(c, 0.1f) : c;
            if (lx == 0)
                c = lighter(plank, 0.25f);
            if (lx == 5)
                c = darker(plank, 0.4f);
            if ((y + (x / 8) * 13) % TILE_SIZE == 0)
                c = darker(plank, 0.5f);
            t.set(x, y, c);
        }
    for (int x = 2; x < TILE_SIZE; x += 8) {     // nails on the cross beams
        t.set(x, 6, rgb(60, 50, 50));
        t.set(x + 2, 6, rgb(60, 50, 50));
        t.set(x, 30, rgb(60, 50, 50));
        t.set(x + 2, 30, rgb(60, 50, 50));
    }
}

void bridge(Image& t)
{
    seaWater(t, 24);
    const Rgba plank = rgb(166, 120, 72), rail = rgb(96, 62, 38);
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 5; x < 43; x++) {
            int ly = y % 8;
            Rgba c = plank;
            if (hash01(x / 3, y / 8, 24) < 0.3f)
                c = darker(c, 0.1f);
            if (ly == 0)
                c = lighter(plank, 0.22f);
            if (ly == 7)
                c = darker(plank, 0.45f);
            t.set(x, y, c);
        }
    for (int side : {3, 41}) {
        t.rect(side, 0, 4, 48, rail);
        t.rect(side, 0, 1, 48, lighter(rail, 0.3f));
        t.rect(side + 3, 0, 1, 48, darker(rail, 0.4f));
        for (int y = 4; y < TILE_SIZE; y += 24) {      // posts
            t.rect(side - 1, y, 6, 6, darker(rail, 0.1f));
            t.rect(side - 1, y, 6, 1, lighter(rail, 0.35f));
        }
    }
    t.rect(7, 0, 1, 48, withAlpha(rgb(20, 12, 16), 90));
}

void hay(Image& t)
{
    t.wrap = true;
    t.fill(rgb(190, 156, 70));
    const Rgba straw[3] = {rgb(150, 116, 50), rgb(222, 190, 96), rgb(240, 214, 130)};
    for (int i = 0; i < 160; i++) {
        float x = hash01(i, 1, 30) * TILE_SIZE, y = hash01(i, 2, 30) * TILE_SIZE;
        float a = hash01(i, 3, 30) * 3.1416f;
        int len = 4 + (int)(hash01(i, 4, 30) * 5);
        Rgba c = straw[i % 3];
        for (int k = 0; k < len; k++)
            t.put((int)(x + std::cos(a) * k), (int)(y + std::sin(a) * k), c);
    }
    t.wrap = false;
}

void caveFloor(Image& t)
{
    stoneCells(t, 5, rgb(96, 86, 80), rgb(70, 62, 60), 1.0f, 0.2f, 19);
    for (int i = 0; i < 24; i++) {
        int x = (int)(hash01(i, 1, 190) * TILE_SIZE), y = (int)(hash01(i, 2, 190) * TILE_SIZE);
        t.put(x, y, rgb(56, 48, 46));
        t.put(x + 1, y, rgb(124, 112, 104));
    }
}

void field(Image& t, bool wheat)
{
    t.wrap = true;
    const Rgba soil = rgb(104, 72, 46);
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            int ly = y % 12;
            Rgba c = ly < 3 ? lighter(soil, 0.15f) : ly > 8 ? darker(soil, 0.3f) : soil;
            if (hash01(x, y, 37) < 0.15f)
                c = darker(c, 0.12f);
            t.set(x, y, c);
        }
    t.wrap = false;
    if (wheat) {
        for (int row = 0; row < 4; row++)
            for (int x = 1; x < TILE_SIZE; x += 3) {
                int base = row * 12 + 9, h = 9 + (int)(hash01(x, row, 36) * 3);
                int lean = (x / 3 + row) % 3 == 0 ? 1 : 0;
                t.line(x, base, x + lean, base - h, rgb(180, 150, 60));
                t.rect(x - 1 + lean, base - h - 1, 2, 4, rgb(232, 196, 96));
                t.set(x + lean, base - h - 1, rgb(250, 226, 140));
            }
    } else {
        for (int row = 0; row < 4; row++)
            for (int x = 4; x < TILE_SIZE; x += 8) {
                int y = row * 12 + 4;
                t.rect(x, y, 1, 3, rgb(60, 120, 50));
                t.rect(x - 2, y - 1, 2, 2, rgb(90, 170, 70));
                t.rect(x + 1, y - 1, 2, 2, rgb(70, 150, 60));
            }
    }
}

void tulipBed(Image& t)
{
    grassGround(t, 1);
    t.wrap = false;
    t.rect(4, 6, 40, 36, rgb(120, 120, 124));
    t.rect(4, 6, 40, 1, rgb(170, 170, 170));
    t.rect(6, 8, 36, 32, rgb(82, 56, 38));
    const Rgba colours[3] = {rgb(226, 60, 70), rgb(250, 210, 70), rgb(230, 120, 190)};
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 5; c++) {
            int x = 10 + c * 7, y = 14 + r * 10;
            t.rect(x + 1, y + 3, 1, 4, rgb(50, 120, 50));
            t.set(x, y + 5, rgb(70, 150, 60));
            t.set(x + 2, y + 4, rgb(70, 150, 60));
            Rgba p = colours[(r + c) % 3];
            t.rect(x, y, 3, 3, p);
            t.set(x + 1, y, darker(p, 0.3f));
            t.set(x, y, lighter(p, 0.3f));
        }
}

void ice(Image& t)
{
    t.wrap = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            float v = vnoise(x, y, 16, TILE_SIZE, 54);
            Rgba c = mix(rgb(150, 196, 226), rgb(200, 228, 244), v);
            if ((x - y + 48) % 24 == 0 || (x - y + 49) % 24 == 0)
                c = lighter(c, 0.5f);    // glints
            t.set(x, y, c);
        }
    t.line(6, 30, 14, 36, rgb(110, 160, 200));
    t.line(14, 36, 24, 35, rgb(110, 160, 200));
    t.line(14, 36, 15, 44, rgb(110, 160, 200));
    t.wrap = false;
}

void pebbleBeach(Image& t)
{
    sandGround(t, 62);
    for (int i = 0; i < 26; i++) {
        int x = (int)(hash01(i, 1, 62) * TILE_SIZE), y = (int)(hash01(i, 2, 62) * TILE_SIZE);
        Rgba c = mix(rgb(140, 136, 130), rgb(190, 180, 170), hash01(i, 3, 62));
        t.put(x, y, c);
        t.put(x + 1, y, lighter(c, 0.2f));
        t.put(x, y + 1, darker(c, 0.3f));
        t.put(x + 1, y + 1, darker(c, 0.2f));
    }
    t.wrap = false;
    // a scallop shell
    t.ellipse(30, 20, 4, 3.5f, rgb(240, 200, 180));
    for (int k = -3; k <= 3; k += 2)
        t.line(30, 23, 30 + k, 17, rgb(210, 150, 140));
    t.rect(29, 23, 3, 1, rgb(210, 150, 140));
}

void rubble(Image& t)
{
    dirtGround(t, 40);
    t.wrap = false;
    Rng rng(40);
    for (int i = 0; i < 11; i++) {       // broken stones
        float x = 6 + rng.unit() * 36, y = 8 + rng.unit() * 32;
        float rx = 3 + rng.unit() * 3.5f, ry = 2 + rng.unit() * 2.5f;
        t.ellipse(x + 1, y + 2, rx, ry, SHADOW);
        t.ball(x, y, rx, ry, i % 3 ? ROCK : rgb(120, 110, 106));
    }
    for (int i = 0; i < 4; i++) {        // splintered planks
        int x = 6 + rng.range(0, 30), y = 8 + rng.range(0, 30);
        int dx = rng.range(6, 11), dy = rng.range(-4, 4);
        t.capsule(x, y, x + dx, y + dy, 1.2f, rgb(130, 86, 48));
        t.line(x, y - 1, x + dx, y + dy - 1, rgb(170, 120, 70));
    }
    for (int i = 0; i < 30; i++)         // grit
        t.put(rng.range(0, 47), rng.range(0, 47), rgb(170, 164, 156));
}

void mushrooms(Image& t)
{
    forestFloor(t, 18);
    t.wrap = false;
    const float at[3][3] = {{14, 30, 5}, {30, 18, 4}, {34, 36, 3.5f}};
    for (const auto& m : at) {
        float x = m[0], y = m[1], r = m[2];
        t.ellipse(x + 1, y + r + 2, r, 1.5f, SHADOW);
        t.rect((int)(x - r / 3), (int)y, (int)(r * 0.7f) + 1, (int)r + 2, rgb(236, 226, 206));
        t.ellipse(x, y, r + 1, r * 0.8f, rgb(60, 20, 20));
        t.ball(x, y - 0.5f, r, r * 0.7f, rgb(200, 44, 40));
        t.set((int)(x - r / 2), (int)(y - 1), WHITE);
        t.set((int)(x + r / 3), (int)(y - r / 3), WHITE);
    }
}

// Two grounds meeting along a ragged east-west edge halfway down the tile.
void shore(Image& t, int n)
{
    Image a(TILE_SIZE, TILE_SIZE), b(TILE_SIZE, TILE_SIZE);
    switch (n) {   // a is the northern ground, b the southern, as the tile's name says
    case TILE_SHORE_SHALLOWS_SAND: shallowWater(a, 13); sandGround(b, 12); break;
    case TILE_SHORE_SAND_GRASS: sandGround(a, 12); grassGround(b, 1); break;
    case TILE_SHORE_GRASS_SAND: grassGround(a, 1); sandGround(b, 12); break;
    default: sandGround(a, 12); shallowWater(b, 13); break;   // TILE_SHORE_SAND_SHALLOWS
    }
    t.blit(b, 0, 0);
    raggedSplit(t, a, true, 24, (uint32_t)n);
    if (n == TILE_SHORE_SHALLOWS_SAND || n == TILE_SHORE_SAND_SHALLOWS) {
        // a foam line where the water meets the sand
        for (int x = 0; x < TILE_SIZE; x++) {
            int e = 24 + (int)((vnoise(x, 0, 8, TILE_SIZE, (uint32_t)n) - 0.5f) * 8);
            t.set(x, e + (n == TILE_SHORE_SAND_SHALLOWS ? 1 : -1), rgb(226, 240, 240));
            t.set(x, e, rgb(180, 160, 110));
        }
    }
}

} // namespace

bool paintOutdoorTile(int n, Image& t)
{
    switch (n) {
    case TILE_GRASS: grassGround(t, 1); break;
    case TILE_DIRT: dirtGround(t, 8); break;
    case TILE_BOULDERS: boulders(t); break;
    case TILE_OAK: oakTree(t); break;
    case TILE_COBBLES: case TILE_DRAIN: case TILE_MOSSY_COBBLES: case TILE_COMPASS_ROSE: cobbles(t, n); break;
    case TILE_SAND: sandGround(t, 12); break;
    case TILE_SHALLOWS: shallowWater(t, 13); break;
    case TILE_FLOWERS: case TILE_TALL_GRASS: case TILE_SIGNPOST: case TILE_AUTUMN_LEAVES:
    case TILE_STEPPING_STONES:
        grassWith(t, n);
        break;
    case TILE_FOREST_FLOOR: forestFloor(t, 18); break;
    case TILE_CAVE_FLOOR: caveFloor(t); break;
    case TILE_SNOW: snowGround(t, 20); break;
    case TILE_SEA: sea(t); break;
    case TILE_SWAMP: swamp(t, false); break;
    case TILE_PIER: dock(t); break;
    case TILE_BRIDGE: bridge(t); break;
    case TILE_HAY: hay(t); break;
    case TILE_SHORE_SHALLOWS_SAND: case TILE_SHORE_SAND_GRASS: case TILE_SHORE_GRASS_SAND:
    case TILE_SHORE_SAND_SHALLOWS:
        shore(t, n);
        break;
    case TILE_MUSHROOMS: mushrooms(t); break;
    case TILE_WHEAT: field(t, true); break;
    case TILE_VEGETABLES: field(t, false); break;
    case TILE_PINE: pineTree(t); break;
    case TILE_RUBBLE: rubble(t); break;
    case TILE_PATH_NS: dirtPath(t, true); break;
    case TILE_PATH_EW: dirtPath(t, false); break;
    case TILE_TULIPS: tulipBed(t); break;
    case TILE_ICE: ice(t); break;
    case TILE_REEDS: swamp(t, true); break;
    case TILE_PEBBLE_BEACH: pebbleBeach(t); break;
    default: return false;
    }
    return true;
}
