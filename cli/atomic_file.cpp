#include "atomic_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace pellomarin::cli {

namespace fs = std::filesystem;

namespace {

std::string failure(const std::string& what, const std::string& name) {
    return "cannot " + what + " " + name + ": " + std::strerror(errno);
}

fs::path folderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? fs::path(".") : folder;
}

}  // namespace

AtomicFile::AtomicFile(std::string path_, std::string temporary_, std::FILE* file_)
    : path(std::move(path_)), temporary(std::move(temporary_)), file(file_) {}

AtomicFile::~AtomicFile() {
    discard();
}

void AtomicFile::discard() {
    if (file)
        std::fclose(file);
    file = nullptr;
    if (!temporary.empty())
        std::remove(temporary.c_str());
    temporary.clear();
}

std::variant<std::unique_ptr<AtomicFile>, std::string> AtomicFile::create(const std::string& path) {
    std::error_code error;
    if (fs::is_directory(path, error))
        return "'" + path + "' is a folder";
    const fs::path folder = folderOf(path);
#ifdef O_TMPFILE
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0) {
        if (std::FILE* file = ::fdopen(fd, "wb"))
            return std::unique_ptr<AtomicFile>(new AtomicFile(path, "", file));
        ::close(fd);
        return failure("write into", "'" + folder.string() + "'");
    }
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return failure("write into", "'" + folder.string() + "'");
#endif
    // A named temporary where the file system has no unnamed ones.
    const std::string temporary =
        (folder / ("." + fs::path(path).filename().string() + ".partial")).string();
    std::FILE* file = std::fopen(temporary.c_str(), "wbx");
    if (!file)
        return failure("write into", "'" + folder.string() + "'");
    return std::unique_ptr<AtomicFile>(new AtomicFile(path, temporary, file));
}

std::optional<std::string> AtomicFile::commit() {
    const std::string name = "'" + path + "'";
    const auto failed = [&](std::string message) {
        discard();
        return message;
    };
    if (std::fflush(file) != 0 || std::ferror(file))
        return failed(failure("write", name));
#ifdef O_TMPFILE
    if (temporary.empty()) {
        const std::string linked = path + ".partial-" + std::to_string(::getpid());
        const std::string self = "/proc/self/fd/" + std::to_string(::fileno(file));
        std::remove(linked.c_str());
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, linked.c_str(), AT_SYMLINK_FOLLOW) != 0)
            return failed(failure("write", name));
        temporary = linked;
    }
#endif
    const bool closed = std::fclose(file) == 0;
    file = nullptr;
    if (!closed)
        return failed(failure("write", name));
    std::error_code error;
    fs::rename(temporary, path, error);
    if (error)
        return failed("cannot write " + name + ": " + error.message());
    temporary.clear();
    return std::nullopt;
}

}  // namespace pellomarin::cli
