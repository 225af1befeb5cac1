// input-game.cpp -- the player's side of an exploring frame: command keys, walking, activation.
#include <cstdlib>
#include "game.h"

namespace {

enum Jostle { NONE = -1, J_UP = 0, J_DOWN = 1, J_LEFT = 2, J_RIGHT = 3 };

// Whether the player may step to (tx, ty). With a floater worn, the middle of
// the leading edge of the target box lying on sea lets the player onto water.
bool canStep(CGame& g, float tx, float ty, float edgeX, float edgeY)
{
    bool mapOk = !g.mapCollision(tx, ty) || (g.vars.hasFloater && g.theMap->isSea(edgeX, edgeY));
    return mapOk && !g.playerNPCcollision(tx, ty);
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
                vars.currentTalk = "Could not save the game!";
                vars.talkTimer = TALK_TIMER;
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
        default:
            break;
        }
    }

    // The drunken penalty is per frame, not per second; a negative step walks backwards.
    float d = vars.drunkenness;
    float dt = vars.timer_delta;
    float s;
    bool reeling = false;
    if (d == 0)
        s = 250 * dt;
    else if (d > 0 && d < 2)
        s = 250 * dt - 2 * d;
    else {
        s = 250 * dt - d;
        reeling = true;
    }
    int jostle = NONE;
    if (reeling) {
        vars.drunktimer += vars.timer_elapsed;
        if (vars.drunktimer > 200) {
            jostle = rand() % 4;
            vars.drunktimer = (float)(rand() % 100);
        }
    }

    Uint8* keys = SDL_GetKeyState(NULL);
    Actor* p = player;
    bool tried = false;
    if (keys[SDLK_UP] || jostle == J_UP) {
        tried = true;
        p->direction = 0;
        if (canStep(*this, p->x, p->y - s, p->x + 24, p->y - s))
            p->y = p->y - s;
    } else if (keys[SDLK_DOWN] || jostle == J_DOWN) {
        tried = true;
        p->direction = 2;
        if (canStep(*this, p->x, p->y + s, p->x + 24, p->y + s + 47))
            p->y = p->y + s;
    }
    if (keys[SDLK_LEFT] || jostle == J_LEFT) {
        tried = true;
        p->direction = 3;
        if (canStep(*this, p->x - s, p->y, p->x - s, p->y + 24))
            p->x = p->x - s;
    } else if (keys[SDLK_RIGHT] || jostle == J_RIGHT) {
        tried = true;
        p->direction = 1;
        if (canStep(*this, p->x + s, p->y, p->x + s + 47, p->y + 24))
            p->x = p->x + s;
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
