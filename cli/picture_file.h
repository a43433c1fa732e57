#pragma once

#include <QSaveFile>
#include <optional>
#include <string>
#include <string_view>

namespace pellomarin::cli {

// A picture's file, written under a unique temporary name in its folder and
// synced and renamed to its own name on commit, so that no half-written
// picture ever carries that name. It keeps the system's reason for the first
// failed write, which QSaveFile has forgotten by the time it commits. Owned
// by one thread.
class PictureFile {
public:
    explicit PictureFile(const std::string& path);

    // Opens the temporary; why that failed (one line), if it did.
    std::optional<std::string> open();
    // Writes all of `bytes`; a failure shows at commit().
    void write(std::string_view bytes);
    // Puts the file in place; why that failed, if it did.
    std::optional<std::string> commit();

private:
    std::string failure() const;

    QSaveFile file;
    std::optional<std::string> writeFailure;
};

}  // namespace pellomarin::cli
