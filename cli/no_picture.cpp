// The runner of a build without Qt makes no pictures.
#include "run_picture.h"

namespace pellomarin::cli {

std::variant<std::unique_ptr<RunPicture>, std::string> RunPicture::open(const PictureOptions&) {
    return "this pellomarin-run was built without Qt and makes no pictures";
}

}  // namespace pellomarin::cli
