// sleepmgr.cpp -- sleeping in a bed next to the player.
#include "game.h"

void CGame::findSleep()
{
}
