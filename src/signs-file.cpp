// signs-file.cpp -- reading signs.txt: the words on a game's signposts, a line each.
#include <set>
#include "Map.h"
#include "signs-file.h"

namespace {

// A whole number 0..349 at `s[i]`, digits only; `i` moves past it.
bool tileNumber(const std::string& s, size_t& i, int& out)
{
    size_t start = i;
    long v = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && i - start < 4)
        v = v * 10 + (s[i++] - '0');
    out = (int)v;
    return i > start && v < Map::SIZE && (i == s.size() || s[i] == ' ' || s[i] == '\t');
}

void skipBlanks(const std::string& s, size_t& i)
{
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        i++;
}

} // namespace

void readSignposts(const std::string& bytes, std::vector<Signpost>& signs, std::vector<SignProblem>& problems)
{
    std::set<std::pair<int, int>> seen;
    size_t pos = 0;
    for (int number = 1; pos < bytes.size(); number++) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        size_t i = 0;
        skipBlanks(line, i);
        if (i == line.size() || line.compare(i, 2, "//") == 0)
            continue;
        if (line.size() > SIGN_LINE_MAX) {
            problems.push_back({number, "longer than " + std::to_string(SIGN_LINE_MAX) + " characters"});
            continue;
        }
        Signpost s;
        s.line = number;
        if (!tileNumber(line, i, s.column)) {
            problems.push_back({number, "expected a column 0..349, a row 0..349 and the sign's words"});
            continue;
        }
        skipBlanks(line, i);
        if (!tileNumber(line, i, s.row)) {
            problems.push_back({number, "expected a row 0..349 after the column, then the sign's words"});
            continue;
        }
        skipBlanks(line, i);
        s.text = line.substr(i);
        while (!s.text.empty() && (s.text.back() == ' ' || s.text.back() == '\t'))
            s.text.pop_back();
        if (s.text.empty()) {
            problems.push_back({number, "the sign at " + std::to_string(s.column) + "," + std::to_string(s.row) +
                                            " says nothing"});
            continue;
        }
        if (!seen.insert({s.column, s.row}).second) {
            problems.push_back({number, "a second sign for tile " + std::to_string(s.column) + "," +
                                            std::to_string(s.row) + "; the first one is read"});
            continue;
        }
        signs.push_back(s);
    }
}
