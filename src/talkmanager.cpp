// talkmanager.cpp -- talking to characters, and the distance between two points.
#include <cmath>
#include "game.h"

float CGame::distance(float ax, float ay, float bx, float by)
{
    return sqrtf((bx - ax) * (bx - ax) + (by - ay) * (by - ay));
}

void CGame::startTalking()
{
}
