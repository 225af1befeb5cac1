// itemlist.h -- cursor, scrolling and item pictures of the nine-row item lists (inventory and shop).
#pragma once
#include <cstdio>
#include "game.h"

// The list is drawn highest index first; menuchoice is an index into it and
// scroll the number of items hidden above the top row.
inline void itemListUp(int size, int& menuchoice, int& scroll)
{
    if (menuchoice < size - 1)
        menuchoice++;
    if (scroll > 0 && scroll == size - 1 - menuchoice) {
        scroll--;
        puts("Scrolling up...");
    }
}

inline void itemListDown(int size, int& menuchoice, int& scroll)
{
    if (menuchoice > 0)
        menuchoice--;
    if ((size - 1 - menuchoice) - scroll > 8) {
        scroll++;
        puts("Scrolling down...");
    }
}

// Blits the item's picture with its top-left corner at window pixel (x, y).
// A picture number beyond the loaded pictures is reported once per item, not
// every frame, and the row is drawn without a picture.
inline void drawItemPicture(CGame& g, Item* item, int x, int y)
{
    if (item->icon < g.art.items.size()) {
        SDL_Rect at = {(Sint16)x, (Sint16)y, 0, 0};
        SDL_BlitSurface(g.art.items[item->icon], NULL, g.screen, &at);
    } else if (!item->bPictureReported) {
        item->bPictureReported = true;
        fprintf(stderr, "Invalid item %u requested\n", item->icon);
    }
}
