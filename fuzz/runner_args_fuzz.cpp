// Bytes as the runner's argument vector (split on NUL) and as a state file:
// neither parser crashes, every error is one line, and what is accepted is
// usable.
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "property.h"
#include "run_options.h"

using pellomarin::fuzz::require;

namespace {

// One line on a terminal: nothing that ends a line or moves to another.
bool isOneLine(const std::string& message) {
    return !message.empty() && message.find_first_of("\n\r\v\f") == std::string::npos;
}

bool positiveFinite(double x) {
    return x > 0.0 && std::isfinite(x);
}

void checkArguments(std::string_view bytes) {
    std::vector<std::string_view> arguments;
    for (std::size_t start = 0; start < bytes.size();) {
        const auto end = std::min(bytes.find('\0', start), bytes.size());
        arguments.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    const auto result = pellomarin::cli::parseArguments(arguments);
    if (const auto* error = std::get_if<pellomarin::cli::UsageError>(&result)) {
        require(isOneLine(error->message), "an argument error is one line", error->message);
        return;
    }
    const auto& options = std::get<pellomarin::cli::RunOptions>(result);
    for (double mass : options.masses)
        require(positiveFinite(mass), "masses are positive");
    require(positiveFinite(options.gravity) && positiveFinite(options.periodMs),
            "gravity and period are positive");
    require(!options.every || *options.every > 0, "every is positive");
    require(!options.statePath || !options.statePath->empty(), "a state path is named");
}

void checkState(std::string_view bytes) {
    const auto result = pellomarin::cli::parseState(bytes);
    if (const auto* error = std::get_if<pellomarin::cli::UsageError>(&result)) {
        require(isOneLine(error->message), "a state error is one line", error->message);
        return;
    }
    for (const auto& ball : std::get<0>(result)) {
        for (double c : ball.position.vector)
            require(std::isfinite(c), "positions are finite");
        for (double c : ball.movement.vector)
            require(std::isfinite(c), "movements are finite");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkArguments(bytes);
    checkState(bytes);
    return 0;
}
