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

// A fresh folder, removed with what it holds when it goes.
struct Folder {
    char name[20] = "/tmp/runner-XXXXXX";
    const std::filesystem::path path = ::mkdtemp(name);
    ~Folder() { std::filesystem::remove_all(path); }
};

struct RunnerResult {
    int status;  // 128 + N when signal N ended the runner
    std::string out, err;
};

// Runs pellomarin-run (PELLOMARIN_RUN, defined by the tests that use this) through the shell with
// `input` on standard input: `setup` first (commands ending in ';', limits for instance), then the
// runner with `arguments`, which may redirect its output elsewhere.
inline RunnerResult runRunner(const std::string& arguments, const std::string& input = "",
                              const std::string& setup = "") {
    const Folder folder;
    const std::filesystem::path& dir = folder.path;
    std::ofstream(dir / "in", std::ios::binary) << input;
    const std::string command = "{ " + setup + " " PELLOMARIN_RUN " " + arguments + "; } <" +
                                (dir / "in").string() + " >" + (dir / "out").string() + " 2>" +
                                (dir / "err").string();
    const int raw = std::system(command.c_str());
    return {WEXITSTATUS(raw), fileText(dir / "out"), fileText(dir / "err")};
}

}  // namespace pellomarin::support
