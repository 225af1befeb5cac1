// fuzz_signs.cpp -- fuzzes the signs.txt reader: signs on the map's tiles, one per tile, words on one line.
#include <set>
#include <string>
#include "Map.h"
#include "fuzzfile.h"
#include "signs-file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes((const char*)data, size);
    std::vector<Signpost> signs;
    std::vector<SignProblem> problems;
    readSignposts(bytes, signs, problems);
    int lines = 1;
    for (char c : bytes)
        lines += c == '\n';
    std::set<std::pair<int, int>> tiles;
    for (const Signpost& s : signs) {
        FUZZ_CHECK(s.column >= 0 && s.column < Map::SIZE && s.row >= 0 && s.row < Map::SIZE);
        FUZZ_CHECK(!s.text.empty() && s.text.size() <= SIGN_LINE_MAX);
        FUZZ_CHECK(s.text.find('\n') == std::string::npos);
        FUZZ_CHECK(s.line >= 1 && s.line <= lines);
        FUZZ_CHECK(tiles.insert({s.column, s.row}).second);
    }
    for (const SignProblem& p : problems)
        FUZZ_CHECK(p.line >= 1 && p.line <= lines && !p.message.empty());
    return 0;
}
