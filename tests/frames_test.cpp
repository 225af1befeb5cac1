// frames_test.cpp -- the pixels of a fixed set of frames of the shipped game, held against hashes taken from the plain engine.
//
// Speed work on drawing, pictures or text must leave every pixel the player
// sees as it was. Each case draws a frame through the engine's own functions,
// on fixed timers, and compares a hash of the window's colours with the value
// the engine gave before any of that work. The hashes depend on data/ and the
// font: after a deliberate change to the art or the town, take them again
// (the failure message prints the new value).
//
// The game runs on either SDL 1.2: Debian's own library (1.2.15) or the layer
// over SDL 2 (libsdl1.2-compat, 1.2.50 and later). They blend half-transparent
// pixels (sprite shadows, glass, faded text) a step or two of a colour channel
// apart, so each frame has an exact hash for each; the test command runs this
// file on both. An exact hash still fails on any tile, sprite or line of text
// out of place, where a tolerance wide enough for the blending would pass a
// message line faded almost to nothing that was never drawn at all.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <gtest/gtest.h>
#include "game.h"
#include "harness.h"

namespace {

// FNV-1a over the visible colour of every window pixel, row by row.
unsigned long long frameHash(SDL_Surface* s)
{
    unsigned long long h = 1469598103934665603ULL;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; y++) {
        const Uint8* row = (const Uint8*)s->pixels + y * s->pitch;
        for (int x = 0; x < s->w; x++) {
            Uint32 v = 0;
            for (int b = 0; b < s->format->BytesPerPixel; b++)
                v |= (Uint32)row[x * s->format->BytesPerPixel + b] << (8 * b);
            Uint8 rgb[3];
            SDL_GetRGB(v, s->format, &rgb[0], &rgb[1], &rgb[2]);
            for (Uint8 c : rgb) {
                h ^= c;
                h *= 1099511628211ULL;
            }
        }
    }
    SDL_UnlockSurface(s);
    return h;
}

std::string hex(unsigned long long v)
{
    char buf[32];
    snprintf(buf, sizeof buf, "0x%016llxULL", v);
    return buf;
}

// The shipped game, loaded, with the player standing where the most
// characters and items of the town are in view (the benchmark's place).
struct ShippedGame
{
    qtest::WorkDir dir;
    std::unique_ptr<CGame> g;

    explicit ShippedGame(const std::string& config = "") : dir(config)
    {
        g.reset(new CGame());
        std::string data = qtest::sourceDir() + "/data";
        EXPECT_EQ(0, g->loadGame(data.c_str()));
        if (!g->player)
            return;
        Actor* best = g->player;
        int bestCount = -1;
        for (Actor* a : g->actorList) {
            int n = 0;
            for (Actor* b : g->actorList)
                if (std::abs(b->x - a->x) < 400 && std::abs(b->y - a->y) < 300)
                    n++;
            for (Item* it : g->itemVec)
                if (it->owner == OWNER_MAP && std::abs(it->x - a->x) < 400 && std::abs(it->y - a->y) < 300)
                    n++;
            if (n > bestCount) {
                bestCount = n;
                best = a;
            }
        }
        g->player->x = best->x + TILE_SIZE;
        g->player->y = best->y + TILE_SIZE;
        g->bPlayingGame = true;
        g->vars.timer_elapsed = 16;
        g->vars.timer_delta = 0.016f;
        g->vars.currentTalk = "The innkeeper waves you over.";
    }

    // The drawing half of an exploring pass, with the message line at the
    // opacity the HUD computes from talkTimer.
    SDL_Surface* exploring(int alpha)
    {
        g->vars.talkTimer = ((float)alpha + 0.5f) / 255.0f * g->TALK_TIMER;
        g->drawMap();
        g->drawSprites();
        g->drawHud();
        return g->screen;
    }

    // Gives the player a few of the game's weapons and other things to carry.
    void giveThings(int count)
    {
        int given = 0, weapons = 0;
        for (Item* it : g->itemVec) {
            if (given >= count || it->icon >= g->art.items.size())
                continue;
            bool weapon = it->type == ITEM_MELEE || it->type == ITEM_RANGED;
            if (weapon && weapons >= 3)
                continue;
            weapons += weapon ? 1 : 0;
            it->owner = OWNER_PLAYER;
            given++;
        }
    }

    // A fight against the nearest other character, six tiles to the right,
    // with the weapon list, the bars, a console and a fireball trail.
    void startFight()
    {
        giveThings(8);
        Actor* foe = nullptr;
        for (Actor* a : g->actorList)
            if (a != g->player) {
                foe = a;
                break;
            }
        ASSERT_NE(nullptr, foe);
        g->player->x = (float)((int)g->player->x / TILE_SIZE * TILE_SIZE);
        g->player->y = (float)((int)g->player->y / TILE_SIZE * TILE_SIZE);
        foe->x = g->player->x + TILE_SIZE * 6;
        foe->y = g->player->y + TILE_SIZE;
        g->enemy = foe;
        g->mode = 1;
        g->bPlayingGame = false;
        g->vars.bYourTurn = true;
        g->player->stats.hp = g->player->stats.hp_max * 2 / 3;
        g->player->stats.mp = g->player->stats.mp_max / 3;
        g->fvars.weapons.clear();
        g->buildWeaponVector(g->fvars.weapons);
        g->fvars.selectedWeapon = 0;
        const char* lines[] = {"Your turn.", "Hit for 4 damage", "Enemy's move.", "Missed!", "You cast a fireball!",
                               "Your turn."};
        for (const char* l : lines)
            g->vars.fightMsgVec.push_back(l);
        g->effectAlongLine(g->player->x, g->player->y, foe->x, foe->y, 1);
        g->fightEffectAt(foe->x, foe->y, 9, "12");
    }

    SDL_Surface* combat()
    {
        g->drawMap();
        g->drawSprites();
        g->drawFightHUD();
        return g->screen;
    }
};

struct Expected
{
    const char* name;
    unsigned long long classic;   // Debian's SDL 1.2
    unsigned long long compat;    // the SDL 1.2 layer over SDL 2
};

// Taken from the engine before any speed work, and again when the font began
// to be kerned and hinted for one-bit drawing (every frame here shows text).
// The compatibility layer's were taken with libsdl1.2-compat 1.2.60 over
// SDL 2.26, once the message line showed its first, fully opaque frame there.
// The inventory and status frames show the shipped game's items (the first ones' texts and how
// many there are), so they are taken again when those change.
const Expected EXPECTED[] = {
    {"explore800_a255", 0xcccb6b38461bc845ULL, 0xa1212b62a31bd051ULL},
    {"explore800_a200", 0x60cb92c88ad794e3ULL, 0xf0deecd930f5ae8dULL},
    {"explore800_a128", 0xfb78d55195ca523dULL, 0xc6dc04eee7ba4b5eULL},
    {"explore800_a127", 0xc99918ed48a4a238ULL, 0x43c27d9fedb5d678ULL},
    {"explore800_a64", 0x5a6d53d321c602d0ULL, 0xfa56485e239f14cfULL},
    {"explore800_a1", 0xed52c1baa0c30cf7ULL, 0x9c8e828051293c3fULL},
    {"explore800_quiet", 0x4ad5935f05886a07ULL, 0xd0e2df04dbbc803bULL},
    {"explore1024_a255", 0xe4de35fa4efb7f8aULL, 0x499357131cecf492ULL},
    {"explore1024_a127", 0xa8cba3a8698c33c3ULL, 0xf49d90c5d6b219b3ULL},
    {"explore800_noalpha", 0xcccb6b38461bc845ULL, 0xa1212b62a31bd051ULL},
    {"explore800_fastwater", 0xcaad9cf5cd42c967ULL, 0xc98c9d67435a9727ULL},
    {"combat800_first", 0x4e84519f9046c76cULL, 0x3da39d5a203a8f88ULL},
    {"combat800_later", 0xe0c838aacdc1403dULL, 0xcc15088dcdf04d50ULL},
    {"combat800_spells_shot", 0x27cac1cdb4cfd3c0ULL, 0x34ce940ad34f30fbULL},
    {"combat1024", 0xe41820fcc1e4457fULL, 0x2d3d29e9cab04ea3ULL},
    {"menu", 0xbe4f38ca097176fcULL, 0xbe4f38ca097176fcULL},
    {"inventory", 0xb1e08b0b720813ecULL, 0xb1e08b0b720813ecULL},
    {"status", 0x75c248b0d8db2c83ULL, 0x75c248b0d8db2c83ULL},
    {"keyhelp", 0xc784cbce8875d888ULL, 0xa78f1bd78e9afa65ULL},
    {"alphatext", 0xfaa4b70907c17b4fULL, 0xd3a0a95ef1f778cbULL},
};

// Which SDL 1.2 this process runs on. With QUORVANE_SDL12 set ("classic" or
// "compat"), as the test command does, running on the other one fails the
// test, so a stage meant for one library cannot quietly test the other.
bool onCompatLayer()
{
    const SDL_version* v = SDL_Linked_Version();
    bool compat = v->major == 1 && v->minor == 2 && v->patch >= 50;
    if (const char* wanted = getenv("QUORVANE_SDL12")) {
        EXPECT_STREQ(wanted, compat ? "compat" : "classic")
            << "running on SDL " << int(v->major) << "." << int(v->minor) << "." << int(v->patch);
    }
    return compat;
}

// With QUORVANE_FRAME_DUMP set to a folder, each frame is also written there
// as a BMP picture, to look at when a hash no longer matches.
void expectFrame(const char* name, SDL_Surface* screen)
{
    unsigned long long actual = frameHash(screen);
    if (const char* dump = getenv("QUORVANE_FRAME_DUMP"))
        SDL_SaveBMP(screen, (std::string(dump) + "/" + name + ".bmp").c_str());
    bool compat = onCompatLayer();
    for (const Expected& e : EXPECTED)
        if (std::string(e.name) == name) {
            EXPECT_EQ(compat ? e.compat : e.classic, actual)
                << name << " on " << (compat ? "the compatibility layer" : "Debian's SDL 1.2") << ": now " << hex(actual);
            return;
        }
    ADD_FAILURE() << "no expected hash for " << name << " (" << hex(actual) << ")";
}

TEST(Frames, ExploringTheTownWithAMessageFading)
{
    ShippedGame s;
    ASSERT_NE(nullptr, s.g->player);
    expectFrame("explore800_a255", s.exploring(255));
    expectFrame("explore800_a200", s.exploring(200));
    expectFrame("explore800_a128", s.exploring(128));
    expectFrame("explore800_a127", s.exploring(127));
    expectFrame("explore800_a64", s.exploring(64));
    expectFrame("explore800_a1", s.exploring(1));
    s.g->vars.currentTalk = "";
    expectFrame("explore800_quiet", s.exploring(0));
}

TEST(Frames, ExploringWide)
{
    ShippedGame s("widescreen\n");
    ASSERT_NE(nullptr, s.g->player);
    ASSERT_EQ(1024, s.g->screen->w);
    expectFrame("explore1024_a255", s.exploring(255));
    expectFrame("explore1024_a127", s.exploring(127));
}

TEST(Frames, ExploringWithoutTransparencyOrSea)
{
    {
        ShippedGame s("noalpha\n");
        ASSERT_NE(nullptr, s.g->player);
        expectFrame("explore800_noalpha", s.exploring(127));
    }
    ShippedGame s("fastwater\n");
    ASSERT_NE(nullptr, s.g->player);
    // Somewhere with sea in view: the first sea tile of the map.
    for (int j = 0; j < Map::SIZE; j++)
        for (int i = 0; i < Map::SIZE; i++)
            if (s.g->theMap->getTileAt(i, j) == TILE_SEA && s.g->player->x != (float)(i * TILE_SIZE)) {
                s.g->player->x = (float)(i * TILE_SIZE);
                s.g->player->y = (float)(j * TILE_SIZE);
                j = Map::SIZE;
                break;
            }
    expectFrame("explore800_fastwater", s.exploring(90));
}

TEST(Frames, CombatWithBarsWeaponsConsoleAndTrail)
{
    ShippedGame s;
    ASSERT_NE(nullptr, s.g->player);
    s.startFight();
    ASSERT_FALSE(s.g->fvars.weapons.empty());
    ASSERT_GE(s.g->fvars.effects.size(), 4u);
    expectFrame("combat800_first", s.combat());
    for (int i = 0; i < 20; i++)
        s.combat();
    expectFrame("combat800_later", s.combat());

    // The spell bar, and a shot in flight over a living enemy.
    s.g->fvars.bMenuOpen = true;
    s.g->fvars.bIsStillShooting = true;
    s.g->fvars.shot_x = s.g->player->x + 24 + 60;
    s.g->fvars.shot_y = s.g->player->y + 24;
    s.combat();
    s.g->updateBullet();
    expectFrame("combat800_spells_shot", s.g->screen);
}

TEST(Frames, CombatWide)
{
    ShippedGame s("widescreen\n");
    ASSERT_NE(nullptr, s.g->player);
    s.startFight();
    expectFrame("combat1024", s.combat());
}

TEST(Frames, MenuInventoryStatusAndKeyHelp)
{
    ShippedGame s;
    ASSERT_NE(nullptr, s.g->player);
    CGame& g = *s.g;

    qtest::pushQuit();
    g.menuLoop();
    expectFrame("menu", g.screen);
    g.bMustQuit = false;

    s.giveThings(12);
    g.player->stats.money = 1234;
    qtest::pushKey(SDLK_DOWN);
    qtest::pushKey(SDLK_ESCAPE);
    g.inventoryMenu();
    expectFrame("inventory", g.screen);

    qtest::pushKey(SDLK_ESCAPE);
    g.playerInfoScreen();
    expectFrame("status", g.screen);

    s.exploring(150);
    qtest::pushKey(SDLK_a);
    g.keyHelp();
    expectFrame("keyhelp", g.screen);

    // Faded text converted to the window's format, over a drawn frame.
    s.exploring(0);
    g.drawAlphaTextAt("Fading words", 300, 200, 180);
    g.drawAlphaTextAt("More fading words", 310, 240, 128);
    g.drawAlphaTextAt("Solid words", 320, 280, 255);
    g.centreAlphaTextAt("Centred and faded", 320, 77);
    expectFrame("alphatext", g.screen);
}

} // namespace
