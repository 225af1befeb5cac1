// credits.h -- one line of a scrolling text screen.
#pragma once
#include <istream>
#include <list>
#include <string>

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
