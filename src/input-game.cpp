// input-game.cpp -- the player's side of an exploring frame: command keys, walking, activation.
#include <cstdlib>
#include "game.h"

namespace {

enum Jostle { NONE = -1, J_UP = 0, J_DOWN = 1, J_LEFT = 2, J_RIGHT = 3 };

// Whether the player may step to (tx, ty): the map lets its box stand there
// (open sea too while a floater is worn) and no character is in the way.
bool canStep(CGame& g, float tx, float ty)
{
    return g.playerFits(tx, ty) && !g.playerNPCcollision(tx, ty);
}

// One step of s pixels (negative: backwards) in a direction; the facing
// turns that way whether or not the step is taken.
void walk(CGame& g, int dir, float s)
{
    Actor* p = g.player;
    switch (dir) {
    case J_UP:
        p->direction = 0;
        if (canStep(g, p->x, p->y - s))
            p->y = p->y - s;
        break;
    case J_DOWN:
        p->direction = 2;
        if (canStep(g, p->x, p->y + s))
            p->y = p->y + s;
        break;
    case J_LEFT:
        p->direction = 3;
        if (canStep(g, p->x - s, p->y))
            p->x = p->x - s;
        break;
    case J_RIGHT:
        p->direction = 1;
        if (canStep(g, p->x + s, p->y))
            p->x = p->x + s;
        break;
    default:
        break;
    }
}

} // namespace

void CGame::getInput()
{
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            bMustQuit = true;
            continue;
        }
        if (event.type != SDL_KEYDOWN)
            continue;
        switch (event.key.keysym.sym) {
        case SDLK_ESCAPE:
            inventoryMenu();
            break;
        case SDLK_F1:
            drawTextAt("Saving to disk, please wait...", 0, 0);
            SDL_Flip(screen);
            if (!saveGame("save")) {
                showMessage("Could not save the game!");
            }
            break;
        case SDLK_F2:
            bPleaseLoadGame = true;
            bMustQuit = true;
            break;
        case SDLK_F3:
            saveScreenshot("sshot.bmp");
            break;
        case SDLK_RETURN:
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
    bool tried = false;
    if (keys[SDLK_UP]) {
        tried = true;
        walk(*this, J_UP, s);
    } else if (keys[SDLK_DOWN]) {
        tried = true;
        walk(*this, J_DOWN, s);
    }
    if (keys[SDLK_LEFT]) {
        tried = true;
        walk(*this, J_LEFT, s);
    } else if (keys[SDLK_RIGHT]) {
        tried = true;
        walk(*this, J_RIGHT, s);
    }
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
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_F3)
            saveScreenshot("sshot.bmp");
    }
}
