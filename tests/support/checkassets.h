// checkassets.h -- the repository's shared assets as the checker of game folders reads them, for
// the test programs that link its library (quorvane_check).
#pragma once
#include <string>
#include <gtest/gtest.h>
#include "check.h"
#include "harness.h"

namespace qtest {

// Read once a program and kept to its end, past the font library's own end.
inline const CheckAssets& repositoryAssets()
{
    static CheckAssets& assets = *new CheckAssets();
    static bool loaded = [] {
        std::string why;
        bool ok = assets.load(sourceDir() + "/data/assets", why);
        EXPECT_TRUE(ok) << why;
        return ok;
    }();
    (void)loaded;
    return assets;
}

} // namespace qtest
