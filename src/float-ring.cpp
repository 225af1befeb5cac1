// float-ring.cpp -- "floatring": the ring a player wearing a floater is seen in while out at sea.
#include <cmath>
#include "game.h"

namespace {

// The ring round the waist of a 48-pixel character, in pixels from its top-left corner: an
// ellipse band between the outer and the inner half-axes, in eight red and white segments.
const int RING_CX = 24, RING_CY = 31;
const float OUTER_A = 20.5f, OUTER_B = 8.5f, INNER_A = 12.5f, INNER_B = 4.5f;
// Rows of the character's picture above the water.
const int WATER_LINE = RING_CY + 3;

// One half of the ring (behind or in front of the body) for a picture with its corner at (x, y).
// The half behind is in shade. Pixels off the window are clipped by the fill.
void drawRingHalf(CGame& g, int x, int y, bool front)
{
    SDL_PixelFormat* f = g.screen->format;
    const Uint32 red = SDL_MapRGB(f, 205, 48, 36), white = SDL_MapRGB(f, 238, 236, 228);
    const Uint32 redShade = SDL_MapRGB(f, 150, 30, 24), whiteShade = SDL_MapRGB(f, 180, 178, 170);
    const float pi = 3.14159265f;
    for (int dy = -(int)OUTER_B; dy <= (int)OUTER_B; dy++) {
        if ((dy >= 0) != front)
            continue;
        for (int dx = -(int)OUTER_A; dx <= (int)OUTER_A; dx++) {
            const float ox = dx / OUTER_A, oy = dy / OUTER_B, ix = dx / INNER_A, iy = dy / INNER_B;
            if (ox * ox + oy * oy > 1.0f || ix * ix + iy * iy <= 1.0f)
                continue;
            const int segment = (int)((atan2f((float)dy * OUTER_A / OUTER_B, (float)dx) + pi) / (pi / 4)) % 8;
            const Uint32 colour = segment % 2 ? (front ? white : whiteShade) : (front ? red : redShade);
            SDL_Rect dot = {(Sint16)(x + RING_CX + dx), (Sint16)(y + RING_CY + dy), 1, 1};
            SDL_FillRect(g.screen, &dot, colour);
        }
    }
}

} // namespace

bool CGame::showsFloatRing()
{
    return vars.bFloatRing && vars.hasFloater && player && theMap->isSea(player->x + 24, player->y + 24);
}

// The back of the ring, the character down to the water line (its legs are under water), then the
// front of the ring, so that it sits in the ring.
void CGame::drawAfloat(SDL_Surface* picture, int x, int y)
{
    drawRingHalf(*this, x, y, false);
    SDL_Rect part = {0, 0, TILE_SIZE, (Uint16)WATER_LINE};
    SDL_Rect dst = {(Sint16)x, (Sint16)y, 0, 0};
    SDL_BlitSurface(picture, &part, screen, &dst);
    drawRingHalf(*this, x, y, true);
}
