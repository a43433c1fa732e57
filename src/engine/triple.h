#pragma once

#include <array>
#include <string>

namespace pellomarin {

// A plain three-component vector of doubles. Every operation keeps the order of
// arithmetic written here: results are compared bit for bit.
struct Triple {
    std::array<double, 3> vector{};

    static const Triple zero;

    constexpr double x() const { return vector[0]; }
    constexpr double y() const { return vector[1]; }
    constexpr double z() const { return vector[2]; }

    // The vector from this point to `to`.
    constexpr Triple offset(const Triple& to) const {
        return {{to.vector[0] - vector[0], to.vector[1] - vector[1], to.vector[2] - vector[2]}};
    }

    // NaN when either vector is (0, 0, 0).
    double cosine(const Triple& with) const;

    // Spelled out per component: GCC at -O2 keeps a three-step loop a loop.
    constexpr void add(const Triple& other) {
        vector[0] = vector[0] + other.vector[0];
        vector[1] = vector[1] + other.vector[1];
        vector[2] = vector[2] + other.vector[2];
    }
    constexpr void add(const Triple& other, double scaledBy) {
        vector[0] = vector[0] + other.vector[0] * scaledBy;
        vector[1] = vector[1] + other.vector[1] * scaledBy;
        vector[2] = vector[2] + other.vector[2] * scaledBy;
    }
    constexpr void scale(double by) {
        vector[0] = vector[0] * by;
        vector[1] = vector[1] * by;
        vector[2] = vector[2] * by;
    }

    // Component-wise: -0.0 equals 0.0 and NaN equals nothing.
    constexpr bool operator==(const Triple& other) const {
        return vector[0] == other.vector[0] && vector[1] == other.vector[1] &&
               vector[2] == other.vector[2];
    }

    // "(x, y, z)" with every number in shortest round-trip form.
    std::string description() const;
};

inline constexpr Triple Triple::zero{};

// sqrt((x·x + y·y) + z·z), summed in that order.
double length(const Triple& v);

}  // namespace pellomarin
