// death-screen.cpp -- the game-over screen shown when the player's health runs out.
#include "game.h"

void CGame::deathScreen()
{
}
