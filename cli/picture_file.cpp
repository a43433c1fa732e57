#include "picture_file.h"

#include <QFile>

#include "text_fields.h"

namespace pellomarin::cli {

PictureFile::PictureFile(const std::string& path) : file(QFile::decodeName(path.c_str())) {}

std::string PictureFile::failure() const {
    return "cannot write " + pellomarin::quoted(QFile::encodeName(file.fileName()).toStdString()) +
           ": " + file.errorString().toStdString();
}

std::optional<std::string> PictureFile::open() {
    // Unbuffered: each write reaches the system at once and fails with its reason.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failure();
    return std::nullopt;
}

void PictureFile::write(std::string_view bytes) {
    // A write can stop short without an error (a size limit reached part way);
    // the next one then says why.
    while (!writeFailure && !bytes.empty()) {
        const qint64 written = file.write(bytes.data(), qint64(bytes.size()));
        if (written <= 0)
            writeFailure = failure();
        else
            bytes.remove_prefix(std::size_t(written));
    }
}

std::optional<std::string> PictureFile::commit() {
    if (writeFailure)
        return writeFailure;  // the temporary goes with the file
    if (!file.commit())
        return failure();
    return std::nullopt;
}

}  // namespace pellomarin::cli
