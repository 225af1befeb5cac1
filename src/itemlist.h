// itemlist.h -- cursor and scrolling of the nine-row item lists (inventory and shop).
#pragma once
#include <cstdio>

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
