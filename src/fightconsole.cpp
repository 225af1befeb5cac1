// fightconsole.cpp -- the combat overlay: weapon list, action or spell bar, health and mana, console.
#include <cstdio>
#include "game.h"

namespace {

void blitIcon(CGame& g, int icon, int x, int y)
{
    if (icon < 0 || icon >= ICON_COUNT || !g.art.icons[icon])
        return;
    SDL_Rect dst = {(Sint16)x, (Sint16)y, 0, 0};
    SDL_BlitSurface(g.art.icons[icon], NULL, g.screen, &dst);
}

// The part of a 120-pixel bar that value / maximum fills, held to 0..120
// (a negative value, or a maximum of 0, would otherwise be unbounded).
int barWidth(int value, int maximum)
{
    float w = (float)value / (float)maximum * 120;
    if (!(w > 0))
        return 0;
    if (w > 120)
        return 120;
    return (int)w;
}

// A black 120x16 slot at (x, y), then the left part of the strip icon.
void drawBar(CGame& g, int icon, int x, int y, int value, int maximum)
{
    SDL_Rect slot = {(Sint16)x, (Sint16)y, 120, 16};
    SDL_FillRect(g.screen, &slot, SDL_MapRGB(g.screen->format, 0, 0, 0));
    SDL_Surface* strip = g.art.icons[icon];
    int w = barWidth(value, maximum);
    if (!strip || w == 0)
        return;
    SDL_Rect part = {0, 0, (Uint16)w, 16};
    SDL_Rect dst = {(Sint16)x, (Sint16)y, 0, 0};
    SDL_BlitSurface(strip, &part, g.screen, &dst);
}

// The last weapon on the top row, the first at the bottom; the pointer marks
// the weapon in hand. Damage shown is the weapon's maximum plus strength.
void drawWeaponList(CGame& g)
{
    const int h = g.returnTextHeight();
    const std::vector<Item*>& weapons = g.fvars.weapons;
    g.drawMapTextAt("Weapons:", 10, 2);
    const int n = (int)weapons.size();
    for (int i = n - 1; i >= 0; i--) {
        const Item* w = weapons[i];
        if (!w)
            continue;
        const int row = n - 1 - i;
        const int y = 20 + row * h;
        if (y > SCREEN_HEIGHT)
            break;
        char line[160];
        snprintf(line, sizeof line, "%s %lld max dmg %c", w->itemName.c_str(),
                 (long long)w->maxEffect + g.player->stats.strength, w->type == ITEM_RANGED ? 'R' : 'M');
        g.drawMapTextAt(line, 20, y);
        if (i == g.fvars.selectedWeapon)
            blitIcon(g, ICON_POINTER, 0, y);
    }
}

// "Health 34/50" ending 6 pixels left of x, centred on the 16-pixel row at y.
// Health below 0 shows as 0.
void drawFigures(CGame& g, const char* label, int value, int maximum, int x, int y)
{
    char text[96];
    snprintf(text, sizeof text, "%s %i/%i", label, value < 0 ? 0 : value, maximum);
    g.drawMapTextAt(text, x - 6 - textWidthOf(g.font, text), y + (16 - g.returnTextHeight()) / 2);
}

// The enemy's name, and its health as a bar with figures, at the top right.
void drawFoe(CGame& g)
{
    const Actor* foe = g.enemy;
    const int h = g.returnTextHeight();
    const int x = g.SCREEN_WIDTH - 124;
    const std::string& name = foe->myName;
    g.drawMapTextAt(name.c_str(), g.SCREEN_WIDTH - 4 - textWidthOf(g.font, name), 4);
    drawBar(g, ICON_HEALTH_BAR, x, 8 + h, foe->stats.hp, foe->stats.hp_max);
    drawFigures(g, "Health", foe->stats.hp, foe->stats.hp_max, x, 8 + h);
}

} // namespace

// Drawn after the map and the characters in every combat frame. The weapon
// list, the bar and the gauges show only on the player's turn; the effects
// stand still while a shot flies at a living enemy.
void CGame::drawFightHUD()
{
    if (vars.bYourTurn) {
        drawWeaponList(*this);
        const int first = fvars.bMenuOpen ? ICON_SPELL_FIREBALL : ICON_FIGHT_ATTACK;
        const int left = (SCREEN_WIDTH - 240) / 2;
        for (int k = 0; k < 5; k++)
            blitIcon(*this, first + k, left + TILE_SIZE * k, 10);
        const int x = SCREEN_WIDTH - 120;
        drawBar(*this, ICON_HEALTH_BAR, x, 568, player->stats.hp, player->stats.hp_max);
        drawBar(*this, ICON_MANA_BAR, x, 584, player->stats.mp, player->stats.mp_max);
        if (vars.bFightDetails) {
            drawFigures(*this, "Health", player->stats.hp, player->stats.hp_max, x, 568);
            drawFigures(*this, "Mana", player->stats.mp, player->stats.mp_max, x, 584);
        }
    }
    // With details the foe's health shows in every frame, its own turn's too.
    if (vars.bFightDetails && enemy)
        drawFoe(*this);
    if (!fvars.bIsStillShooting || (enemy && enemy->stats.hp < 1))
        drawFightEffects();
    drawFightConsole();
}

// The newest five console lines, the newest at the bottom (y 540). Older
// lines stay in fightMsgVec until the fight ends.
void CGame::drawFightConsole()
{
    const int h = returnTextHeight();
    const int n = (int)vars.fightMsgVec.size();
    for (int k = 0; k < 5 && k < n; k++)
        drawMapTextAt(vars.fightMsgVec[n - 1 - k].c_str(), 10, 540 - k * h);
}
