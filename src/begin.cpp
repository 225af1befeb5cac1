// begin.cpp -- clears the map and hands over to the main menu.
#include "game.h"

void CGame::begin()
{
    theMap->Init();
    menuLoop();
}
