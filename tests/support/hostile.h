// hostile.h -- game folders full of nonsense the file formats still allow, made from a seed.
#pragma once
#include <string>
#include "harness.h"

namespace qtest {

// Writes the hostile game folder of `seed` as `dir` inside wd, with a config.cfg beside it. The
// same seed always gives the same folder.
void writeHostileFolder(const WorkDir& wd, const std::string& dir, unsigned seed);

} // namespace qtest
