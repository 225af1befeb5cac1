// fuzz_vars.cpp -- fuzzes the vars.sav reader, short files included, and checks that it writes back unchanged.
#include "fuzzfile.h"
#include "vars.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string in = putFuzzInput("in", data, size);
    // As a game object does before it loads: a file cut short keeps this endings folder.
    MiscVars a;
    a.dir = "data";
    if (a.serializeFrom(in.c_str()) != 0)
        abort();
    std::string out = fuzzFolder() + "/out";
    FUZZ_CHECK(a.writeTo(out.c_str()));
    MiscVars b;
    b.dir = "data";
    FUZZ_CHECK(b.serializeFrom(out.c_str()) == 0);
    FUZZ_CHECK(a.gameName == b.gameName && a.menuScreen == b.menuScreen && a.frames == b.frames);
    FUZZ_CHECK(a.drunkenness == b.drunkenness && a.hasFloater == b.hasFloater && a.dir == b.dir);
    for (int i = 0; i < FLAG_COUNT; i++)
        FUZZ_CHECK(a.flags[i] == b.flags[i]);
    return 0;
}
