#include "random_source.h"

#include <random>

namespace pellomarin {

namespace {

std::uint64_t splitMix64(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9e3779b97f4a7c15);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    return z ^ (z >> 31);
}

constexpr std::uint64_t rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

}  // namespace

RandomSource::RandomSource(std::uint64_t seed) {
    for (auto& word : state)
        word = splitMix64(seed);
}

std::uint64_t RandomSource::randomSeed() {
    std::random_device device;
    return (std::uint64_t{device()} << 32) ^ device();
}

std::uint64_t RandomSource::next() {
    const std::uint64_t result = rotl(state[1] * 5, 7) * 9;
    const std::uint64_t t = state[1] << 17;
    state[2] ^= state[0];
    state[3] ^= state[1];
    state[1] ^= state[2];
    state[0] ^= state[3];
    state[2] ^= t;
    state[3] = rotl(state[3], 45);
    return result;
}

std::uint64_t RandomSource::uniform(std::uint64_t upTo) {
    if (upTo == UINT64_MAX)
        return next();
    const std::uint64_t range = upTo + 1;
    // Draws at or above the last whole multiple of range would favour small results.
    const std::uint64_t limit = UINT64_MAX - (UINT64_MAX % range + 1) % range;
    std::uint64_t x = next();
    while (x > limit)
        x = next();
    return x % range;
}

}  // namespace pellomarin
