#pragma once

#include <cstdint>

namespace pellomarin::bench {

// How many times the global operator new has run in this process so far.
// Linking allocation_count.cpp replaces operator new with a counting one.
std::uint64_t allocationCount();

}  // namespace pellomarin::bench
