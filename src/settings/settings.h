#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

#include "force_law.h"
#include "integration.h"
#include "state_file.h"

namespace pellomarin {

// The persistent per-user store: one text per key. A number is stored as the
// shortest text that reads back to the same double. Main thread only.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // Empty for a key that is absent (or unreadable).
    virtual std::string readText(std::string_view key) const = 0;
    // Stored at once; a later read in the same run returns it.
    virtual void writeText(std::string_view key, std::string_view text) = 0;

    // 0.0 for a key that is absent or whose text is not a number.
    double read(std::string_view key) const;
    void write(std::string_view key, double value);
};

// A store that lives in memory only: for tests and the headless runner.
class MemoryStore final : public SettingsStore {
public:
    std::string readText(std::string_view key) const override;
    void writeText(std::string_view key, std::string_view text) override;
    bool contains(std::string_view key) const { return values.find(key) != values.end(); }

private:
    std::map<std::string, std::string, std::less<>> values;
};

struct Setting {
    std::string_view key;
    double defaultValue;
    // Positive finite values this refuses cannot be used either.
    bool (*isUsable)(double) = nullptr;
};

// A period in milliseconds whose whole count of microseconds fits 64 bits.
constexpr bool fitsMicroseconds(double ms) {
    return ms * 1000.0 < 0x1p63;
}

namespace settings {

inline constexpr Setting calculationPeriod{"calculation period", 30.0,  // milliseconds
                                           fitsMicroseconds};
inline constexpr Setting gravitationalConstant{"gravitational constant", 5.0};
inline constexpr std::array<Setting, 3> mass{{{"mass 0", 1.0}, {"mass 1", 1.0}, {"mass 2", 1.0}}};
inline constexpr std::array<Setting, 5> all{calculationPeriod, gravitationalConstant, mass[0],
                                            mass[1], mass[2]};

// Text settings read at the start, like the period: a method's or a law's
// name (integration.h, force_law.h); anything else reads as euler and
// inverse-distance.
inline constexpr std::string_view integrationMethod = "integration method";
inline constexpr std::string_view forceLaw = "force law";

// Whether the window draws trails: 1 or 0 (absent reads as 0, off).
inline constexpr std::string_view showTrails = "show trails";
// Whether the status bar shows the energy and the angular momentum: 1 or 0 (absent: off).
inline constexpr std::string_view showConservation = "show conservation";
// Whether the window's camera keeps every ball in view: 1 or 0, like showTrails.
inline constexpr std::string_view keepAllInView = "keep all in view";

}  // namespace settings

// The reading rule: a stored value that is positive, finite and usable is
// used as it is; anything else (absent, zero, negative, NaN, infinite, a
// period too long to count) is replaced by the default, which is written back.
double readForUse(SettingsStore& store, const Setting& setting);

// What a new simulation reads: the three masses, in key order.
std::array<double, 3> readMasses(SettingsStore& store);

// What a start reads: the calculation period (ms), the constant G, the method
// and the law; a stored text that names no method or law reads as the default.
// What an opened start names is taken from it, and its key neither read nor written.
struct RunSettings {
    double periodMs;
    double gravitationalConstant;
    IntegrationMethod method = IntegrationMethod::euler;
    ForceLaw law = ForceLaw::inverseDistance;
};
RunSettings readRunSettings(SettingsStore& store, const StartOptions& named = {});

// What a start would read now, by the same rule, but writing nothing back:
// defaults appear in the store only when a start uses them.
RunSettings upcomingRunSettings(const SettingsStore& store, const StartOptions& named = {});

}  // namespace pellomarin
