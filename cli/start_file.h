#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "state_file.h"
#include "text_fields.h"

namespace pellomarin::cli {

// A start as Copy Start writes it: a state file whose first line may be a
// comment holding the runner command that replays it. The command's masses,
// constant, period, method and law are what the start names.
struct StartFile {
    StartOptions named;
    StartState balls;
};

// Reads the command with the runner's own option parsing, so that a bad
// value gets the runner's words, on "state line 1".
std::variant<StartFile, InputError> readStart(std::string_view text);

// A state file's whole text: `path` "-" is standard input. A file larger
// than `limit` bytes is refused before it is read.
std::variant<std::string, InputError> readStateFile(const std::string& path,
                                                    std::uintmax_t limit = UINTMAX_MAX);

inline constexpr std::string_view startExtension = ".pellomarin";

// The shipped starts: beside an installed program in ../share/pellomarin/starts,
// else (in the build tree) the source folder's.
std::filesystem::path startsFolder(const std::filesystem::path& programFolder);
// Their names, sorted: the files' names without the extension.
std::vector<std::string> startNames(const std::filesystem::path& folder);

}  // namespace pellomarin::cli
