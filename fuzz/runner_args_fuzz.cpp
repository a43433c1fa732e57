// Bytes as the runner's argument vector (split on NUL) and as a state file:
// every refusal is one line.
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "run_options.h"

using pellomarin::fuzz::require;

namespace {

void requireOneLine(const auto& result) {
    if (const auto* error = std::get_if<pellomarin::cli::UsageError>(&result))
        require(!error->message.empty() &&
                    error->message.find_first_of("\n\r\v\f") == std::string::npos,
                "a refusal is one line", error->message);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> arguments;
    for (std::size_t start = 0; start < bytes.size();) {
        const auto end = std::min(bytes.find('\0', start), bytes.size());
        arguments.push_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    requireOneLine(pellomarin::cli::parseArguments(arguments));
    requireOneLine(pellomarin::cli::parseState(bytes));
    return 0;
}
