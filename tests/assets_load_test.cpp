// assets_load_test.cpp -- loading pictures and sounds: required sets, open-ended series, playing sounds.
#include <gtest/gtest.h>
#include "game.h"
#include "harness.h"
#include "fakeassets.h"

using qtest::WorkDir;

namespace {
void fakeTree(const WorkDir& wd, const qtest::FakeAssets& fake) { qtest::writeFakeAssets(wd.path(), fake); }
}

TEST(AssetsLoad, ItemAndTileSeriesEndAtTheFirstGap)
{
    WorkDir wd("", false);
    qtest::FakeAssets fake;
    fake.items = 6;
    fake.tiles = 9;
    fakeTree(wd, fake);
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    {
        CGame game;
        EXPECT_EQ(6u, game.art.items.size());
        EXPECT_EQ(9u, game.art.tiles.size());
        for (int i = 0; i < 29; i++)
            EXPECT_NE(nullptr, game.art.icons[i]);
        EXPECT_NE(nullptr, game.art.sprites[8][3][2]);
    }
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, err.find("Warning: data/assets/items/6.png doesn't exist (can be ignored)\n"));
    EXPECT_NE(std::string::npos, err.find("data/assets/tiles/9.png doesn't exist\n"));
    // 108 sprites + 9 tiles + 29 icons + 6 items
    EXPECT_NE(std::string::npos, out.find("152 art assets unloaded\n"));
}

TEST(AssetsLoad, MissingSpriteIsFatalAfterTheOthersLoaded)
{
    EXPECT_EXIT(
        {
            WorkDir wd("", false);
            qtest::FakeAssets fake;
            fake.skipSprite = 8 * 12 + 3 * 3 + 2;
            fakeTree(wd, fake);
            CGame game;
        },
        testing::ExitedWithCode(1),
        "\\*\\*\\*CRITICAL ERROR\\*\\*\\* Sprite data/assets/sprites/8/3-2.png not found");
}

TEST(AssetsLoad, MissingIconIsFatal)
{
    EXPECT_EXIT(
        {
            WorkDir wd("", false);
            qtest::FakeAssets fake;
            fake.skipIcon = 17;
            fakeTree(wd, fake);
            CGame game;
        },
        testing::ExitedWithCode(1), "data/assets/icns/17.png doesn't exist\n");
}

TEST(AssetsLoad, SoundsLoadAndMissingOnesStaySilent)
{
    WorkDir wd("", false);
    qtest::FakeAssets fake;
    fake.sounds = 5;
    fakeTree(wd, fake);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    {
        CGame game;
        for (int i = 0; i < 5; i++)
            EXPECT_NE(nullptr, game.audio.sfx[i]) << i;
        for (int i = 5; i < 14; i++)
            EXPECT_EQ(nullptr, game.audio.sfx[i]) << i;
        game.playSound(4);
        game.playSound(5);
    }
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, out.find("\tLoaded data/assets/sounds/4.wav successfully\n"));
    EXPECT_EQ(std::string::npos, out.find("sounds/5.wav"));
    EXPECT_EQ(std::string::npos, err.find("sound 4 is"));
    EXPECT_NE(std::string::npos, err.find("sound 5 is missing, out of range or damaged\n"));
}

TEST(AssetsLoad, PlaySoundRules)
{
    WorkDir wd;
    testing::internal::CaptureStdout();
    CGame game;
    testing::internal::GetCapturedStdout();

    testing::internal::CaptureStderr();
    game.playSound(14);
    game.playSound(-1);
    game.playSound(0);
    EXPECT_EQ("sound 14 is missing, out of range or damaged\n"
              "sound -1 is missing, out of range or damaged\n",
              testing::internal::GetCapturedStderr());

    game.audio.bSoundOff = true;
    testing::internal::CaptureStderr();
    game.playSound(99);
    EXPECT_EQ("", testing::internal::GetCapturedStderr());
}

TEST(AssetsLoad, ShippedAssetsAreComplete)
{
    WorkDir wd;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    {
        CGame game;
        EXPECT_GE(game.art.tiles.size(), 47u);
        EXPECT_GE(game.art.items.size(), 13u);
        for (int i = 0; i < 14; i++)
            EXPECT_NE(nullptr, game.audio.sfx[i]) << "sound " << i;
        for (int s = 0; s < 9; s++)
            for (int d = 0; d < 4; d++)
                for (int f = 0; f < 3; f++) {
                    ASSERT_NE(nullptr, game.art.sprites[s][d][f]);
                    EXPECT_EQ(48, game.art.sprites[s][d][f]->w);
                    EXPECT_EQ(48, game.art.sprites[s][d][f]->h);
                }
        EXPECT_EQ(48, game.art.icons[22]->h);
        EXPECT_EQ(game.art.icons[22]->w, game.art.icons[23]->w);
        EXPECT_EQ(120, game.art.icons[16]->w);
        EXPECT_EQ(120, game.art.icons[17]->w);
    }
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
}
