#include "run_options.h"

#include <charconv>
#include <cmath>

namespace pellomarin::cli {

const char* const usage =
    "usage: pellomarin-run [--masses M0,M1,M2] [--gravity G] [--period MS] [--seed N]\n"
    "                      [--state FILE|-] [--steps N] [--every K] [--describe]\n";

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto end = text.find(separator, start);
        parts.push_back(trimmed(text.substr(start, end - start)));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::optional<double> finiteNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> positiveNumber(std::string_view text) {
    const auto value = finiteNumber(text);
    if (!value || !(*value > 0.0))
        return std::nullopt;
    return value;
}

std::optional<std::uint64_t> count(std::string_view text) {
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

UsageError invalid(std::string_view option, std::string_view expected, std::string_view got) {
    return {std::string(option) + ": expected " + std::string(expected) + ", got " + quoted(got)};
}

}  // namespace

std::string quoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if ((code < 0x20 && c != '\t') || code == 0x7f) {
            constexpr std::string_view hex = "0123456789abcdef";
            out += "\\x";
            out += hex[code >> 4];
            out += hex[code & 0xf];
        } else {
            out += c;
        }
    }
    return out + "'";
}

std::variant<RunOptions, UsageError> parseArguments(
    const std::vector<std::string_view>& arguments) {
    RunOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        if (option == "--describe") {
            options.describe = true;
            continue;
        }
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option != "--masses" && option != "--gravity" && option != "--period" &&
            option != "--seed" && option != "--state" && option != "--steps" && option != "--every")
            return UsageError{"unknown argument " + quoted(option)};
        if (i + 1 == arguments.size())
            return UsageError{std::string(option) + ": missing value"};
        const std::string_view value = arguments[++i];

        if (option == "--masses") {
            const auto parts = split(value, ',');
            if (parts.size() != 3)
                return invalid(option, "three positive numbers M0,M1,M2", value);
            for (int k = 0; k < 3; ++k) {
                const auto mass = positiveNumber(parts[k]);
                if (!mass)
                    return invalid(option, "three positive numbers M0,M1,M2", value);
                options.masses[k] = *mass;
            }
        } else if (option == "--gravity" || option == "--period") {
            const auto number = positiveNumber(value);
            if (!number)
                return invalid(option, "a positive number", value);
            (option == "--gravity" ? options.gravity : options.periodMs) = *number;
        } else if (option == "--state") {
            if (value.empty())
                return invalid(option, "a file name or -", value);
            options.statePath = std::string(value);
        } else {
            const auto number = count(value);
            if (!number || (option == "--every" && *number == 0))
                return invalid(option,
                               option == "--every" ? "a positive whole number" : "a whole number",
                               value);
            if (option == "--seed")
                options.seed = number;
            if (option == "--steps")
                options.steps = *number;
            if (option == "--every")
                options.every = number;
        }
    }
    return options;
}

std::variant<std::array<BallState, 3>, UsageError> parseState(std::string_view text) {
    std::array<BallState, 3> balls;
    int found = 0;
    int lineNumber = 0;
    for (std::string_view line : split(text, '\n')) {
        ++lineNumber;
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        const std::string where = "state line " + std::to_string(lineNumber);
        if (found == 3)
            return UsageError{where + ": more than three balls"};
        const auto fields = split(line, ',');
        if (fields.size() != 6)
            return UsageError{where + ": expected x,y,z,vx,vy,vz, got " + quoted(line)};
        std::array<double, 6> values;
        for (int k = 0; k < 6; ++k) {
            const auto value = finiteNumber(fields[k]);
            if (!value)
                return UsageError{where + ": " + quoted(fields[k]) + " is not a finite number"};
            values[k] = *value;
        }
        balls[found++] = {{{values[0], values[1], values[2]}}, {{values[3], values[4], values[5]}}};
    }
    if (found < 3)
        return UsageError{"state: expected three balls, found " + std::to_string(found)};
    return balls;
}

}  // namespace pellomarin::cli
