// assets_test.cpp -- runs makeassets and checks its output against the committed art and sound, and what the engine expects of it.
#include <gtest/gtest.h>
#include <zlib.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <system_error>
#include <vector>
#include "game-codes.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> readBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }
uint32_t le32(const uint8_t* p) { return uint32_t(p[3]) << 24 | uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0]; }
uint16_t le16(const uint8_t* p) { return uint16_t(p[1] << 8 | p[0]); }

struct Picture {
    bool ok = false;
    std::string error;
    int w = 0, h = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* at(int x, int y) const { return &rgba[(size_t(y) * w + x) * 4]; }
    int alpha(int x, int y) const { return at(x, y)[3]; }
};

// Reads back the kind of PNG makeassets writes: 8-bit RGBA, filter 0 on every row,
// checking the signature and every chunk's CRC on the way.
Picture readPng(const fs::path& path)
{
    Picture pic;
    std::vector<uint8_t> b = readBytes(path);
    static const uint8_t sig[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (b.size() < 8 || memcmp(b.data(), sig, 8) != 0) {
        pic.error = "bad signature";
        return pic;
    }
    std::vector<uint8_t> idat;
    bool sawEnd = false;
    for (size_t pos = 8; pos + 12 <= b.size();) {
        uint32_t len = be32(&b[pos]);
        if (pos + 12 + len > b.size()) {
            pic.error = "truncated chunk";
            return pic;
        }
        const uint8_t* type = &b[pos + 4];
        uint32_t crc = uint32_t(crc32(0, type, uInt(len + 4)));
        if (crc != be32(&b[pos + 8 + len])) {
            pic.error = "bad CRC";
            return pic;
        }
        if (!memcmp(type, "IHDR", 4)) {
            pic.w = int(be32(type + 4));
            pic.h = int(be32(type + 8));
            if (type[12] != 8 || type[13] != 6 || type[16] != 0) {
                pic.error = "not 8-bit RGBA, non-interlaced";
                return pic;
            }
        } else if (!memcmp(type, "IDAT", 4)) {
            idat.insert(idat.end(), type + 4, type + 4 + len);
        } else if (!memcmp(type, "IEND", 4)) {
            sawEnd = true;
        } else {
            pic.error = "unexpected chunk";
            return pic;
        }
        pos += 12 + len;
    }
    if (!sawEnd || pic.w <= 0 || pic.h <= 0) {
        pic.error = "missing IHDR or IEND";
        return pic;
    }
    size_t stride = size_t(pic.w) * 4 + 1;
    std::vector<uint8_t> raw(stride * pic.h);
    uLongf rawLen = uLongf(raw.size());
    if (uncompress(raw.data(), &rawLen, idat.data(), uLong(idat.size())) != Z_OK || rawLen != raw.size()) {
        pic.error = "bad image data";
        return pic;
    }
    for (int y = 0; y < pic.h; y++) {
        if (raw[stride * y] != 0) {
            pic.error = "unexpected filter";
            return pic;
        }
        pic.rgba.insert(pic.rgba.end(), raw.begin() + stride * y + 1, raw.begin() + stride * (y + 1));
    }
    pic.ok = true;
    return pic;
}

// Runs the tool once per test process into a fresh directory.
class MakeassetsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char tmpl[] = "/tmp/quorvane-assets-XXXXXX";
        char* dir = mkdtemp(tmpl);
        ASSERT_NE(dir, nullptr);
        out = dir;
        std::string cmd = std::string("\"") + MAKEASSETS_PATH + "\" \"" + out.string() + "/assets\" > /dev/null";
        status = std::system(cmd.c_str());
    }
    static void TearDownTestSuite()
    {
        std::error_code ec;
        fs::remove_all(out, ec);
    }
    void SetUp() override { ASSERT_EQ(status, 0) << "makeassets failed"; }

    static fs::path made(const std::string& rel) { return out / "assets" / rel; }
    static Picture png(const std::string& rel)
    {
        Picture p = readPng(made(rel));
        EXPECT_TRUE(p.ok) << rel << ": " << p.error;
        return p;
    }

    static fs::path out;
    static int status;
};

fs::path MakeassetsTest::out;
int MakeassetsTest::status = -1;

std::set<std::string> listFiles(const fs::path& root)
{
    std::set<std::string> files;
    std::error_code ec;
    for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file())
            files.insert(fs::relative(it->path(), root).generic_string());
    return files;
}

TEST_F(MakeassetsTest, ReproducesTheCommittedAssetsByteForByte)
{
    std::set<std::string> committed = listFiles(ASSETS_DIR);
    std::set<std::string> produced = listFiles(out / "assets");
    // The font is DejaVu Sans, committed with its licence; the tool draws everything else.
    committed.erase("font.ttf");
    committed.erase("font-LICENSE.txt");
    ASSERT_FALSE(committed.empty()) << "nothing committed under " << ASSETS_DIR;
    for (const std::string& f : committed) {
        ASSERT_TRUE(produced.count(f)) << f << " is committed but no longer made";
        EXPECT_EQ(readBytes(fs::path(ASSETS_DIR) / f), readBytes(made(f))) << f << " differs; regenerate data/assets";
    }
    for (const std::string& f : produced)
        EXPECT_TRUE(committed.count(f)) << f << " is made but not committed";
}

TEST_F(MakeassetsTest, SpritesAreCompleteAnimatedAndOnClearBackgrounds)
{
    // The common sets and the bosses' own ones after them.
    int sets = 0;
    while (fs::exists(made("sprites/" + std::to_string(sets))))
        sets++;
    EXPECT_GE(sets, SPRITE_SETS + 4);
    for (int s = 0; s < sets; s++)
        for (int d = 0; d < DIRECTIONS; d++) {
            Picture frames[WALK_FRAMES];
            for (int f = 0; f < WALK_FRAMES; f++) {
                std::string name = "sprites/" + std::to_string(s) + "/" + std::to_string(d) + "-" + std::to_string(f) + ".png";
                frames[f] = png(name);
                const Picture& p = frames[f];
                ASSERT_TRUE(p.ok) << name;
                ASSERT_EQ(p.w, TILE_SIZE) << name;
                ASSERT_EQ(p.h, TILE_SIZE) << name;
                int opaque = 0;
                for (int y = 0; y < TILE_SIZE; y++)
                    for (int x = 0; x < TILE_SIZE; x++)
                        opaque += p.alpha(x, y) == 255;
                EXPECT_GT(opaque, 250) << name << " is nearly empty";
                EXPECT_LT(opaque, TILE_SIZE * TILE_SIZE / 2) << name << " hardly has a background";
                for (int i = 0; i < TILE_SIZE; i++) {   // the outer columns stay clear
                    EXPECT_EQ(p.alpha(0, i), 0) << name;
                    EXPECT_EQ(p.alpha(47, i), 0) << name;
                }
                EXPECT_EQ(p.alpha(0, 0) + p.alpha(47, 0) + p.alpha(0, 47) + p.alpha(47, 47), 0) << name;
            }
            EXPECT_NE(frames[0].rgba, frames[1].rgba) << "set " << s << " dir " << d << " does not step";
            EXPECT_NE(frames[1].rgba, frames[2].rgba) << "set " << s << " dir " << d << " steps the same way twice";
        }
    // a character must not look the same walking up as walking down
    for (int s = 0; s < sets; s++)
        EXPECT_NE(png("sprites/" + std::to_string(s) + "/0-0.png").rgba, png("sprites/" + std::to_string(s) + "/2-0.png").rgba) << s;
}

TEST_F(MakeassetsTest, TilesAreOpaqueAndGroundTilesRepeatSeamlessly)
{
    int n = 0;
    while (fs::exists(made("tiles/" + std::to_string(n) + ".png")))
        n++;
    EXPECT_EQ(n, TILE_COUNT) << "the map format holds tiles 0..62";
    for (int t = 0; t < n; t++) {
        Picture p = png("tiles/" + std::to_string(t) + ".png");
        ASSERT_TRUE(p.ok);
        ASSERT_EQ(p.w, TILE_SIZE);
        ASSERT_EQ(p.h, TILE_SIZE);
        bool allOpaque = true;
        for (int i = 0; i < TILE_SIZE * TILE_SIZE; i++)
            allOpaque = allOpaque && p.rgba[size_t(i) * 4 + 3] == 255;
        EXPECT_TRUE(allOpaque) << "tile " << t;
    }
    // Where a ground tile meets a copy of itself, the step across the seam must
    // be no harsher than the harshest step between neighbouring rows or columns
    // inside it (mortar lines and board gaps included).
    auto lineStep = [](const Picture& p, int a, int b, bool columns) {
        double sum = 0;
        for (int k = 0; k < TILE_SIZE; k++) {
            const uint8_t* u = columns ? p.at(a, k) : p.at(k, a);
            const uint8_t* v = columns ? p.at(b, k) : p.at(k, b);
            for (int c = 0; c < 3; c++)
                sum += std::abs(u[c] - v[c]);
        }
        return sum / TILE_SIZE;
    };
    const int ground[] = {TILE_GRASS, TILE_STONE_WALL, TILE_CABIN_WALL, TILE_PLANKS, TILE_DIRT,
                          TILE_COBBLES, TILE_SAND, TILE_SHALLOWS, TILE_FLAGSTONES, TILE_RED_CARPET,
                          TILE_FOREST_FLOOR, TILE_CAVE_FLOOR, TILE_SNOW, TILE_SEA, TILE_SWAMP,
                          TILE_PIER, TILE_CHECKED_FLOOR, TILE_HAY, TILE_BRICK_WALL, TILE_CAVE_WALL,
                          TILE_MARBLE, TILE_DUNGEON_FLOOR, TILE_PARQUET};
    for (int t : ground) {
        Picture p = png("tiles/" + std::to_string(t) + ".png");
        ASSERT_TRUE(p.ok);
        for (bool columns : {true, false}) {
            double worst = 0;
            for (int a = 0; a < 47; a++)
                worst = std::max(worst, lineStep(p, a, a + 1, columns));
            EXPECT_LE(lineStep(p, 47, 0, columns), worst * 1.1 + 4)
                << "tile " << t << " shows a seam " << (columns ? "left to right" : "top to bottom");
        }
    }
}

TEST_F(MakeassetsTest, ItemPicturesFormADistinctSeries)
{
    std::vector<std::vector<uint8_t>> seen;
    int n = 0;
    while (fs::exists(made("items/" + std::to_string(n) + ".png"))) {
        Picture p = png("items/" + std::to_string(n) + ".png");
        ASSERT_TRUE(p.ok);
        EXPECT_EQ(p.w, TILE_SIZE);
        EXPECT_EQ(p.h, TILE_SIZE);
        EXPECT_EQ(p.alpha(0, 0) + p.alpha(47, 0) + p.alpha(0, 47) + p.alpha(47, 47), 0) << "item " << n;
        int opaque = 0;
        for (size_t i = 3; i < p.rgba.size(); i += 4)
            opaque += p.rgba[i] > 0;
        EXPECT_GT(opaque, 120) << "item " << n << " is nearly empty";
        for (size_t k = 0; k < seen.size(); k++)
            EXPECT_NE(seen[k], p.rgba) << "items " << k << " and " << n << " are the same picture";
        seen.push_back(p.rgba);
        n++;
    }
    EXPECT_GE(n, 40);
}

TEST_F(MakeassetsTest, IconsHaveTheSizesTheEngineDrawsThemAt)
{
    std::map<int, std::pair<int, int>> sizes = {
        {ICON_POINTER, {16, 16}},    {ICON_HEALTH_BAR, {120, 16}}, {ICON_MANA_BAR, {120, 16}},
        {ICON_FIRE_TRAIL, {48, 48}}, {ICON_ARROW, {16, 16}},       {ICON_HEART_EMPTY, {48, 48}},
        {ICON_HEART_FULL, {48, 48}}, {ICON_WINDOW, {32, 32}}};
    for (int b = ICON_FIGHT_ATTACK; b <= ICON_FIGHT_PREV_WEAPON; b++)   // the fight buttons
        sizes[b] = {48, 48};
    for (int b = ICON_SPELL_FIREBALL; b <= ICON_SPELL_FLEE; b++)         // and the spell bar's
        sizes[b] = {48, 48};
    for (int i = 0; i < ICON_COUNT; i++) {
        Picture p = png("icns/" + std::to_string(i) + ".png");
        ASSERT_TRUE(p.ok) << "icon " << i;
        EXPECT_GT(p.w, 0);
        EXPECT_LE(p.w, 400) << "icon " << i;
        EXPECT_LE(p.h, 120) << "icon " << i;
        if (sizes.count(i)) {
            EXPECT_EQ(p.w, sizes[i].first) << "icon " << i;
            EXPECT_EQ(p.h, sizes[i].second) << "icon " << i;
        }
    }
    EXPECT_FALSE(fs::exists(made("icns/29.png")));
    for (int i : {ICON_HIT, ICON_MISS, ICON_HEAL_MARK}) {
        Picture p = png("icns/" + std::to_string(i) + ".png");
        EXPECT_GE(p.w, 20);
        EXPECT_LE(p.w, 48);
    }
    Picture sign = png("icns/19.png");
    EXPECT_LE(sign.h, 100);

    // the full gauge is laid over the empty one row by row, so their outlines must match
    Picture empty = png("icns/22.png"), full = png("icns/23.png");
    ASSERT_EQ(empty.rgba.size(), full.rgba.size());
    for (int y = 0; y < 48; y++)
        for (int x = 0; x < 48; x++)
            ASSERT_EQ(empty.alpha(x, y), full.alpha(x, y)) << x << "," << y;
    EXPECT_NE(empty.rgba, full.rgba);

    // the window icon uses magenta for transparency and no alpha at all
    Picture win = png("icns/27.png");
    int magenta = 0;
    for (int y = 0; y < win.h; y++)
        for (int x = 0; x < win.w; x++) {
            ASSERT_EQ(win.alpha(x, y), 255);
            const uint8_t* c = win.at(x, y);
            magenta += c[0] == 255 && c[1] == 0 && c[2] == 255;
        }
    EXPECT_EQ(win.alpha(0, 0), 255);
    EXPECT_GT(magenta, 100);
    EXPECT_LT(magenta, 32 * 32 - 150);

    Picture over = png("gameover.png");
    EXPECT_LE(over.w, 640);
    EXPECT_LE(over.h, 480);
}

// The desktop entry's icons are the window icon, each pixel grown to a block:
// clear where the window icon is magenta, the same colour everywhere else.
TEST_F(MakeassetsTest, DesktopIconsAreTheWindowIconGrown)
{
    Picture win = png("icns/27.png");
    ASSERT_EQ(win.w, 32);
    for (int size : {32, 64, 128, 256}) {
        std::string name = "desktop/" + std::to_string(size) + "x" + std::to_string(size) + ".png";
        Picture p = png(name);
        ASSERT_EQ(p.w, size) << name;
        ASSERT_EQ(p.h, size) << name;
        for (int y = 0; y < size; y++)
            for (int x = 0; x < size; x++) {
                const uint8_t* w = win.at(x * 32 / size, y * 32 / size);
                const uint8_t* d = p.at(x, y);
                if (w[0] == 255 && w[1] == 0 && w[2] == 255)
                    ASSERT_EQ(d[3], 0) << name << " " << x << "," << y;
                else
                    ASSERT_EQ(0, memcmp(w, d, 4)) << name << " " << x << "," << y;
            }
    }
}

TEST_F(MakeassetsTest, SoundsAreShortAudibleMonoPcm)
{
    for (int i = 0; i < 14; i++) {
        std::string name = "sounds/" + std::to_string(i) + ".wav";
        std::vector<uint8_t> b = readBytes(made(name));
        ASSERT_GE(b.size(), 44u) << name;
        EXPECT_EQ(memcmp(b.data(), "RIFF", 4), 0) << name;
        EXPECT_EQ(le32(&b[4]), b.size() - 8) << name;
        EXPECT_EQ(memcmp(&b[8], "WAVEfmt ", 8), 0) << name;
        EXPECT_EQ(le32(&b[16]), 16u) << name;
        EXPECT_EQ(le16(&b[20]), 1) << name << " is not PCM";
        EXPECT_EQ(le16(&b[22]), 1) << name << " is not mono";
        EXPECT_EQ(le32(&b[24]), 22050u) << name;
        EXPECT_EQ(le32(&b[28]), 44100u) << name;
        EXPECT_EQ(le16(&b[32]), 2) << name;
        EXPECT_EQ(le16(&b[34]), 16) << name;
        EXPECT_EQ(memcmp(&b[36], "data", 4), 0) << name;
        uint32_t bytes = le32(&b[40]);
        ASSERT_EQ(bytes, b.size() - 44) << name;
        double seconds = bytes / 2 / 22050.0;
        EXPECT_GE(seconds, 0.1) << name;
        EXPECT_LE(seconds, 1.5) << name;
        int peak = 0;
        for (size_t k = 44; k + 1 < b.size(); k += 2)
            peak = std::max(peak, std::abs(int(int16_t(le16(&b[k])))));
        EXPECT_GT(peak, 8000) << name << " is nearly silent";
        // the last sample fades out instead of ending on a click
        EXPECT_LT(std::abs(int(int16_t(le16(&b[b.size() - 2])))), 2000) << name;
    }
    EXPECT_FALSE(fs::exists(made("sounds/14.wav")));
}

}  // namespace
