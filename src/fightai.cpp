// fightai.cpp -- the enemy's turn in a fight.
#include "game.h"

void CGame::fightAI(Actor*, Actor*)
{
}
