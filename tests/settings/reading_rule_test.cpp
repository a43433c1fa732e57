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

TEST(ReadingRule, KeysAndDefaults) {
    EXPECT_EQ(settings::calculationPeriod.key, "calculation period");
    EXPECT_EQ(settings::gravitationalConstant.key, "gravitational constant");
    EXPECT_EQ(settings::mass[2].key, "mass 2");
    MemoryStore store;
    EXPECT_EQ(store.read("mass 0"), 0.0);
    double used[5];
    for (int k = 0; k < 5; ++k)
        used[k] = readForUse(store, settings::all[k]);
    EXPECT_EQ(used[0], 30.0);
    EXPECT_EQ(used[1], 5.0);
    EXPECT_EQ(used[2] + used[3] + used[4], 3.0);
}

}  // namespace
}  // namespace pellomarin
