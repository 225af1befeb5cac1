// makeassets-sprites.cpp -- the walking sprite sets: hero, townsfolk, outlaw, wolf, skeleton, sea serpent, the bosses' bodies.
#include <cmath>
#include <cstdio>
#include "makeassets.h"

namespace {


enum class Hair { Short, Spiky, Long, Bald, Helmet, Skull, Cap };
enum class Garment { Tunic, Dress, Robe, Apron, Ribs };
enum class Held { None, Staff, Spear, RustySword };

class Look
{
public:
    Rgba skin, hair, shirt, pants, shoes;
    Hair hairStyle;
    Garment garment;
    Held held = Held::None;
    Rgba cape = CLEAR;        // alpha 0: no cape
    Rgba extra = CLEAR;       // apron, tabard or belt colour
    bool beard = false, moustache = false, stout = false, sword = false;
    bool mask = false;        // a black mask across the eyes: an outlaw, never a villager
};

// A flat block with a lit left/top edge and a shaded right edge.
void block(Image& im, int x, int y, int w, int h, Rgba c)
{
    im.rect(x, y, w, h, c);
    im.rect(x, y, 1, h, lighter(c, 0.22f));
    im.rect(x, y, w, 1, lighter(c, 0.15f));
    im.rect(x + w - 2, y + 1, 2, h - 1, darker(c, 0.28f));
}

class Pose
{
public:
    int bob;         // body drops a pixel on the stepping frames
    int leftLift;    // how far the (viewer's) left foot is raised
    int rightLift;
    int swing;       // -1, 0, 1: which way the arms swing
};

Pose poseFor(int frame)
{
    if (frame == 1)
        return {1, 3, 0, 1};
    if (frame == 2)
        return {1, 0, 3, -1};
    return {0, 0, 0, 0};
}

// ---- front and back views -------------------------------------------------

void legsFrontBack(Image& im, const Look& k, const Pose& p)
{
    if (k.garment == Garment::Robe) {
        // only the toes peek out under the hem
        im.rect(18, 42 - p.leftLift / 2, 5, 2, k.shoes);
        im.rect(25, 42 - p.rightLift / 2, 5, 2, k.shoes);
        return;
    }
    Rgba leg = k.garment == Garment::Dress ? k.skin : k.pants;
    int legW = k.garment == Garment::Ribs ? 3 : 5;
    for (int side = 0; side < 2; side++) {
        int x = side == 0 ? 18 : 25;
        int lift = side == 0 ? p.leftLift : p.rightLift;
        int top = 32 + p.bob, foot = 41 - lift;
        block(im, x + (5 - legW) / 2, top, legW, foot - top, leg);
        block(im, x - (side == 0 ? 1 : 0), foot, 6, 3, k.shoes);
    }
}

void torsoFrontBack(Image& im, const Look& k, const Pose& p, bool front)
{
    int b = p.bob;
    int x0 = k.stout ? 15 : 17, w = k.stout ? 18 : 14;
    switch (k.garment) {
    case Garment::Dress:
        im.triangle(24, 22 + b, 13, 42, 35, 42, k.shirt);
        block(im, 18, 22 + b, 12, 10, k.shirt);
        im.rect(14, 39, 20, 1, darker(k.shirt, 0.3f));
        im.rect(14, 40, 20, 2, lighter(k.shirt, 0.15f));
        im.rect(18, 30 + b, 12, 2, k.extra.a ? k.extra : darker(k.shirt, 0.3f));
        break;
    case Garment::Robe:
        im.triangle(24, 20 + b, 14, 43, 34, 43, k.shirt);
        block(im, 17, 22 + b, 14, 12, k.shirt);
        im.rect(17, 31 + b, 14, 2, k.extra);
        im.rect(23, 22 + b, 2, 21, darker(k.shirt, 0.25f));
        break;
    case Garment::Ribs:
        im.rect(23, 22 + b, 2, 11, k.skin);                    // spine
        for (int r = 0; r < 4; r++)
            im.rect(18, 23 + b + r * 3, 12, 2, r % 2 ? darker(k.skin, 0.1f) : k.skin);
        im.rect(19, 33 + b, 10, 3, darker(k.skin, 0.15f));    // hips
        break;
    default:
        block(im, x0, 22 + b, w, 13, k.shirt);
        im.rect(x0, 30 + b, w, 2, k.extra.a && k.garment == Garment::Tunic ? k.extra : darker(k.shirt, 0.35f));
        if (k.garment == Garment::Apron && front) {
            block(im, x0 + 3, 25 + b, w - 6, 12, k.extra);
            im.rect(x0 + 3, 24 + b, w - 6, 1, darker(k.extra, 0.2f));
        }
        if (k.garment == Garment::Tunic && k.extra.a && front && k.held == Held::Spear) {
            block(im, 20, 23 + b, 8, 12, k.extra);             // guard's tabard
            im.rect(22, 26 + b, 4, 4, rgb(236, 196, 80));
        }
        break;
    }
}

void armsFrontBack(Image& im, const Look& k, const Pose& p)
{
    int b = p.bob;
    bool bony = k.garment == Garment::Ribs;
    Rgba sleeve = bony ? k.skin : darker(k.shirt, 0.12f);
    int lx = k.stout ? 12 : 14, rx = k.stout ? 33 : 31;
    for (int side = 0; side < 2; side++) {
        int x = side == 0 ? lx : rx;
        int shift = (side == 0 ? p.swing : -p.swing);   // one arm up, the other down
        int top = 23 + b, len = 9 + shift;
        block(im, x + (bony ? 1 : 0), top, bony ? 2 : 3, len, sleeve);
        im.rect(x, top + len, 3, 3, k.skin);
        im.rect(x + 2, top + len, 1, 3, darker(k.skin, 0.25f));
    }
}

void headFrontBack(Image& im, const Look& k, const Pose& p, bool front)
{
    int b = p.bob;
    float cy = 14 + b;
    bool skull = k.hairStyle == Hair::Skull;
    im.ellipse(24, cy, 8.5f, 8, k.skin);
    im.rect(21, (int)cy + 7, 6, 2, darker(k.skin, 0.2f));      // neck / jaw shadow
    for (int y = (int)cy - 8; y <= (int)cy + 8; y++)           // shade the right side
        for (int x = 27; x <= 33; x++)
            if (im.get(x, y).a && im.get(x, y).r == k.skin.r && x > 24 + std::sqrt(std::max(0.0f, 50 - (y - cy) * (y - cy))))
                im.set(x, y, darker(k.skin, 0.18f));
    Rgba hairC = k.hair, hairHi = lighter(k.hair, 0.25f);
    auto hairTop = [&](int downTo) {
        for (int y = (int)cy - 9; y <= (int)cy + 9; y++)
            for (int x = 14; x <= 34; x++) {
                float dx = (x + 0.5f - 24) / 9.0f, dy = (y + 0.5f - cy) / 8.8f;
                if (dx * dx + dy * dy > 1)
                    continue;
                bool covered = front ? (y < cy - 3 || (std::fabs(x + 0.5f - 24) > 6.5f && y < cy + downTo - 8))
                                     : (y < cy + downTo - 5);
                if (covered)
                    im.set(x, y, (y < cy - 5 && x < 23) ? hairHi : hairC);
            }
    };
    switch (k.hairStyle) {
    case Hair::Short:
    case Hair::Cap:
        hairTop(10);
        if (front)
            for (int x = 17; x < 31; x += 3)
                im.set(x, (int)cy - 3, hairC);
        if (k.hairStyle == Hair::Cap) {
            im.ellipse(24, cy - 5, 9.5f, 4.5f, k.extra);
            im.rect(15, (int)cy - 4, 19, 2, darker(k.extra, 0.3f));
            if (front)
                im.rect(17, (int)cy - 2, 14, 2, darker(k.extra, 0.15f));   // brim
        }
        break;
    case Hair::Spiky:
        hairTop(9);
        for (int s = 0; s < 5; s++)
            im.triangle(15 + s * 4, cy - 5, 17 + s * 4, cy - 11 - (s % 2) * 2, 20 + s * 4, cy - 5, s < 2 ? hairHi : hairC);
        if (front)
            im.triangle(20, cy - 4, 23, cy - 4, 21, cy - 1, hairC);
        break;
    case Hair::Long:
        hairTop(front ? 14 : 16);
        break;
    case Hair::Bald:
        im.ellipse(21, cy - 5, 2.5f, 1.5f, lighter(k.skin, 0.35f));   // shine
        if (k.hair.a) {
            im.rect(15, (int)cy - 1, 3, 5, k.hair);
            im.rect(31, (int)cy - 1, 3, 5, k.hair);
            if (!front)
                im.rect(16, (int)cy + 2, 17, 4, k.hair);
        }
        break;
    case Hair::Helmet: {
        Rgba steel = rgb(160, 166, 180);
        for (int y = (int)cy - 9; y <= (int)cy - 1; y++)
            for (int x = 14; x <= 34; x++) {
                float dx = (x + 0.5f - 24) / 9.5f, dy = (y + 0.5f - cy) / 9.0f;
                if (dx * dx + dy * dy <= 1)
                    im.set(x, y, x < 21 ? lighter(steel, 0.3f) : x > 29 ? darker(steel, 0.3f) : steel);
            }
        im.rect(14, (int)cy - 2, 21, 2, darker(steel, 0.35f));
        if (front)
            im.rect(23, (int)cy - 2, 2, 5, darker(steel, 0.2f));       // nasal guard
        else
            im.rect(16, (int)cy, 17, 5, darker(steel, 0.15f));        // neck guard
        im.rect(23, (int)cy - 11, 2, 3, rgb(200, 40, 40));             // plume
        break;
    }
    case Hair::Skull:
        break;
    }
    if (!front)
        return;
    // face
    Rgba eye = skull ? rgb(20, 10, 16) : INK;
    if (skull) {
        im.rect(19, (int)cy - 1, 4, 4, eye);
        im.rect(26, (int)cy - 1, 4, 4, eye);
        im.set(20, (int)cy + 1, rgb(255, 60, 40));
        im.set(27, (int)cy + 1, rgb(255, 60, 40));
        im.rect(23, (int)cy + 3, 2, 2, eye);
        for (int x = 19; x < 30; x += 2)
            im.set(x, (int)cy + 6, eye);
        return;
    }
    im.rect(20, (int)cy, 2, 3, eye);
    im.rect(27, (int)cy, 2, 3, eye);
    im.set(20, (int)cy, WHITE);
    im.set(27, (int)cy, WHITE);
    im.rect(18, (int)cy + 3, 2, 1, mix(k.skin, rgb(230, 110, 110), 0.45f));
    im.rect(29, (int)cy + 3, 2, 1, mix(k.skin, rgb(230, 110, 110), 0.45f));
    if (k.beard) {
        im.ellipse(24, cy + 7, 7, 6, k.hair);
        im.triangle(18, cy + 8, 30, cy + 8, 24, cy + 16, k.hair);
        im.rect(22, (int)cy + 5, 4, 1, darker(k.hair, 0.3f));
    } else {
        im.rect(23, (int)cy + 5, 3, 1, rgb(150, 70, 60));
    }
    if (k.moustache) {
        im.rect(20, (int)cy + 3, 9, 2, k.hair.a ? k.hair : rgb(90, 60, 40));
        im.set(19, (int)cy + 4, k.hair);
        im.set(29, (int)cy + 4, k.hair);
    }
    if (k.mask) {
        im.rect(16, (int)cy - 1, 17, 4, rgb(22, 20, 26));
        im.rect(20, (int)cy, 2, 2, rgb(250, 70, 50));
        im.rect(27, (int)cy, 2, 2, rgb(250, 70, 50));
    }
}

void heldFrontBack(Image& im, const Look& k, const Pose& p, bool front, bool behind)
{
    int b = p.bob;
    // held in the right hand, which is on the viewer's left when facing down
    int hx = front ? 15 : 32;
    int hy = 33 + b - (front ? p.swing : -p.swing);
    if (k.held == Held::Staff && behind == !front) {
        im.rect(hx, 8 + b, 2, 37, rgb(120, 80, 46));
        im.rect(hx, 8 + b, 1, 37, rgb(160, 112, 66));
        im.ball(hx + 1, 7 + b, 3, 3, rgb(110, 200, 230));
    } else if (k.held == Held::Spear && behind == !front) {
        im.rect(hx, 2 + b, 2, 43, rgb(120, 80, 46));
        im.triangle(hx - 2, 6 + b, hx + 1, -1 + b, hx + 4, 6 + b, rgb(200, 204, 214));
    } else if (k.held == Held::RustySword && !behind) {
        im.rect(hx, hy - 1, 2, 3, rgb(90, 60, 40));
        im.rect(hx - 2, hy + 2, 6, 1, rgb(120, 110, 100));
        im.rect(hx, hy + 3, 2, 9, rgb(150, 120, 90));
    }
    if (k.sword && !front && !behind) {                 // hilt over the shoulder
        im.capsule(29, 18 + b, 33, 14 + b, 1, rgb(110, 80, 50));
        im.rect(27, 20 + b, 5, 1, rgb(200, 170, 80));
    }
    if (k.sword && front && !behind) {                  // scabbard at the hip
        im.rect(31, 31 + b, 3, 10, rgb(90, 60, 40));
        im.rect(30, 30 + b, 5, 1, rgb(200, 170, 80));
    }
}

void drawFrontBack(Image& im, const Look& k, int frame, bool front)
{
    Pose p = poseFor(frame);
    if (k.cape.a && front) {                            // cape hangs behind
        im.rect(15, 22 + p.bob, 18, 17, darker(k.cape, 0.15f));
    }
    if (k.hairStyle == Hair::Long && front)
        im.rect(15, 16 + p.bob, 18, 13, darker(k.hair, 0.1f));
    heldFrontBack(im, k, p, front, true);
    legsFrontBack(im, k, p);
    torsoFrontBack(im, k, p, front);
    armsFrontBack(im, k, p);
    if (k.cape.a && !front) {
        im.triangle(16, 22 + p.bob, 32, 22 + p.bob, 24, 22 + p.bob, k.cape);
        block(im, 15, 21 + p.bob, 18, 18, k.cape);
        im.rect(19, 24 + p.bob, 1, 14, darker(k.cape, 0.2f));
        im.rect(28, 24 + p.bob, 1, 14, darker(k.cape, 0.2f));
    }
    headFrontBack(im, k, p, front);
    if (k.hairStyle == Hair::Long && !front)
        block(im, 16, 16 + p.bob, 16, 14, k.hair);
    heldFrontBack(im, k, p, front, false);
}

// ---- side view, facing right ----------------------------------------------

void drawSide(Image& im, const Look& k, int frame)
{
    Pose p = poseFor(frame);
    int b = p.bob;
    bool bony = k.garment == Garment::Ribs;
    // stride: frame 1 puts the near leg forward, frame 2 the far leg
    int stride = frame == 0 ? 0 : 5;
    int nearFoot = frame == 1 ? 24 + stride : frame == 2 ? 24 - stride : 24;
    int farFoot = frame == 1 ? 23 - stride : frame == 2 ? 23 + stride : 23;
    int armSwing = frame == 1 ? -4 : frame == 2 ? 4 : 0;
    Rgba sleeve = bony ? k.skin : darker(k.shirt, 0.12f);

    if (k.cape.a)
        im.triangle(20, 21 + b, 13, 40, 22, 40, darker(k.cape, 0.1f));
    if (k.held == Held::Staff || k.held == Held::Spear) {
        int sx = 30 + armSwing / 2;
        im.rect(sx, (k.held == Held::Spear ? 2 : 8) + b, 2, 38, rgb(120, 80, 46));
        if (k.held == Held::Spear)
            im.triangle(sx - 2, 6 + b, sx + 1, -1 + b, sx + 4, 6 + b, rgb(200, 204, 214));
        else
            im.ball(sx + 1, 7 + b, 3, 3, rgb(110, 200, 230));
    }
    // far arm, darker, swinging opposite the near one
    im.capsule(23, 24 + b, 23 - armSwing, 32 + b, 1.4f, darker(sleeve, 0.3f));

    Rgba leg = k.garment == Garment::Dress ? k.skin : k.pants;
    float legR = bony ? 1.0f : 2.2f;
    if (k.garment != Garment::Robe) {
        im.capsule(23, 33 + b, farFoot, 40, legR, darker(leg, 0.25f));
        block(im, farFoot - 2, 40 - (frame == 2 ? 2 : 0), 6, 3, darker(k.shoes, 0.2f));
        im.capsule(24, 33 + b, nearFoot, 40, legR, leg);
        block(im, nearFoot - 2, 41 - (frame == 1 ? 0 : 0), 6, 3, k.shoes);
    } else {
        im.rect(farFoot - 1, 42, 5, 2, darker(k.shoes, 0.2f));
        im.rect(nearFoot, 42, 5, 2, k.shoes);
    }

    switch (k.garment) {
    case Garment::Dress:
        im.triangle(23, 22 + b, 15, 41, 32, 41, k.shirt);
        block(im, 19, 22 + b, 10, 10, k.shirt);
        im.rect(15, 39, 18, 2, lighter(k.shirt, 0.15f));
        break;
    case Garment::Robe:
        im.triangle(23, 20 + b, 15, 43, 32, 43, k.shirt);
        block(im, 19, 22 + b, 10, 12, k.shirt);
        im.rect(19, 31 + b, 10, 2, k.extra);
        break;
    case Garment::Ribs:
        im.rect(20, 22 + b, 2, 12, k.skin);
        for (int r = 0; r < 4; r++)
            im.rect(21, 23 + b + r * 3, 7, 2, k.skin);
        im.rect(20, 33 + b, 7, 3, darker(k.skin, 0.15f));
        break;
    default: {
        int x0 = k.stout ? 17 : 19, w = k.stout ? 14 : 11;
        block(im, x0, 22 + b, w, 13, k.shirt);
        im.rect(x0, 30 + b, w, 2, k.garment == Garment::Tunic && k.extra.a ? k.extra : darker(k.shirt, 0.35f));
        if (k.garment == Garment::Apron)
            block(im, x0 + w - 3, 25 + b, 4, 12, k.extra);
        if (k.held == Held::Spear)
            block(im, 24, 23 + b, 6, 12, k.extra);
        break;
    }
    }
    if (k.sword) {
        im.capsule(16, 26 + b, 25, 40 + b, 1.2f, rgb(90, 60, 40));
        im.rect(17, 26 + b, 4, 1, rgb(200, 170, 80));
    }

    // head in profile: face to the right, hair at the back
    float cy = 14 + b;
    im.ellipse(24, cy, 8, 8, k.skin);
    im.rect(22, (int)cy + 7, 5, 2, darker(k.skin, 0.2f));
    bool skull = k.hairStyle == Hair::Skull;
    if (!skull)
        im.rect(32, (int)cy + 1, 1, 2, k.skin);       // nose
    Rgba hairC = k.hair, hairHi = lighter(k.hair, 0.25f);
    auto hairBack = [&](int downTo) {
        for (int y = (int)cy - 9; y <= (int)cy + 9; y++)
            for (int x = 14; x <= 34; x++) {
                float dx = (x + 0.5f - 24) / 8.6f, dy = (y + 0.5f - cy) / 8.8f;
                if (dx * dx + dy * dy > 1)
                    continue;
                bool covered = y < cy - 3 - (x > 28 ? 1 : 0) || (x < 24 && y < cy + downTo - 8) || (x < 21 && y < cy + downTo - 4);
                if (covered)
                    im.set(x, y, (y < cy - 5 && x < 23) ? hairHi : hairC);
            }
    };
    switch (k.hairStyle) {
    case Hair::Short:
    case Hair::Cap:
        hairBack(10);
        if (k.hairStyle == Hair::Cap) {
            im.ellipse(24, cy - 5, 9, 4.5f, k.extra);
            im.rect(25, (int)cy - 3, 11, 2, darker(k.extra, 0.15f));   // brim forward
        }
        break;
    case Hair::Spiky:
        hairBack(10);
        for (int s = 0; s < 4; s++)
            im.triangle(16 + s * 4, cy - 5, 14 + s * 4, cy - 11 - (s % 2) * 2, 21 + s * 4, cy - 6, s < 2 ? hairHi : hairC);
        break;
    case Hair::Long:
        hairBack(13);
        block(im, 15, (int)cy, 7, 14, k.hair);
        break;
    case Hair::Bald:
        im.ellipse(22, cy - 5, 2.5f, 1.5f, lighter(k.skin, 0.35f));
        if (k.hair.a)
            im.rect(16, (int)cy - 1, 6, 5, k.hair);
        break;
    case Hair::Helmet: {
        Rgba steel = rgb(160, 166, 180);
        for (int y = (int)cy - 9; y <= (int)cy - 1; y++)
            for (int x = 14; x <= 34; x++) {
                float dx = (x + 0.5f - 24) / 9.5f, dy = (y + 0.5f - cy) / 9.0f;
                if (dx * dx + dy * dy <= 1)
                    im.set(x, y, x < 21 ? lighter(steel, 0.3f) : x > 29 ? darker(steel, 0.3f) : steel);
            }
        im.rect(14, (int)cy - 2, 20, 2, darker(steel, 0.35f));
        im.rect(15, (int)cy, 6, 5, darker(steel, 0.15f));
        im.rect(22, (int)cy - 11, 2, 3, rgb(200, 40, 40));
        break;
    }
    case Hair::Skull:
        break;
    }
    if (skull) {
        im.rect(27, (int)cy - 1, 4, 4, rgb(20, 10, 16));
        im.set(28, (int)cy + 1, rgb(255, 60, 40));
        for (int x = 26; x < 32; x += 2)
            im.set(x, (int)cy + 6, rgb(20, 10, 16));
    } else {
        im.rect(28, (int)cy, 2, 3, INK);
        im.set(29, (int)cy, WHITE);
        im.rect(27, (int)cy + 3, 2, 1, mix(k.skin, rgb(230, 110, 110), 0.45f));
        if (k.beard) {
            im.ellipse(28, cy + 7, 5, 5, k.hair);
            im.triangle(24, cy + 8, 33, cy + 8, 27, cy + 16, k.hair);
        } else {
            im.rect(30, (int)cy + 5, 2, 1, rgb(150, 70, 60));
        }
        if (k.moustache)
            im.rect(28, (int)cy + 3, 5, 2, k.hair);
    }
    // near arm in front of the body
    im.capsule(24, 24 + b, 24 + armSwing, 31 + b, bony ? 1.0f : 1.6f, sleeve);
    im.disc(24 + armSwing + 0.5f, 33 + b, 1.8f, k.skin);
    if (k.held == Held::RustySword) {
        int hx = 24 + armSwing;
        im.rect(hx - 1, 32 + b, 3, 2, rgb(90, 60, 40));
        im.capsule(hx + 1, 33 + b, hx + 9, 28 + b, 0.9f, rgb(150, 120, 90));
    }
}

// ---- beasts ------------------------------------------------------------------

void wolf(Image& im, int dir, int frame)
{
    const Rgba fur = rgb(120, 118, 128), furDark = rgb(78, 76, 90), belly = rgb(176, 172, 176);
    const Rgba eye = rgb(250, 210, 60);
    int step = frame == 1 ? 1 : frame == 2 ? -1 : 0;
    if (dir == FACE_RIGHT || dir == FACE_LEFT) {
        int legs[4] = {12, 17, 29, 34};
        int offs[4] = {-step * 3, step * 3, step * 3, -step * 3};
        for (int i = 0; i < 4; i++) {                  // far legs darker
            Rgba c = (i % 2) ? fur : furDark;
            im.capsule(legs[i], 28, legs[i] + offs[i], 41, 1.8f, c);
            im.rect(legs[i] + offs[i] - 1, 40, 4, 2, darker(c, 0.2f));
        }
        im.capsule(10, 26, 5, 18 + step, 2.5f, fur);       // tail
        im.disc(5, 17 + step, 2.5f, belly);
        im.ellipse(22, 27, 14, 7, fur);
        im.ellipse(22, 30, 11, 4, belly);
        im.rect(10, 21, 22, 2, lighter(fur, 0.2f));
        im.ellipse(34, 20, 7, 6, fur);                     // head
        im.triangle(38, 18, 45, 21, 38, 25, fur);          // muzzle
        im.rect(43, 20, 2, 2, INK);
        im.triangle(29, 16, 31, 8, 34, 15, furDark);       // ears
        im.triangle(33, 15, 35, 8, 38, 15, fur);
        im.rect(36, 18, 2, 2, eye);
        im.rect(39, 24, 4, 1, rgb(240, 240, 230));          // fangs
        im.rect(29, 22, 6, 4, belly);
    } else if (dir == FACE_DOWN) {
        im.ellipse(24, 31, 11, 8, furDark);                // shoulders behind the head
        for (int side = 0; side < 2; side++) {
            int x = side ? 29 : 17;
            int lift = (side ? -step : step) > 0 ? 3 : 0;
            block(im, x, 31, 4, 11 - lift, fur);
            im.rect(x - 1, 41 - lift, 6, 2, furDark);
        }
        im.ellipse(24, 31, 7, 6, belly);
        im.ellipse(24, 19, 10, 9, fur);
        im.triangle(14, 15, 16, 4, 21, 11, fur);
        im.triangle(34, 15, 32, 4, 27, 11, fur);
        im.triangle(16, 13, 17, 7, 20, 11, rgb(200, 140, 150));
        im.triangle(32, 13, 31, 7, 28, 11, rgb(200, 140, 150));
        im.ellipse(24, 25, 5, 5, belly);                  // muzzle
        im.rect(22, 22, 4, 3, INK);                      // nose
        im.rect(19, 17, 3, 2, eye);
        im.rect(27, 17, 3, 2, eye);
        im.rect(19, 16, 3, 1, INK);                      // scowl
        im.rect(27, 16, 3, 1, INK);
        im.rect(21, 28, 1, 2, WHITE);
        im.rect(27, 28, 1, 2, WHITE);
    } else {                                               // FACE_UP: seen from behind
        for (int side = 0; side < 2; side++) {
            int x = side ? 29 : 16;
            int lift = (side ? step : -step) > 0 ? 3 : 0;
            block(im, x, 30, 4, 12 - lift, furDark);
            im.rect(x - 1, 41 - lift, 6, 2, darker(furDark, 0.2f));
        }
        im.ellipse(24, 27, 10, 12, fur);
        im.rect(22, 16, 4, 20, lighter(fur, 0.18f));       // back ridge
        im.capsule(24, 36, 24 + step * 5, 44, 2.8f, fur);   // tail swishing
        im.disc(24 + step * 5, 44, 2.2f, belly);
        im.ellipse(24, 13, 8, 7, fur);
        im.triangle(16, 12, 18, 2, 22, 9, fur);
        im.triangle(32, 12, 30, 2, 26, 9, fur);
    }
}

void serpent(Image& im, int dir, int frame)
{
    const Rgba scale = rgb(46, 140, 110), bellyC = rgb(196, 210, 120), fin = rgb(200, 70, 60);
    const Rgba foam = rgb(230, 244, 250, 190);
    float ph = frame * 2.094f;
    auto ripple = [&](float x, float y, float rx) {
        for (int k = -(int)rx; k <= (int)rx; k++)
            im.put((int)x + k, (int)y + 1 + (std::abs(k) > rx - 2 ? -1 : 0), foam);
    };
    auto hump = [&](float x, float y, float r) {
        im.ball(x, y, r, r * 0.8f, scale);
        im.rect((int)(x - r), (int)y, (int)(2 * r) + 1, (int)r + 1, CLEAR);
        ripple(x, y, r + 2);
    };
    if (dir == FACE_RIGHT || dir == FACE_LEFT) {
        hump(8, 38 + std::sin(ph) * 1.5f, 5);
        hump(19, 38 + std::sin(ph + 1.5f) * 1.5f, 6);
        float nx = 31, ny = 38;
        float hx = 32 + std::sin(ph) * 1.5f, hy = 14 + std::cos(ph) * 1.0f;
        im.capsule(nx, ny, hx - 2, hy + 6, 4.5f, scale);
        im.capsule(nx + 2, ny, hx, hy + 6, 2.0f, bellyC);
        im.triangle(hx - 6, hy - 2, hx - 12, hy - 6, hx - 5, hy + 6, fin);   // crest fin
        im.ellipse(hx, hy, 7, 5.5f, scale);
        im.triangle(hx + 3, hy - 3, hx + 11, hy + 1, hx + 3, hy + 5, scale);   // snout
        im.rect((int)hx + 3, (int)hy + 2, 7, 1, rgb(40, 40, 60));
        im.rect((int)hx + 1, (int)hy - 3, 3, 3, rgb(250, 220, 70));
        im.set((int)hx + 2, (int)hy - 2, INK);
        ripple(nx, ny, 7);
    } else if (dir == FACE_DOWN) {
        hump(10, 14 + std::sin(ph) * 1.5f, 5);
        hump(38, 16 + std::sin(ph + 1.5f) * 1.5f, 5);
        float hy = 22 + std::sin(ph) * 1.2f;
        im.capsule(24, 40, 24, hy + 4, 6, scale);
        im.capsule(24, 40, 24, hy + 6, 3, bellyC);
        im.triangle(12, hy - 6, 16, hy + 2, 18, hy - 2, fin);
        im.triangle(36, hy - 6, 32, hy + 2, 30, hy - 2, fin);
        im.ellipse(24, hy, 10, 8, scale);
        im.ellipse(24, hy + 5, 6, 4, lighter(scale, 0.15f));
        im.rect(19, (int)hy - 3, 3, 3, rgb(250, 220, 70));
        im.rect(27, (int)hy - 3, 3, 3, rgb(250, 220, 70));
        im.set(20, (int)hy - 2, INK);
        im.set(28, (int)hy - 2, INK);
        im.rect(22, (int)hy + 6, 1, 1, INK);
        im.rect(26, (int)hy + 6, 1, 1, INK);
        im.rect(21, (int)hy + 9, 1, 2, WHITE);
        im.rect(27, (int)hy + 9, 1, 2, WHITE);
        ripple(24, 40, 9);
    } else {
        hump(12, 40 + std::sin(ph) * 1.5f, 5);
        hump(36, 38 + std::sin(ph + 1.5f) * 1.5f, 5);
        float hy = 14 + std::sin(ph) * 1.2f;
        im.capsule(24, 38, 24, hy + 4, 6, scale);
        for (int y = (int)hy + 6; y < 38; y += 4)
            im.rect(21, y, 6, 1, darker(scale, 0.25f));   // scale rows down the back
        im.ellipse(24, hy, 9, 7, scale);
        im.triangle(24, hy - 12, 20, hy + 2, 28, hy + 2, fin);
        im.triangle(14, hy - 4, 18, hy + 3, 19, hy - 1, fin);
        im.triangle(34, hy - 4, 30, hy + 3, 29, hy - 1, fin);
        ripple(24, 38, 9);
    }
}

// ---- the cast ----------------------------------------------------------------

const Rgba SKIN_LIGHT = rgb(240, 196, 160), SKIN_TAN = rgb(206, 150, 110), SKIN_DARK = rgb(150, 100, 70);

Look castLook(int set)
{
    Look k{};
    switch (set) {
    case 0:   // the hero: blue tunic, red cape, sword
        k = {SKIN_LIGHT, rgb(120, 74, 38), rgb(56, 98, 190), rgb(84, 66, 56), rgb(100, 60, 34), Hair::Spiky, Garment::Tunic};
        k.cape = rgb(190, 44, 48);
        k.extra = rgb(140, 96, 50);
        k.sword = true;
        break;
    case 1:   // townsman in a cap
        k = {SKIN_TAN, rgb(60, 40, 30), rgb(84, 140, 70), rgb(110, 84, 60), rgb(70, 48, 32), Hair::Cap, Garment::Tunic};
        k.extra = rgb(130, 96, 60);
        break;
    case 2:   // townswoman in a dress
        k = {SKIN_LIGHT, rgb(170, 80, 40), rgb(190, 90, 140), rgb(0, 0, 0), rgb(110, 60, 60), Hair::Long, Garment::Dress};
        k.extra = rgb(245, 240, 230);
        break;
    case 3:   // merchant / innkeeper with an apron
        k = {SKIN_TAN, rgb(70, 46, 30), rgb(200, 150, 60), rgb(80, 64, 60), rgb(70, 48, 32), Hair::Bald, Garment::Apron};
        k.extra = rgb(240, 238, 228);
        k.moustache = true;
        k.stout = true;
        break;
    case 4:   // elder in a robe with a staff
        k = {SKIN_LIGHT, rgb(226, 226, 232), rgb(110, 70, 150), rgb(0, 0, 0), rgb(90, 60, 40), Hair::Long, Garment::Robe, Held::Staff};
        k.extra = rgb(230, 190, 80);
        k.beard = true;
        break;
    case 5:   // cutthroat: blood-red bandana, black mask and shirt, rusty sword (hostile people only)
        k = {SKIN_TAN, rgb(150, 24, 30), rgb(40, 38, 46), rgb(58, 48, 42), rgb(30, 24, 20), Hair::Short, Garment::Tunic, Held::RustySword};
        k.extra = rgb(120, 20, 26);
        k.mask = true;
        break;
    case 9:   // the Barrow wight: a grey-blue corpse in a mouldering shroud (bossTrim adds the rest)
        k = {rgb(176, 196, 204), CLEAR, rgb(58, 72, 70), rgb(0, 0, 0), rgb(40, 46, 44), Hair::Skull, Garment::Robe, Held::RustySword};
        k.extra = rgb(160, 120, 60);
        break;
    case 10:  // the Mine warden: a hulking dead foreman in rusted plate and a miner's helmet
        k = {rgb(140, 156, 128), CLEAR, rgb(120, 70, 44), rgb(70, 62, 60), rgb(44, 36, 34), Hair::Helmet, Garment::Tunic, Held::Spear};
        k.extra = rgb(96, 92, 100);
        k.stout = true;
        break;
    case 11:  // Captain Redmaw: red beard, crimson coat with gold, dark cloak, cutlass
        k = {SKIN_TAN, rgb(196, 60, 28), rgb(150, 28, 36), rgb(40, 36, 44), rgb(30, 24, 20), Hair::Short, Garment::Tunic, Held::RustySword};
        k.extra = rgb(224, 180, 70);
        k.cape = rgb(52, 30, 40);
        k.beard = true;
        k.stout = true;
        break;
    case 12:  // the Drowned King: a sea-green corpse in a king's robe, cloak of the deep
        k = {rgb(168, 204, 184), CLEAR, rgb(28, 96, 104), rgb(0, 0, 0), rgb(30, 60, 60), Hair::Skull, Garment::Robe, Held::Spear};
        k.extra = rgb(226, 186, 70);
        k.cape = rgb(60, 40, 110);
        break;
    default:  // 7: skeleton with a rusty sword
        k = {rgb(226, 220, 196), CLEAR, rgb(226, 220, 196), rgb(226, 220, 196), rgb(200, 194, 170), Hair::Skull, Garment::Ribs, Held::RustySword};
        break;
    }
    return k;
}

Image drawSprite(int set, int dir, int frame)
{
    Image body(TILE_SIZE, TILE_SIZE);
    if (set == 6) {
        wolf(body, dir, frame);
    } else if (set == 8) {
        serpent(body, dir, frame);
    } else {
        Look k = castLook(set);
        if (dir == FACE_RIGHT || dir == FACE_LEFT)
            drawSide(body, k, frame);
        else
            drawFrontBack(body, k, frame, dir == FACE_DOWN);
        if (set >= SPRITE_SETS)
            bossTrim(body, set, dir == FACE_LEFT ? FACE_RIGHT : dir, frame);
    }
    if (dir == FACE_LEFT)
        body = body.mirrored();
    body.outline(INK, 200);
    Image out(TILE_SIZE, TILE_SIZE);
    if (set != 8) {
        if (set == 6)
            out.ellipse(24, 43, 17, 3.5f, rgb(10, 10, 20, 70));
        else
            out.ellipse(24, 44, 10, 3, rgb(10, 10, 20, 70));
    }
    out.blit(body, 0, 0);
    return out;
}

} // namespace

bool makeSprites(const std::string& outDir, int& count)
{
    for (int set = 0; set < SHIPPED_SPRITE_SETS; set++) {
        std::string dir = outDir + "/sprites/" + std::to_string(set);
        if (!makeDirs(dir))
            return false;
        for (int d = 0; d < DIRECTIONS; d++)
            for (int f = 0; f < WALK_FRAMES; f++) {
                Image im = drawSprite(set, d, f);
                if (!savePng(im, dir + "/" + std::to_string(d) + "-" + std::to_string(f) + ".png"))
                    return false;
                count++;
            }
    }
    return true;
}
