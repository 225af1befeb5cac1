// fuzz_map.cpp -- fuzzes the map.dat reader: every cell must end up a tile value from 0 to 62.
#include <cstring>
#include <memory>
#include "fuzzfile.h"
#include "Map.h"

// The full-grid check runs outside coverage: it is not code under test, and
// tracing its 122500 comparisons per run would take most of the time.
__attribute__((no_sanitize("coverage"), noinline)) static bool allTilesValid(const Map& m)
{
    for (int r = 0; r < Map::SIZE; r++)
        for (int c = 0; c < Map::SIZE; c++)
            if (m.level[r][c] < 0 || m.level[r][c] > 127 - 65)
                return false;
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::unique_ptr<Map> map(new Map());
    putFuzzInput("map.dat", data, size);
    memset(map->level, 0xff, sizeof map->level);   // -1 everywhere: every cell must be set
    map->loadMap(fuzzFolder().c_str());
    FUZZ_CHECK(allTilesValid(*map));
    return 0;
}
