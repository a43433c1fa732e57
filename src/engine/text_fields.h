#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pellomarin {

// What a text input (an argument, a state file) got wrong, in one line.
struct InputError {
    std::string message;
};

// Without leading and trailing spaces, tabs and carriage returns.
std::string_view trimmed(std::string_view text);

// The trimmed parts between separators; one part for a text without any.
std::vector<std::string_view> split(std::string_view text, char separator);

// A whole text read as a finite double, or nothing.
std::optional<double> finiteNumber(std::string_view text);

// Text from the command line or a state file, quoted in a message: control
// characters other than tab show as \xNN, so that the message stays one line.
std::string quoted(std::string_view text);

}  // namespace pellomarin
