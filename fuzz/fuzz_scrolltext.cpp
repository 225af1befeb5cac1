// fuzz_scrolltext.cpp -- fuzzes the scrolling text reader: at most 127 lines of at most 124 characters, in order.
#include <sstream>
#include <string>
#include "credits.h"
#include "fuzzfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::istringstream in(std::string((const char*)data, size));
    std::list<CreditLine> lines = readCreditLines(in, 17);
    FUZZ_CHECK(!lines.empty() && lines.size() <= 127);
    float last = 0;
    for (const CreditLine& line : lines) {
        FUZZ_CHECK(line.str.size() <= 124);
        FUZZ_CHECK(line.bIsBlankLine == line.str.empty());
        FUZZ_CHECK(line.screen_y > last);
        last = line.screen_y;
    }
    return 0;
}
