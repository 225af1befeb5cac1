// configfile.h -- the options of config.cfg, read in the order the file gives them.
#pragma once
#include <cstdio>
#include <vector>

enum class ConfigOption { Fullscreen, Pickpocketry, NoAlpha, Widescreen, LongTalk, Windowed, FastWater, Debug, FrameCap, DoorAssist };

// Every line of the file that is exactly an option's keyword, in file order;
// other lines are skipped.
std::vector<ConfigOption> readConfigOptions(FILE* cfg);

// Reads the options file at `path` (a regular file of at most CONFIG_FILE_MAX
// bytes, readfile.h) into `options`. False when there is no such file, or it
// is refused (with a message), which counts as having none.
bool readConfigFile(const char* path, std::vector<ConfigOption>& options);
