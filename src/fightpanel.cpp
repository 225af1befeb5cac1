// fightpanel.cpp -- the banner that slides in when a fight starts.
#include "game.h"

void CGame::fightPanel()
{
}
