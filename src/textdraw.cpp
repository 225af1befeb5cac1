// textdraw.cpp -- one line of white text in the game's font, placed, centred or faded.
#include "game.h"

// Every line is drawn solid, one bit a pixel: hinting made for smooth grey
// edges leaves uneven gaps inside words at 14 points ("Ga me"), while the
// hinting for one-bit drawing spaces the letters evenly.
TTF_Font* openGameFont(const char* path)
{
    TTF_Font* font = TTF_OpenFont(path, 14);
    if (!font)
        return NULL;
    TTF_SetFontKerning(font, 1);
    TTF_SetFontHinting(font, TTF_HINTING_MONO);
    return font;
}

// Lines come from the game's surface cache: a line shown every frame is
// rendered once. A cached line is never freed here, and any alpha set on it
// for one blit is taken off again, so the next blit of it draws as a freshly
// rendered line would.

void CGame::drawTextAt(const char* text, int x, int y)
{
    SDL_Surface* line = surfaces.line(font, text);
    if (!line)
        return;
    SDL_Rect dst = {(Sint16)x, (Sint16)y, 0, 0};
    SDL_BlitSurface(line, NULL, screen, &dst);
}

void CGame::drawAlphaTextAt(const char* text, int x, int y, int alpha)
{
    SDL_Surface* line = surfaces.line(font, text);
    if (!line)
        return;
    SDL_SetAlpha(line, SDL_SRCALPHA, (Uint8)alpha);
    SDL_Surface* converted = SDL_DisplayFormat(line);
    SDL_SetAlpha(line, 0, SDL_ALPHA_OPAQUE);
    if (!converted)
        return;
    SDL_Rect dst = {(Sint16)x, (Sint16)y, 0, 0};
    SDL_BlitSurface(converted, NULL, screen, &dst);
    SDL_FreeSurface(converted);
}

void CGame::centreTextAt(const char* text, int y)
{
    SDL_Surface* line = surfaces.line(font, text);
    if (!line)
        return;
    SDL_Rect dst = {(Sint16)((SCREEN_WIDTH - line->w) / 2), (Sint16)y, 0, 0};
    SDL_BlitSurface(line, NULL, screen, &dst);
}

// At full opacity the line is blitted as a solid one: the same pixels, and the
// SDL 1.2 layer over SDL 2 draws nothing for a colour-keyed line given an
// alpha of 255 (the message line's first frame).
void CGame::centreAlphaTextAt(const char* text, int y, int alpha)
{
    if (alpha == SDL_ALPHA_OPAQUE) {
        centreTextAt(text, y);
        return;
    }
    SDL_Surface* line = surfaces.line(font, text);
    if (!line)
        return;
    SDL_SetAlpha(line, SDL_SRCALPHA, (Uint8)alpha);
    SDL_Rect dst = {(Sint16)((SCREEN_WIDTH - line->w) / 2), (Sint16)y, 0, 0};
    SDL_BlitSurface(line, NULL, screen, &dst);
    SDL_SetAlpha(line, 0, SDL_ALPHA_OPAQUE);
}

int textWidthOf(TTF_Font* font, const std::string& text)
{
    int w = 0, h = 0;
    if (font && TTF_SizeText(font, text.c_str(), &w, &h) == 0)
        return w;
    return (int)text.size() * 8;
}

// Readable text is the plain line over its dark ring: the line's own pixels
// and placing, as the plain drawing has them.
void CGame::drawMapTextAt(const char* text, int x, int y)
{
    if (vars.bReadableText) {
        if (SDL_Surface* ring = surfaces.ring(font, text)) {
            SDL_Rect dst = {(Sint16)(x - 1), (Sint16)(y - 1), 0, 0};
            SDL_BlitSurface(ring, NULL, screen, &dst);
        }
    }
    drawTextAt(text, x, y);
}

// The ring fades with the line, and is likewise blitted solid at full opacity.
void CGame::centreMapTextAt(const char* text, int y, int alpha)
{
    SDL_Surface* ring = vars.bReadableText ? surfaces.ring(font, text) : NULL;
    if (ring) {
        SDL_Rect dst = {(Sint16)((SCREEN_WIDTH - (ring->w - 2)) / 2 - 1), (Sint16)(y - 1), 0, 0};
        if (alpha != SDL_ALPHA_OPAQUE)
            SDL_SetAlpha(ring, SDL_SRCALPHA, (Uint8)alpha);
        SDL_BlitSurface(ring, NULL, screen, &dst);
        SDL_SetAlpha(ring, 0, SDL_ALPHA_OPAQUE);
    }
    centreAlphaTextAt(text, y, alpha);
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
