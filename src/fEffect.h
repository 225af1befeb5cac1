// fEffect.h -- one floating combat effect: an icon and a short text rising over the map.
#pragma once
#include <string>

class fightEffect
{
public:
    float x = 0, y = 0;      // screen pixels of the icon's top-left corner
    float timer = 1000;      // ms of life left
    std::string text = "0";
    int icon = 0;
};
