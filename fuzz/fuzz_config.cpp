// fuzz_config.cpp -- fuzzes the config.cfg reader and checks its options against the lines that name them.
#include <cstring>
#include <string>
#include "configfile.h"
#include "fuzzfile.h"

// The options a file of lines without NUL bytes names: lines of at most 97
// characters that are exactly a keyword.
static size_t keywordLines(const uint8_t* data, size_t size)
{
    static const char* const KEYWORDS[] = {"fs", "fullscreen", "pickpocketry", "noalpha", "widescreen",
                                           "longtalk", "windowed", "fastwater", "debug", "framecap", "doorassist",
                                           "readabletext", "fightdetails"};
    size_t count = 0, start = 0;
    for (size_t i = 0; i <= size; i++) {
        if (i < size && data[i] != '\n')
            continue;
        std::string line((const char*)data + start, i - start);
        for (const char* k : KEYWORDS)
            if (line == k)
                count++;
        start = i + 1;
    }
    return count;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string path = putFuzzInput("in", data, size);
    FILE* f = fopen(path.c_str(), "r");
    if (!f)
        abort();
    std::vector<ConfigOption> options = readConfigOptions(f);
    fclose(f);
    if (!memchr(data, 0, size))
        FUZZ_CHECK(options.size() == keywordLines(data, size));
    return 0;
}
