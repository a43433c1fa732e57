#include <gtest/gtest.h>

#include <cmath>

#include "settings.h"

using namespace pellomarin;
TEST(ReadingRule, UsesUsableValuesAndReplacesEverythingElseWritingTheDefaultBack) {
    const struct {
        const char* what;
        Setting setting;
        bool stored;
        double value, used;
    } rows[] = {
        {"absent", settings::calculationPeriod, false, 0, 30},
        {"zero", settings::calculationPeriod, true, 0, 30},
        {"negative zero", settings::mass[1], true, -0.0, 1},
        {"negative", settings::gravitationalConstant, true, -2, 5},
        {"NaN", settings::mass[2], true, NAN, 1},
        {"infinity", settings::gravitationalConstant, true, INFINITY, 5},
        {"no whole microsecond count", settings::calculationPeriod, true, 9.3e15, 30},
        {"positive", settings::calculationPeriod, true, 45, 45},
        {"tiny", settings::mass[0], true, 5e-324, 5e-324},
        {"huge", settings::gravitationalConstant, true, 1e308, 1e308},
    };
    for (const auto& row : rows) {
        MemoryStore store;
        if (row.stored)
            store.write(row.setting.key, row.value);
        EXPECT_EQ(readForUse(store, row.setting), row.used) << row.what;
        EXPECT_EQ(store.read(row.setting.key), row.used) << row.what << ": written back";
    }
    // The method and the law: one of their names, or the default, written back.
    const char* const names[][3] = {{"", "newtonian", "euler inverse-distance"},
                                    {"Leapfrog", "newton", "euler newton"},
                                    {"accurate", "", "accurate inverse-distance"}};
    for (const auto& [method, law, used] : names) {
        MemoryStore store;
        store.writeText("integration method", method);
        store.writeText("force law", law);
        const RunSettings run = readRunSettings(store);
        EXPECT_EQ(std::string(methodName(run.method)) + ' ' += lawName(run.law), used);
        EXPECT_EQ(store.readText("integration method") + ' ' + store.readText("force law"), used);
    }
}

TEST(ReadingRule, ANewSimulationReadsTheMassesAndAStartThePeriodAndConstant) {
    MemoryStore store;
    store.write("mass 1", 8);
    EXPECT_EQ(readMasses(store), (std::array<double, 3>{1, 8, 1}));
    EXPECT_FALSE(store.contains("calculation period"));
    store.write("gravitational constant", 0.5);
    const RunSettings run = readRunSettings(store);
    EXPECT_EQ(run.periodMs, 30);
    EXPECT_EQ(run.gravitationalConstant, 0.5);
    EXPECT_EQ(store.read("calculation period"), 30);
}
