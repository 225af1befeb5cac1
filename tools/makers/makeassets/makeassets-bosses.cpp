// makeassets-bosses.cpp -- what sets Saltmere's four bosses apart from the common cast: circlet, lamp helmet, tricorn, crown.
#include "makeassets.h"

namespace {

const Rgba GOLD = rgb(232, 190, 70), GOLD_DARK = rgb(170, 120, 40), IRON = rgb(104, 108, 120);
const Rgba HAT = rgb(30, 26, 34);

// Pixels are painted clear where a common body drew something the boss does not wear.
void clearRect(Image& im, int x, int y, int w, int h)
{
    for (int j = y; j < y + h; j++)
        for (int i = x; i < x + w; i++)
            im.set(i, j, CLEAR);
}

// Glowing eyes: the pupils of the face in colour c, with a faint light around them. Seen from
// the side only the near eye shows; from behind, none.
void eyes(Image& im, int dir, int cy, Rgba c)
{
    if (dir == FACE_UP)
        return;
    const int xs[2] = {20, 27};
    for (int k = 0; k < (dir == FACE_DOWN ? 2 : 1); k++) {
        int x = dir == FACE_DOWN ? xs[k] : 28;
        im.disc((float)x + 0.5f, (float)cy + 1.5f, 2.6f, withAlpha(c, 80));
        im.rect(x, cy + 1, 1, 1, c);
        im.set(x + 1, cy + 1, lighter(c, 0.4f));
    }
}

// A band round the head at height y, from the front or back (wide) or the side.
void band(Image& im, int dir, int y, int h, Rgba c)
{
    if (dir == FACE_RIGHT)
        im.rect(16, y, 17, h, c);
    else
        im.rect(15, y, 19, h, c);
    im.rect(dir == FACE_RIGHT ? 16 : 15, y, dir == FACE_RIGHT ? 17 : 19, 1, lighter(c, 0.3f));
}

// The Barrow wight: a bronze burial circlet, wisps of white hair, ice-blue eyes and a grave mist.
void wight(Image& im, int dir, int cy, int bob)
{
    Rgba hair = rgb(226, 232, 236);
    if (dir == FACE_RIGHT) {
        im.rect(15, cy - 2, 3, 12, hair);
        im.rect(17, cy + 4, 1, 8, darker(hair, 0.2f));
    } else {
        im.rect(15, cy - 2, 2, 11, hair);
        im.rect(32, cy - 2, 2, 11, hair);
        for (int x = 18; dir == FACE_UP && x < 31; x += 3)
            im.rect(x, cy + 1, 2, 6 + x % 4, darker(hair, 0.08f));
    }
    band(im, dir, cy - 5, 2, rgb(176, 120, 56));
    if (dir == FACE_DOWN)
        im.rect(23, cy - 6, 2, 2, rgb(90, 220, 200));
    eyes(im, dir, cy, rgb(130, 230, 255));
    for (int i = 0; i < 5; i++)   // rags at the shroud's hem
        im.rect(15 + i * 4, 40 + (i + bob) % 2, 2, 3, rgb(48, 60, 58));
    im.ellipse(24, 43, 15, 3.5f, rgb(170, 220, 235, 90));
}

// The Mine warden: a miner's lamp in place of the plume, iron shoulder plates, yellow eyes,
// and a pick's head on the pole.
void warden(Image& im, int dir, int cy, int bob, int frame)
{
    clearRect(im, 22, cy - 11, 3, 3);
    if (dir != FACE_UP) {
        int lx = dir == FACE_RIGHT ? 27 : 21;
        im.rect(lx, cy - 8, 6, 4, GOLD_DARK);
        im.rect(lx + 1, cy - 7, 4, 2, rgb(255, 236, 140));
        im.disc((float)lx + 3, (float)cy - 6, 5, rgb(255, 230, 120, 70));
    } else {
        im.rect(21, cy - 8, 6, 2, GOLD_DARK);
    }
    if (dir != FACE_RIGHT) {
        im.ball(13, 23 + bob, 4, 3, IRON);
        im.ball(35, 23 + bob, 4, 3, IRON);
    } else {
        im.ball(24, 23 + bob, 5, 3, IRON);
    }
    eyes(im, dir, cy - 1, rgb(230, 250, 90));
    int hx = dir == FACE_DOWN ? 16 : dir == FACE_UP ? 33 : 31 + (frame == 1 ? -2 : frame == 2 ? 2 : 0);
    im.capsule((float)hx - 6, 5.0f + bob, (float)hx + 7, 3.0f + bob, 1.4f, IRON);
    im.rect(hx - 7, 6 + bob, 2, 2, lighter(IRON, 0.2f));
}

// Captain Redmaw: a black tricorn with gold edging, an eye patch, gold buttons on the coat.
void redmaw(Image& im, int dir, int cy, int bob)
{
    if (dir == FACE_RIGHT) {
        im.ellipse(23, (float)cy - 6, 12, 3.5f, HAT);
        im.ellipse(22, (float)cy - 9, 8, 4, HAT);
        im.rect(12, cy - 6, 23, 1, GOLD);
        im.rect(27, cy - 1, 4, 3, HAT);
        im.line(20, cy - 4, 27, cy - 1, HAT);
    } else {
        im.ellipse(24, (float)cy - 6, 13, 3.5f, HAT);
        im.ellipse(24, (float)cy - 9, 8, 4.5f, HAT);
        im.triangle(11, (float)cy - 8, 17, (float)cy - 6, 12, (float)cy - 3, HAT);
        im.triangle(37, (float)cy - 8, 31, (float)cy - 6, 36, (float)cy - 3, HAT);
        im.rect(12, cy - 6, 25, 1, GOLD);
        if (dir == FACE_DOWN) {
            im.rect(22, cy - 11, 5, 3, rgb(236, 230, 220));   // a white skull badge
            im.set(23, cy - 10, HAT);
            im.set(25, cy - 10, HAT);
            im.rect(26, cy - 1, 4, 4, HAT);
            im.line(16, cy - 3, 26, cy, HAT);
            im.line(30, cy, 33, cy - 2, HAT);
            for (int y = 25; y < 34; y += 3)
                im.rect(24, y + bob, 1, 1, GOLD);
        }
    }
}

// The Drowned King: the Lantern Crown with its burning gem, sea-green eyes, kelp on the robe and
// a golden trident.
void drownedKing(Image& im, int dir, int cy, int bob, int frame)
{
    int left = dir == FACE_RIGHT ? 17 : 16, width = dir == FACE_RIGHT ? 15 : 17;
    im.rect(left, cy - 9, width, 4, GOLD);
    im.rect(left, cy - 6, width, 1, GOLD_DARK);
    for (int p = 0; p < 3; p++) {
        float x = (float)left + 2 + p * (width - 4) / 2.0f;
        im.triangle(x - 2.5f, (float)cy - 9, x + 2.5f, (float)cy - 9, x, (float)cy - 15 + (p == 1 ? -1 : 0), GOLD);
    }
    if (dir != FACE_UP) {
        int gx = dir == FACE_RIGHT ? 27 : 24;
        im.disc((float)gx, (float)cy - 7.5f, 6, rgb(255, 200, 90, 70));
        im.rect(gx - 1, cy - 8, 2, 2, rgb(255, 120, 40));
    }
    eyes(im, dir, cy, rgb(110, 255, 190));
    Rgba kelp = rgb(50, 120, 50);
    if (dir == FACE_RIGHT) {
        im.capsule(20, 22.0f + bob, 18, 38, 0.8f, kelp);
    } else {
        im.capsule(18, 22.0f + bob, 16, 37, 0.8f, kelp);
        im.capsule(30, 22.0f + bob, 32, 35, 0.8f, kelp);
        im.capsule(24, 30.0f + bob, 25, 40, 0.7f, darker(kelp, 0.2f));
    }
    int hx = dir == FACE_DOWN ? 15 : dir == FACE_UP ? 32 : 30 + (frame == 1 ? -2 : frame == 2 ? 2 : 0);
    im.rect(hx - 3, 6 + bob, 8, 1, GOLD);
    im.rect(hx - 3, 1 + bob, 1, 6, GOLD);
    im.rect(hx + 4, 1 + bob, 1, 6, GOLD);
    im.rect(hx, bob - 1, 2, 7, GOLD);
}

} // namespace

void bossTrim(Image& body, int set, int dir, int frame)
{
    int bob = frame == 0 ? 0 : 1;
    int cy = 14 + bob;
    switch (set) {
    case 9:
        wight(body, dir, cy, bob);
        break;
    case 10:
        warden(body, dir, cy, bob, frame);
        break;
    case 11:
        redmaw(body, dir, cy, bob);
        break;
    case 12:
        drownedKing(body, dir, cy, bob, frame);
        break;
    default:
        break;
    }
}
