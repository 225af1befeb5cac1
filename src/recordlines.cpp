// recordlines.cpp -- reading and writing the one-value-per-line record files.
#include <climits>
#include "recordlines.h"
#include "readfile.h"

static bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads up to the next line feed, keeping at most RECORD_LINE_MAX characters.
// At the end of the file this sets the stream's eof flag, which the
// vars.sav reader looks at.
static std::string readLine(std::istream& in)
{
    std::string line;
    int c;
    while ((c = in.get()) != std::char_traits<char>::eof() && c != '\n') {
        if (line.size() < RECORD_LINE_MAX)
            line.push_back((char)c);
    }
    return line;
}

int numberFromLine(const std::string& line)
{
    size_t i = 0;
    while (i < line.size() && isBlank(line[i]))
        i++;
    bool negative = false;
    if (i < line.size() && (line[i] == '-' || line[i] == '+')) {
        negative = line[i] == '-';
        i++;
    }
    // Accumulate as a negative number so that INT_MIN itself fits.
    long long v = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; i++) {
        v = v * 10 - (line[i] - '0');
        if (v < (long long)INT_MIN - 1)
            v = (long long)INT_MIN - 1;   // saturated; keep scanning the digits
    }
    if (negative)
        return v < INT_MIN ? INT_MIN : (int)v;
    return -v > INT_MAX ? INT_MAX : (int)-v;
}

int wholeNumberOf(float v)
{
    if (v != v)
        return 0;
    if (v >= 2147483648.0f)
        return INT_MAX;
    if (v < -2147483648.0f)
        return INT_MIN;
    return (int)v;
}

bool openRecordFile(const char* path, std::istringstream& in, const char* root)
{
    std::string bytes, p = path, r = root ? root : "";
    bool below = root && p.size() > r.size() + 1 && p.compare(0, r.size() + 1, r + "/") == 0;
    if (below ? !readFileBelow(r, p.substr(r.size() + 1), RECORD_FILE_MAX, bytes)
              : !readWholeFile(path, RECORD_FILE_MAX, bytes))
        return false;
    in.str(bytes);
    return true;
}

int readNumberFromFile(std::istream& in)
{
    return numberFromLine(readLine(in));
}

std::string readStringFromFile(std::istream& in)
{
    return readLine(in);
}

void writeNumberToFile(int n, std::ostream& out)
{
    out << n << '\n';
}

void writeStringToFile(std::string s, std::ostream& out)
{
    for (char& c : s)
        if (c == '\n')
            c = ' ';
    out << s << '\n';
}
