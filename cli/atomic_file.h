#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace pellomarin::cli {

// A file written under a temporary name in its folder and renamed to its own
// name once complete, so that no half-written file ever carries that name.
// On Linux the temporary has no name until then, so a killed run leaves
// nothing behind. Owned by one thread.
class AtomicFile {
public:
    // Opens the temporary; the message says why the folder cannot take it.
    static std::variant<std::unique_ptr<AtomicFile>, std::string> create(const std::string& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    std::FILE* stream() { return file; }
    // Writes everything out and gives the file its name; the message says
    // what failed, and the temporary is then gone.
    std::optional<std::string> commit();

private:
    AtomicFile(std::string path, std::string temporary, std::FILE* file);
    void discard();

    std::string path;
    std::string temporary;  // empty while the file has no name
    std::FILE* file;
};

}  // namespace pellomarin::cli
