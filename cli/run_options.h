#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "integration.h"
#include "settings.h"
#include "state_file.h"
#include "text_fields.h"

namespace pellomarin::cli {

using pellomarin::BallState;
using pellomarin::parseState;
using pellomarin::quoted;
using pellomarin::StartOptions;
// A one-line message naming what is wrong.
using UsageError = InputError;

// A picture of the run, PNG or SVG by the file's extension.
struct PictureOptions {
    enum class Format { png, svg };
    std::string path;
    Format format = Format::png;
    int width = 800;  // pixels
    int height = 800;
    bool paths = true;  // each ball's path under the balls
    // The camera: turned and tilted by these degrees, and with `fit` moved
    // back just far enough that the whole run lies inside the picture.
    double turn = 0.0;
    double tilt = 0.0;
    bool fit = false;
};
inline constexpr int smallestPicture = 16;
inline constexpr int largestPicture = 16384;

// Without options the runner runs as the application does with its defaults.
struct RunOptions {
    // What the command line names: the masses, constant, period, method and
    // law; the rest comes from the state file's own command, else the defaults.
    StartOptions start;
    std::optional<std::uint64_t> seed;
    std::optional<std::string> statePath;  // "-" is standard input
    std::optional<std::string> startName;  // one of the shipped starts
    bool listStarts = false;
    std::uint64_t steps = 0;
    std::optional<std::uint64_t> every;
    bool describe = false;
    bool conserved = false;  // the law's energy on every row, or with --describe its change
    std::optional<PictureOptions> picture;
    bool help = false;
};

std::variant<RunOptions, UsageError> parseArguments(const std::vector<std::string_view>& arguments);

extern const char* const usage;

}  // namespace pellomarin::cli
