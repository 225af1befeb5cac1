// player.cpp -- the Actor record's start values and its walking animation.
#include "player.h"

Actor::Actor()
    : x(0), y(0), flagId(-1), bIsHostile(false), myName("Unset Actor"), bIsWanderer(false),
      sprite(0), direction(0), walkFrame(0), frameTimer(0), bIsActive(false), bIsEnraged(false),
      wdir(0), wtimer(0), bIsBaffled(false)
{
    conversation[0] = "I'm unset";
    conversation[1] = "Still unset";
}

// One frame step per 185 ms of movement; time beyond 185 ms is dropped,
// not carried over, so a long frame still advances only one step.
void Actor::animate(float delta)
{
    frameTimer += delta;
    if (!(frameTimer > 185.0f))
        return;
    frameTimer = 0;
    walkFrame++;
    if (walkFrame > 2)
        walkFrame = 0;
}
