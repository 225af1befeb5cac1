// gameloop.cpp -- the frame loop of play: health check, exploring or fighting, frame timers, fight outcome.
#include <cstdio>
#include "fight-actions.h"
#include "game.h"
#include "saturate.h"
#include "replay.h"

namespace {

// What a level-up's rewards add: S and I raise the maximum health or mana by this much, F pays this.
const int REWARD_MAX_POINTS = 4;
const int REWARD_CASH = 1000;

// "rewardhelp": each choice with what it gives, in the player's own numbers, two lines each.
void rewardChoicesExplained(CGame& g, int y)
{
    const CharacterStats& st = g.player->stats;
    char lines[8][96];
    snprintf(lines[0], sizeof lines[0], "(S)trength up");
    snprintf(lines[1], sizeof lines[1], "  +1 damage a blow, max health %i to %i", st.hp_max,
             addPoints(st.hp_max, REWARD_MAX_POINTS));
    snprintf(lines[2], sizeof lines[2], "(D)exterity up");
    snprintf(lines[3], sizeof lines[3], "  blocks up to 1 more damage a blow");
    snprintf(lines[4], sizeof lines[4], "(I)ntelligence up");
    snprintf(lines[5], sizeof lines[5], "  +1 to every spell, max mana %i to %i", st.mp_max,
             addPoints(st.mp_max, REWARD_MAX_POINTS));
    snprintf(lines[6], sizeof lines[6], "(F)abulous Cash Prize");
    snprintf(lines[7], sizeof lines[7], "  $%i, you would have $%u", REWARD_CASH,
             (unsigned)addMoney(st.money, REWARD_CASH));
    int h = g.returnTextHeight();
    for (int i = 0; i < 8; i++)
        g.drawTextAt(lines[i], 10, y + i * h);
}

// Waits for the player's choice after a won fight. Keys are matched by
// symbol on key presses only; a window close only ends this screen.
// `fallen`, when not empty, is said above the pay: a named foe's end.
void rewardScreen(CGame& g, bool levelledUp, const std::string& fallen)
{
    int h = g.returnTextHeight();
    bool done = false;
    // The panel is painted before the first frame too, not only once an event comes.
    SDL_Rect panel = {0, 0, (Uint16)(g.vars.bRewardHelp ? 420 : 300), SCREEN_HEIGHT};
    SDL_FillRect(g.screen, &panel, SDL_MapRGB(g.screen->format, 0, 0, 100));
    while (!done) {
        if (!fallen.empty())
            g.drawTextAt(fallen.c_str(), 10, 300 - h);
        g.drawTextAt("You won the fight! Got 50 gold", 10, 300);
        if (levelledUp) {
            g.drawTextAt("Level up!", 10, 300 + h);
            g.drawTextAt("Pick a reward:", 10, 300 + 2 * h);
            if (g.vars.bRewardHelp) {
                rewardChoicesExplained(g, 300 + 3 * h);
            } else {
                g.drawTextAt("(S)trength up", 10, 300 + 3 * h);
                g.drawTextAt("(D)exterity up", 10, 300 + 4 * h);
                g.drawTextAt("(I)ntelligence up", 10, 300 + 5 * h);
                g.drawTextAt("(F)abulous Cash Prize", 10, 300 + 6 * h);
            }
        } else {
            g.drawTextAt("Press return to continue...", 10, 300 + h);
        }
        g.endScreenFrame();
        while (g.nextEvent()) {
            SDL_FillRect(g.screen, &panel, SDL_MapRGB(g.screen->format, 0, 0, 100));
            if (g.event.type == SDL_QUIT) {
                done = true;
                continue;
            }
            if (g.event.type != SDL_KEYDOWN)
                continue;
            CharacterStats& st = g.player->stats;
            SDLKey key = g.event.key.keysym.sym;
            if (!levelledUp) {
                if (key == SDLK_RETURN)
                    done = true;
            } else if (key == SDLK_s) {
                st.strength = raiseStat(st.strength);
                st.hp_max = addPoints(st.hp_max, REWARD_MAX_POINTS);
                done = true;
            } else if (key == SDLK_d) {
                st.dexterity = raiseStat(st.dexterity);
                done = true;
            } else if (key == SDLK_i) {
                st.intelligence = raiseStat(st.intelligence);
                st.mp_max = addPoints(st.mp_max, REWARD_MAX_POINTS);
                done = true;
            } else if (key == SDLK_f) {
                st.money = addMoney(st.money, REWARD_CASH);
                g.showMessage("Got $1000 reward");
                done = true;
            }
        }
    }
}

// Pays for a beaten enemy, removes it from the world and shows the reward.
// The frame is painted afresh, so the console shows once, with the last blow.
void winFight(CGame& g)
{
    g.drawMap();
    g.drawSprites();
    g.drawFightHUD();
    g.fvars.shot_x = ((g.player->x + 24) + (g.enemy->x + 24)) * 0.5f;
    g.fvars.shot_y = ((g.player->y + 24) + (g.enemy->y + 24)) * 0.5f;
    g.updateBullet();
    g.cleanUpFightVars();
    g.bPlayingGame = true;
    g.mode = 0;
    // A foe drawn with a picture set of its own, not the common cast's, is
    // somebody: with the fight details its end is said by name.
    std::string fallen;
    if (g.vars.bFightDetails && g.enemy->sprite >= SPRITE_SETS)
        fallen = fight::nameOf(g, g.enemy, true) + " falls!";
    g.actorList.remove(g.enemy);
    delete g.enemy;
    g.enemy = NULL;
    g.vars.fightMsgVec.clear();

    CharacterStats& st = g.player->stats;
    st.xp = raiseStat(st.xp);
    st.money = addMoney(st.money, 50);
    bool levelledUp = false;
    if (st.xp > 3) {
        st.xp -= 4;
        st.level = raiseStat(st.level);
        levelledUp = true;
    }
    g.playSound(SOUND_FIGHT_WON);
    rewardScreen(g, levelledUp, fallen);
}

// Back to exploring with the fight's state cleared; the enemy stays where it is.
void leaveFight(CGame& g)
{
    g.cleanUpFightVars();
    g.mode = 0;
    g.bPlayingGame = true;
    g.vars.fightMsgVec.clear();
}

// One frame of a fight: the player's turn, the player's action playing out,
// or the enemy's decision; then running away and victory.
void combatStep(CGame& g)
{
    if (!g.enemy) {
        // Nothing to fight: go back to exploring rather than follow a null enemy.
        fputs("Enemy doesn't exist! WTF\n", stderr);
        leaveFight(g);
        return;
    }
    g.drawMap();
    g.drawSprites();
    g.drawFightHUD();
    if (g.vars.bYourTurn) {
        g.fvars.bIsStillShooting = false;
        g.getFightInput();
    } else if (g.fvars.movetimer > 0 || g.fvars.bIsStillShooting) {
        // The effects advance in both HUD draws of these frames.
        g.drawMap();
        g.drawSprites();
        g.drawFightHUD();
        g.updateBullet();
        g.pollScreenshot();
        if (!g.fvars.bIsStillShooting)
            g.fvars.movetimer -= g.vars.timer_elapsed;
    } else {
        g.fightAI(g.enemy, g.player);
        g.vars.bYourTurn = true;
        g.vars.fightMsgVec.push_back("Your turn.");
        // Neither side can ever act on the other (a sea monster off a shore the
        // player cannot leave, a foe across water): the player gets away.
        if (g.enemy->stats.hp > 0 && g.fightIsDeadlocked()) {
            g.enemy->bIsBaffled = true;
            g.endFightByFlight("You got away: neither of you can reach the other");
            return;
        }
    }
    if (!g.enemy || g.mode != 1)
        return;

    if (g.distance(g.enemy->x, g.enemy->y, g.player->x, g.player->y) > 500.0f)
        g.endFightByFlight("You ran away");
    if (g.enemy->stats.hp <= 0)
        winFight(g);
}

} // namespace

void CGame::resetFrameTimers()
{
    vars.timer_delta = 0;
    vars.timer_elapsed = 0;
    vars.timer_start = (float)gameTicks();
}

void CGame::endFightByFlight(const char* message)
{
    showMessage(message);
    leaveFight(*this);
}

void CGame::gameLoop()
{
    if (!player) {
        fputs("There is no player character (\"Plyr\") in this game; nothing to play\n", stderr);
        bMustQuit = true;
        return;
    }
    bPlayingGame = true;
    bMustQuit = false;
    int framesThisSecond = 0;
    float lastCheck = 0;

    while (!bMustQuit) {
        if (player->stats.hp <= 0)
            deathScreen();
        else if (player->stats.hp > player->stats.hp_max)
            player->stats.hp = player->stats.hp_max;

        vars.frames++;
        vars.timer_start = (float)gameTicks();

        if (bPlayingGame) {
            drawMap();
            drawSprites();
            drawHud();
            getInput();
            AIManager();
        } else if (mode == 1) {
            combatStep(*this);
        }

        endScreenFrame(FrameClock::Capped);

        if ((float)gameTicks() - lastCheck >= 1000) {
            vars.fps = framesThisSecond;
            lastCheck = (float)gameTicks();
            if (framesThisSecond > vars.fps_max)
                vars.fps_max = framesThisSecond;
            if (vars.fps > 0 && vars.fps < vars.fps_min)
                vars.fps_min = vars.fps;
            framesThisSecond = 1;
        } else {
            framesThisSecond++;
        }
    }
    printf("Frames : %i\nFPS: %f\n", vars.frames, (double)((float)vars.frames / ((float)gameTicks() / 1000.0f)));
    resetFrameTimers();
}
