#include "run_picture.h"

#include "png_picture.h"
#include "svg_picture.h"

namespace pellomarin::cli {

std::variant<std::unique_ptr<RunPicture>, std::string> RunPicture::open(
    const PictureOptions& options) {
    auto file = std::make_unique<PictureFile>(options.path);
    if (auto error = file->open())
        return *error;
    if (options.format == PictureOptions::Format::svg)
        return std::make_unique<SvgPicture>(options, std::move(file));
    QImage image(options.width, options.height, QImage::Format_RGB32);
    if (image.isNull())
        return "not enough memory for a picture of " + std::to_string(options.width) + "x" +
               std::to_string(options.height);
    return std::make_unique<PngPicture>(std::move(image), std::move(file));
}

}  // namespace pellomarin::cli
