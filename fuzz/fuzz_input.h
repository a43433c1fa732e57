#pragma once

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace pellomarin::fuzz {

// A broken property aborts: libFuzzer keeps the input as a crash, and the replay test fails on it.
inline void require(bool holds, std::string_view what, std::string_view detail = "") {
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %.*s [%.*s]\n", int(what.size()), what.data(),
                 int(detail.size()), detail.data());
    std::abort();
}

// Reads a fuzzer's bytes; missing bytes read as zero, so every input is whole.
class Reader {
public:
    Reader(const std::uint8_t* bytes, std::size_t count) : data(bytes), size(count) {}
    std::uint8_t byte() { return at < size ? data[at++] : 0; }
    double number() {
        std::uint64_t bits = 0;
        for (int k = 0; k < 8; ++k)
            bits |= std::uint64_t{byte()} << (8 * k);
        return std::bit_cast<double>(bits);
    }
    bool more() const { return at < size; }

private:
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
};

}  // namespace pellomarin::fuzz
