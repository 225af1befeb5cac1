// input-game.cpp -- the player's side of an exploring frame: command keys, walking, activation.
#include <cstdlib>
#include "game.h"
#include "save-store.h"
#include "savefiles.h"

namespace {

const char* const QUIT_QUESTION = "Quit to the menu? Unsaved play is lost. (Y/N)";

enum Jostle { NONE = -1, J_UP = 0, J_DOWN = 1, J_LEFT = 2, J_RIGHT = 3 };

// Whether the player may step to (tx, ty): the map lets its box stand there
// (open sea too while a floater is worn) and no character is in the way.
bool canStep(CGame& g, float tx, float ty)
{
    return g.playerFits(tx, ty) && !g.playerNPCcollision(tx, ty);
}

// How far to the side (map pixels) the doorway assist looks for a way through: a 40-pixel box
// in a 48-pixel gap, reached from 20 pixels off its line.
const int DOOR_ASSIST_REACH = 20;

// One step of s pixels (negative: backwards) in a direction; the facing
// turns that way whether or not the step is taken. True when it was taken.
bool walk(CGame& g, int dir, float s)
{
    Actor* p = g.player;
    switch (dir) {
    case J_UP:
        p->direction = 0;
        if (!canStep(g, p->x, p->y - s))
            return false;
        p->y = p->y - s;
        return true;
    case J_DOWN:
        p->direction = 2;
        if (!canStep(g, p->x, p->y + s))
            return false;
        p->y = p->y + s;
        return true;
    case J_LEFT:
        p->direction = 3;
        if (!canStep(g, p->x - s, p->y))
            return false;
        p->x = p->x - s;
        return true;
    case J_RIGHT:
        p->direction = 1;
        if (!canStep(g, p->x + s, p->y))
            return false;
        p->x = p->x + s;
        return true;
    default:
        return false;
    }
}

// The doorway assist, for every one-tile gap (doorways, bridges, gaps between trees and walls,
// one-tile lanes): the player's step of s pixels in dir was refused. If
// the same step would be taken from a spot up to DOOR_ASSIST_REACH pixels to
// one side (the nearest such spot, either side), the player slides toward it
// by the step length, so at walking speed, and never past that spot; the slide
// itself must land where the player may stand, so it never crosses a wall.
void slideTowardOpening(CGame& g, int dir, float s)
{
    Actor* p = g.player;
    bool vertical = dir == J_UP || dir == J_DOWN;
    float ahead = (dir == J_UP || dir == J_LEFT) ? -s : s;
    for (int off = 1; off <= DOOR_ASSIST_REACH; off++) {
        for (int side : {-1, 1}) {
            float o = (float)(side * off);
            bool opens = vertical ? canStep(g, p->x + o, p->y + ahead) : canStep(g, p->x + ahead, p->y + o);
            if (!opens)
                continue;
            float slide = (float)side * (s < (float)off ? s : (float)off);
            float nx = vertical ? p->x + slide : p->x;
            float ny = vertical ? p->y : p->y + slide;
            if (canStep(g, nx, ny)) {
                p->x = nx;
                p->y = ny;
            }
            return;
        }
    }
}

} // namespace

void CGame::getInput()
{
    while (nextEvent(QuitRule::EndsGame)) {
        if (event.type == SDL_QUIT)
            continue;
        if (event.type != SDL_KEYDOWN)
            continue;
        switch (event.key.keysym.sym) {
        case SDLK_ESCAPE:
            inventoryMenu();
            break;
        case SDLK_F1:
            drawMapTextAt("Saving to disk, please wait...", 0, 0);
            SDL_Flip(screen);
            if (saveGame("save") && storeSavedGame("save")) {
                if (vars.bConfirmations)
                    showMessage("Game saved");
            } else if (vars.bConfirmations) {
                showMessage("Could not save the game: " + lastSaveFailure());
            } else {
                showMessage("Could not save the game!");
            }
            break;
        case SDLK_F2:
            if (!vars.bConfirmations || askYesNo(QUIT_QUESTION, QuitRule::EndsGame)) {
                bPleaseLoadGame = true;
                bMustQuit = true;
            }
            break;
        case SDLK_F3:
            saveScreenshot("sshot.bmp");
            break;
        case SDLK_RETURN:
            if (!readSignpost())
                startTalking();
            break;
        case SDLK_r:
            findSleep();
            break;
        case SDLK_SPACE:
        case SDLK_g:
            pickupObjects();
            break;
        case SDLK_h:
            keyHelp();
            break;
        case SDLK_j:
            journalScreen();
            break;
        default:
            break;
        }
    }

    // Walking speed in pixels per second. Drink slows the player by 120 px/s a
    // level below two levels and by 60 px/s a level from two on; far gone, the
    // speed turns negative and the keys walk the player backwards.
    float d = vars.drunkenness;
    float speed;
    bool reeling = false;
    if (d == 0)
        speed = 250;
    else if (d > 0 && d < 2)
        speed = 250 - 120 * d;
    else {
        speed = 250 - 60 * d;
        reeling = true;
    }
    const float s = speed * vars.timer_delta;
    // A reeling player stumbles every 100 to 200 ms; the time past the moment
    // of a stumble is kept, so stumbles come as often at any frame rate.
    int jostle = NONE;
    if (reeling) {
        vars.drunktimer += vars.timer_elapsed;
        if (vars.drunktimer > 200) {
            jostle = rand() % 4;
            vars.drunktimer = vars.drunktimer - 200 + (float)(rand() % 100);
        }
    }

    Uint8* keys = SDL_GetKeyState(NULL);
    Actor* p = player;
    int along = keys[SDLK_UP] ? J_UP : keys[SDLK_DOWN] ? J_DOWN : NONE;
    int across = keys[SDLK_LEFT] ? J_LEFT : keys[SDLK_RIGHT] ? J_RIGHT : NONE;
    bool tried = along != NONE || across != NONE;
    bool moved = along != NONE && walk(*this, along, s);
    if (across != NONE)
        moved = walk(*this, across, s);
    // Only a player walking straight on, not one steering on both axes.
    if (vars.bDoorAssist && !moved && (along == NONE) != (across == NONE) && s > 0)
        slideTowardOpening(*this, along != NONE ? along : across, s);
    // A stumble is one extra step of the length a 60th of a second of walking
    // covers, on top of whatever the keys do, so it is the same at any frame rate.
    if (jostle != NONE) {
        int facing = p->direction;
        walk(*this, jostle, speed / 60);
        if (tried)
            p->direction = facing;
        tried = true;
    }
    if (tried)
        p->animate(vars.timer_elapsed);
    else
        p->walkFrame = 0;

    for (Actor* a : actorList)
        if (a != player)
            a->bIsActive = distance(a->x, a->y, player->x, player->y) < 500;
}

void CGame::pollScreenshot()
{
    while (nextEvent()) {
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_F3)
            saveScreenshot("sshot.bmp");
    }
}
