// itemlist.h -- cursor, scrolling and rows of the nine-row item lists (inventory and shop).
#pragma once
#include <cstdio>
#include <string>
#include "game.h"

// Layout of the lists, in window pixels: rows start one text line down and
// are ITEM_ROW_STEP apart; the picture sits at the row's left, the two lines
// of text beside it; "..." at the right edge marks items above or below.
const int ITEM_LIST_ROWS = 9;
const int ITEM_ROW_LEFT = 15;
const int ITEM_ROW_TEXT = ITEM_ROW_LEFT + TILE_SIZE;
const int ITEM_ROW_WIDTH = 600;
const int ITEM_ROW_STEP = 49;
const int ITEM_ROW_BAR = 50;     // height of the cursor's bar
const int ITEM_LIST_MORE_BELOW = 450;

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
    if ((size - 1 - menuchoice) - scroll > ITEM_LIST_ROWS - 1) {
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

// Draws the rows of a list, highest index at the top, with the cursor's bar
// under the chosen one and the "..." markers. detail(item) gives the line
// under the name and name(index) the name line; markWorn writes "Equip" over the picture of a worn item.
template <class Detail, class Name>
void drawItemList(CGame& g, const std::vector<Item*>& items, int menuchoice, int scroll, bool markWorn,
                  Detail detail, Name name)
{
    const int h = g.returnTextHeight();
    const int top = (int)items.size() - 1 - scroll;
    for (int r = 0; r < ITEM_LIST_ROWS && top - r >= 0; r++) {
        Item* item = items[top - r];
        const int y = h + ITEM_ROW_STEP * r;
        if (top - r == menuchoice) {
            SDL_Rect bar = {ITEM_ROW_LEFT, (Sint16)y, ITEM_ROW_WIDTH, ITEM_ROW_BAR};
            SDL_FillRect(g.screen, &bar, SDL_MapRGB(g.screen->format, 100, 0, 0));
        }
        drawItemPicture(g, item, ITEM_ROW_LEFT, y);
        const std::string title = name(top - r);
        g.drawTextAt(title.c_str(), ITEM_ROW_TEXT, y);
        const std::string line = detail(item);
        g.drawTextAt(line.c_str(), ITEM_ROW_TEXT, y + h);
        if (markWorn && item->bIsEquipped)
            g.drawTextAt("Equip", ITEM_ROW_LEFT, y + h);
    }
    if (scroll > 0)
        g.drawTextAt("...", ITEM_ROW_WIDTH, h);
    if (top > ITEM_LIST_ROWS - 1)
        g.drawTextAt("...", ITEM_ROW_WIDTH, ITEM_LIST_MORE_BELOW);
}

// Rows titled by the items' names.
template <class Detail>
void drawItemList(CGame& g, const std::vector<Item*>& items, int menuchoice, int scroll, bool markWorn,
                  Detail detail)
{
    drawItemList(g, items, menuchoice, scroll, markWorn, detail,
                 [&items](int i) { return items[i]->itemName; });
}
