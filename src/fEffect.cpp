// fEffect.cpp -- floating combat effects, the fireball trail and the flying shot.
#include "game.h"

void CGame::updateBullet()
{
}
