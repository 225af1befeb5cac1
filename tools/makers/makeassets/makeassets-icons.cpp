// makeassets-icons.cpp -- interface pictures: pointer, fight buttons, marks, bars, banners, window and desktop icons, game-over screen.
#include <cmath>
#include <cstdio>
#include "makeassets.h"

namespace {

const Rgba STEEL = rgb(200, 206, 220), GOLD = rgb(232, 186, 70), WOOD = rgb(140, 92, 52);

// A 48x48 bevelled button; the key letter sits in its bottom-right corner.
Image button(Rgba face)
{
    Image b(48, 48);
    b.roundRect(1, 1, 46, 46, 6, INK);
    b.roundRect(2, 2, 44, 44, 5, darker(face, 0.45f));
    b.roundRect(2, 2, 43, 43, 5, lighter(face, 0.35f));
    b.roundRect(4, 4, 40, 40, 4, face);
    for (int y = 4; y < 44; y++)           // soft vertical gradient
        for (int x = 4; x < 44; x++)
            if (b.get(x, y).r == face.r && b.get(x, y).g == face.g)
                b.set(x, y, mix(lighter(face, 0.12f), darker(face, 0.15f), (y - 4) / 40.0f));
    return b;
}

void keyLetter(Image& b, char key)
{
    Image l(48, 48);
    l.roundRect(33, 33, 11, 11, 2, rgb(20, 16, 28, 200));
    text(l, 36, 35, std::string(1, key), WHITE, 1);
    b.blit(l, 0, 0);
}

void swordPicture(Image& b, float ox, float oy, float s)
{
    Image p(48, 48);
    p.capsule(ox + 8 * s, oy + 28 * s, ox + 28 * s, oy + 8 * s, 2.2f * s, STEEL);
    p.capsule(ox + 9 * s, oy + 26 * s, ox + 28 * s, oy + 8 * s, 0.8f * s, WHITE);
    p.capsule(ox + 4 * s, oy + 24 * s, ox + 12 * s, oy + 32 * s, 1.6f * s, GOLD);
    p.capsule(ox + 6 * s, oy + 30 * s, ox + 2 * s, oy + 34 * s, 1.6f * s, rgb(110, 70, 40));
    p.outline(INK);
    b.blit(p, 0, 0);
}

void arrowShape(Image& b, int cx, int cy, int dir, Rgba c)
{
    Image p(48, 48);
    int x0 = cx - 8, x1 = cx + 8;
    if (dir > 0) {
        p.rect(x0, cy - 3, 9, 7, c);
        p.triangle(x0 + 8, cy - 8, x1 + 1, cy + 0.5f, x0 + 8, cy + 9, c);
    } else {
        p.rect(x1 - 8, cy - 3, 9, 7, c);
        p.triangle(x1 - 7, cy - 8, x0 - 1, cy + 0.5f, x1 - 7, cy + 9, c);
    }
    p.outline(INK);
    b.blit(p, 0, 0);
}

Image fightButton(int n)
{
    // Both indexed by the icon code.
    static const Rgba faces[16] = {
        {}, rgb(90, 110, 160), rgb(110, 110, 120), rgb(80, 90, 120),
        rgb(170, 60, 50), rgb(150, 110, 60), rgb(110, 70, 170), rgb(70, 110, 160), rgb(70, 110, 160),
        {}, {}, rgb(190, 90, 40), rgb(60, 150, 80), rgb(110, 70, 170), rgb(90, 40, 110), rgb(70, 130, 150)};
    static const char keys[16] = {0, 0, 0, 0, 'Z', 'X', 'C', 'V', 'B', 0, 0, 'Z', 'X', 'C', 'V', 'B'};
    Image b = button(faces[n]);
    Image p(48, 48);
    switch (n) {
    case ICON_SPARE_BUTTON1: case ICON_SPARE_BUTTON2: case ICON_SPARE_BUTTON3:   // a plain stud
        p.ball(24, 24, 6, 6, lighter(faces[n], 0.3f));
        break;
    case ICON_FIGHT_ATTACK:
        swordPicture(b, 6, 2, 1.0f);
        break;
    case ICON_FIGHT_INVENTORY:   // bag
        p.ball(22, 27, 13, 12, rgb(170, 120, 70));
        p.rect(16, 11, 12, 6, rgb(150, 100, 56));
        p.rect(15, 16, 14, 3, rgb(100, 60, 36));
        p.capsule(30, 18, 36, 30, 1.0f, rgb(100, 60, 36));
        p.rect(19, 24, 6, 5, GOLD);
        break;
    case ICON_FIGHT_SPELL_BAR:   // open spell book
        p.triangle(6, 14, 24, 18, 24, 36, rgb(240, 230, 200));
        p.triangle(6, 14, 6, 32, 24, 36, rgb(240, 230, 200));
        p.triangle(42, 14, 24, 18, 24, 36, rgb(220, 210, 180));
        p.triangle(42, 14, 42, 32, 24, 36, rgb(220, 210, 180));
        p.line(24, 18, 24, 36, rgb(120, 90, 60));
        for (int i = 0; i < 3; i++) {
            p.line(9, 19 + i * 4, 20, 22 + i * 4, rgb(120, 100, 160));
            p.line(28, 22 + i * 4, 39, 19 + i * 4, rgb(120, 100, 160));
        }
        p.triangle(24, 4, 21, 11, 27, 11, rgb(250, 240, 140));
        p.triangle(18, 8, 30, 8, 24, 14, rgb(250, 240, 140));
        break;
    case ICON_FIGHT_NEXT_WEAPON: case ICON_FIGHT_PREV_WEAPON:   // cycle weapons
        swordPicture(b, 8, -2, 0.8f);
        arrowShape(p, 22, 32, n == ICON_FIGHT_NEXT_WEAPON ? 1 : -1, GOLD);
        break;
    case ICON_SPELL_FIREBALL:
        p.triangle(8, 36, 24, 16, 30, 32, rgb(240, 120, 30, 220));
        p.triangle(6, 30, 22, 14, 28, 26, rgb(250, 180, 50, 200));
        p.ball(28, 20, 10, 10, rgb(250, 120, 30));
        p.ball(27, 19, 6, 6, rgb(255, 220, 90));
        break;
    case ICON_SPELL_HEAL:   // heal: green cross with sparkles
        p.rect(19, 8, 10, 30, rgb(80, 200, 100));
        p.rect(9, 18, 30, 10, rgb(80, 200, 100));
        p.rect(20, 9, 3, 28, lighter(rgb(80, 200, 100), 0.4f));
        p.rect(10, 19, 28, 3, lighter(rgb(80, 200, 100), 0.4f));
        break;
    case ICON_SPELL_BAR_CLOSE:   // a red cross
        p.capsule(14, 14, 32, 32, 3, rgb(230, 80, 70));
        p.capsule(32, 14, 14, 32, 3, rgb(230, 80, 70));
        break;
    case ICON_SPELL_PAIN: {   // pain: a dark jagged bolt
        const float pts[] = {28, 4, 14, 24, 23, 24, 16, 42, 36, 18, 26, 18, 32, 4};
        p.triangle(pts[0], pts[1], pts[2], pts[3], pts[4], pts[5], rgb(200, 90, 230));
        p.triangle(pts[0], pts[1], pts[4], pts[5], pts[12], pts[13], rgb(200, 90, 230));
        p.triangle(pts[4], pts[5], pts[6], pts[7], pts[8], pts[9], rgb(170, 60, 210));
        p.triangle(pts[4], pts[5], pts[8], pts[9], pts[10], pts[11], rgb(170, 60, 210));
        p.triangle(pts[0], pts[1], pts[10], pts[11], pts[12], pts[13], rgb(200, 90, 230));
        break;
    }
    case ICON_SPELL_FLEE:   // flee: a boot with speed lines
        p.rect(20, 8, 10, 20, rgb(130, 82, 46));
        p.roundRect(14, 24, 24, 10, 4, rgb(130, 82, 46));
        p.rect(14, 32, 24, 3, rgb(70, 44, 30));
        p.rect(21, 9, 3, 18, rgb(170, 120, 70));
        for (int i = 0; i < 3; i++)
            p.rect(4, 12 + i * 8, 10 - i * 2, 2, WHITE);
        break;
    default:
        break;
    }
    if (n != ICON_FIGHT_ATTACK && n != ICON_FIGHT_NEXT_WEAPON && n != ICON_FIGHT_PREV_WEAPON)
        p.outline(INK);
    b.blit(p, 0, 0);
    if (keys[n])
        keyLetter(b, keys[n]);
    return b;
}

Image pointer()
{
    Image im(16, 16);
    im.triangle(3, 2, 14, 8, 3, 14, rgb(250, 220, 90));
    im.triangle(3, 2, 14, 8, 3, 8, rgb(255, 246, 180));
    im.outline(INK);
    return im;
}

Image hitMark()
{
    Image im(32, 32);
    for (int k = 0; k < 3; k++) {
        float r = 15 - k * 4.5f;
        Rgba c = k == 0 ? rgb(200, 30, 30) : k == 1 ? rgb(250, 140, 30) : rgb(255, 240, 140);
        for (int s = 0; s < 8; s++) {
            float a = s * 0.785f + k * 0.2f, b = a + 0.392f;
            float ri = r * 0.5f;
            im.triangle(16, 16, 16 + std::cos(a) * r, 16 + std::sin(a) * r, 16 + std::cos(b) * ri, 16 + std::sin(b) * ri, c);
            im.triangle(16, 16, 16 + std::cos(a) * r, 16 + std::sin(a) * r, 16 + std::cos(a - 0.392f) * ri, 16 + std::sin(a - 0.392f) * ri, c);
        }
    }
    im.outline(INK);
    return im;
}

Image missMark()
{
    Image im(32, 32);
    for (float a = 3.6f; a < 6.0f; a += 0.02f) {       // a swish through empty air
        float r = 12;
        float w = 0.6f + (a - 3.6f) * 0.7f;
        im.disc(16 + std::cos(a) * r, 18 + std::sin(a) * r, w, rgb(220, 236, 250));
    }
    text(im, 5, 22, "MISS", rgb(220, 236, 250), 1);
    im.outline(INK);
    return im;
}

Image bar(Rgba c)
{
    Image im(120, 16);
    im.rect(0, 0, 120, 16, INK);
    for (int y = 2; y < 14; y++)
        for (int x = 2; x < 118; x++) {
            float t = (y - 2) / 11.0f;
            Rgba v = t < 0.25f ? lighter(c, 0.45f) : mix(c, darker(c, 0.4f), (t - 0.25f) / 0.75f);
            if (x % 12 == 11)
                v = darker(v, 0.15f);
            im.set(x, y, v);
        }
    im.rect(1, 1, 118, 1, rgb(90, 80, 100));
    return im;
}

Image trailFlame()
{
    Image im(48, 48);
    Rng rng(18);
    for (int i = 0; i < 7; i++) {
        float x = 6 + i * 6 + rng.unit() * 2, h = 16 + rng.unit() * 18;
        im.triangle(x - 7, 46, x + 7, 46, x + rng.unit() * 4 - 2, 46 - h, rgb(220, 60, 20, 200));
    }
    for (int i = 0; i < 6; i++) {
        float x = 9 + i * 6 + rng.unit() * 2, h = 10 + rng.unit() * 12;
        im.triangle(x - 5, 46, x + 5, 46, x, 46 - h, rgb(250, 160, 40, 230));
    }
    for (int i = 0; i < 5; i++) {
        float x = 12 + i * 6, h = 5 + rng.unit() * 7;
        im.triangle(x - 3, 46, x + 3, 46, x, 46 - h, rgb(255, 236, 140, 240));
    }
    for (int i = 0; i < 8; i++)      // sparks
        im.put(rng.range(4, 43), rng.range(2, 22), rgb(255, 220, 120, 220));
    return im;
}

Image gamblingSign()
{
    Image im(300, 72);
    im.roundRect(0, 0, 300, 72, 8, rgb(70, 40, 24));
    im.roundRect(3, 3, 294, 66, 6, WOOD);
    im.roundRect(8, 8, 284, 56, 4, rgb(40, 110, 60));
    for (int y = 8; y < 64; y++)
        for (int x = 8; x < 292; x++)
            if (im.get(x, y).g == 110 && hash01(x, y, 19) < 0.2f)
                im.set(x, y, rgb(36, 100, 54));
    auto die = [&](int x, int y, int pips) {
        im.roundRect(x + 2, y + 2, 24, 24, 4, rgb(10, 30, 16, 120));
        im.roundRect(x, y, 24, 24, 4, rgb(246, 242, 232));
        im.rect(x + 2, y + 20, 20, 3, rgb(210, 204, 190));
        const int at[7][2] = {{12, 12}, {6, 6}, {18, 18}, {18, 6}, {6, 18}, {6, 12}, {18, 12}};
        int use[7][7] = {{0}, {0}, {1, 2}, {0, 1, 2}, {1, 2, 3, 4}, {0, 1, 2, 3, 4}, {1, 2, 3, 4, 5, 6}};
        int counts[7] = {0, 1, 2, 3, 4, 5, 6};
        for (int i = 0; i < counts[pips]; i++)
            im.disc(x + at[use[pips][i]][0] + 0.5f, y + at[use[pips][i]][1] + 0.5f, 2.2f, rgb(180, 30, 40));
    };
    die(18, 22, 5);
    die(48, 16, 3);
    for (int s = 0; s < 3; s++)                          // stacks of coins
        for (int c = 0; c < 4 - s; c++) {
            int x = 254 + s * 16, y = 46 - c * 5;
            im.ellipse(x, y + 2, 7, 3.5f, darker(GOLD, 0.4f));
            im.ellipse(x, y, 7, 3.5f, GOLD);
            im.ellipse(x - 1, y - 1, 4, 1.5f, lighter(GOLD, 0.4f));
        }
    titleText(im, 84, 29, "DICE AND COIN", rgb(255, 236, 150), rgb(220, 150, 50), INK, 2);
    return im;
}

Image healMark()
{
    Image im(32, 32);
    im.rect(12, 4, 8, 24, rgb(90, 220, 110));
    im.rect(4, 12, 24, 8, rgb(90, 220, 110));
    im.rect(13, 5, 2, 22, rgb(200, 255, 210));
    im.rect(5, 13, 22, 2, rgb(200, 255, 210));
    im.outline(rgb(20, 70, 40));
    for (int s = 0; s < 3; s++) {
        int x = s == 0 ? 27 : s == 1 ? 4 : 26, y = s == 0 ? 4 : s == 1 ? 27 : 26;
        im.put(x, y, WHITE);
        im.put(x - 1, y, rgb(200, 255, 210));
        im.put(x + 1, y, rgb(200, 255, 210));
        im.put(x, y - 1, rgb(200, 255, 210));
        im.put(x, y + 1, rgb(200, 255, 210));
    }
    return im;
}

Image shot()
{
    Image im(16, 16);
    im.rect(1, 7, 11, 2, rgb(170, 120, 70));
    im.triangle(11, 4, 15, 8, 11, 12, STEEL);
    im.triangle(0, 4, 4, 8, 0, 8, rgb(230, 70, 60));
    im.triangle(0, 12, 4, 8, 0, 8, rgb(200, 50, 50));
    im.outline(INK);
    return im;
}

// The heart gauge; the empty and full pictures share one outline exactly.
Image heart(bool full)
{
    Image shape(48, 48);
    shape.disc(15, 17, 10, WHITE);
    shape.disc(33, 17, 10, WHITE);
    shape.triangle(5.5f, 20, 42.5f, 20, 24, 43, WHITE);
    shape.rect(15, 12, 18, 10, WHITE);
    Image im(48, 48);
    for (int y = 0; y < 48; y++)
        for (int x = 0; x < 48; x++) {
            if (!shape.get(x, y).a)
                continue;
            bool edge = !shape.get(x - 1, y).a || !shape.get(x + 1, y).a || !shape.get(x, y - 1).a || !shape.get(x, y + 1).a;
            Rgba c;
            if (edge)
                c = INK;
            else if (full)
                c = (x < 20 && y < 20 && (x - 13) * (x - 13) + (y - 14) * (y - 14) < 14) ? rgb(255, 180, 180)
                    : mix(rgb(236, 50, 60), rgb(160, 20, 40), (x + y - 20) / 50.0f);
            else
                c = mix(rgb(70, 60, 76), rgb(46, 38, 52), (x + y - 20) / 50.0f);
            im.set(x, y, c);
        }
    return im;
}

Image smallCoin()
{
    Image im(24, 24);
    im.ball(12, 12, 9, 9, GOLD);
    im.disc(12, 12, 5, darker(GOLD, 0.15f));
    im.rect(11, 8, 2, 8, lighter(GOLD, 0.4f));
    im.outline(INK);
    return im;
}

Image smallStar()
{
    Image im(24, 24);
    for (int s = 0; s < 5; s++) {
        float a = -1.5708f + s * 1.2566f;
        im.triangle(12, 12, 12 + std::cos(a) * 10, 12 + std::sin(a) * 10, 12 + std::cos(a + 0.63f) * 4.5f, 12 + std::sin(a + 0.63f) * 4.5f, rgb(250, 220, 90));
        im.triangle(12, 12, 12 + std::cos(a) * 10, 12 + std::sin(a) * 10, 12 + std::cos(a - 0.63f) * 4.5f, 12 + std::sin(a - 0.63f) * 4.5f, rgb(255, 240, 160));
    }
    im.outline(INK);
    return im;
}

Image smallShield()
{
    Image im(24, 24);
    im.roundRect(4, 2, 16, 10, 3, rgb(60, 90, 170));
    im.triangle(4, 10, 20, 10, 12, 22, rgb(60, 90, 170));
    im.rect(11, 3, 2, 16, GOLD);
    im.rect(5, 8, 14, 2, GOLD);
    im.outline(INK);
    return im;
}

Image fightBanner()
{
    Image im(400, 120);
    const Rgba red = rgb(170, 30, 36);
    // ribbon with notched tails
    im.triangle(0, 30, 40, 30, 20, 60, darker(red, 0.35f));
    im.triangle(0, 90, 40, 90, 20, 60, darker(red, 0.35f));
    im.rect(20, 30, 30, 60, darker(red, 0.35f));
    im.triangle(400, 30, 360, 30, 380, 60, darker(red, 0.35f));
    im.triangle(400, 90, 360, 90, 380, 60, darker(red, 0.35f));
    im.rect(350, 30, 30, 60, darker(red, 0.35f));
    im.roundRect(40, 14, 320, 92, 10, INK);
    im.roundRect(43, 17, 314, 86, 8, GOLD);
    im.roundRect(47, 21, 306, 78, 6, red);
    for (int y = 21; y < 99; y++)
        for (int x = 47; x < 353; x++)
            if (im.get(x, y).r == red.r)
                im.set(x, y, mix(lighter(red, 0.2f), darker(red, 0.3f), (y - 21) / 78.0f));
    // crossed swords behind the lettering at both ends
    for (int side = 0; side < 2; side++) {
        float cx = side ? 334 : 66;
        for (int s = -1; s <= 1; s += 2) {
            im.capsule(cx - 12 * s, 88, cx + 12 * s, 32, 3.2f, INK);
            im.capsule(cx - 12 * s, 88, cx + 12 * s, 32, 2.2f, STEEL);
            im.capsule(cx - 14 * s, 76, cx - 4 * s, 80, 2.2f, GOLD);
        }
    }
    int w = textWidth("FIGHT!", 6);
    titleText(im, 200 - w / 2, 39, "FIGHT!", rgb(255, 246, 170), rgb(240, 140, 40), INK, 6);
    return im;
}

// The game's icon, a kite shield with a sword across it, 32x32: opaque where
// the drawing covers at least half a pixel, clear elsewhere.
Image gameIcon()
{
    Image art(32, 32);
    art.roundRect(4, 3, 24, 14, 4, rgb(60, 90, 170));
    art.triangle(4, 15, 28, 15, 16, 30, rgb(60, 90, 170));
    art.rect(15, 4, 3, 24, GOLD);
    art.rect(5, 10, 22, 3, GOLD);
    art.capsule(4, 28, 27, 4, 1.6f, STEEL);
    art.outline(INK);
    Image im(32, 32);
    for (size_t i = 0; i < art.px.size(); i++)
        if (art.px[i].a >= 128)
            im.px[i] = withAlpha(art.px[i], 255);
    return im;
}

// The window icon: the game's icon on magenta, the colour the engine keys out.
Image windowIcon()
{
    Image icon = gameIcon();
    Image im(32, 32, rgb(255, 0, 255));
    for (size_t i = 0; i < icon.px.size(); i++)
        if (icon.px[i].a == 255)
            im.px[i] = icon.px[i];
    return im;
}

// The game's icon for the desktop's menus and docks, size pixels square (a
// multiple of 32): every pixel grown to a block, so it stays crisp pixel art.
Image desktopIcon(int size)
{
    Image icon = gameIcon();
    int k = size / 32;
    Image im(size, size);
    for (int y = 0; y < size; y++)
        for (int x = 0; x < size; x++)
            im.set(x, y, icon.get(x / k, y / k));
    return im;
}

} // namespace

Image gameOverPicture()
{
    Image im(400, 300);
    for (int y = 0; y < 300; y++)
        for (int x = 0; x < 400; x++) {
            float t = y / 300.0f;
            Rgba sky = mix(rgb(20, 18, 44), rgb(60, 30, 60), t);
            // fade to black at the picture's edges so it sits on the black screen
            float ex = std::min(x, 399 - x) / 40.0f, ey = std::min(y, 299 - y) / 40.0f;
            float edge = std::min(1.0f, std::min(ex, ey));
            im.set(x, y, mix(rgb(0, 0, 0), sky, edge));
        }
    Rng rng(300);
    for (int i = 0; i < 60; i++) {
        int x = rng.range(30, 370), y = rng.range(30, 150);
        im.put(x, y, rgb(220, 220, 255, 140 + rng.range(0, 100)));
    }
    im.disc(320, 70, 22, rgb(230, 226, 200));
    im.disc(330, 64, 20, mix(rgb(20, 18, 44), rgb(60, 30, 60), 0.2f));
    // hill
    for (int x = 0; x < 400; x++) {
        int top = 210 + (int)(20 * std::cos((x - 200) / 130.0f)) - 14;
        for (int y = top; y < 300; y++) {
            float ex = std::min(x, 399 - x) / 40.0f, ey = (299 - y) / 40.0f;
            float edge = std::min(1.0f, std::min(ex, ey));
            Rgba g = y == top ? rgb(70, 100, 70) : rgb(30, 50, 40);
            im.set(x, y, mix(rgb(0, 0, 0), g, edge));
        }
    }
    // gravestone
    const Rgba stone = rgb(130, 130, 144);
    im.roundRect(170, 110, 60, 96, 28, INK);
    im.roundRect(173, 113, 54, 92, 26, stone);
    im.roundRect(176, 116, 46, 86, 23, lighter(stone, 0.15f));
    im.rect(218, 132, 5, 70, darker(stone, 0.2f));
    text(im, 183, 140, "RIP", rgb(60, 60, 76), 2);
    im.rect(160, 200, 80, 8, rgb(60, 46, 40));
    // a fallen hero's sword stuck in the ground
    im.capsule(262, 208, 282, 150, 3.5f, INK);
    im.capsule(262, 208, 282, 150, 2.3f, STEEL);
    im.capsule(268, 160, 290, 168, 2.8f, GOLD);
    im.capsule(283, 148, 287, 138, 2.4f, rgb(110, 70, 40));
    im.disc(288, 136, 3, GOLD);
    int w = textWidth("GAME OVER", 5);
    titleText(im, 200 - w / 2, 236, "GAME OVER", rgb(255, 110, 90), rgb(160, 20, 30), INK, 5);
    return im;
}

bool makeIcons(const std::string& outDir, int& count)
{
    std::string dir = outDir + "/icns";
    if (!makeDirs(dir))
        return false;
    for (int n = 0; n < ICON_COUNT; n++) {
        Image im(1, 1);
        switch (n) {
        case ICON_POINTER: im = pointer(); break;
        case ICON_HIT: im = hitMark(); break;
        case ICON_MISS: im = missMark(); break;
        case ICON_HEALTH_BAR: im = bar(rgb(210, 40, 50)); break;
        case ICON_MANA_BAR: im = bar(rgb(50, 90, 220)); break;
        case ICON_FIRE_TRAIL: im = trailFlame(); break;
        case ICON_GAMBLING_SIGN: im = gamblingSign(); break;
        case ICON_HEAL_MARK: im = healMark(); break;
        case ICON_ARROW: im = shot(); break;
        case ICON_HEART_EMPTY: im = heart(false); break;
        case ICON_HEART_FULL: im = heart(true); break;
        case ICON_SPARE_COIN: im = smallCoin(); break;
        case ICON_SPARE_STAR: im = smallStar(); break;
        case ICON_FIGHT_BANNER: im = fightBanner(); break;
        case ICON_WINDOW: im = windowIcon(); break;
        case ICON_SPARE_SHIELD: im = smallShield(); break;
        default: im = fightButton(n); break;   // the fight and spell bar buttons
        }
        if (!savePng(im, dir + "/" + std::to_string(n) + ".png"))
            return false;
        count++;
    }
    if (!savePng(gameOverPicture(), outDir + "/gameover.png"))
        return false;
    count++;
    // Not read by the engine: installed as the desktop entry's icon.
    if (!makeDirs(outDir + "/desktop"))
        return false;
    for (int size : DESKTOP_ICON_SIZES) {
        std::string name = std::to_string(size) + "x" + std::to_string(size) + ".png";
        if (!savePng(desktopIcon(size), outDir + "/desktop/" + name))
            return false;
        count++;
    }
    return true;
}
