// fight-spells.cpp -- the four spells of the fight's spell bar: fireball, heal, pain and flee.
#include "fight-actions.h"

namespace fight {

// Costs 5 mana and the turn however it ends, once the mana is there. The
// trail shows for one second (movetimer) before the enemy acts.
void castFireball(CGame& g)
{
    CharacterStats& me = g.player->stats;
    if (me.mp < FIREBALL_MANA) {
        say(g, "Not enough mana to cast fireball (need 5)");
        return;
    }
    me.mp -= FIREBALL_MANA;
    g.vars.bYourTurn = false;
    g.effectAlongLine(g.player->x, g.player->y, g.enemy->x, g.enemy->y, 1);
    g.fvars.movetimer = 1000;
    if (tilesApart(g) >= FIREBALL_REACH) {
        say(g, "Couldn't hit enemy, too far away");
        return;
    }
    g.playSound(SOUND_FIREBALL);
    if (!g.enemy->canSee(g.player->x, g.player->y, g.theMap)) {
        say(g, "Couldn't hit enemy, wall in the way");
        return;
    }
    long long damage = roll(10) + me.intelligence;
    hurt(g.enemy, damage);
    showAmount(g, g.enemy, damage, ICON_HIT);
    say(g, detailed(g) ? "Your fireball hits " + nameOf(g, g.enemy, false) + " for " + std::to_string(damage)
                       : format("Hit for %lld damage", damage));
    g.playSound(SOUND_BLOW);
}

// The effect and the message show the amount rolled, even where the cap at
// hp_max restored less.
void castHeal(CGame& g)
{
    CharacterStats& me = g.player->stats;
    if (me.mp < 10) {
        say(g, "Not enough mana to cast heal (need 10)");
        return;
    }
    g.playSound(SOUND_HEAL);
    me.mp -= 10;
    long long amount = roll(10) + me.intelligence;
    const int before = me.hp;
    hurt(g.player, -amount);
    if (me.hp > me.hp_max)
        me.hp = me.hp_max;
    showAmount(g, g.player, amount, ICON_HEAL_MARK);
    // With details the line tells what the cap let through.
    if (detailed(g))
        say(g, "You cast heal: +" + std::to_string(me.hp > before ? (long long)me.hp - before : 0) + " health");
    else
        say(g, format("Healed %lld health", amount));
    g.vars.bYourTurn = false;
}

// Passes through walls but reaches only 3 tiles; out of reach it costs
// nothing, whatever the mana. Four times in six it misses.
void castPain(CGame& g)
{
    CharacterStats& me = g.player->stats;
    if (tilesApart(g) >= PAIN_REACH) {
        say(g, "Too far away to cast Pain");
        return;
    }
    if (me.mp < PAIN_MANA) {
        say(g, "Not enough MP to cast Pain, need 15");
        return;
    }
    g.playSound(SOUND_PAIN);
    me.mp -= PAIN_MANA;
    g.vars.bYourTurn = false;
    if (rand() % 6 < 4) {
        showMiss(g, g.enemy);
        say(g, detailed(g) ? "Your pain spell misses " + nameOf(g, g.enemy, false) : "Missed!");
        return;
    }
    long long damage = roll(30) + me.intelligence;
    hurt(g.enemy, damage);
    showAmount(g, g.enemy, damage, ICON_HIT);
    say(g, detailed(g) ? "Your pain spell hits " + nameOf(g, g.enemy, false) + " for " + std::to_string(damage)
                       : format("Radiated pain for %lld damage!", damage));
}

// One chance in eight. Success drops the player at map position (48, 48),
// the game's fixed refuge, and goes back to exploring without cleaning up
// the fight: mode, console and effects stay as they are. Deliberate, keep
// it. Flee never hands over the turn.
void castFlee(CGame& g)
{
    CharacterStats& me = g.player->stats;
    if (me.mp < 15) {
        say(g, "Not enough mana to cast flee, need 15");
        return;
    }
    g.playSound(SOUND_FLEE);
    me.mp -= 15;
    if (rand() % 8 > 6) {
        g.bPlayingGame = true;
        g.player->x = TILE_SIZE;
        g.player->y = TILE_SIZE;
        return;
    }
    say(g, "Failure. Could not escape!");
}

} // namespace fight
