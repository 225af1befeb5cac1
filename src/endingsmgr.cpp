// endingsmgr.cpp -- choosing the ending and showing its slides.
#include "game.h"

void CGame::loadAndShowEnding(std::string)
{
}
