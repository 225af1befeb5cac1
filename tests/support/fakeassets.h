// fakeassets.h -- builds a small, complete or deliberately damaged data/assets tree for tests.
#pragma once
#include <string>

namespace qtest {

struct FakeAssets
{
    int items = 3;             // item pictures 0..items-1
    int tiles = 47;            // tile pictures 0..tiles-1
    int sounds = 14;           // sounds 0..sounds-1
    int spriteSets = 9;        // sprite sets 0..spriteSets-1
    int skipSprite = -1;       // set*12 + direction*3 + frame of a sprite to leave out
    int skipIcon = -1;         // icon number to leave out
    bool font = true;
};

// Writes the tree under dir + "/data/assets". Pictures are 48x48 BMP files
// under .png names (the picture loader reads them by content).
void writeFakeAssets(const std::string& dir, const FakeAssets& fake);

} // namespace qtest
