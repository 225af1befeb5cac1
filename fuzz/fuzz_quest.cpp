// fuzz_quest.cpp -- fuzzes the quest (qdef) reader and checks that what it read writes back unchanged.
#include "fuzzfile.h"
#include "quest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string in = putFuzzInput("in", data, size);
    Quest a;
    if (a.serializeFrom(in.c_str()) != 0)
        abort();
    std::string out = fuzzFolder() + "/out";
    FUZZ_CHECK(a.writeTo(out.c_str()));
    Quest b;
    FUZZ_CHECK(b.serializeFrom(out.c_str()) == 0);
    FUZZ_CHECK(a.description == b.description && a.itemTarget == b.itemTarget);
    FUZZ_CHECK(a.reward == b.reward && a.bIsCompleted == b.bIsCompleted && a.flagId == b.flagId);
    return 0;
}
