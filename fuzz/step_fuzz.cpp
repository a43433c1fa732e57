// Bytes as three balls, G and the time step: step and correctDrift run
// without undefined behaviour for any doubles, and for sensible finite inputs
// one step leaves finite positions and coinciding centres add nothing.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "integration.h"
#include "property.h"

using pellomarin::Ball;
using pellomarin::BallList;
using pellomarin::Triple;
using pellomarin::fuzz::require;

namespace {

struct Inputs {
    std::array<double, 3> masses;
    std::array<Triple, 3> positions;
    std::array<Triple, 3> movements;
    double g;
    double dt;
};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // Missing bytes read as zero, so short inputs still make a whole configuration.
    double next() {
        std::uint64_t bits = 0;
        for (int k = 0; k < 8; ++k)
            bits |= std::uint64_t{byte()} << (8 * k);
        return std::bit_cast<double>(bits);
    }

    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Maps any double into [2^-332, 2^331), inside [1e-100, 1e100], keeping its
// mantissa bits.
double sensibleMass(double x) {
    if (!std::isfinite(x) || x == 0.0)
        return 1.0;
    int exponent = 0;
    const double fraction = std::fabs(std::frexp(x, &exponent));
    return std::ldexp(fraction, exponent % 331);
}

// Keeps |x| <= 1e6 as it is (tiny offsets matter most) and folds the rest into it.
double sensibleCoordinate(double x) {
    if (!std::isfinite(x))
        return 0.0;
    if (std::fabs(x) <= 1e6)
        return x;
    int exponent = 0;
    const double fraction = std::frexp(x, &exponent);
    return std::ldexp(fraction, exponent % 20);
}

// Into (0, 1e3].
double sensibleParameter(double x) {
    const double a = std::fabs(x);
    if (a > 0.0 && a <= 1e3)
        return a;
    if (!std::isfinite(a) || a == 0.0)
        return 1.0;
    int exponent = 0;
    const double fraction = std::frexp(a, &exponent);
    return std::ldexp(fraction, -(exponent % 1000));
}

Inputs read(Reader& in) {
    Inputs inputs{};
    for (double& m : inputs.masses)
        m = in.next();
    for (Triple& p : inputs.positions)
        for (double& c : p.vector)
            c = in.next();
    for (Triple& v : inputs.movements)
        for (double& c : v.vector)
            c = in.next();
    inputs.g = in.next();
    inputs.dt = in.next();
    return inputs;
}

Inputs sensible(Inputs inputs, std::uint8_t layout) {
    for (double& m : inputs.masses)
        m = sensibleMass(m);
    for (auto* list : {&inputs.positions, &inputs.movements})
        for (Triple& t : *list)
            for (double& c : t.vector)
                c = sensibleCoordinate(c);
    inputs.g = sensibleParameter(inputs.g);
    inputs.dt = sensibleParameter(inputs.dt);
    // Coinciding centres are rare in random bytes: two layout bits make them.
    if (layout & 2)
        inputs.positions[1] = inputs.positions[0];
    if (layout & 4)
        inputs.positions[2] = inputs.positions[(layout & 8) ? 0 : 1];
    return inputs;
}

BallList balls(const Inputs& inputs) {
    BallList list;
    for (int i = 0; i < 3; ++i)
        list[i] =
            std::make_shared<Ball>(i, inputs.positions[i], inputs.masses[i], inputs.movements[i]);
    return list;
}

bool finite(const Triple& t) {
    return std::isfinite(t.x()) && std::isfinite(t.y()) && std::isfinite(t.z());
}

// The squared distance is zero or at least 1: no pull can overflow then.
bool coincidesOrIsFar(const Triple& a, const Triple& b) {
    const Triple d = a.offset(b);
    const double r2 = (d.x() * d.x() + d.y() * d.y()) + d.z() * d.z();
    return d == Triple::zero || r2 >= 1.0;
}

void checkSensibleStep(const Inputs& inputs) {
    const BallList list = balls(inputs);
    pellomarin::step(list);
    for (int i = 0; i < 3; ++i) {
        require(finite(list[i]->position), "finite positions after one step", std::to_string(i));
        bool nothingOverflows = true;
        for (int j = 0; j < 3; ++j)
            nothingOverflows =
                nothingOverflows &&
                (j == i || coincidesOrIsFar(inputs.positions[i], inputs.positions[j]));
        if (nothingOverflows)
            require(finite(list[i]->lastAcceleration), "coinciding centres add nothing",
                    std::to_string(i));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in(data, size);
    const std::uint8_t layout = in.byte();
    Inputs inputs = read(in);
    if (layout & 1)
        inputs = sensible(inputs, layout);

    pellomarin::timeStep = inputs.dt;
    pellomarin::gravitationalConstant = inputs.g;
    pellomarin::step(balls(inputs));
    pellomarin::correctDrift(balls(inputs));

    bool isSensible = std::isfinite(inputs.g) && inputs.g > 0.0 && inputs.g <= 1e3 &&
                      std::isfinite(inputs.dt) && inputs.dt > 0.0 && inputs.dt <= 1e3;
    for (double m : inputs.masses)
        isSensible = isSensible && m >= 1e-100 && m <= 1e100;
    for (const auto* list : {&inputs.positions, &inputs.movements})
        for (const Triple& t : *list)
            for (double c : t.vector)
                isSensible = isSensible && std::fabs(c) <= 1e6;
    if (isSensible)
        checkSensibleStep(inputs);
    return 0;
}
