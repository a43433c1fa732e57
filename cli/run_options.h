#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "triple.h"

namespace pellomarin::cli {

// Position and movement of one ball, as a state file gives them.
struct BallState {
    Triple position;
    Triple movement;
};

struct RunOptions {
    std::array<double, 3> masses{1.0, 1.0, 1.0};
    double gravity = 5.0;
    double periodMs = 30.0;
    std::optional<std::uint64_t> seed;
    std::optional<std::string> statePath;  // "-" is standard input
    std::uint64_t steps = 0;
    std::optional<std::uint64_t> every;
    bool describe = false;
    bool help = false;
};

// A one-line message naming what is wrong.
struct UsageError {
    std::string message;
};

std::variant<RunOptions, UsageError> parseArguments(const std::vector<std::string_view>& arguments);

// Three lines "x,y,z,vx,vy,vz" for balls 0, 1 and 2; '#' starts a comment and
// blank lines are skipped.
std::variant<std::array<BallState, 3>, UsageError> parseState(std::string_view text);

extern const char* const usage;

// Text from the command line or a state file, quoted in a message: control
// characters other than tab show as \xNN, so that the message stays one line.
std::string quoted(std::string_view text);

}  // namespace pellomarin::cli
