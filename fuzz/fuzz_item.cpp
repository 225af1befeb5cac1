// fuzz_item.cpp -- fuzzes the item (idef) reader and checks that what it read writes back unchanged.
#include "fuzzfile.h"
#include "item.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string in = putFuzzInput("in", data, size);
    Item a;
    if (a.serializeFrom(in.c_str()) != 0)
        abort();
    std::string out = fuzzFolder() + "/out";
    FUZZ_CHECK(a.writeTo(out.c_str()));
    Item b;
    FUZZ_CHECK(b.serializeFrom(out.c_str()) == 0);
    FUZZ_CHECK(a.type == b.type && a.maxEffect == b.maxEffect && a.price == b.price);
    FUZZ_CHECK(a.owner == b.owner && a.x == b.x && a.y == b.y && a.bIsEquipped == b.bIsEquipped);
    FUZZ_CHECK(a.itemName == b.itemName && a.itemDescript == b.itemDescript && a.shortName == b.shortName);
    FUZZ_CHECK(a.icon == b.icon && a.range == b.range);
    return 0;
}
