#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace pellomarin::fuzz {

// A broken property aborts: libFuzzer then keeps the input as a crash, and
// the replay test fails on it.
inline void require(bool holds, std::string_view what, std::string_view detail = "") {
    if (holds)
        return;
    std::fprintf(stderr, "property failed: %.*s [%.*s]\n", static_cast<int>(what.size()),
                 what.data(), static_cast<int>(detail.size()), detail.data());
    std::abort();
}

}  // namespace pellomarin::fuzz
