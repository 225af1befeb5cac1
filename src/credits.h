// credits.h -- one line of a scrolling text screen.
#pragma once
#include <string>

class CreditLine
{
public:
    CreditLine();

    bool bIsBlankLine;
    std::string str;
    float screen_y;   // top edge on the screen, pixels
};
