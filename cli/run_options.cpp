#include "run_options.h"

#include <charconv>
#include <cmath>

#include "camera.h"

namespace pellomarin::cli {

const char* const usage =
    "usage: pellomarin-run [--masses M0,M1,M2] [--gravity G] [--period MS] [--seed N]\n"
    "                      [--state FILE|- | --start NAME] [--steps N] [--every K]\n"
    "                      [--describe] [--list-starts]\n"
    "                      [--integrator euler|leapfrog|accurate] [--law inverse-distance|newton]\n"
    "                      [--conserved]\n"
    "                      [--picture FILE.png|FILE.svg [--size WxH] [--no-paths]\n"
    "                       [--fit] [--turn DEG] [--tilt DEG]]\n";

namespace {

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

bool endsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size())
        return false;
    text.remove_prefix(text.size() - suffix.size());
    for (std::size_t k = 0; k < suffix.size(); ++k)
        if ((text[k] | 0x20) != suffix[k])
            return false;
    return true;
}

std::optional<PictureOptions::Format> pictureFormat(std::string_view path) {
    if (endsWithIgnoringCase(path, ".png"))
        return PictureOptions::Format::png;
    if (endsWithIgnoringCase(path, ".svg"))
        return PictureOptions::Format::svg;
    return std::nullopt;
}

// "WxH", each side a whole number of pixels within the picture limits.
std::optional<std::pair<int, int>> pictureSize(std::string_view text) {
    const auto x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        return std::nullopt;
    const auto width = count(text.substr(0, x));
    const auto height = count(text.substr(x + 1));
    const auto fits = [](const auto& side) {
        return side && *side >= std::uint64_t(smallestPicture) &&
               *side <= std::uint64_t(largestPicture);
    };
    if (!fits(width) || !fits(height))
        return std::nullopt;
    return std::pair{int(*width), int(*height)};
}

}  // namespace

std::variant<RunOptions, UsageError> parseArguments(
    const std::vector<std::string_view>& arguments) {
    RunOptions options;
    PictureOptions picture;
    std::string_view pictureOnly;  // an option that needs --picture
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        if (option == "--describe" || option == "--conserved" || option == "--list-starts") {
            (option == "--describe"    ? options.describe
             : option == "--conserved" ? options.conserved
                                       : options.listStarts) = true;
            continue;
        }
        if (option == "--no-paths") {
            picture.paths = false;
            pictureOnly = option;
            continue;
        }
        if (option == "--fit") {
            picture.fit = true;
            pictureOnly = option;
            continue;
        }
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option != "--masses" && option != "--gravity" && option != "--period" &&
            option != "--seed" && option != "--state" && option != "--steps" &&
            option != "--every" && option != "--picture" && option != "--size" &&
            option != "--integrator" && option != "--law" && option != "--turn" &&
            option != "--tilt" && option != "--start")
            return UsageError{"unknown argument " + quoted(option)};
        if (i + 1 == arguments.size())
            return UsageError{std::string(option) + ": missing value"};
        const std::string_view value = arguments[++i];

        if (option == "--masses") {
            const auto parts = split(value, ',');
            if (parts.size() != 3)
                return invalid(option, "three positive numbers M0,M1,M2", value);
            options.start.masses.emplace();
            for (int k = 0; k < 3; ++k) {
                const auto mass = positiveNumber(parts[k]);
                if (!mass)
                    return invalid(option, "three positive numbers M0,M1,M2", value);
                (*options.start.masses)[k] = *mass;
            }
        } else if (option == "--gravity" || option == "--period") {
            const auto number = positiveNumber(value);
            if (!number)
                return invalid(option, "a positive number", value);
            if (option == "--period" && !fitsMicroseconds(*number))
                return UsageError{"--period: too long to count in microseconds"};
            (option == "--gravity" ? options.start.gravity : options.start.periodMs) = *number;
        } else if (option == "--integrator") {
            const auto method = integrationMethod(value);
            if (!method)
                return invalid(option, "euler, leapfrog or accurate", value);
            options.start.method = *method;
        } else if (option == "--law") {
            const auto law = forceLaw(value);
            if (!law)
                return invalid(option, "inverse-distance or newton", value);
            options.start.law = *law;
        } else if (option == "--state" || option == "--start") {
            if (value.empty())
                return invalid(option, option == "--state" ? "a file name or -" : "a name", value);
            (option == "--state" ? options.statePath : options.startName) = std::string(value);
        } else if (option == "--picture") {
            const auto format = pictureFormat(value);
            if (!format)
                return invalid(option, "a file name ending in .png or .svg", value);
            picture.path = std::string(value);
            picture.format = *format;
        } else if (option == "--size") {
            const auto size = pictureSize(value);
            if (!size)
                return invalid(option, "WxH, each from 16 to 16384", value);
            picture.width = size->first;
            picture.height = size->second;
            pictureOnly = option;
        } else if (option == "--turn" || option == "--tilt") {
            const auto degrees = finiteNumber(value);
            const bool tilt = option == "--tilt";
            if (!degrees || (tilt && !(std::abs(*degrees) <= Camera::largestTilt)))
                return invalid(option, tilt ? "degrees from -89 to 89" : "degrees", value);
            (tilt ? picture.tilt : picture.turn) = *degrees;
            pictureOnly = option;
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
    if (options.statePath && options.startName)
        return UsageError{"--start: not with --state"};
    if (!picture.path.empty())
        options.picture = picture;
    else if (!pictureOnly.empty())
        return UsageError{std::string(pictureOnly) + ": only with --picture"};
    return options;
}

}  // namespace pellomarin::cli
