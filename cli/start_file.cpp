#include "start_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "run_options.h"

namespace pellomarin::cli {

namespace fs = std::filesystem;

std::variant<StartFile, InputError> readStart(std::string_view text) {
    std::string_view first = text.substr(0, text.find('\n'));
    if (first.starts_with("\xEF\xBB\xBF"))
        first.remove_prefix(3);
    first = trimmed(first);
    std::vector<std::string_view> words;
    if (first.starts_with('#')) {
        for (const std::string_view word : split(first.substr(1), ' '))
            if (!word.empty())
                words.push_back(word);
    }
    StartFile start;
    if (!words.empty() && words[0] == "pellomarin-run") {
        words.erase(words.begin());
        const auto command = parseArguments(words);
        if (const auto* error = std::get_if<UsageError>(&command))
            return InputError{"state line 1: " + error->message};
        start.named = std::get<RunOptions>(command).start;
    }
    auto balls = parseState(text);
    if (const auto* error = std::get_if<InputError>(&balls))
        return *error;
    start.balls = std::get<StartState>(balls);
    return start;
}

namespace {

std::variant<std::string, InputError> readAll(std::FILE* file, const std::string& name) {
    std::string text;
    char buffer[1 << 16];
    while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, file))
        text.append(buffer, read);
    if (std::ferror(file))
        return InputError{"cannot read state file " + name + ": " + std::strerror(errno)};
    return text;
}

}  // namespace

std::variant<std::string, InputError> readStateFile(const std::string& path, std::uintmax_t limit) {
    if (path == "-")
        return readAll(stdin, "from standard input");
    const std::string name = pellomarin::quoted(path);
    std::error_code error;
    const auto status = fs::status(path, error);
    if (error)
        return InputError{"cannot read state file " + name + ": " + error.message()};
    if (fs::is_directory(status))
        return InputError{"state file " + name + " is a folder"};
    if (!fs::is_regular_file(status))
        return InputError{"state file " + name + " is not a regular file"};
    if (fs::file_size(path, error) > limit)
        return InputError{"state file " + name + " is larger than " + std::to_string(limit / 1024) +
                          " KiB"};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return InputError{"cannot read state file " + name + ": " + std::strerror(errno)};
    auto text = readAll(file, name);
    std::fclose(file);
    return text;
}

fs::path startsFolder(const fs::path& programFolder) {
    const fs::path installed = programFolder / "../share/pellomarin/starts";
    std::error_code error;
    return fs::is_directory(installed, error) ? installed : fs::path(PELLOMARIN_SOURCE_STARTS);
}

std::vector<std::string> startNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.path().extension() == startExtension)
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace pellomarin::cli
