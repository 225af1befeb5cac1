// drawhud.cpp -- the map screen's message line, health gauge and status text, and the key-help screen.
#include <cstdio>
#include <vector>
#include "game.h"

// "readtime": at least READ_TIME_MIN ms, and a reading pace for long lines, up to READ_TIME_MAX.
const float READ_TIME_MIN = 2500, READ_TIME_BASE = 1500, READ_TIME_PER_CHARACTER = 40, READ_TIME_MAX = 6000;

float CGame::messageTime(const std::string& text) const
{
    if (!vars.bReadTime)
        return TALK_TIMER;
    float t = READ_TIME_BASE + READ_TIME_PER_CHARACTER * (float)text.size();
    t = t < READ_TIME_MIN ? READ_TIME_MIN : t > READ_TIME_MAX ? READ_TIME_MAX : t;
    return t > TALK_TIMER ? t : TALK_TIMER;
}

void CGame::showMessage(const std::string& text)
{
    vars.currentTalk = text;
    vars.talkTimer = messageTime(text);
    journal.recordLine(text);
}

void CGame::drawHud()
{
    int h = returnTextHeight();
    if (vars.talkTimer > 0) {
        // A message that stays longer than TALK_TIMER is opaque until its last TALK_TIMER ms.
        int a = vars.talkTimer >= TALK_TIMER ? 255 : truncToInt(vars.talkTimer / TALK_TIMER * 255.0f);
        // The band is made once and kept; only its transparency changes.
        SDL_Surface* band = surfaces.band(SCREEN_WIDTH, h + 2);
        if (band) {
            if (vars.bNoAlpha)
                SDL_SetAlpha(band, 0, SDL_ALPHA_OPAQUE);
            else
                SDL_SetAlpha(band, SDL_SRCALPHA, (Uint8)(a & 0xff));
            SDL_Rect dst = {0, (Sint16)(SCREEN_HEIGHT - 2 - h), 0, 0};
            SDL_BlitSurface(band, NULL, screen, &dst);
        }
        centreMapTextAt(vars.currentTalk.c_str(), SCREEN_HEIGHT - h, vars.bNoAlpha ? SDL_ALPHA_OPAQUE : (a & 0xff));
        vars.talkTimer -= vars.timer_elapsed;
    }

    // The full heart is drawn over the empty one as wide as the empty one is; the width is
    // read from the picture, not from the blit's rectangle, which not every SDL writes back.
    SDL_Surface* emptyHeart = art.icons[ICON_HEART_EMPTY];
    SDL_Rect gauge = {0, 0, 0, 0};
    SDL_BlitSurface(emptyHeart, NULL, screen, &gauge);
    const Uint16 heartWidth = emptyHeart ? (Uint16)emptyHeart->w : 0;
    const CharacterStats& st = player->stats;
    int g = st.hp_max != 0 ? truncToInt((float)st.hp / (float)st.hp_max * (float)TILE_SIZE) : 0;
    if (g < 0)
        g = 0;
    if (g > TILE_SIZE)
        g = TILE_SIZE;
    if (g > 0) {
        SDL_Rect src = {0, (Sint16)(TILE_SIZE - g), heartWidth, (Uint16)g};
        SDL_Rect dst = {0, (Sint16)(TILE_SIZE - g), 0, 0};
        SDL_BlitSurface(art.icons[ICON_HEART_FULL], &src, screen, &dst);
    }

    // Readable text starts right of the heart instead of over it.
    const int left = vars.bReadableText ? TILE_SIZE : 10;
    char line[512];
    if (vars.debugMode) {
        snprintf(line, sizeof line, "hp %i/%i fps %i max_fps %i min_fps %i", st.hp, st.hp_max, vars.fps,
                 vars.fps_max, vars.fps_min);
        drawMapTextAt(line, left, 10);
        snprintf(line, sizeof line, "x: %f y: %f", (double)player->x, (double)player->y);
        drawMapTextAt(line, left, 10 + h);
    } else {
        snprintf(line, sizeof line, " Health: %i/%i", st.hp, st.hp_max);
        drawMapTextAt(line, left, 10);
        // The mana and money lines have always been held to 60 characters.
        snprintf(line, 60, " Mana: %i/%i", st.mp, st.mp_max);
        drawMapTextAt(line, left, 10 + h);
        snprintf(line, 60, " $%u", st.money);
        drawMapTextAt(line, left, 10 + 2 * h);
    }
}

namespace {

// The map's keys, as the key help lists them.
const char* const MAP_KEYS[] = {
    "Space, G: Get items", "R: Find rest",       "Return: Talk",     "ESC: Inventory",
    "F1: Quick Save",      "F2: Quit to menu",   "F3: Screenshot",   "J: Journal",
    "H: This screen",
};
const int MAP_KEY_COUNT = (int)(sizeof MAP_KEYS / sizeof MAP_KEYS[0]);
const char* const FIGHT_KEYS[] = {
    "Arrows: Step one tile",
    "Z: Attack / Fireball",
    "X: Inventory / Heal",
    "V: Next weapon / Pain",
    "B: Previous weapon / Flee",
    "C: Spell bar (keys cast what follows /)",
    "Space: Wait",
};
const int FIGHT_KEY_COUNT = (int)(sizeof FIGHT_KEYS / sizeof FIGHT_KEYS[0]);
const char* const PRESS_ANY_KEY = "Press any key to continue";

// With readable text the key help stands on a panel of its own, left of the
// player so that the player stays in sight, and lists the fight keys too.
void drawKeyHelpPanel(CGame& g)
{
    std::vector<const char*> lines = {"***Keyboard***", "Arrows: Walk"};
    lines.insert(lines.end(), MAP_KEYS, MAP_KEYS + MAP_KEY_COUNT);
    lines.insert(lines.end(), {"", "***In a fight***"});
    lines.insert(lines.end(), FIGHT_KEYS, FIGHT_KEYS + FIGHT_KEY_COUNT);
    lines.insert(lines.end(), {"", PRESS_ANY_KEY});
    const int h = g.returnTextHeight();
    const int n = (int)lines.size();
    const int margin = 16, pad = 10;
    SDL_Rect panel = {(Sint16)margin, 0, (Uint16)(playerScreenX(g.SCREEN_WIDTH) - 2 * margin),
                      (Uint16)(n * h + 2 * pad)};
    panel.y = (Sint16)((SCREEN_HEIGHT - panel.h) / 2);
    SDL_FillRect(g.screen, &panel, SDL_MapRGB(g.screen->format, 200, 200, 220));
    SDL_Rect inside = {(Sint16)(panel.x + 2), (Sint16)(panel.y + 2), (Uint16)(panel.w - 4), (Uint16)(panel.h - 4)};
    SDL_FillRect(g.screen, &inside, SDL_MapRGB(g.screen->format, 0, 0, 100));
    for (int i = 0; i < n; i++)
        g.drawMapTextAt(lines[i], panel.x + pad, panel.y + pad + i * h);
}

} // namespace

void CGame::keyHelp()
{
    int h = returnTextHeight();
    bool done = false;
    while (!done) {
        if (vars.bReadableText) {
            drawKeyHelpPanel(*this);
        } else {
            centreTextAt("***Keyboard***", 100 - h);
            for (int i = 0; i < MAP_KEY_COUNT; i++)
                centreTextAt(MAP_KEYS[i], 100 + i * h);
            centreTextAt(PRESS_ANY_KEY, 100 + MAP_KEY_COUNT * h);
        }
        while (nextEvent()) {
            if (event.type == SDL_KEYDOWN || event.type == SDL_QUIT)
                done = true;
        }
        endScreenFrame();
    }
    resetFrameTimers();
}
