// camera.cpp -- where a map point appears in the window, with the camera on the player.
#include "game.h"

// Done in double so that a wild position from a data file cannot overflow.
double CGame::screenXOf(float mapX) const
{
    return (double)playerScreenX(SCREEN_WIDTH) - truncToInt(player->x - mapX);
}

double CGame::screenYOf(float mapY) const
{
    return (double)PLAYER_SCREEN_Y - truncToInt(player->y - mapY);
}
