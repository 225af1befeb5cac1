// fightconsole.cpp -- the combat overlay: weapon list, action bars, health and mana, console.
#include "game.h"

void CGame::drawFightHUD()
{
}
