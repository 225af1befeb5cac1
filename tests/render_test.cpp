// render_test.cpp -- what the map screen shows: tiles around the camera, items and characters, the HUD.
#include <vector>
#include <gtest/gtest.h>
#include "world.h"

using qtest::World;
using qtest::pixelAt;

namespace {

// The stand-in pictures are flat colours (see fakeassets.cpp).
Uint32 tileColour(int t) { return ((Uint32)(Uint8)(t * 5) << 16) | ((Uint32)(Uint8)(255 - t * 5) << 8) | 40; }
Uint32 itemColour(int i) { return ((Uint32)(Uint8)(i * 7) << 16) | ((Uint32)(Uint8)(255 - i * 7) << 8) | 40; }
Uint32 iconColour(int i) { return ((Uint32)(Uint8)(i * 8) << 16) | ((Uint32)(Uint8)(255 - i * 8) << 8) | 40; }
Uint32 spriteColour(int s, int d, int f)
{
    Uint8 v = (Uint8)(s * 20 + d * 5 + f);
    return ((Uint32)v << 16) | ((Uint32)(Uint8)(255 - v) << 8) | 40;
}
const Uint32 BACKGROUND = 0x1a1aa8;

struct Render : qtest::PlayerGame
{
};

struct WideRender : Render
{
    std::string config() override { return "widescreen\n"; }
};

} // namespace

TEST_F(Render, CameraPutsThePlayerTileAtTheCentre)
{
    g->theMap->setTileAt(10, 10, TILE_BED_FOOT);
    g->theMap->setTileAt(11, 11, TILE_OPEN_DOOR);
    g->drawMap();
    EXPECT_EQ(tileColour(TILE_BED_FOOT), pixelAt(g->screen, 352 + 1, 252 + 1));
    EXPECT_EQ(tileColour(TILE_OPEN_DOOR), pixelAt(g->screen, 400 + 10, 300 + 10));
    EXPECT_EQ(tileColour(TILE_GRASS), pixelAt(g->screen, 0, 0));
    EXPECT_EQ(tileColour(TILE_GRASS), pixelAt(g->screen, 799, 599));

    hero->x += 10.7f;   // truncated offsets: the world shifts 10 pixels left
    g->drawMap();
    EXPECT_EQ(tileColour(TILE_BED_FOOT), pixelAt(g->screen, 342, 253));
    EXPECT_EQ(tileColour(TILE_GRASS), pixelAt(g->screen, 342 + TILE_SIZE, 253));
}

TEST_F(Render, OutsideTheMapShowsTheBackground)
{
    hero->x = 0;
    hero->y = 0;
    g->drawMap();
    EXPECT_EQ(BACKGROUND, pixelAt(g->screen, 10, 10));
    EXPECT_EQ(BACKGROUND, pixelAt(g->screen, 351, 251));
    EXPECT_EQ(tileColour(TILE_GRASS), pixelAt(g->screen, 352, 252));

    hero->x = 349 * TILE_SIZE;
    hero->y = 349 * TILE_SIZE;
    g->theMap->setTileAt(349, 349, TILE_BOULDERS);
    g->drawMap();
    EXPECT_EQ(tileColour(TILE_BOULDERS), pixelAt(g->screen, 360, 260));
    EXPECT_EQ(tileColour(TILE_GRASS), pixelAt(g->screen, 420, 320));   // column and row 350 read as tile 0
    EXPECT_EQ(BACKGROUND, pixelAt(g->screen, 460, 320));
    EXPECT_EQ(BACKGROUND, pixelAt(g->screen, 420, 360));
}

TEST_F(WideRender, WideWindowDrawsTwoMoreColumns)
{
    EXPECT_EQ(1024, g->SCREEN_WIDTH);
    g->theMap->setTileAt(10, 10, TILE_BED_FOOT);
    g->theMap->setTileAt(21, 10, TILE_PLANKS);
    g->drawMap();
    EXPECT_EQ(tileColour(TILE_BED_FOOT), pixelAt(g->screen, 464 + 1, 253));
    EXPECT_EQ(tileColour(TILE_PLANKS), pixelAt(g->screen, 464 + 11 * TILE_SIZE + 1, 253));
    EXPECT_EQ(tileColour(TILE_GRASS), pixelAt(g->screen, 1023, 599));
}

TEST_F(Render, FastWaterAndBadTiles)
{
    g->vars.bFastWater = true;
    g->theMap->setTileAt(10, 10, TILE_SEA);
    g->theMap->setTileAt(11, 10, -3);
    g->theMap->setTileAt(12, 10, 999);
    std::string out;
    std::string err = qtest::quietly([&] {
        g->drawMap();
        g->drawMap();
    }, &out);
    EXPECT_EQ(BACKGROUND, pixelAt(g->screen, 353, 253));
    EXPECT_EQ(tileColour(TILE_GRASS), pixelAt(g->screen, 401, 253));
    EXPECT_EQ(tileColour(TILE_GRASS), pixelAt(g->screen, 449, 253));
    EXPECT_NE(std::string::npos, out.find("invalid tile : 11,10\n"));
    // A value with no picture is reported once, not every frame.
    size_t first = err.find("No picture for tile 999");
    ASSERT_NE(std::string::npos, first);
    EXPECT_EQ(std::string::npos, err.find("No picture for tile 999", first + 1));
}

TEST_F(Render, ItemsShowUntil20PixelsBeyondTheTop)
{
    Item* hidden = w->addItem(ITEM_PLAIN, OWNER_MAP, 480, 480 - 272);     // screen y -20
    Item* shown = w->addItem(ITEM_PLAIN, OWNER_MAP, 600, 480 - 271);      // screen y -19
    hidden->icon = 1;
    shown->icon = 2;
    g->drawMap();
    g->drawSprites();
    EXPECT_EQ(tileColour(TILE_GRASS), pixelAt(g->screen, 353, 5));
    EXPECT_EQ(itemColour(2), pixelAt(g->screen, 473, 5));
    Item* carried = w->addItem(ITEM_PLAIN, OWNER_PLAYER, 480, 480);
    carried->icon = 1;
    g->drawMap();
    g->drawSprites();
    EXPECT_NE(itemColour(1), pixelAt(g->screen, 353, 253));
}

TEST_F(Render, BadItemPicturesAreReportedNotDrawn)
{
    Item* odd = w->addItem(ITEM_PLAIN, OWNER_MAP, 480, 480);
    odd->icon = 1000000;
    testing::internal::CaptureStderr();
    for (int frame = 0; frame < 3; frame++)
        g->drawSprites();
    EXPECT_EQ("Invalid item 1000000 requested\n", testing::internal::GetCapturedStderr());   // once, not every frame
}

TEST_F(Render, OnlyTheFightersShowInCombat)
{
    Actor* foe = w->addActor(528, 480);
    Actor* bystander = w->addActor(480, 528);
    foe->sprite = 6;
    bystander->sprite = 2;
    hero->sprite = 0;
    hero->direction = FACE_RIGHT;
    Item* loot = w->addItem(ITEM_PLAIN, OWNER_MAP, 528, 528);
    loot->icon = 2;
    g->enemy = foe;
    g->bPlayingGame = false;
    g->drawMap();
    g->drawSprites();
    EXPECT_EQ(spriteColour(0, 1, 0), pixelAt(g->screen, 353, 253));
    EXPECT_EQ(spriteColour(6, 0, 0), pixelAt(g->screen, 401, 253));
    EXPECT_EQ(tileColour(TILE_GRASS), pixelAt(g->screen, 353, 301));
    EXPECT_EQ(itemColour(2), pixelAt(g->screen, 401, 301));
    g->bPlayingGame = true;
    g->drawSprites();
    EXPECT_EQ(spriteColour(2, 0, 0), pixelAt(g->screen, 353, 301));
}

TEST_F(Render, CharactersWithoutAPictureAreSkipped)
{
    Actor* odd = w->addActor(528, 480);
    odd->sprite = 99;
    std::string err = qtest::quietly([&] {
        g->drawMap();
        g->drawSprites();
        g->drawSprites();
    });
    EXPECT_EQ(tileColour(TILE_GRASS), pixelAt(g->screen, 401, 253));
    size_t first = err.find("has no picture");
    ASSERT_NE(std::string::npos, first);
    EXPECT_EQ(std::string::npos, err.find("has no picture", first + 1));
}

TEST_F(Render, MessageLineFadesWithItsTimer)
{
    int h = g->returnTextHeight();
    int y = 598 - h + 1;
    g->vars.currentTalk = "";
    g->vars.talkTimer = g->TALK_TIMER;
    g->vars.timer_elapsed = 10;
    g->drawMap();
    g->drawHud();
    EXPECT_EQ(0x000064u, pixelAt(g->screen, 2, y));
    EXPECT_FLOAT_EQ(g->TALK_TIMER - 10, g->vars.talkTimer);

    g->vars.talkTimer = g->TALK_TIMER / 2;   // opacity 127
    g->drawMap();
    g->drawHud();
    Uint32 p = pixelAt(g->screen, 2, y);
    Uint32 t = tileColour(TILE_GRASS);
    auto mix = [](int under, int over) { return under + ((over - under) * 127 >> 8); };
    EXPECT_NEAR(mix((t >> 16) & 255, 0), (int)((p >> 16) & 255), 2);
    EXPECT_NEAR(mix((t >> 8) & 255, 0), (int)((p >> 8) & 255), 2);
    EXPECT_NEAR(mix(t & 255, 100), (int)(p & 255), 2);

    g->vars.talkTimer = 0;
    g->drawMap();
    g->drawHud();
    EXPECT_EQ(t, pixelAt(g->screen, 2, y));
}

TEST_F(Render, NoAlphaDrawsTheMessageBandOpaque)
{
    g->vars.bNoAlpha = true;
    g->vars.currentTalk = "";
    g->vars.talkTimer = g->TALK_TIMER / 4;
    g->drawMap();
    g->drawHud();
    EXPECT_EQ(0x000064u, pixelAt(g->screen, 2, 598 - g->returnTextHeight() + 1));
}

TEST_F(Render, MoneyIsShownUnsigned)
{
    int h = g->returnTextHeight();
    hero->stats.money = 3000000000u;
    g->drawMap();
    g->drawHud();
    // Right of the health gauge, the money line against the same line drawn by hand.
    auto band = [&]() {
        std::vector<Uint32> px;
        for (int y = 10 + 2 * h; y < 10 + 3 * h; y++)
            for (int x = 48; x < 300; x++)
                px.push_back(pixelAt(g->screen, x, y));
        return px;
    };
    std::vector<Uint32> shown = band();
    g->drawMap();
    g->drawTextAt(" $3000000000", 10, 10 + 2 * h);
    EXPECT_EQ(band(), shown);
}

TEST_F(Render, HealthGaugeFillsFromTheBottom)
{
    hero->stats.hp = 50;
    hero->stats.hp_max = 100;
    g->drawMap();
    g->drawHud();
    EXPECT_EQ(iconColour(ICON_HEART_EMPTY), pixelAt(g->screen, 5, 23));
    EXPECT_EQ(iconColour(ICON_HEART_FULL), pixelAt(g->screen, 5, 24));
    EXPECT_EQ(iconColour(ICON_HEART_FULL), pixelAt(g->screen, 5, 47));

    hero->stats.hp = 0;
    g->drawHud();
    EXPECT_EQ(iconColour(ICON_HEART_EMPTY), pixelAt(g->screen, 5, 47));

    hero->stats.hp_max = 0;   // no division by zero, nothing filled
    g->drawHud();
    EXPECT_EQ(iconColour(ICON_HEART_EMPTY), pixelAt(g->screen, 5, 47));
    hero->stats.hp = 500;
    hero->stats.hp_max = 10;
    g->drawHud();
    EXPECT_EQ(iconColour(ICON_HEART_FULL), pixelAt(g->screen, 5, 0));
}
