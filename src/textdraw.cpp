// textdraw.cpp -- one line of white text in the game's font, placed, centred or faded.
#include "game.h"

static const SDL_Color WHITE = {255, 255, 255, 0};

void CGame::drawTextAt(const char* text, int x, int y)
{
    SDL_Surface* line = TTF_RenderText_Solid(font, text, WHITE);
    if (!line)
        return;
    SDL_Rect dst = {(Sint16)x, (Sint16)y, 0, 0};
    SDL_BlitSurface(line, NULL, screen, &dst);
    SDL_FreeSurface(line);
}

void CGame::drawAlphaTextAt(const char* text, int x, int y, int alpha)
{
    SDL_Surface* line = TTF_RenderText_Solid(font, text, WHITE);
    if (!line)
        return;
    SDL_SetAlpha(line, SDL_SRCALPHA, (Uint8)alpha);
    SDL_Surface* converted = SDL_DisplayFormat(line);
    SDL_FreeSurface(line);
    if (!converted)
        return;
    SDL_Rect dst = {(Sint16)x, (Sint16)y, 0, 0};
    SDL_BlitSurface(converted, NULL, screen, &dst);
    SDL_FreeSurface(converted);
}

void CGame::centreTextAt(const char* text, int y)
{
    SDL_Surface* line = TTF_RenderText_Solid(font, text, WHITE);
    if (!line)
        return;
    SDL_Rect dst = {(Sint16)((SCREEN_WIDTH - line->w) / 2), (Sint16)y, 0, 0};
    SDL_BlitSurface(line, NULL, screen, &dst);
    SDL_FreeSurface(line);
}

void CGame::centreAlphaTextAt(const char* text, int y, int alpha)
{
    SDL_Surface* line = TTF_RenderText_Solid(font, text, WHITE);
    if (!line)
        return;
    SDL_SetAlpha(line, SDL_SRCALPHA, (Uint8)alpha);
    SDL_Rect dst = {(Sint16)((SCREEN_WIDTH - line->w) / 2), (Sint16)y, 0, 0};
    SDL_BlitSurface(line, NULL, screen, &dst);
    SDL_FreeSurface(line);
}

// Height of one line of text, measured once per game object. Every screen
// stacks its lines with it, so it never answers 0.
int CGame::returnTextHeight()
{
    if (textHeight == 0) {
        SDL_Color black = {0, 0, 0, 0};
        SDL_Surface* probe = font ? TTF_RenderText_Solid(font, "x", black) : NULL;
        if (probe && probe->h > 0) {
            textHeight = probe->h;
        } else {
            int skip = font ? TTF_FontLineSkip(font) : 0;
            textHeight = skip > 0 ? skip : 16;
            fprintf(stderr, "Could not measure the font; using a line height of %i\n", textHeight);
        }
        if (probe)
            SDL_FreeSurface(probe);
    }
    return textHeight;
}
