#include <gtest/gtest.h>

#include <cmath>

#include "settings.h"

namespace pellomarin {
namespace {

struct Case {
    const char* what;
    bool stored;
    double value;
    double used;
};

TEST(ReadingRule, UsesPositiveFiniteValuesAndReplacesEverythingElse) {
    const Case cases[] = {
        {"absent", false, 0, 30.0},
        {"zero", true, 0.0, 30.0},
        {"negative zero", true, -0.0, 30.0},
        {"negative", true, -5, 30.0},
        {"NaN", true, NAN, 30.0},
        {"infinity", true, INFINITY, 30.0},
        {"-infinity", true, -INFINITY, 30.0},
        {"positive", true, 45, 45},
        {"tiny", true, 5e-324, 5e-324},
        {"huge", true, 1e308, 1e308},
    };
    for (const Case& c : cases) {
        MemoryStore store;
        if (c.stored)
            store.write("calculation period", c.value);
        EXPECT_EQ(readForUse(store, settings::calculationPeriod), c.used) << c.what;
        EXPECT_EQ(store.read("calculation period"), c.used) << c.what << ": written back";
        EXPECT_FALSE(store.contains("gravitational constant")) << c.what;
    }
}

}  // namespace
}  // namespace pellomarin
