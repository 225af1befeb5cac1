// fight-input.cpp -- the player's actions in a fight.
#include "game.h"

void CGame::getFightInput()
{
}
