// fight-input.cpp -- the player's turn in a fight: keys, moving, switching weapons and attacking.
#include <cstdio>
#include <cstdlib>
#include "fight-actions.h"
#include "replay.h"

using namespace fight;

namespace {

// The weapon in hand, or null when fighting bare-handed.
Item* weaponInHand(CGame& g)
{
    const std::vector<Item*>& w = g.fvars.weapons;
    if (g.fvars.selectedWeapon < 0 || g.fvars.selectedWeapon >= (int)w.size())
        return NULL;
    return w[g.fvars.selectedWeapon];
}

// One tile in a direction (0 up, 1 right, 2 down, 3 left), onto ground the
// player could walk on, or sea with the floater worn. A blocked step costs
// nothing and says nothing.
void step(CGame& g, int dx, int dy, int facing)
{
    Actor* p = g.player;
    if (!g.fighterMayStand(p, p->x + (float)dx, p->y + (float)dy))
        return;
    if (g.combatCollide(p, g.enemy, dx, dy))
        return;
    g.vars.bYourTurn = false;
    p->x += dx;
    p->y += dy;
    p->direction = facing;
}

// Rolls in this order: the attack, then the defence, then the critical.
// The damage is dealt at once; the shot that flies afterwards is only shown.
void rangedAttack(CGame& g, const Item* w)
{
    if (tilesApart(g) >= w->range) {
        say(g, format("Too far away, max range of this weapon is %lld", w->range));
        return;
    }
    g.playSound(SOUND_SHOT);
    if (!g.enemy->canSee(g.player->x, g.player->y, g.theMap)) {
        say(g, "Missed shot, obstacle in the way!");
    } else {
        long long attack = roll(w->maxEffect) + g.player->stats.strength;
        long long defence = roll(g.enemy->stats.dexterity);
        long long damage = attack - defence;
        if (damage < 0)
            damage = 0;
        const bool d = detailed(g);
        if (damage < defence) {
            showMiss(g, g.enemy);
            say(g, d ? blowLine(g, g.player, g.enemy, 0, false) : "Missed!");
        } else if (rand() % 20 == 1) {
            hurt(g.enemy, 2 * damage);
            showAmount(g, g.enemy, 2 * damage, ICON_HIT);
            say(g, d ? "Critical hit! " + blowLine(g, g.player, g.enemy, 2 * damage, true)
                     : format("CRITICAL HIT! Hit for %lld damage", 2 * damage));
        } else {
            hurt(g.enemy, damage);
            showAmount(g, g.enemy, damage, ICON_HIT);
            say(g, d ? blowLine(g, g.player, g.enemy, damage, true) : format("Hit for %lld damage", damage));
        }
    }
    g.fvars.bIsStillShooting = true;
    g.fvars.shot_x = g.player->x + 24;
    g.fvars.shot_y = g.player->y + 24;
    g.vars.bYourTurn = false;
}

// Reaches the eight neighbouring tiles. Drink widens a weapon's damage
// range; fists always roll in a range of 1, so they hit for the strength.
void meleeAttack(CGame& g, const Item* w)
{
    const bool d = detailed(g);
    if (tilesApart(g) > 1) {
        say(g, (d ? nameOf(g, g.enemy, true) : "The enemy") + " is out of reach: step next to it to strike");
        return;
    }
    // With details the blow's own line says it all; the weapon is marked in the list.
    long long range = 1;
    if (w) {
        if (!d)
            say(g, "Attacking with " + w->itemName);
        range = meleeRange(g, w);
    } else if (!d) {
        say(g, "Attacking with fists");
    }
    long long attack = roll(range) + g.player->stats.strength;
    long long defence = roll(g.enemy->stats.dexterity);
    if (attack < defence) {
        showMiss(g, g.enemy);
        say(g, d ? blowLine(g, g.player, g.enemy, 0, false) : "Missed!");
    } else {
        long long damage = attack - defence;
        hurt(g.enemy, damage);
        if (!w)
            g.playSound(SOUND_BLOW);
        showAmount(g, g.enemy, damage, ICON_HIT);
        say(g, d ? blowLine(g, g.player, g.enemy, damage, true) : format("Hit for %lld damage", damage));
    }
    g.vars.bYourTurn = false;
}

void attack(CGame& g)
{
    Item* w = weaponInHand(g);
    if (w && w->type == ITEM_RANGED)
        rangedAttack(g, w);
    else
        meleeAttack(g, w);
}

// V is "next" and B "previous" in list order. The list is drawn last weapon first, so next
// is one row up on screen; with "keepweapon" the keys follow the screen instead (V down, B up)
// and the weapon in hand is remembered for the next fight.
void switchWeapon(CGame& g, int by)
{
    if (g.vars.bKeepWeapon)
        by = -by;
    int next = g.fvars.selectedWeapon + by;
    if (next < 0 || next >= (int)g.fvars.weapons.size())
        return;
    g.fvars.selectedWeapon = next;
    if (g.vars.bKeepWeapon)
        g.keepWeaponInHand();
    say(g, "Switched weapons.");
}

void onKey(CGame& g, SDLKey key)
{
    const bool spells = g.fvars.bMenuOpen;
    switch (key) {
    case SDLK_UP:
        step(g, 0, -TILE_SIZE, FACE_UP);
        break;
    case SDLK_DOWN:
        step(g, 0, TILE_SIZE, FACE_DOWN);
        break;
    case SDLK_LEFT:
        step(g, -TILE_SIZE, 0, FACE_LEFT);
        break;
    case SDLK_RIGHT:
        step(g, TILE_SIZE, 0, FACE_RIGHT);
        break;
    case SDLK_z:
        if (spells)
            castFireball(g);
        else
            attack(g);
        break;
    case SDLK_x:
        if (spells) {
            castHeal(g);
        } else {
            // Whatever the player does in the inventory, it takes the turn.
            g.inventoryMenu();
            g.vars.bYourTurn = false;
        }
        break;
    case SDLK_v:
        if (spells)
            castPain(g);
        else
            switchWeapon(g, +1);
        break;
    case SDLK_b:
        if (spells)
            castFlee(g);
        else
            switchWeapon(g, -1);
        break;
    case SDLK_c:
        g.fvars.bMenuOpen = !g.fvars.bMenuOpen;
        break;
    case SDLK_SPACE:
        say(g, "Waited...");
        g.vars.bYourTurn = false;
        break;
    case SDLK_F3:
        g.saveScreenshot("sshot.bmp");
        break;
    default:
        break;
    }
}

} // namespace

// Empties the event queue and carries out every key press in it, also those
// that come after the turn has been handed over. Closing the window here
// ends the program at once, without saving; a recording is closed first, and
// a replay that stopped matching the game ends it with a failure, as the
// entry would.
void CGame::getFightInput()
{
    while (nextEvent()) {
        if (event.type == SDL_QUIT)
            exit(finishReplay() ? 0 : 1);
        if (event.type == SDL_KEYDOWN && enemy)
            onKey(*this, event.key.keysym.sym);
    }
    if (!vars.bYourTurn)
        vars.fightMsgVec.push_back("Enemy's move.");
}
