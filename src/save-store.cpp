// save-store.cpp -- the desktop's store for saves: the save folder itself (a platform may replace this).
#include "save-store.h"

__attribute__((weak)) bool storeSavedGame(const char*)
{
    return true;
}
