// credit-lines.cpp -- reading a scrolling text file (an introduction or the credits) into its lines.
#include "credits.h"

CreditLine::CreditLine() : bIsBlankLine(false), str(""), screen_y(100000.0f)
{
}

// Reads at most CREDIT_ENTRIES_MAX entries of at most CREDIT_LINE_MAX characters. A line that is too
// long is cut, and the stream then refuses further lines, so every later
// entry is blank; an end of file gives blank entries too.
std::list<CreditLine> readCreditLines(std::istream& in, int h)
{
    std::list<CreditLine> lines;
    for (int k = 1;; k++) {
        bool last = in.eof() || k >= CREDIT_ENTRIES_MAX;
        char buf[CREDIT_LINE_MAX + 1] = {0};
        in.getline(buf, sizeof buf);
        CreditLine line;
        if (buf[0] == '\0')
            line.bIsBlankLine = true;
        else
            line.str = buf;
        line.screen_y = 550.0f + (float)(k * h);
        lines.push_back(line);
        if (last)
            break;
    }
    return lines;
}
