// fuzz_character.cpp -- fuzzes the character (npcdef) reader and checks that what it read writes back unchanged.
#include "fuzzfile.h"
#include "player.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string in = putFuzzInput("in", data, size);
    Actor a;
    if (a.serializeFrom(in.c_str()) != 0)
        abort();
    std::string out = fuzzFolder() + "/out";
    FUZZ_CHECK(a.writeTo(out.c_str()));
    Actor b;
    FUZZ_CHECK(b.serializeFrom(out.c_str()) == 0);
    FUZZ_CHECK(a.x == b.x && a.y == b.y);
    FUZZ_CHECK(a.stats.hp == b.stats.hp && a.stats.hp_max == b.stats.hp_max);
    FUZZ_CHECK(a.stats.mp == b.stats.mp && a.stats.mp_max == b.stats.mp_max);
    FUZZ_CHECK(a.stats.xp == b.stats.xp && a.stats.level == b.stats.level);
    FUZZ_CHECK(a.stats.strength == b.stats.strength && a.stats.dexterity == b.stats.dexterity);
    FUZZ_CHECK(a.stats.intelligence == b.stats.intelligence && a.stats.money == b.stats.money);
    FUZZ_CHECK(a.flagId == b.flagId && a.bIsHostile == b.bIsHostile && a.bIsWanderer == b.bIsWanderer);
    FUZZ_CHECK(a.conversation[0] == b.conversation[0] && a.conversation[1] == b.conversation[1]);
    FUZZ_CHECK(a.myName == b.myName && a.myName.size() <= 400);
    FUZZ_CHECK(a.sprite == b.sprite && a.direction == b.direction);
    return 0;
}
