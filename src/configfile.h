// configfile.h -- the options of config.cfg, read in the order the file gives them.
#pragma once
#include <cstdio>
#include <vector>

enum class ConfigOption { Fullscreen, Pickpocketry, NoAlpha, Widescreen, LongTalk, Windowed, FastWater, Debug };

// Every line of the file that is exactly an option's keyword, in file order;
// other lines are skipped.
std::vector<ConfigOption> readConfigOptions(FILE* cfg);
