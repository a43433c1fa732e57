#pragma once

#include <array>
#include <string>

#include "path_tracer.h"
#include "picture_file.h"
#include "run_picture.h"

namespace pellomarin::cli {

// SVG path data written as it comes, in hundredths of a pixel: each ball's
// path gathers in a buffer of bounded size that goes out as one <path> when
// full. Owned by one thread.
class SvgPaths {
public:
    explicit SvgPaths(PictureFile& out);

    // A segment within a pixel of the picture.
    void segment(int ball, ScreenPoint a, ScreenPoint b);
    // Writes out what each buffer holds.
    void flush();

private:
    struct Path {
        std::string data;
        long long x = 0, y = 0;  // where the pen is, in hundredths
        bool drawing = false;    // the data ends in a line that reaches (x, y)
    };
    void flush(int ball);

    PictureFile& out;
    std::array<Path, 3> paths;
};

class SvgPicture final : public RunPicture {
public:
    SvgPicture(const PictureOptions& options, std::unique_ptr<PictureFile> file);

    void add(const BallList& balls) override;
    std::optional<std::string> finish(const BallList& balls) override;

private:
    std::unique_ptr<PictureFile> file;
    int width;
    int height;
    SvgPaths writer;
    PathTracer<SvgPaths> tracer;
};

}  // namespace pellomarin::cli
