// makeassets-tiles.cpp -- building and interior tiles (walls, doors, beds, floors, furniture) and the tile writer.
#include <cmath>
#include <cstdio>
#include "makeassets-tiles.h"

namespace {

const Rgba STONE = rgb(138, 136, 146);
const Rgba MORTAR = rgb(70, 66, 78);
const Rgba WOOD = rgb(150, 100, 58);
const Rgba DARK_WOOD = rgb(96, 62, 38);
const Rgba FLOOR_WOOD = rgb(168, 118, 70);
const Rgba IRON = rgb(70, 72, 84);
const Rgba BRASS = rgb(214, 170, 70);

// Running-bond masonry: courses of rowH px, blocks blockW wide, every other course shifted.
void masonry(Image& t, int rowH, int blockW, Rgba block, Rgba mortar, float variation, uint32_t seed)
{
    t.wrap = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            int row = y / rowH, ly = y % rowH;
            int sx = x + (row % 2) * (blockW / 2);
            int col = (sx / blockW) % (TILE_SIZE / blockW), lx = sx % blockW;
            float tint = (hash01(col, row, seed) - 0.5f) * variation;
            Rgba c = tint > 0 ? lighter(block, tint) : darker(block, -tint);
            if (hash01(x, y, seed + 1) < 0.12f)
                c = darker(c, 0.1f);
            else if (hash01(x, y, seed + 2) < 0.06f)
                c = lighter(c, 0.1f);
            if (ly == rowH - 1 || lx == blockW - 1)
                c = mortar;
            else if (ly == 0 || lx == 0)
                c = lighter(c, 0.28f);
            else if (ly == rowH - 2 || lx == blockW - 2)
                c = darker(c, 0.28f);
            t.set(x, y, c);
        }
    t.wrap = false;
}

void stoneWall(Image& t)
{
    masonry(t, 12, 16, STONE, MORTAR, 0.3f, 101);
    // a few chipped corners and cracks
    t.line(9, 27, 12, 31, darker(STONE, 0.45f));
    t.line(37, 4, 39, 8, darker(STONE, 0.45f));
}

void logWall(Image& t)
{
    t.wrap = true;
    const Rgba shades[5] = {rgb(84, 52, 30), rgb(112, 72, 40), rgb(140, 94, 52), rgb(160, 110, 62), rgb(178, 128, 76)};
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            int row = y / 12, ly = y % 12;
            // round logs: bright near their upper third, dark toward the chinks
            static const int profile[12] = {1, 3, 4, 4, 3, 3, 2, 2, 2, 1, 1, 0};
            int s = profile[ly];
            float g = vnoise2(x * 0.25f, y * 3.0f, 4, 12, 144, 20 + row);
            if (ly > 1 && ly < 10 && g > 0.7f)
                s = std::max(0, s - 1);
            Rgba c = shades[s];
            if (ly == 11)
                c = rgb(44, 28, 20);
            t.set(x, y, c);
        }
    // knots
    for (int k = 0; k < 3; k++) {
        int x = 8 + k * 17, y = 5 + (k % 4) * 12;
        t.ellipse(x, y, 2.5f, 1.5f, shades[0]);
        t.set(x, y, shades[2]);
    }
    t.wrap = false;
}

void brickWall(Image& t)
{
    masonry(t, 8, 12, rgb(164, 74, 56), rgb(188, 170, 150), 0.28f, 303);
}

void caveWall(Image& t)
{
    t.wrap = true;
    Cells cells(4, 0.9f, 46);
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            Cells::Hit h = cells.at(x + 0.5f, y + 0.5f);
            // each facet leans a different way; those facing the top-left catch light
            float nx = hash01(h.index, 1, 46) - 0.5f, ny = hash01(h.index, 2, 46) - 0.5f;
            float lit = -(nx * h.dx + ny * h.dy) / 10.0f - (h.dx + h.dy) / 40.0f;
            Rgba base = rgb(92, 80, 76);
            Rgba c = lit > 0.25f ? lighter(base, 0.2f) : lit < -0.25f ? darker(base, 0.35f) : base;
            if (hash01(x, y, 47) < 0.1f)
                c = darker(c, 0.15f);
            if (h.d2 - h.d1 < 1.3f)
                c = rgb(34, 26, 30);
            else if (h.d2 - h.d1 < 2.4f && h.dy < 0)
                c = lighter(c, 0.25f);
            t.set(x, y, c);
        }
    t.wrap = false;
}

// Stone jambs and lintel around a doorway, shared by the open and locked doors.
void doorFrame(Image& t)
{
    masonry(t, 12, 16, STONE, MORTAR, 0.3f, 101);
    t.rect(7, 4, 34, 44, rgb(40, 30, 28));
    t.rect(5, 2, 38, 4, lighter(STONE, 0.2f));     // lintel
    t.rect(5, 6, 2, 42, darker(STONE, 0.2f));
    t.rect(41, 6, 2, 42, darker(STONE, 0.3f));
}

void openDoorway(Image& t)
{
    woodPlanks(t, FLOOR_WOOD, 8, 55);
    t.wrap = false;
    // jambs of stone at both sides and a lintel shadow
    t.rect(0, 0, 6, 48, STONE);
    t.rect(42, 0, 6, 48, STONE);
    t.rect(0, 0, 6, 1, lighter(STONE, 0.3f));
    t.rect(5, 0, 1, 48, darker(STONE, 0.35f));
    t.rect(42, 0, 1, 48, lighter(STONE, 0.25f));
    t.rect(47, 0, 1, 48, darker(STONE, 0.35f));
    for (int y = 12; y < TILE_SIZE; y += 12) {
        t.rect(0, y, 6, 1, MORTAR);
        t.rect(42, y, 6, 1, MORTAR);
    }
    t.rect(6, 0, 36, 4, withAlpha(rgb(20, 14, 20), 120));
    // the door leaf folded back against the left jamb
    t.rect(6, 2, 6, 44, DARK_WOOD);
    t.rect(6, 2, 1, 44, lighter(DARK_WOOD, 0.25f));
    t.rect(11, 2, 1, 44, darker(DARK_WOOD, 0.4f));
    t.rect(6, 10, 6, 2, IRON);
    t.rect(6, 36, 6, 2, IRON);
    t.rect(12, 2, 3, 44, withAlpha(rgb(20, 14, 20), 70));
    // threshold stone
    t.rect(6, 44, 36, 4, darker(STONE, 0.1f));
    t.rect(6, 44, 36, 1, lighter(STONE, 0.3f));
}

void woodenDoor(Image& t, Rgba wood)
{
    doorFrame(t);
    t.rect(8, 5, 32, 43, wood);
    for (int x = 8; x < 40; x += 8) {            // vertical boards
        t.rect(x, 5, 1, 43, darker(wood, 0.45f));
        t.rect(x + 1, 5, 1, 43, lighter(wood, 0.18f));
    }
    for (int y = 5; y < TILE_SIZE; y++)
        for (int x = 8; x < 40; x++)
            if (hash01(x / 2, y, 4) < 0.1f)
                t.put(x, y, withAlpha(darker(wood, 0.3f), 140));
    for (int by : {11, 36}) {                      // iron bands with rivets
        t.rect(8, by, 32, 4, IRON);
        t.rect(8, by, 32, 1, lighter(IRON, 0.35f));
        for (int x = 11; x < 40; x += 8)
            t.set(x, by + 2, lighter(IRON, 0.5f));
    }
    // lock plate with keyhole and a ring pull
    t.rect(31, 21, 7, 11, IRON);
    t.frame(31, 21, 7, 11, darker(IRON, 0.5f));
    t.rect(33, 23, 3, 1, lighter(IRON, 0.5f));
    t.rect(34, 25, 1, 2, rgb(10, 8, 10));
    t.rect(33, 27, 3, 2, rgb(10, 8, 10));
    t.ellipse(26, 27, 3, 3, IRON);
    t.ellipse(26, 27, 1.5f, 1.5f, wood);
}

void roomDoor(Image& t)
{
    doorFrame(t);
    const Rgba paint = rgb(58, 124, 128);
    t.rect(8, 5, 32, 43, paint);
    t.rect(8, 5, 32, 1, lighter(paint, 0.3f));
    // two sunken panels
    for (int py : {19, 33}) {
        t.rect(12, py, 24, 11, darker(paint, 0.15f));
        t.rect(12, py, 24, 1, darker(paint, 0.45f));
        t.rect(12, py, 1, 11, darker(paint, 0.45f));
        t.rect(12, py + 10, 24, 1, lighter(paint, 0.3f));
        t.rect(35, py, 1, 11, lighter(paint, 0.3f));
    }
    // brass number plate
    t.rect(16, 7, 16, 10, BRASS);
    t.frame(16, 7, 16, 10, darker(BRASS, 0.5f));
    t.rect(17, 8, 14, 1, lighter(BRASS, 0.5f));
    text(t, 18, 9, "12", rgb(60, 36, 20), 1);
    // round brass knob and a keyhole under it
    t.ball(35, 30, 2.5f, 2.5f, BRASS);
    t.rect(35, 34, 1, 2, rgb(20, 14, 10));
}

void ironDoor(Image& t)
{
    // a heavy iron-bound door under a stone arch, for cellars, keeps and vaults
    masonry(t, 12, 16, darker(STONE, 0.2f), darker(MORTAR, 0.3f), 0.3f, 145);
    t.ellipse(24, 14, 18, 12, rgb(30, 24, 26));
    t.rect(6, 14, 36, 34, rgb(30, 24, 26));
    const Rgba plate = rgb(88, 92, 104);
    Image door(TILE_SIZE, TILE_SIZE);
    door.ellipse(24, 15, 16, 11, plate);
    door.rect(8, 15, 32, 33, plate);
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            Rgba c = door.get(x, y);
            if (c.a == 0)
                continue;
            if (x == 8 || door.get(x - 1, y).a == 0 || door.get(x, y - 1).a == 0)
                c = lighter(plate, 0.3f);
            else if (x == 39 || door.get(x + 1, y).a == 0)
                c = darker(plate, 0.4f);
            else if (hash01(x, y, 45) < 0.1f)
                c = darker(plate, 0.12f);
            door.set(x, y, c);
        }
    for (int ry = 12; ry < TILE_SIZE; ry += 8)              // rivet grid
        for (int rx = 12; rx < 38; rx += 8) {
            if (door.get(rx, ry).a == 0)
                continue;
            door.set(rx, ry, lighter(plate, 0.55f));
            door.set(rx + 1, ry + 1, darker(plate, 0.5f));
        }
    door.rect(23, 6, 2, 42, darker(plate, 0.45f));   // the seam of the two leaves
    door.rect(27, 24, 8, 10, rgb(60, 50, 40));      // lock box
    door.frame(27, 24, 8, 10, rgb(30, 24, 20));
    door.rect(30, 27, 2, 4, rgb(8, 6, 8));
    t.blit(door, 0, 0);
}

void bed(Image& t, bool head)
{
    woodPlanks(t, FLOOR_WOOD, 8, 66);
    t.wrap = false;
    const Rgba quilt = rgb(168, 52, 60), sheet = rgb(236, 232, 222);
    // frame rails down both sides; they run on into the other half
    int top = head ? 3 : 0, bottom = head ? 48 : 44;
    t.rect(5, top, 38, bottom - top, DARK_WOOD);
    t.rect(8, top, 32, bottom - top, sheet);
    if (head) {
        t.rect(4, 1, 40, 7, DARK_WOOD);              // headboard
        t.rect(4, 1, 40, 1, lighter(DARK_WOOD, 0.35f));
        t.rect(4, 7, 40, 1, darker(DARK_WOOD, 0.4f));
        t.ellipse(4, 3, 2, 2, lighter(DARK_WOOD, 0.2f));
        t.ellipse(43, 3, 2, 2, lighter(DARK_WOOD, 0.2f));
        t.roundRect(11, 10, 26, 12, 4, rgb(248, 246, 240));   // pillow
        t.rect(13, 19, 22, 2, rgb(206, 204, 200));
        t.rect(14, 11, 8, 2, WHITE);
        t.rect(8, 26, 32, 22, quilt);                 // turned-down quilt
        t.rect(8, 26, 32, 3, sheet);
        t.rect(8, 29, 32, 1, darker(sheet, 0.25f));
    } else {
        t.rect(8, 0, 32, 40, quilt);
        t.rect(5, 40, 38, 6, DARK_WOOD);             // footboard
        t.rect(5, 40, 38, 1, lighter(DARK_WOOD, 0.35f));
        t.rect(5, 45, 38, 1, darker(DARK_WOOD, 0.45f));
        t.rect(6, 46, 38, 2, withAlpha(rgb(20, 12, 16), 90));
    }
    // quilt squares and stitching
    int qy0 = head ? 30 : 0, qy1 = head ? 48 : 40;
    for (int y = qy0; y < qy1; y++)
        for (int x = 8; x < 40; x++) {
            int cx = (x - 8) / 8, cy = (y + 2) / 8;
            if ((cx + cy) % 2 == 0)
                t.set(x, y, darker(quilt, 0.12f));
            if ((x - 8) % 8 == 0 || (y + 2) % 8 == 0)
                t.set(x, y, lighter(quilt, 0.25f));
        }
    t.rect(8, top, 1, bottom - top, withAlpha(rgb(20, 12, 16), 80));
    t.rect(39, top, 1, bottom - top, withAlpha(rgb(20, 12, 16), 110));
    t.rect(43, top, 2, bottom - top, withAlpha(rgb(20, 12, 16), 90));
}

void counter(Image& t)
{
    woodPlanks(t, FLOOR_WOOD, 8, 77);
    t.wrap = true;
    const Rgba top = rgb(176, 116, 62), face = rgb(112, 66, 38);
    for (int y = 4; y < 28; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            Rgba c = top;
            float g = vnoise2(x * 0.25f, y * 2.5f, 4, 12, 120, 78);
            c = g > 0.65f ? darker(c, 0.12f) : g < 0.25f ? lighter(c, 0.1f) : c;
            if (y == 4)
                c = lighter(top, 0.35f);
            t.set(x, y, c);
        }
    t.rect(0, 8, 48, 1, withAlpha(WHITE, 60));       // polish gleam
    t.rect(0, 28, 48, 3, lighter(top, 0.2f));           // rounded front edge
    t.rect(0, 30, 48, 1, darker(top, 0.3f));
    for (int y = 31; y < 44; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            int lx = x % 24;
            Rgba c = face;
            if (lx == 0)
                c = darker(face, 0.45f);
            else if (lx == 1)
                c = lighter(face, 0.2f);
            else if (lx > 4 && lx < 20 && y > 33 && y < 41)
                c = (y == 34 || lx == 5) ? darker(face, 0.3f) : (y == 40 || lx == 19) ? lighter(face, 0.2f) : darker(face, 0.1f);
            t.set(x, y, c);
        }
    t.rect(0, 44, 48, 3, withAlpha(rgb(20, 12, 16), 110));   // shadow on the floor
    t.wrap = false;
}

void cratesAndBarrel(Image& t)
{
    woodPlanks(t, FLOOR_WOOD, 8, 88);
    t.wrap = false;
    const Rgba shadow = withAlpha(rgb(20, 12, 16), 100);
    t.rect(5, 20, 26, 26, shadow);
    t.ellipse(35, 22, 12, 12, shadow);
    // crate
    const Rgba cw = rgb(186, 140, 82);
    t.rect(2, 17, 26, 26, cw);
    t.frame(2, 17, 26, 26, rgb(92, 60, 34));
    t.frame(3, 18, 24, 24, darker(cw, 0.25f));
    t.rect(5, 20, 20, 20, lighter(cw, 0.05f));
    for (int y = 24; y < 40; y += 5)
        t.rect(5, y, 20, 1, darker(cw, 0.2f));
    t.capsule(6, 21, 24, 39, 1.2f, darker(cw, 0.18f));
    t.capsule(6, 21, 24, 39, 0.5f, lighter(cw, 0.25f));
    t.rect(3, 18, 24, 1, lighter(cw, 0.4f));
    // barrel seen from above: lid, staves and hoops
    const Rgba bw = rgb(140, 86, 46);
    t.disc(33, 18, 12, rgb(60, 40, 30));
    t.disc(33, 18, 11, bw);
    for (int a = 0; a < 12; a++) {
        float ang = a * 3.14159f / 6;
        t.line(33, 18, 33 + (int)std::lround(std::cos(ang) * 10), 18 + (int)std::lround(std::sin(ang) * 10), darker(bw, 0.2f));
    }
    t.disc(33, 18, 8, darker(bw, 0.05f));
    for (int y = 10; y <= 26; y++)
        for (int x = 25; x <= 41; x++) {
            float d = std::hypot(x + 0.5f - 33, y + 0.5f - 18);
            if (d > 9.5f && d < 11)
                t.set(x, y, (x + y < 51) ? rgb(150, 150, 160) : IRON);
        }
    for (int y = 11; y < 26; y += 3)
        t.rect(26, y, 14, 1, withAlpha(darker(bw, 0.4f), 90));
    t.ellipse(29, 13, 3, 2, withAlpha(WHITE, 60));
    // a small sack leaning on the barrel
    t.ball(38, 38, 8, 7, rgb(200, 176, 128));
    t.rect(36, 31, 4, 2, rgb(120, 90, 60));
}

void flagstoneFloor(Image& t) { flagstones(t, rgb(150, 142, 132), rgb(80, 74, 72), 140); }

void redCarpet(Image& t)
{
    t.wrap = true;
    const Rgba red = rgb(150, 36, 48), deep = rgb(112, 24, 40), gold = rgb(222, 178, 76);
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            int lx = x % 24, ly = y % 24;
            int d = std::abs(lx - 12) + std::abs(ly - 12);   // diamond lattice
            Rgba c = red;
            if (d == 11 || d == 12)
                c = gold;
            else if (d < 5)
                c = (d == 4) ? gold : deep;
            else if (hash01(x, y, 15) < 0.15f)
                c = darker(red, 0.1f);
            t.set(x, y, c);
        }
    t.wrap = false;
}

void blueRug(Image& t)
{
    woodPlanks(t, FLOOR_WOOD, 8, 28);
    t.wrap = false;
    const Rgba blue = rgb(52, 74, 150), light = rgb(210, 190, 120), dark = rgb(30, 40, 96);
    t.rect(5, 9, 40, 34, withAlpha(rgb(20, 12, 16), 90));
    t.rect(4, 8, 40, 32, blue);
    t.frame(6, 10, 36, 28, light);
    t.frame(8, 12, 32, 24, dark);
    t.triangle(24, 15, 35, 24, 24, 33, light);
    t.triangle(24, 15, 13, 24, 24, 33, light);
    t.triangle(24, 18, 31, 24, 24, 30, rgb(170, 50, 60));
    t.triangle(24, 18, 17, 24, 24, 30, rgb(170, 50, 60));
    for (int x = 5; x < 44; x += 2) {       // fringes
        t.rect(x, 6, 1, 2, light);
        t.rect(x, 40, 1, 2, light);
    }
}

void checkerFloor(Image& t)
{
    t.wrap = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            bool dark = ((x / 12) + (y / 12)) % 2;
            Rgba c = dark ? rgb(70, 64, 80) : rgb(226, 218, 196);
            if (x % 12 == 0 || y % 12 == 0)
                c = lighter(c, 0.15f);
            else if (x % 12 == 11 || y % 12 == 11)
                c = darker(c, 0.2f);
            else if (hash01(x, y, 29) < 0.07f)
                c = darker(c, 0.08f);
            t.set(x, y, c);
        }
    t.wrap = false;
}

void woodenFloorWith(Image& t, int n)
{
    woodPlanks(t, FLOOR_WOOD, 8, 5);
    t.wrap = false;
    if (n == TILE_DOORMAT) {
        const Rgba mat = rgb(150, 110, 60);
        t.rect(7, 14, 36, 22, withAlpha(rgb(20, 12, 16), 80));
        t.rect(6, 13, 36, 22, mat);
        for (int y = 14; y < 34; y++)
            for (int x = 7; x < 41; x++)
                if (hash01(x, y, 27) < 0.35f)
                    t.set(x, y, darker(mat, 0.2f));
        t.frame(8, 15, 32, 18, rgb(104, 70, 40));
    } else if (n == TILE_FUR_RUG) {   // by the hearth
        const Rgba fur = rgb(196, 170, 130);
        Image rug(TILE_SIZE, TILE_SIZE);
        rug.ellipse(24, 24, 15, 11, fur);
        rug.ellipse(24, 9, 5, 5, fur);       // head
        for (int s : {-1, 1}) {
            rug.capsule(24 + s * 12, 17, 24 + s * 20, 10, 2.5f, fur);
            rug.capsule(24 + s * 12, 31, 24 + s * 20, 39, 2.5f, fur);
        }
        rug.capsule(24, 34, 24, 44, 1.5f, fur);
        for (int y = 0; y < TILE_SIZE; y++)
            for (int x = 0; x < TILE_SIZE; x++)
                if (rug.get(x, y).a && hash01(x, y, 34) < 0.3f)
                    rug.set(x, y, darker(fur, 0.18f));
        rug.ellipse(24, 24, 9, 6, lighter(fur, 0.12f));
        rug.outline(darker(fur, 0.5f));
        t.blit(rug, 0, 0);
        t.set(22, 8, INK);
        t.set(26, 8, INK);
    } else if (n == TILE_TRAPDOOR) {   // with a ring
        const Rgba lid = rgb(120, 78, 44);
        t.rect(10, 10, 28, 28, rgb(46, 30, 20));
        t.rect(11, 11, 26, 26, lid);
        for (int x = 11; x < 37; x += 6)
            t.rect(x, 11, 1, 26, darker(lid, 0.4f));
        t.rect(11, 11, 26, 1, lighter(lid, 0.3f));
        t.rect(13, 14, 6, 2, IRON);
        t.rect(13, 32, 6, 2, IRON);
        t.disc(30, 24, 3.5f, IRON);
        t.disc(30, 24, 2, lid);
    }
}

void parquet(Image& t)
{
    t.wrap = true;
    const Rgba a = rgb(180, 128, 74), b = rgb(150, 100, 56);
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            int bx = x / 12, by = y / 12, lx = x % 12, ly = y % 12;
            bool across = (bx + by) % 2 == 0;
            int along = across ? ly : lx;     // position across the little boards
            Rgba c = ((along / 4) % 2) ? a : b;
            if (along % 4 == 3)
                c = darker(c, 0.35f);
            if (hash01(x, y, 57) < 0.1f)
                c = darker(c, 0.08f);
            if (lx == 0 || ly == 0)
                c = darker(c, 0.3f);
            t.set(x, y, c);
        }
    t.wrap = false;
}

void marble(Image& t)
{
    t.wrap = true;
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 0; x < TILE_SIZE; x++) {
            bool alt = ((x / 24) + (y / 24)) % 2;
            Rgba c = alt ? rgb(228, 226, 232) : rgb(208, 214, 222);
            float n = vnoise(x, y, 12, TILE_SIZE, 47) + 0.4f * vnoise(x, y, 6, TILE_SIZE, 48);
            if (std::fabs(n - 0.7f) < 0.025f)
                c = rgb(150, 150, 168);
            else if (std::fabs(n - 0.45f) < 0.02f)
                c = rgb(180, 180, 196);
            if (x % 24 == 0 || y % 24 == 0)
                c = rgb(150, 146, 160);
            else if (x % 24 == 1 || y % 24 == 1)
                c = WHITE;
            t.set(x, y, c);
        }
    t.wrap = false;
}

void dungeonFloor(Image& t)
{
    flagstones(t, rgb(86, 84, 96), rgb(36, 32, 40), 155);
    t.wrap = true;
    t.line(6, 20, 14, 26, rgb(40, 36, 44));
    t.line(14, 26, 16, 31, rgb(40, 36, 44));
    t.line(30, 38, 38, 42, rgb(40, 36, 44));
    for (int i = 0; i < 30; i++) {   // moss in the joints
        int x = (int)(hash01(i, 1, 55) * TILE_SIZE);
        t.put(x, 0, rgb(60, 96, 52));
        t.put(x, 16, rgb(60, 96, 52));
        t.put(x + 1, 32, rgb(70, 110, 56));
    }
    t.wrap = false;
}

void royalRunner(Image& t)
{
    flagstones(t, rgb(150, 142, 132), rgb(80, 74, 72), 156);
    t.wrap = false;
    const Rgba red = rgb(150, 36, 48), gold = rgb(222, 178, 76);
    t.rect(8, 0, 32, 48, red);
    t.rect(10, 0, 2, 48, gold);
    t.rect(36, 0, 2, 48, gold);
    t.rect(7, 0, 1, 48, withAlpha(rgb(20, 12, 16), 120));
    t.rect(40, 0, 1, 48, withAlpha(rgb(20, 12, 16), 120));
    for (int y = 0; y < TILE_SIZE; y++)
        for (int x = 13; x < 35; x++) {
            int d = std::abs(x - 24) + std::abs((y % 24) - 12);
            if (d == 8)
                t.set(x, y, gold);
            else if (hash01(x, y, 56) < 0.12f)
                t.set(x, y, darker(red, 0.12f));
        }
}

void stairsDown(Image& t)
{
    masonry(t, 12, 16, STONE, MORTAR, 0.3f, 125);
    for (int s = 0; s < 6; s++) {
        int y = 2 + s * 7;
        float depth = s / 6.0f;
        Rgba step = darker(rgb(164, 158, 150), depth * 0.75f);
        t.rect(6, y, 36, 5, step);
        t.rect(6, y, 36, 1, lighter(step, 0.3f));
        t.rect(6, y + 5, 36, 2, darker(step, 0.45f));
    }
    t.rect(5, 0, 1, 48, rgb(40, 34, 40));
    t.rect(42, 0, 1, 48, rgb(40, 34, 40));
}

} // namespace

bool paintBuildingTile(int n, Image& t)
{
    switch (n) {
    case TILE_STONE_WALL: stoneWall(t); break;
    case TILE_CABIN_WALL: logWall(t); break;
    case TILE_OPEN_DOOR: openDoorway(t); break;
    case TILE_LOCKED_DOOR: woodenDoor(t, WOOD); break;
    case TILE_PLANKS: woodPlanks(t, FLOOR_WOOD, 8, 5); break;
    case TILE_BED_HEAD: bed(t, true); break;
    case TILE_BED_FOOT: bed(t, false); break;
    case TILE_FLAGSTONES: flagstoneFloor(t); break;
    case TILE_RED_CARPET: redCarpet(t); break;
    case TILE_STAIRS_DOWN: stairsDown(t); break;
    case TILE_DOORMAT: case TILE_FUR_RUG: case TILE_TRAPDOOR: woodenFloorWith(t, n); break;
    case TILE_BLUE_RUG: blueRug(t); break;
    case TILE_CHECKED_FLOOR: checkerFloor(t); break;
    case TILE_COUNTER: counter(t); break;
    case TILE_BRICK_WALL: brickWall(t); break;
    case TILE_CRATES: cratesAndBarrel(t); break;
    case TILE_ROOM_DOOR: roomDoor(t); break;
    case TILE_DOUBLE_DOOR: ironDoor(t); break;
    case TILE_CAVE_WALL: caveWall(t); break;
    case TILE_MARBLE: marble(t); break;
    case TILE_DUNGEON_FLOOR: dungeonFloor(t); break;
    case TILE_CARPET_RUNNER: royalRunner(t); break;
    case TILE_PARQUET: parquet(t); break;
    default: return false;
    }
    return true;
}

bool makeTiles(const std::string& outDir, int& count)
{
    std::string dir = outDir + "/tiles";
    if (!makeDirs(dir))
        return false;
    for (int n = 0; n < TILE_COUNT; n++) {
        Image t(TILE_SIZE, TILE_SIZE, rgb(0, 0, 0));
        if (!paintBuildingTile(n, t) && !paintOutdoorTile(n, t)) {
            fprintf(stderr, "makeassets: no painter for tile %d\n", n);
            return false;
        }
        for (Rgba& p : t.px)      // tiles are always fully opaque
            p.a = 255;
        if (!savePng(t, dir + "/" + std::to_string(n) + ".png"))
            return false;
        count++;
    }
    return true;
}
