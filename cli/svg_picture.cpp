#include "svg_picture.h"

#include <cmath>

#include "ball_colors.h"
#include "ball_drawing.h"
#include "number_form.h"

namespace pellomarin::cli {

namespace {

constexpr std::size_t pathBuffer = 1 << 16;  // bytes of path data per <path>

// "1.5", "-0.05", "12": a count of hundredths as a decimal, after a space
// unless its minus sign separates it.
void appendHundredths(std::string& out, long long value) {
    if (value < 0)
        out += '-';
    else
        out += ' ';
    const unsigned long long magnitude = value < 0 ? 0ull - value : value;
    out += std::to_string(magnitude / 100);
    if (const unsigned long long cents = magnitude % 100; cents != 0) {
        out += '.';
        out += char('0' + cents / 10);
        if (cents % 10 != 0)
            out += char('0' + cents % 10);
    }
}

std::string colourOf(std::int64_t ball) {
    return ballColors[ball].name().toStdString();
}

}  // namespace

SvgPaths::SvgPaths(PictureFile& out_) : out(out_) {
    for (Path& path : paths)
        path.data.reserve(pathBuffer + 64);
}

void SvgPaths::segment(int ball, ScreenPoint a, ScreenPoint b) {
    Path& path = paths[ball];
    const long long ax = std::llround(a.x * 100), ay = std::llround(a.y * 100);
    const long long bx = std::llround(b.x * 100), by = std::llround(b.y * 100);
    if (!path.drawing || ax != path.x || ay != path.y) {
        path.data += 'M';
        appendHundredths(path.data, ax);
        appendHundredths(path.data, ay);
        path.data += 'l';
        path.drawing = true;
    }
    appendHundredths(path.data, bx - ax);
    appendHundredths(path.data, by - ay);
    path.x = bx;
    path.y = by;
    if (path.data.size() > pathBuffer)
        flush(ball);
}

void SvgPaths::flush(int ball) {
    Path& path = paths[ball];
    if (path.data.empty())
        return;
    out.write("<path stroke=\"" + colourOf(ball) + "\" d=\"");
    out.write(path.data);
    out.write("\"/>\n");
    path.data.clear();
    path.drawing = false;  // the next <path> moves to where this one ended
}

void SvgPaths::flush() {
    for (int ball = 0; ball < 3; ++ball)
        flush(ball);
}

SvgPicture::SvgPicture(const PictureOptions& options, std::unique_ptr<PictureFile> file_)
    : file(std::move(file_)),
      width(options.width),
      height(options.height),
      writer(*file),
      tracer(width, height, writer, camera) {
    const std::string w = std::to_string(width), h = std::to_string(height);
    file->write(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + ' ' + h + "\">\n<rect width=\"" + w +
        "\" height=\"" + h +
        "\" fill=\"#000000\"/>\n<g fill=\"none\" stroke-width=\"1\" "
        "stroke-linecap=\"round\" stroke-linejoin=\"round\">\n");
}

void SvgPicture::add(const BallList& balls) {
    tracer.add(balls);
}

std::optional<std::string> SvgPicture::finish(const BallList& balls) {
    tracer.finish();
    writer.flush();
    std::string text = "</g>\n";
    const std::array<Ball, 3> last{*balls[0], *balls[1], *balls[2]};
    const QRectF area(0, 0, width, height);
    for (const Disc& disc : discsOf(last, area.size(), camera, smallestDiameter())) {
        const std::string fill = "\" fill=\"" + colourOf(disc.id) + "\"/>\n";
        if (disc.r > largestEllipseRadius) {
            // As the window fills it: one span per pixel row.
            text += "<path d=\"";
            hugeCircleSpans(disc.centre, disc.r, area, [&](const QRectF& span) {
                text += 'M' + shortestText(span.left()) + ' ' + shortestText(span.top()) + 'h' +
                        shortestText(span.width()) + "v1h" + shortestText(-span.width()) + 'z';
            });
            text += fill;
        } else {
            text += "<circle cx=\"" + shortestText(disc.centre.x()) + "\" cy=\"" +
                    shortestText(disc.centre.y()) + "\" r=\"" + shortestText(disc.r) + fill;
        }
    }
    file->write(text + "</svg>\n");
    return file->commit();
}

}  // namespace pellomarin::cli
