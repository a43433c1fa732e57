#include "png_picture.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <cstring>

#include "ball_colors.h"
#include "ball_drawing.h"

namespace pellomarin::cli {

namespace {

std::uint32_t* pixelsOf(QImage& image) {
    return reinterpret_cast<std::uint32_t*>(image.bits());
}

}  // namespace

PngPicture::PngPicture(QImage image_, std::unique_ptr<PictureFile> file_)
    : image(std::move(image_)),
      file(std::move(file_)),
      raster(pixelsOf(image), image.width(), image.height(), int(image.bytesPerLine() / 4)),
      tracer(image.width(), image.height(), raster, camera) {
    std::memset(image.bits(), 0, std::size_t(image.sizeInBytes()));  // no coverage yet
}

void PngPicture::add(const BallList& balls) {
    tracer.add(balls);
}

std::optional<std::string> PngPicture::finish(const BallList& balls) {
    tracer.finish();
    const std::uint32_t colours[3] = {ballColors[0].rgb(), ballColors[1].rgb(),
                                      ballColors[2].rgb()};
    raster.compose(colours);
    {
        QPainter painter(&image);
        const std::array<Ball, 3> last{*balls[0], *balls[1], *balls[2]};
        paintDiscs(painter, discsOf(last, image.size(), camera, smallestDiameter()), image.rect());
    }
    // Encoded in memory, so that the file's own write reports a failure with
    // the system's reason (libpng's writer only knows that one failed).
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // zlib's fastest level (Qt maps 0…100 onto levels 0…9): a few percent
    // larger, a third of the time.
    writer.setCompression(20);
    if (!writer.write(image))
        return "cannot encode the picture: " + writer.errorString().toStdString();
    file->write(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    return file->commit();
}

}  // namespace pellomarin::cli
