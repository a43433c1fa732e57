#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings.h"
#include "triple.h"

namespace pellomarin::cli {

// Position and movement of one ball, as a state file gives them.
struct BallState {
    Triple position;
    Triple movement;
};

// Without options the runner runs as the application does with its defaults.
struct RunOptions {
    std::array<double, 3> masses{settings::mass[0].defaultValue, settings::mass[1].defaultValue,
                                 settings::mass[2].defaultValue};
    double gravity = settings::gravitationalConstant.defaultValue;
    double periodMs = settings::calculationPeriod.defaultValue;
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
