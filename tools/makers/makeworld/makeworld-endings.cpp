// makeworld-endings.cpp -- draws the ending slides: painted scenes of what became of Saltmere, with a caption banner.
#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include "makeworld.h"
#include "picture.h"

namespace {

const int W = 640, H = 440;
const int HORIZON = 270;

void sky(Image& img, Rgba top, Rgba low, int bottom)
{
    for (int y = 0; y < bottom; y++)
        img.rect(0, y, W, 1, mix(top, low, (float)y / bottom));
}

void stars(Image& img, uint32_t seed, int bottom)
{
    for (int i = 0; i < 140; i++) {
        int x = (int)(hash01(i, 1, seed) * W), y = (int)(hash01(i, 2, seed) * bottom * 0.85f);
        int a = 90 + (int)(hash01(i, 3, seed) * 160);
        img.put(x, y, rgb(255, 250, 220, a));
        if (i % 9 == 0) {
            img.put(x + 1, y, rgb(255, 250, 220, a / 2));
            img.put(x - 1, y, rgb(255, 250, 220, a / 2));
            img.put(x, y + 1, rgb(255, 250, 220, a / 2));
            img.put(x, y - 1, rgb(255, 250, 220, a / 2));
        }
    }
}

// Bands of water under the horizon with short wave crests that thin out with distance.
void sea(Image& img, Rgba nearC, Rgba farC, Rgba crest, uint32_t seed)
{
    for (int y = HORIZON; y < H; y++)
        img.rect(0, y, W, 1, mix(farC, nearC, (float)(y - HORIZON) / (H - HORIZON)));
    for (int i = 0; i < 260; i++) {
        float t = hash01(i, 5, seed);
        int y = HORIZON + 3 + (int)(t * t * (H - HORIZON - 6));
        int x = (int)(hash01(i, 6, seed) * W);
        int len = 3 + (int)((y - HORIZON) * 0.12f);
        img.rect(x, y, len, 1, crest);
    }
}

// A path of light on the water under a lamp, sun or moon at x.
void glitter(Image& img, int x, Rgba c, uint32_t seed)
{
    for (int y = HORIZON + 2; y < H; y += 3) {
        float spread = 6 + (y - HORIZON) * 0.45f;
        for (int k = 0; k < 3; k++) {
            float o = (hash01(y, k, seed) * 2 - 1) * spread;
            int len = 2 + (int)(hash01(y, k + 7, seed) * 6);
            img.rect(x + (int)o, y, len, 1, c);
        }
    }
}

void hill(Image& img, float cx, float base, float width, float height, Rgba c)
{
    for (int x = (int)(cx - width); x <= (int)(cx + width); x++) {
        float t = (x - cx) / width;
        float h = height * (1 - t * t) * (0.85f + 0.15f * std::cos(x * 0.21f));
        if (h > 0)
            img.rect(x, (int)(base - h), 1, (int)h + 1, c);
    }
}

void lighthouse(Image& img, int x, int base, bool lit)
{
    Rgba white = rgb(226, 222, 210), red = rgb(170, 52, 46), dark = rgb(40, 34, 44);
    for (int y = base - 120; y < base; y++) {
        float t = (float)(base - y) / 120;
        int half = (int)(18 - 7 * t);
        bool stripe = ((base - y) / 24) % 2 == 1;
        img.rect(x - half, y, 2 * half, 1, stripe ? red : white);
        img.put(x - half, y, dark);
        img.put(x + half - 1, y, dark);
    }
    img.rect(x - 15, base - 128, 30, 8, dark);
    img.rect(x - 9, base - 146, 18, 18, lit ? rgb(255, 226, 120) : rgb(60, 60, 70));
    img.frame(x - 9, base - 146, 18, 18, dark);
    img.triangle((float)x - 13, (float)base - 146, (float)x + 13, (float)base - 146, (float)x, (float)base - 162, red);
    img.rect(x - 3, base - 20, 6, 20, dark);
    if (lit) {
        img.disc((float)x, (float)base - 137, 22, rgb(255, 230, 140, 70));
        img.triangle((float)x, (float)base - 140, 0, (float)base - 180, 0, (float)base - 110, rgb(255, 236, 160, 60));
        img.triangle((float)x, (float)base - 134, (float)W, (float)base - 200, (float)W, (float)base - 150,
                     rgb(255, 236, 160, 45));
    }
}

void house(Image& img, int x, int base, int w, int h, Rgba wall, Rgba roof, bool lights)
{
    Rgba ink = rgb(36, 28, 36);
    img.rect(x, base - h, w, h, wall);
    img.frame(x, base - h, w, h, ink);
    img.triangle((float)x - 4, (float)(base - h), (float)(x + w + 4), (float)(base - h), (float)(x + w / 2),
                 (float)(base - h - w / 2), roof);
    img.rect(x + w / 2 - 4, base - 14, 8, 14, rgb(90, 60, 40));
    for (int wx = x + 5; wx + 7 < x + w - 2; wx += 14)
        if (wx + 7 < x + w / 2 - 5 || wx > x + w / 2 + 5)
            img.rect(wx, base - h + 8, 7, 7, lights ? rgb(255, 214, 110) : rgb(70, 80, 100));
}

void boat(Image& img, int x, int y, float s, Rgba sail)
{
    Rgba hull = rgb(110, 70, 44), ink = rgb(36, 28, 36);
    img.triangle(x - 30 * s, (float)y, x + 30 * s, (float)y, x + 22 * s, y + 10 * s, hull);
    img.triangle(x - 30 * s, (float)y, x - 22 * s, y + 10 * s, x + 22 * s, y + 10 * s, hull);
    img.rect(x - 1, (int)(y - 44 * s), 2, (int)(44 * s), ink);
    img.triangle(x + 2.0f, y - 42 * s, x + 2.0f, y - 4 * s, x + 26 * s, y - 6 * s, sail);
    img.triangle(x - 2.0f, y - 36 * s, x - 2.0f, y - 6 * s, x - 18 * s, y - 6 * s, darker(sail, 0.15f));
}

void gull(Image& img, int x, int y, Rgba c)
{
    img.line(x - 6, y, x - 2, y - 3, c);
    img.line(x - 2, y - 3, x, y, c);
    img.line(x, y, x + 2, y - 3, c);
    img.line(x + 2, y - 3, x + 6, y, c);
}

// The hero seen from behind: cape, tunic, brown hair, sword at the side.
void hero(Image& img, int x, int feet, float s)
{
    Rgba ink = rgb(30, 22, 34);
    Rgba cape = rgb(176, 44, 48), tunic = rgb(52, 92, 170), skin = rgb(236, 190, 150), hair = rgb(112, 70, 38);
    img.capsule((float)x - 6 * s, feet - 16 * s, (float)x - 7 * s, (float)feet, 3.2f * s, ink);
    img.capsule((float)x + 6 * s, feet - 16 * s, (float)x + 7 * s, (float)feet, 3.2f * s, ink);
    img.capsule((float)x - 6 * s, feet - 16 * s, (float)x - 7 * s, feet - 1 * s, 2.2f * s, rgb(80, 60, 50));
    img.capsule((float)x + 6 * s, feet - 16 * s, (float)x + 7 * s, feet - 1 * s, 2.2f * s, rgb(80, 60, 50));
    img.roundRect((int)(x - 12 * s), (int)(feet - 44 * s), (int)(24 * s), (int)(30 * s), (int)(5 * s), tunic);
    img.triangle(x - 14 * s, feet - 42 * s, x + 14 * s, feet - 42 * s, x + 18 * s, feet - 10 * s, cape);
    img.triangle(x - 14 * s, feet - 42 * s, x - 18 * s, feet - 10 * s, x + 18 * s, feet - 10 * s, cape);
    img.capsule(x + 15 * s, feet - 36 * s, x + 20 * s, feet - 4 * s, 1.6f * s, rgb(200, 200, 210));
    img.disc((float)x, feet - 52 * s, 9 * s, skin);
    img.ellipse((float)x, feet - 54 * s, 10 * s, 8.5f * s, hair);
    for (int k = -2; k <= 2; k++)
        img.triangle(x + k * 4 * s - 3 * s, feet - 58 * s, x + k * 4 * s + 3 * s, feet - 58 * s, x + k * 4.5f * s,
                     feet - 66 * s, hair);
}

void caption(Image& img, const std::string& text)
{
    int scale = 3;
    int tw = textWidth(text, scale);
    while (tw > W - 40 && scale > 1)
        tw = textWidth(text, --scale);
    int bh = 7 * scale + 22;
    img.rect(0, H - bh, W, bh, rgb(14, 12, 30, 200));
    img.rect(0, H - bh, W, 2, rgb(214, 176, 92));
    titleText(img, (W - tw) / 2, H - bh + 11, text, rgb(255, 236, 170), rgb(214, 160, 70), rgb(30, 20, 10), scale);
}

void border(Image& img)
{
    img.frame(0, 0, W, H, rgb(214, 176, 92));
    img.frame(1, 1, W - 2, H - 2, rgb(60, 40, 20));
    img.frame(2, 2, W - 4, H - 4, rgb(214, 176, 92));
}

// Night: the lamp on Veyl burns again over a calm sea.
void lampScene(Image& img)
{
    sky(img, rgb(8, 10, 40), rgb(44, 50, 110), HORIZON);
    stars(img, 11, HORIZON);
    img.disc(120, 70, 26, rgb(246, 240, 214));
    img.disc(130, 64, 24, rgb(24, 28, 74));
    sea(img, rgb(14, 34, 78), rgb(30, 52, 110), rgb(90, 120, 190, 160), 12);
    glitter(img, 430, rgb(255, 226, 140, 150), 13);
    hill(img, 440, (float)HORIZON + 6, 140, 52, rgb(20, 26, 30));
    hill(img, 360, (float)HORIZON + 6, 60, 24, rgb(26, 32, 36));
    lighthouse(img, 440, HORIZON - 40, true);
    boat(img, 170, 350, 1.2f, rgb(226, 214, 180));
}

// Dawn over the harbour: roofs, lit windows, boats home and gulls.
void harbourScene(Image& img)
{
    sky(img, rgb(70, 110, 190), rgb(250, 186, 130), HORIZON);
    img.disc(520, (float)HORIZON, 40, rgb(255, 214, 120));
    img.disc(520, (float)HORIZON, 52, rgb(255, 214, 120, 70));
    sea(img, rgb(30, 74, 120), rgb(120, 140, 170), rgb(250, 220, 180, 150), 21);
    glitter(img, 520, rgb(255, 220, 150, 170), 22);
    hill(img, 140, (float)HORIZON + 4, 220, 40, rgb(70, 110, 60));
    img.rect(0, HORIZON - 2, 330, 26, rgb(200, 180, 130));
    house(img, 20, HORIZON - 2, 54, 44, rgb(214, 196, 160), rgb(150, 60, 50), true);
    house(img, 86, HORIZON - 2, 64, 56, rgb(196, 176, 150), rgb(90, 80, 120), true);
    house(img, 162, HORIZON - 2, 48, 40, rgb(220, 206, 176), rgb(60, 110, 90), false);
    house(img, 222, HORIZON - 2, 70, 50, rgb(190, 170, 140), rgb(150, 60, 50), true);
    img.rect(280, HORIZON + 20, 120, 8, rgb(120, 84, 50));
    for (int px = 284; px < 400; px += 16)
        img.rect(px, HORIZON + 28, 4, 18, rgb(80, 56, 36));
    boat(img, 360, HORIZON + 60, 1.0f, rgb(236, 230, 210));
    boat(img, 470, HORIZON + 110, 1.4f, rgb(200, 90, 70));
    gull(img, 300, 90, rgb(40, 40, 60));
    gull(img, 340, 120, rgb(40, 40, 60));
    gull(img, 410, 70, rgb(40, 40, 60));
}

// Sunset from the cliffs: the hero looks out to sea, the lamp far off.
void farewellScene(Image& img)
{
    sky(img, rgb(40, 40, 110), rgb(250, 130, 80), HORIZON);
    stars(img, 31, 90);
    img.disc(320, (float)HORIZON - 6, 46, rgb(255, 170, 90));
    sea(img, rgb(50, 40, 90), rgb(180, 100, 110), rgb(255, 190, 140, 140), 32);
    glitter(img, 320, rgb(255, 190, 120, 170), 33);
    hill(img, 600, (float)HORIZON + 2, 50, 16, rgb(40, 30, 50));
    lighthouse(img, 600, HORIZON - 6, true);
    for (int x = 0; x < W; x++) {
        float top = 330 + 20 * std::sin(x * 0.012f) + (x > 380 ? (x - 380) * 0.5f : 0);
        img.rect(x, (int)top, 1, H - (int)top, rgb(36, 54, 40));
        img.rect(x, (int)top, 1, 3, rgb(70, 110, 60));
    }
    hero(img, 180, 336, 1.6f);
}

// Morning at the training yard: banner, gate and a road running on.
void yardScene(Image& img)
{
    sky(img, rgb(110, 170, 230), rgb(220, 236, 250), 300);
    img.disc(530, 80, 34, rgb(255, 240, 170));
    hill(img, 160, 300, 240, 70, rgb(110, 170, 90));
    hill(img, 520, 300, 220, 50, rgb(90, 150, 80));
    img.rect(0, 300, W, H - 300, rgb(96, 160, 76));
    for (int y = 300; y < H; y++) {
        float half = 8 + (y - 300) * 0.9f;
        img.rect(320 - (int)half, y, (int)(2 * half), 1, rgb(176, 140, 96));
    }
    Rgba stone = rgb(150, 150, 160), ink = rgb(30, 22, 34);
    img.rect(190, 170, 40, 140, stone);
    img.rect(410, 170, 40, 140, stone);
    img.frame(190, 170, 40, 140, ink);
    img.frame(410, 170, 40, 140, ink);
    img.rect(180, 150, 280, 26, rgb(120, 80, 50));
    img.frame(180, 150, 280, 26, ink);
    img.rect(240, 176, 14, 70, rgb(60, 90, 170));
    img.rect(386, 176, 14, 70, rgb(170, 50, 50));
    hero(img, 320, 400, 1.4f);
}

// The wide road ahead, with Saltmere's coast far away.
void roadScene(Image& img)
{
    sky(img, rgb(60, 110, 200), rgb(250, 210, 150), HORIZON);
    img.disc(470, 120, 30, rgb(255, 230, 150));
    sea(img, rgb(40, 80, 130), rgb(120, 150, 190), rgb(240, 230, 200, 140), 41);
    hill(img, 200, (float)HORIZON + 40, 320, 90, rgb(86, 140, 70));
    hill(img, 520, (float)HORIZON + 60, 200, 70, rgb(100, 156, 80));
    img.rect(0, HORIZON + 40, W, H, rgb(90, 150, 72));
    for (int y = HORIZON - 20; y < H; y++) {
        float t = (float)(y - (HORIZON - 20)) / (H - HORIZON + 20);
        float cx = 320 + 90 * std::sin(t * 3.0f) * (1 - t);
        float half = 2 + t * t * 90;
        if (y > HORIZON + 10 || half > 3)
            img.rect((int)(cx - half), y, (int)(2 * half), 1, rgb(180, 144, 100));
    }
    house(img, 560, HORIZON + 10, 40, 30, rgb(214, 196, 160), rgb(150, 60, 50), false);
    gull(img, 200, 80, rgb(40, 40, 60));
    gull(img, 240, 60, rgb(40, 40, 60));
}

// A townsperson seen from the front: legs or a skirt, a body, arms, a head with hair.
void person(Image& img, int x, int feet, float s, Rgba clothes, Rgba hair, bool skirt)
{
    Rgba ink = rgb(30, 22, 34), skin = rgb(236, 190, 150);
    if (skirt) {
        img.triangle(x - 11 * s, (float)feet - 2 * s, x + 11 * s, (float)feet - 2 * s, (float)x, feet - 34 * s, clothes);
    } else {
        img.capsule(x - 4 * s, feet - 16 * s, x - 4 * s, (float)feet - s, 2.6f * s, rgb(80, 62, 50));
        img.capsule(x + 4 * s, feet - 16 * s, x + 4 * s, (float)feet - s, 2.6f * s, rgb(80, 62, 50));
    }
    img.roundRect((int)(x - 8 * s), (int)(feet - 36 * s), (int)(16 * s), (int)(22 * s), (int)(4 * s), clothes);
    img.capsule(x - 9 * s, feet - 33 * s, x - 12 * s, feet - 20 * s, 2.2f * s, darker(clothes, 0.15f));
    img.capsule(x + 9 * s, feet - 33 * s, x + 12 * s, feet - 20 * s, 2.2f * s, darker(clothes, 0.15f));
    img.disc((float)x, feet - 43 * s, 7 * s, skin);
    img.ellipse((float)x, feet - 47 * s, 7.5f * s, 4.5f * s, hair);
    if (skirt)
        img.rect((int)(x - 7 * s), (int)(feet - 46 * s), (int)(3 * s), (int)(12 * s), hair);
    img.rect((int)(x - 3 * s), (int)(feet - 44 * s), (int)std::max(1.0f, s), (int)std::max(1.0f, s), ink);
    img.rect((int)(x + 2 * s), (int)(feet - 44 * s), (int)std::max(1.0f, s), (int)std::max(1.0f, s), ink);
}

void pine(Image& img, int x, int base, int h, Rgba c)
{
    img.rect(x - 2, base - h / 5, 4, h / 5, rgb(80, 54, 36));
    for (int k = 0; k < 3; k++) {
        float top = base - h + k * h * 0.22f, bottom = base - h / 5 - (2 - k) * h * 0.12f;
        float half = h * (0.18f + k * 0.07f);
        img.triangle((float)x, top, x - half, bottom, x + half, bottom, k == 0 ? lighter(c, 0.1f) : c);
    }
}

// Noon in the meadow up the north road: moonwort in flower, Tamsin's cottage, Pip's kite.
void meadowScene(Image& img)
{
    sky(img, rgb(90, 150, 230), rgb(210, 232, 250), 290);
    img.disc(110, 80, 30, rgb(255, 244, 190));
    hill(img, 470, 290, 260, 80, rgb(120, 180, 96));
    hill(img, 140, 290, 220, 56, rgb(104, 166, 84));
    img.rect(0, 290, W, H - 290, rgb(96, 164, 74));
    for (int i = 0; i < 320; i++) {
        float t = hash01(i, 1, 51);
        int y = 296 + (int)(t * t * (H - 300)), x = (int)(hash01(i, 2, 51) * W);
        int r = 1 + (int)((y - 290) * 0.02f);
        img.disc((float)x, (float)y, (float)r, i % 3 ? rgb(236, 232, 250) : rgb(176, 130, 220));
    }
    house(img, 430, 300, 86, 60, rgb(226, 210, 180), rgb(120, 70, 50), false);
    for (int k = 0; k < 4; k++)
        img.disc(500.0f + k * 6, 214.0f - k * 16, 6.0f + k * 2, rgb(236, 236, 240, 110));
    img.rect(497, 220, 10, 22, rgb(120, 90, 80));
    person(img, 250, 380, 1.4f, rgb(196, 90, 140), rgb(170, 80, 40), true);
    person(img, 320, 390, 1.0f, rgb(84, 140, 70), rgb(60, 40, 30), false);
    img.line(330, 352, 400, 120, rgb(60, 50, 50));
    img.triangle(400, 96, 386, 120, 414, 120, rgb(220, 60, 60));
    img.triangle(400, 144, 386, 120, 414, 120, rgb(250, 210, 80));
    for (int k = 0; k < 4; k++)
        img.rect(398 - k * 3, 146 + k * 7, 4, 2, rgb(80, 110, 200));
}

// Morning in Whisperwood: the barrow's dead at rest, Fenn splitting logs by his cabin.
void woodScene(Image& img)
{
    sky(img, rgb(120, 170, 210), rgb(236, 226, 190), 280);
    img.rect(0, 236, W, H - 236, rgb(34, 62, 40));
    for (int i = 0; i < 14; i++)
        pine(img, 20 + i * 48, 290 - (i % 3) * 6, 150 + (i % 4) * 20, rgb(40, 86, 52));
    img.rect(0, 290, W, H - 290, rgb(78, 120, 60));
    Rgba log = rgb(130, 86, 52), ink = rgb(36, 28, 36);
    img.rect(380, 250, 180, 100, log);
    for (int y = 256; y < 350; y += 10)
        img.rect(380, y, 180, 2, darker(log, 0.3f));
    img.triangle(366, 252, 574, 252, 470, 186, rgb(96, 60, 40));
    img.rect(450, 300, 30, 50, rgb(70, 46, 30));
    img.rect(400, 272, 26, 20, rgb(255, 214, 120));
    img.frame(400, 272, 26, 20, ink);
    for (int k = 0; k < 3; k++)
        for (int j = 0; j < 4 - k; j++)
            img.disc(596.0f - j * 14 - k * 7, 340.0f - k * 12, 7, rgb(176, 130, 84));
    img.rect(250, 372, 40, 22, rgb(120, 84, 52));
    img.ellipse(270, 372, 20, 5, rgb(200, 160, 110));
    person(img, 220, 400, 1.5f, rgb(60, 110, 150), rgb(110, 70, 40), false);
    img.capsule(238, 340, 262, 318, 2.2f, rgb(120, 80, 46));
    img.triangle(256, 306, 272, 314, 262, 326, rgb(200, 204, 214));
}

// Dusk in the Greyfang hills: the mine lit again, a cart of ore and old Gruff with his lantern.
void mineScene(Image& img)
{
    sky(img, rgb(60, 60, 120), rgb(240, 150, 100), 300);
    stars(img, 71, 80);
    hill(img, 320, 300, 360, 190, rgb(96, 92, 100));
    hill(img, 90, 300, 150, 110, rgb(80, 76, 88));
    hill(img, 560, 300, 140, 90, rgb(86, 82, 94));
    img.rect(0, 300, W, H - 300, rgb(110, 96, 80));
    Rgba timber = rgb(120, 84, 50);
    img.ellipse(320, 300, 56, 70, rgb(24, 20, 26));
    img.rect(264, 300, 112, 10, rgb(24, 20, 26));
    img.rect(262, 236, 12, 74, timber);
    img.rect(366, 236, 12, 74, timber);
    img.rect(256, 228, 128, 12, timber);
    img.disc(320, 280, 10, rgb(255, 200, 100, 90));
    for (int y = 310; y < H; y += 14) {
        float spread = 30 + (y - 310) * 0.9f;
        img.rect((int)(320 - spread), y, (int)(2 * spread), 3, rgb(90, 70, 56));
    }
    img.line(300, 310, 180, H, rgb(150, 150, 160));
    img.line(340, 310, 460, H, rgb(150, 150, 160));
    img.rect(360, 352, 90, 44, rgb(90, 90, 100));
    img.frame(360, 352, 90, 44, rgb(36, 28, 36));
    for (int k = 0; k < 7; k++)
        img.disc(368.0f + k * 12, 350.0f - (k % 2) * 4, 8, rgb(70, 66, 72));
    img.disc(404, 344, 5, rgb(220, 40, 60));
    img.disc(402, 342, 2, rgb(255, 160, 170));
    img.disc(380, 400, 8, rgb(40, 36, 40));
    img.disc(430, 400, 8, rgb(40, 36, 40));
    person(img, 180, 420, 1.5f, rgb(200, 150, 60), rgb(70, 46, 30), false);
    img.capsule(198, 372, 214, 392, 1.4f, rgb(60, 50, 40));
    img.rect(208, 390, 12, 14, rgb(226, 186, 70));
    img.disc(214, 397, 14, rgb(255, 220, 120, 80));
}

// Midday on the Reach: Lady Perrin's ferry under a striped sail, the lit tower of Veyl ahead.
void ferryScene(Image& img)
{
    sky(img, rgb(70, 130, 210), rgb(220, 236, 250), HORIZON);
    img.disc(520, 70, 28, rgb(255, 246, 200));
    sea(img, rgb(30, 84, 140), rgb(100, 150, 200), rgb(240, 248, 255, 160), 81);
    hill(img, 540, (float)HORIZON + 4, 90, 26, rgb(70, 100, 70));
    lighthouse(img, 560, HORIZON - 18, true);
    Rgba hull = rgb(120, 76, 46), ink = rgb(36, 28, 36);
    img.triangle(150, 330, 430, 330, 400, 370, hull);
    img.triangle(150, 330, 190, 370, 400, 370, hull);
    img.rect(170, 336, 240, 4, rgb(230, 214, 170));
    img.rect(286, 170, 5, 162, ink);
    for (int k = 0; k < 6; k++)
        img.rect(294, 178 + k * 22, 96 - k * 8, 22, k % 2 ? rgb(236, 230, 214) : rgb(60, 110, 190));
    img.triangle(291, 160, 291, 176, 320, 168, rgb(200, 60, 60));
    person(img, 230, 334, 1.0f, rgb(190, 90, 140), rgb(170, 80, 40), true);
    person(img, 256, 334, 1.0f, rgb(84, 140, 70), rgb(60, 40, 30), false);
    person(img, 360, 334, 1.0f, rgb(200, 150, 60), rgb(80, 60, 40), false);
    for (int y = 372; y < 380; y += 3)
        img.rect(160, y, 240, 1, rgb(240, 248, 255, 120));
    gull(img, 120, 120, rgb(40, 40, 60));
    gull(img, 160, 96, rgb(40, 40, 60));
    gull(img, 440, 150, rgb(40, 40, 60));
}

} // namespace

bool drawEndings(const WorldPlan& plan, const std::string& outDir)
{
    static const std::map<std::string, std::function<void(Image&)>> scenes = {
        {"lamp", lampScene}, {"harbour", harbourScene}, {"farewell", farewellScene},
        {"yard", yardScene}, {"road", roadScene}, {"meadow", meadowScene}, {"wood", woodScene},
        {"mine", mineScene}, {"ferry", ferryScene},
    };
    bool ok = true;
    for (size_t i = 0; i < plan.endings.size(); i++) {
        auto it = scenes.find(plan.endings[i].first);
        if (it == scenes.end()) {
            problem(plan.dir + "/world.txt", 0, "no ending scene called \"" + plan.endings[i].first + "\"");
            ok = false;
            continue;
        }
        Image img(W, H, rgb(0, 0, 0));
        it->second(img);
        caption(img, plan.endings[i].second);
        border(img);
        ok = savePng(img, outDir + "/ending/" + std::to_string(i) + ".png") && ok;
    }
    return ok;
}
