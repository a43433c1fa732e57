#pragma once

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace pellomarin::support {

inline std::string fileText(const std::filesystem::path& file) {
    std::stringstream text;
    text << std::ifstream(file, std::ios::binary).rdbuf();
    return text.str();
}

struct RunnerResult {
    int status;  // 128 + N when signal N ended the runner
    std::string out, err;
};

// Runs pellomarin-run (PELLOMARIN_RUN, defined by the tests that use this)
// through the shell with `input` on standard input: `setup` first (commands
// ending in ';', limits for instance), then the runner with `arguments`,
// which may redirect its output elsewhere.
inline RunnerResult runRunner(const std::string& arguments, const std::string& input = "",
                              const std::string& setup = "") {
    char folder[] = "/tmp/runner-XXXXXX";
    const std::filesystem::path dir = ::mkdtemp(folder);
    std::ofstream(dir / "in", std::ios::binary) << input;
    const std::string command = "{ " + setup + " " PELLOMARIN_RUN " " + arguments + "; } <" +
                                (dir / "in").string() + " >" + (dir / "out").string() + " 2>" +
                                (dir / "err").string();
    const int raw = std::system(command.c_str());
    RunnerResult result{WEXITSTATUS(raw), fileText(dir / "out"), fileText(dir / "err")};
    std::filesystem::remove_all(dir);
    return result;
}

}  // namespace pellomarin::support
