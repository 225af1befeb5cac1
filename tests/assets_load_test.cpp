// assets_load_test.cpp -- loading pictures and sounds: required sets, open-ended series, playing sounds.
#include <memory>
#include <gtest/gtest.h>
#include "game.h"
#include "harness.h"
#include "fakeassets.h"

using qtest::WorkDir;

TEST(AssetsLoad, ItemAndTileSeriesEndAtTheFirstGap)
{
    WorkDir wd("", false);
    qtest::FakeAssets fake;
    fake.items = 6;
    fake.tiles = 9;
    qtest::writeFakeAssets(wd.path(), fake);
    std::string out;
    std::string err = qtest::quietly([] {
        CGame game;
        EXPECT_EQ(6u, game.art.items.size());
        EXPECT_EQ(9u, game.art.tiles.size());
        for (int i = 0; i < ICON_COUNT; i++)
            EXPECT_NE(nullptr, game.art.icons[i]);
        EXPECT_NE(nullptr, game.art.sprites[8][3][2]);
    }, &out);
    EXPECT_NE(std::string::npos, err.find("Warning: data/assets/items/6.png doesn't exist (can be ignored)\n"));
    EXPECT_NE(std::string::npos, err.find("data/assets/tiles/9.png doesn't exist\n"));
    // 108 sprites + 9 tiles + 29 icons + 6 items
    EXPECT_NE(std::string::npos, out.find("152 art assets unloaded\n"));
}

// A missing sprite (after the others have loaded) or icon ends the start-up.
TEST(AssetsLoad, MissingSpriteOrIconIsFatal)
{
    struct Case { int sprite, icon; const char* message; };
    const Case cases[] = {
        {8 * 12 + 3 * 3 + 2, -1, "\\*\\*\\*CRITICAL ERROR\\*\\*\\* Sprite data/assets/sprites/8/3-2.png not found"},
        {-1, ICON_MANA_BAR, "data/assets/icns/17.png doesn't exist\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EXIT(
            {
                WorkDir wd("", false);
                qtest::FakeAssets fake;
                fake.skipSprite = c.sprite;
                fake.skipIcon = c.icon;
                qtest::writeFakeAssets(wd.path(), fake);
                CGame game;
            },
            testing::ExitedWithCode(1), c.message);
    }
}

// Sets past the nine load while whole; the first one missing a picture ends them, reported.
TEST(AssetsLoad, FurtherSpriteSetsLoadUpToTheFirstIncompleteOne)
{
    WorkDir wd("", false);
    qtest::FakeAssets fake;
    fake.spriteSets = 13;
    fake.skipSprite = 11 * 12 + 2 * 3 + 1;
    qtest::writeFakeAssets(wd.path(), fake);
    std::string out;
    std::string err = qtest::quietly([] {
        CGame game;
        ASSERT_EQ(11u, game.art.sprites.size());
        EXPECT_NE(nullptr, game.art.sprites[10][3][2]);
    }, &out);
    EXPECT_NE(std::string::npos, err.find("Sprite set 11 is incomplete (data/assets/sprites/11/2-1.png is missing"));
    // 132 sprites + 47 tiles + 29 icons + 3 items
    EXPECT_NE(std::string::npos, out.find("211 art assets unloaded\n"));
}

TEST(AssetsLoad, SoundsLoadAndMissingOnesStaySilent)
{
    WorkDir wd("", false);
    qtest::FakeAssets fake;
    fake.sounds = 5;
    qtest::writeFakeAssets(wd.path(), fake);
    std::string out;
    std::string err = qtest::quietly([] {
        CGame game;
        for (int i = 0; i < 5; i++)
            EXPECT_NE(nullptr, game.audio.sfx[i]) << i;
        for (int i = 5; i < SOUND_COUNT; i++)
            EXPECT_EQ(nullptr, game.audio.sfx[i]) << i;
        game.playSound(4);
        game.playSound(5);
    }, &out);
    EXPECT_NE(std::string::npos, out.find("\tLoaded data/assets/sounds/4.wav successfully\n"));
    EXPECT_EQ(std::string::npos, out.find("sounds/5.wav"));
    EXPECT_EQ(std::string::npos, err.find("sound 4 is"));
    EXPECT_NE(std::string::npos, err.find("sound 5 is missing, out of range or damaged\n"));
}

// On the shipped assets: every sound loads and sprites are 48 pixels square; sounds out of range
// are reported, and with the sound off nothing is.
TEST(AssetsLoad, ShippedAssetsAreCompleteAndPlaySoundRules)
{
    WorkDir wd;
    std::unique_ptr<CGame> game;
    qtest::quietly([&] { game.reset(new CGame()); });
    EXPECT_GE(game->art.tiles.size(), 47u);
    EXPECT_GE(game->art.items.size(), 13u);
    for (int i = 0; i < SOUND_COUNT; i++)
        EXPECT_NE(nullptr, game->audio.sfx[i]) << "sound " << i;
    for (int s = 0; s < SPRITE_SETS; s++)
        for (int d = 0; d < DIRECTIONS; d++)
            for (int f = 0; f < WALK_FRAMES; f++) {
                ASSERT_NE(nullptr, game->art.sprites[s][d][f]);
                EXPECT_EQ(TILE_SIZE, game->art.sprites[s][d][f]->w);
                EXPECT_EQ(TILE_SIZE, game->art.sprites[s][d][f]->h);
            }
    EXPECT_EQ(TILE_SIZE, game->art.icons[ICON_HEART_EMPTY]->h);
    EXPECT_EQ(game->art.icons[ICON_HEART_EMPTY]->w, game->art.icons[ICON_HEART_FULL]->w);
    EXPECT_EQ(120, game->art.icons[ICON_HEALTH_BAR]->w);
    EXPECT_EQ(120, game->art.icons[ICON_MANA_BAR]->w);

    std::string err = qtest::quietly([&] {
        game->playSound(SOUND_COUNT);
        game->playSound(-1);
        game->playSound(SOUND_FIGHT_WON);
    });
    EXPECT_EQ("sound 14 is missing, out of range or damaged\n"
              "sound -1 is missing, out of range or damaged\n",
              err);
    game->audio.bSoundOff = true;
    EXPECT_EQ("", qtest::quietly([&] { game->playSound(99); }));
    qtest::quietly([&] { game.reset(); });
}
