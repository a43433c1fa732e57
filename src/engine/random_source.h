#pragma once

#include <cstdint>

namespace pellomarin {

// xoshiro256** seeded through SplitMix64: the same seed gives the same
// numbers on every platform and standard library.
class RandomSource {
public:
    explicit RandomSource(std::uint64_t seed);
    // A seed from the system's entropy source.
    static std::uint64_t randomSeed();

    std::uint64_t next();
    // Unbiased, in 0...upTo inclusive.
    std::uint64_t uniform(std::uint64_t upTo);

private:
    std::uint64_t state[4];
};

}  // namespace pellomarin
