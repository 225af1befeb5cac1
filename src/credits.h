// credits.h -- one line of a scrolling text screen.
#pragma once
#include <istream>
#include <list>
#include <string>

// A scrolling text file gives at most this many entries of at most this many
// characters, drawn this many pixels from the window's left edge.
const int CREDIT_ENTRIES_MAX = 127;
const int CREDIT_LINE_MAX = 124;
const int CREDIT_TEXT_X = 100;

class CreditLine
{
public:
    CreditLine();

    bool bIsBlankLine;
    std::string str;
    float screen_y;   // top edge on the screen, pixels
};

// The lines of a scrolling text file, placed below the screen's bottom edge
// one text height apart (lineHeight pixels).
std::list<CreditLine> readCreditLines(std::istream& in, int lineHeight);
