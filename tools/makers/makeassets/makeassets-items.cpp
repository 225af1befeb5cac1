// makeassets-items.cpp -- item pictures: weapons, potions, drinks, armour, keys, floaters and quest objects.
#include <cmath>
#include <cstdio>
#include "makeassets.h"

namespace {

const Rgba STEEL = rgb(190, 196, 210), IRON = rgb(120, 124, 138), GOLD = rgb(230, 184, 70);
const Rgba LEATHER = rgb(130, 82, 46), WOOD = rgb(150, 100, 56), GLASS = rgb(200, 230, 240, 170);

// A straight blade from hilt end (x0, y0) to tip (x1, y1), lit along its upper edge.
void blade(Image& im, float x0, float y0, float x1, float y1, float r, Rgba c)
{
    im.capsule(x0, y0, x1, y1, r, c);
    float nx = -(y1 - y0), ny = x1 - x0, len = std::hypot(nx, ny);
    nx /= len;
    ny /= len;
    if (ny > 0) {
        nx = -nx;
        ny = -ny;
    }
    im.capsule(x0 + nx * r * 0.5f, y0 + ny * r * 0.5f, x1, y1, std::max(0.6f, r * 0.35f), lighter(c, 0.45f));
    im.line((int)(x0 - nx * r * 0.4f), (int)(y0 - ny * r * 0.4f), (int)x1, (int)y1, darker(c, 0.3f));
}

// Sword on the diagonal: pommel at bottom-left, tip at top-right.
void sword(Image& im, float len, float width, Rgba bladeC, Rgba guardC, Rgba gripC, float guardW)
{
    float hx = 13, hy = 35;                       // where the guard sits
    float d = len / std::sqrt(2.0f);
    blade(im, hx, hy, hx + d, hy - d, width, bladeC);
    im.capsule(hx - guardW * 0.7f, hy - guardW * 0.7f, hx + guardW * 0.7f, hy + guardW * 0.7f, 1.8f, guardC);
    im.capsule(hx - 1, hy + 1, hx - 7, hy + 7, 1.6f, gripC);
    im.ball(hx - 8, hy + 8, 2.6f, 2.6f, guardC);
}

void axe(Image& im, bool doubleHead, Rgba head)
{
    im.capsule(10, 42, 34, 10, 1.8f, WOOD);
    im.line(9, 41, 33, 9, lighter(WOOD, 0.3f));
    Image h(TILE_SIZE, TILE_SIZE);
    if (doubleHead) {
        h.ellipse(22, 12, 7, 11, head);
        h.ellipse(40, 26, 7, 11, head);
    }
    h.triangle(28, 8, 36, 2, 42, 16, head);
    h.ellipse(38, 10, 7, 9, head);
    for (size_t i = 0; i < h.px.size(); i++)
        if (h.px[i].a) {
            int x = (int)(i % TILE_SIZE), y = (int)(i / TILE_SIZE);
            if (x + y < 44 || x < 34)
                h.px[i] = lighter(head, 0.2f);
        }
    if (!doubleHead)
        for (int y = 0; y < TILE_SIZE; y++)
            for (int x = 0; x < TILE_SIZE; x++)
                if (h.get(x, y).a && x < 31)
                    h.set(x, y, CLEAR);
    im.blit(h, 0, 0);
    im.capsule(29, 12, 36, 18, 2.2f, darker(head, 0.35f));
}

void flask(Image& im, float cx, float cy, float r, Rgba liquid, bool tall)
{
    Image g(TILE_SIZE, TILE_SIZE);
    if (tall) {
        g.roundRect((int)(cx - r * 0.7f), (int)(cy - r * 1.2f), (int)(r * 1.4f), (int)(r * 2.3f), 3, GLASS);
    } else {
        g.disc(cx, cy, r, GLASS);
    }
    g.rect((int)(cx - r * 0.3f), (int)(cy - r - 6), (int)(r * 0.6f) + 1, 7, GLASS);   // neck
    // liquid fills the lower part
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++)
            if (g.get(x, y).a && y > cy - r * 0.35f) {
                float t = (y - cy) / r;
                g.set(x, y, t > 0.5f ? darker(liquid, 0.25f) : liquid);
            }
    g.rect((int)(cx - r * 0.3f) - 1, (int)(cy - r - 8), (int)(r * 0.6f) + 3, 4, rgb(170, 120, 70));   // cork
    g.outline(INK);
    im.blit(g, 0, 0);
    im.capsule(cx - r * 0.5f, cy - r * 0.3f, cx - r * 0.45f, cy + r * 0.2f, 1.0f, rgb(255, 255, 255, 200));
    im.set((int)(cx - r * 0.1f), (int)(cy - r * 0.6f), WHITE);
}

void bow(Image& im, bool longBow)
{
    float r = longBow ? 19 : 15;
    // the limb arcs around the left, the string runs straight on the right
    for (float a = -1.25f; a <= 1.25f; a += 0.01f) {
        float x = 30 - std::cos(a) * r * 0.6f, y = 24 + std::sin(a) * r;
        im.disc(x, y, 1.7f, longBow ? rgb(120, 76, 40) : WOOD);
    }
    float ty = 24 - std::sin(1.25f) * r, by = 24 + std::sin(1.25f) * r, sx = 30 - std::cos(1.25f) * r * 0.6f;
    im.line((int)sx, (int)ty, (int)sx, (int)by, rgb(236, 230, 210));
    im.rect((int)(30 - r * 0.6f) - 1, 21, 4, 6, LEATHER);              // grip
    im.capsule(8, 24, 38, 24, 0.6f, WOOD);                          // nocked arrow
    im.triangle(38, 21, 44, 24, 38, 27, STEEL);
    im.triangle(6, 21, 11, 24, 6, 27, rgb(220, 60, 60));
}

void key(Image& im, Rgba metal, bool ornate)
{
    Image k(TILE_SIZE, TILE_SIZE);
    k.disc(14, 16, 8, metal);
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++)
            if (std::hypot(x + 0.5f - 14, y + 0.5f - 16) < 4.2f)
                k.set(x, y, CLEAR);
    k.capsule(19, 21, 38, 40, 2.2f, metal);
    k.rect(30, 35, 4, 7, metal);
    k.rect(35, 33, 5, 4, metal);
    k.rect(36, 40, 4, 5, metal);
    if (ornate)
        k.disc(14, 8, 2.5f, metal);
    for (size_t i = 0; i < k.px.size(); i++)
        if (k.px[i].a) {
            int x = (int)(i % TILE_SIZE), y = (int)(i / TILE_SIZE);
            if ((x + y) % 7 == 0 || x + y < 24)
                k.px[i] = lighter(metal, 0.3f);
        }
    k.outline(INK);
    im.blit(k, 0, 0);
}

void armourBody(Image& im, Rgba main, Rgba trim, int style)
{
    Image a(TILE_SIZE, TILE_SIZE);
    a.roundRect(12, 10, 24, 30, 4, main);
    a.roundRect(5, 10, 10, 14, 3, main);      // shoulders
    a.roundRect(33, 10, 10, 14, 3, main);
    a.ellipse(24, 9, 6, 4, CLEAR);
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            if (std::hypot(x + 0.5f - 24, y + 0.5f - 8) < 6)
                a.set(x, y, CLEAR);
            Rgba c = a.get(x, y);
            if (!c.a)
                continue;
            if (style == 1 && ((x + (y % 2)) % 2 == 0))   // chain links
                a.set(x, y, darker(main, 0.3f));
            if (style == 0 && hash01(x, y, 23) < 0.12f)
                a.set(x, y, darker(main, 0.15f));
            if (x < 20 && style == 2)
                a.set(x, y, lighter(main, 0.25f));
        }
    a.rect(12, 32, 24, 3, trim);               // belt
    a.rect(22, 32, 4, 3, GOLD);
    if (style == 2) {
        a.rect(23, 13, 2, 18, lighter(main, 0.45f));
        a.rect(12, 24, 24, 1, darker(main, 0.35f));
        for (int x : {14, 33})
            a.set(x, 14, WHITE);
    } else if (style == 0) {
        a.rect(17, 12, 1, 20, trim);
        a.rect(30, 12, 1, 20, trim);
    }
    a.outline(INK);
    im.blit(a, 0, 0);
}

void shield(Image& im, bool kite)
{
    Image s(TILE_SIZE, TILE_SIZE);
    if (kite) {
        s.roundRect(10, 5, 28, 20, 5, rgb(60, 90, 170));
        s.triangle(10, 22, 38, 22, 24, 44, rgb(60, 90, 170));
        for (int y = 0; y < TILE_SIZE; y++)
            for (int x = 0; x < TILE_SIZE; x++)
                if (s.get(x, y).a && std::abs(x - 24) < 2)
                    s.set(x, y, GOLD);
        s.rect(12, 16, 24, 3, GOLD);
        s.outline(STEEL);
        s.outline(INK);
    } else {
        s.disc(24, 24, 19, WOOD);
        for (int x = 6; x < 44; x += 6)
            s.rect(x, 4, 1, 40, darker(WOOD, 0.35f));
        for (int y = 0; y < TILE_SIZE; y++)
            for (int x = 0; x < TILE_SIZE; x++)
                if (std::hypot(x + 0.5f - 24, y + 0.5f - 24) > 19.5f)
                    s.set(x, y, CLEAR);
                else if (std::hypot(x + 0.5f - 24, y + 0.5f - 24) > 16.5f)
                    s.set(x, y, IRON);
        s.ball(24, 24, 5, 5, STEEL);
        s.outline(INK);
    }
    im.blit(s, 0, 0);
}

void gem(Image& im, Rgba c)
{
    im.triangle(10, 18, 38, 18, 24, 42, c);
    im.triangle(16, 8, 32, 8, 38, 18, c);
    im.triangle(16, 8, 10, 18, 38, 18, c);
    im.triangle(10, 18, 24, 18, 24, 42, darker(c, 0.25f));
    im.triangle(16, 8, 24, 8, 18, 18, lighter(c, 0.45f));
    im.triangle(24, 18, 38, 18, 24, 42, darker(c, 0.45f));
    im.line(10, 18, 38, 18, lighter(c, 0.3f));
    im.set(20, 11, WHITE);
    im.set(19, 12, WHITE);
}

// Draws picture n; returns false past the last picture.
bool drawItem(int n, Image& im)
{
    switch (n) {
    case 0:   // sealed letter
        im.rect(6, 12, 36, 24, rgb(236, 226, 196));
        im.triangle(6, 12, 42, 12, 24, 26, rgb(214, 200, 166));
        im.line(6, 12, 24, 26, rgb(170, 150, 120));
        im.line(42, 12, 24, 26, rgb(170, 150, 120));
        im.disc(24, 26, 4, rgb(180, 30, 40));
        im.set(23, 25, rgb(230, 90, 90));
        break;
    case 1: sword(im, 26, 1.8f, IRON, rgb(110, 90, 70), LEATHER, 4); break;      // short sword
    case 2: sword(im, 32, 2.0f, STEEL, IRON, LEATHER, 5); break;                // long sword
    case 3: sword(im, 33, 2.8f, STEEL, GOLD, rgb(120, 30, 40), 6); break;         // broadsword
    case 4:                                                                          // rune blade
        sword(im, 34, 2.3f, rgb(120, 190, 250), GOLD, rgb(50, 40, 90), 6);
        for (int i = 0; i < 4; i++)
            im.set(19 + i * 5, 29 - i * 5, rgb(230, 250, 255));
        break;
    case 5: axe(im, false, IRON); break;            // hand axe
    case 6: axe(im, true, STEEL); break;             // battle axe
    case 7:                                           // club
        im.capsule(10, 40, 34, 14, 2.0f, WOOD);
        im.capsule(26, 22, 36, 11, 5.0f, rgb(120, 80, 44));
        im.capsule(25, 21, 34, 11, 2.0f, rgb(160, 110, 62));
        im.set(31, 17, rgb(80, 52, 30));
        im.set(34, 14, rgb(80, 52, 30));
        break;
    case 8:                                           // spiked mace
        im.capsule(10, 40, 30, 18, 1.8f, IRON);
        im.capsule(9, 41, 14, 36, 2.2f, LEATHER);
        for (int s = 0; s < 8; s++) {
            float a = s * 0.785f;
            im.capsule(33, 15, 33 + std::cos(a) * 11, 15 + std::sin(a) * 11, 1.2f, STEEL);
        }
        im.ball(33, 15, 7, 7, IRON);
        break;
    case 9:                                           // spear
        im.capsule(6, 44, 34, 14, 1.4f, WOOD);
        im.triangle(31, 11, 44, 4, 37, 17, STEEL);
        im.triangle(31, 11, 44, 4, 36, 10, lighter(STEEL, 0.4f));
        im.rect(30, 13, 4, 4, LEATHER);
        break;
    case 10: sword(im, 16, 1.5f, STEEL, IRON, rgb(60, 40, 30), 3); break;       // dagger
    case 11: bow(im, false); break;                   // short bow
    case 12: bow(im, true); break;                    // long bow
    case 13:                                          // crossbow
        im.capsule(24, 10, 24, 42, 2.5f, WOOD);
        for (float a = -1.1f; a <= 1.1f; a += 0.01f)
            im.disc(24 + std::sin(a) * 17, 18 - std::cos(a) * 6, 1.6f, IRON);
        im.line(9, 18, 24, 26, rgb(236, 230, 210));
        im.line(39, 18, 24, 26, rgb(236, 230, 210));
        im.capsule(24, 6, 24, 26, 0.6f, STEEL);
        im.triangle(21, 8, 24, 2, 27, 8, STEEL);
        im.rect(22, 30, 4, 3, IRON);
        break;
    case 14:                                          // sling with a stone
        im.capsule(10, 8, 22, 30, 0.8f, LEATHER);
        im.capsule(36, 8, 26, 30, 0.8f, LEATHER);
        im.ellipse(24, 33, 7, 4, LEATHER);
        im.ball(24, 31, 3.5f, 3.5f, rgb(150, 146, 140));
        im.disc(10, 7, 2, rgb(170, 120, 70));
        break;
    case 15: flask(im, 24, 30, 8, rgb(220, 40, 50), false); break;    // small healing potion
    case 16: flask(im, 24, 28, 11, rgb(220, 40, 50), false); break;   // healing potion
    case 17: flask(im, 24, 28, 12, rgb(200, 30, 60), true); break;    // large healing potion
    case 18: flask(im, 24, 30, 8, rgb(50, 100, 230), false); break;   // small mana potion
    case 19: flask(im, 24, 28, 12, rgb(60, 80, 220), true); break;    // large mana potion
    case 20:                                          // mug of ale
        im.roundRect(10, 14, 22, 28, 3, rgb(150, 100, 56));
        for (int x = 13; x < 32; x += 5)
            im.rect(x, 14, 1, 28, rgb(110, 70, 40));
        im.rect(10, 18, 22, 2, IRON);
        im.rect(10, 36, 22, 2, IRON);
        im.capsule(34, 21, 34, 33, 3.5f, rgb(110, 70, 40));
        im.capsule(34, 21, 34, 33, 1.5f, CLEAR);
        for (int x = 32; x < 37; x++)
            for (int y = 22; y < 33; y++)
                im.set(x, y, CLEAR);
        im.capsule(33, 21, 38, 22, 1.4f, rgb(110, 70, 40));
        im.capsule(33, 33, 38, 32, 1.4f, rgb(110, 70, 40));
        im.capsule(38, 22, 38, 32, 1.4f, rgb(110, 70, 40));
        im.ellipse(21, 13, 12, 4, rgb(250, 246, 230));    // froth
        im.disc(14, 11, 3, rgb(250, 246, 230));
        im.disc(27, 10, 3, rgb(250, 246, 230));
        break;
    case 21:                                          // wine bottle
        im.roundRect(16, 20, 16, 24, 5, rgb(70, 20, 60));
        im.rect(21, 6, 6, 16, rgb(70, 20, 60));
        im.rect(20, 3, 8, 4, rgb(180, 50, 60));
        im.rect(17, 27, 14, 10, rgb(236, 226, 196));
        im.rect(19, 30, 10, 1, rgb(140, 40, 50));
        im.rect(19, 33, 8, 1, rgb(140, 40, 50));
        im.rect(18, 22, 2, 4, rgb(160, 90, 150));
        break;
    case 22:                                          // flask of spirits
        im.roundRect(12, 14, 24, 28, 6, rgb(170, 176, 190));
        im.rect(20, 6, 8, 9, rgb(150, 156, 170));
        im.rect(19, 4, 10, 4, rgb(60, 50, 50));
        im.rect(16, 22, 16, 12, LEATHER);
        im.frame(16, 22, 16, 12, darker(LEATHER, 0.4f));
        im.rect(14, 16, 3, 20, WHITE);
        break;
    case 23: armourBody(im, rgb(140, 90, 50), rgb(90, 56, 30), 0); break;        // leather
    case 24: armourBody(im, rgb(150, 156, 170), rgb(90, 56, 30), 1); break;      // chain mail
    case 25: armourBody(im, rgb(176, 184, 200), rgb(120, 30, 40), 2); break;     // plate
    case 26: shield(im, false); break;               // round wooden shield
    case 27: shield(im, true); break;                // kite shield
    case 28: key(im, rgb(130, 134, 148), false); break;   // iron door key
    case 29: key(im, rgb(210, 164, 70), true); break;      // old brass key
    case 30:                                          // room key on a numbered tag
        key(im, rgb(214, 176, 80), false);
        im.line(12, 9, 8, 5, rgb(200, 190, 170));
        im.roundRect(2, 26, 18, 14, 3, rgb(180, 60, 50));
        im.disc(6, 30, 1.5f, CLEAR);
        text(im, 8, 30, "7", WHITE, 1);
        im.capsule(6, 26, 9, 20, 0.6f, rgb(200, 190, 170));
        break;
    case 31:                                          // lock-pick set: a hook and a tension bar
        im.capsule(8, 40, 34, 14, 1.0f, STEEL);
        im.capsule(34, 14, 38, 14, 1.0f, STEEL);
        im.capsule(38, 14, 38, 10, 1.0f, STEEL);
        im.capsule(16, 42, 38, 30, 1.0f, IRON);
        im.capsule(38, 30, 40, 34, 1.0f, IRON);
        im.capsule(7, 41, 14, 34, 2.3f, rgb(60, 40, 40));
        break;
    case 32:                                          // ring buoy
        for (int y = 0; y < TILE_SIZE; y++)
            for (int x = 0; x < TILE_SIZE; x++) {
                float dx = x + 0.5f - 24, dy = y + 0.5f - 24, d = std::hypot(dx, dy);
                if (d < 18 && d > 9) {
                    int seg = (int)((std::atan2(dy, dx) + 3.1416f) / 1.5708f);
                    Rgba c = seg % 2 ? rgb(230, 60, 50) : rgb(245, 242, 236);
                    if (d > 16 || dx + dy > 14)
                        c = darker(c, 0.25f);
                    else if (d < 13 && dx + dy < -6)
                        c = lighter(c, 0.3f);
                    im.set(x, y, c);
                }
            }
        im.capsule(24, 6, 24, 2, 0.6f, rgb(220, 200, 150));
        break;
    case 33:                                          // little raft
        for (int i = 0; i < 5; i++) {
            Rgba c = i % 2 ? rgb(170, 120, 70) : rgb(150, 100, 56);
            im.capsule(10 + i * 7, 10, 10 + i * 7, 38, 3.2f, c);
            im.capsule(9 + i * 7, 11, 9 + i * 7, 37, 0.6f, lighter(c, 0.3f));
        }
        im.rect(6, 15, 36, 3, rgb(200, 180, 120));
        im.rect(6, 31, 36, 3, rgb(200, 180, 120));
        break;
    case 34:                                          // locket
        im.capsule(24, 4, 14, 20, 0.6f, GOLD);
        im.capsule(24, 4, 34, 20, 0.6f, GOLD);
        im.ball(24, 30, 11, 12, GOLD);
        im.disc(24, 30, 6, rgb(190, 60, 80));
        im.disc(22, 28, 2, rgb(240, 140, 160));
        break;
    case 35:                                          // old book
        im.rect(8, 8, 30, 34, rgb(120, 40, 40));
        im.rect(36, 10, 4, 32, rgb(236, 226, 196));
        im.rect(8, 8, 4, 34, rgb(90, 28, 30));
        im.frame(14, 14, 18, 22, GOLD);
        im.disc(23, 25, 4, GOLD);
        im.disc(23, 25, 2, rgb(120, 40, 40));
        break;
    case 36: gem(im, rgb(220, 40, 60)); break;        // ruby
    case 37:                                          // herb bundle
        for (int i = 0; i < 6; i++) {
            float a = -0.6f + i * 0.24f;
            float tx = 24 + std::sin(a) * 20, ty = 26 - std::cos(a) * 20;
            im.capsule(24, 40, tx, ty, 0.8f, rgb(80, 120, 50));
            im.ellipse(tx, ty, 4, 3, i % 2 ? rgb(90, 170, 70) : rgb(70, 140, 60));
            im.ellipse((tx + 24) / 2, (ty + 40) / 2, 3, 2, rgb(110, 180, 80));
        }
        im.rect(20, 32, 8, 4, rgb(200, 170, 110));
        break;
    case 38:                                          // crown
        im.rect(9, 26, 30, 12, GOLD);
        for (int i = 0; i < 5; i++)
            im.triangle(9 + i * 6, 27, 12 + i * 6, 12 + (i % 2) * 5, 15 + i * 6, 27, GOLD);
        for (int i = 0; i < 5; i += 2)
            im.disc(12.5f + i * 6, 12, 1.8f, WHITE);
        im.rect(9, 34, 30, 2, darker(GOLD, 0.3f));
        im.disc(16, 31, 2, rgb(220, 40, 60));
        im.disc(24, 31, 2, rgb(60, 110, 220));
        im.disc(32, 31, 2, rgb(60, 180, 90));
        im.rect(9, 26, 30, 1, lighter(GOLD, 0.5f));
        break;
    case 39:                                          // map scroll
        im.rect(8, 12, 32, 24, rgb(230, 212, 160));
        im.capsule(8, 10, 8, 38, 3, rgb(200, 176, 120));
        im.capsule(40, 10, 40, 38, 3, rgb(200, 176, 120));
        im.line(14, 30, 20, 20, rgb(150, 90, 60));
        im.line(20, 20, 28, 26, rgb(150, 90, 60));
        im.line(28, 26, 32, 18, rgb(150, 90, 60));
        im.line(30, 16, 34, 20, rgb(200, 40, 40));
        im.line(34, 16, 30, 20, rgb(200, 40, 40));
        im.ellipse(16, 18, 3, 2, rgb(100, 150, 200));
        break;
    case 40:                                          // fish
        im.ellipse(22, 24, 15, 8, rgb(120, 160, 190));
        im.triangle(34, 24, 44, 14, 44, 34, rgb(100, 140, 170));
        im.ellipse(22, 27, 12, 4, rgb(210, 220, 220));
        im.triangle(18, 16, 28, 16, 22, 11, rgb(100, 140, 170));
        im.disc(12, 22, 2, INK);
        im.set(11, 21, WHITE);
        for (int x = 18; x < 32; x += 4)
            im.line(x, 19, x + 2, 24, rgb(90, 130, 160));
        break;
    case 41:                                          // striped towel, folded
        im.roundRect(6, 14, 36, 22, 3, rgb(245, 242, 236));
        for (int y = 16; y < 36; y += 6)
            im.rect(6, y, 36, 3, rgb(60, 150, 200));
        im.rect(6, 24, 36, 1, rgb(180, 180, 190));
        im.rect(6, 34, 36, 2, rgb(200, 200, 210));
        break;
    case 42:                                          // seashell souvenir on a stand
        im.rect(12, 38, 24, 5, WOOD);
        im.rect(12, 38, 24, 1, lighter(WOOD, 0.3f));
        im.ellipse(24, 23, 14, 13, rgb(246, 200, 180));
        for (int k = -12; k <= 12; k += 4)
            im.line(24, 36, 24 + k, 12, rgb(220, 150, 140));
        im.rect(19, 34, 10, 4, rgb(246, 200, 180));
        break;
    case 43: gem(im, rgb(50, 190, 100)); break;       // emerald
    case 44:                                          // loaf of bread
        im.ball(24, 26, 17, 11, rgb(200, 140, 70));
        for (int i = 0; i < 3; i++)
            im.line(14 + i * 8, 22, 19 + i * 8, 18, rgb(240, 210, 150));
        break;
    case 45:                                          // iron helmet
        im.ball(24, 24, 15, 14, STEEL);
        im.rect(8, 26, 32, 14, CLEAR);
        for (int y = 26; y < 40; y++)
            for (int x = 0; x < TILE_SIZE; x++)
                im.set(x, y, CLEAR);
        im.rect(9, 24, 30, 4, darker(STEEL, 0.25f));
        im.rect(9, 28, 6, 10, STEEL);
        im.rect(33, 28, 6, 10, darker(STEEL, 0.2f));
        im.rect(22, 26, 4, 12, STEEL);
        im.rect(23, 8, 2, 16, lighter(STEEL, 0.4f));
        break;
    case 46: flask(im, 24, 28, 11, rgb(60, 100, 230), false); break;   // mana potion
    case 47:                                          // straw sun hat from the key shop
        im.ellipse(24, 30, 20, 8, rgb(226, 196, 120));
        im.ball(24, 24, 10, 9, rgb(226, 196, 120));
        im.rect(14, 26, 20, 3, rgb(60, 130, 200));
        im.ellipse(24, 33, 14, 3, rgb(200, 170, 100));
        break;
    default:
        return false;
    }
    return true;
}

} // namespace

bool makeItems(const std::string& outDir, int& count)
{
    std::string dir = outDir + "/items";
    if (!makeDirs(dir))
        return false;
    for (int n = 0;; n++) {
        Image im(TILE_SIZE, TILE_SIZE);
        if (!drawItem(n, im))
            break;
        im.outline(INK, 100);
        if (!savePng(im, dir + "/" + std::to_string(n) + ".png"))
            return false;
        count++;
    }
    return true;
}
