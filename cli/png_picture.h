#pragma once

#include <QImage>

#include "coverage_raster.h"
#include "path_tracer.h"
#include "picture_file.h"
#include "run_picture.h"

namespace pellomarin::cli {

// A PNG: the paths rasterised into the picture's own pixels as the run goes,
// so that its memory is the picture's whatever the number of steps.
class PngPicture final : public RunPicture {
public:
    PngPicture(QImage image, std::unique_ptr<PictureFile> file);

    void add(const BallList& balls) override;
    std::optional<std::string> finish(const BallList& balls) override;

private:
    QImage image;
    std::unique_ptr<PictureFile> file;
    CoverageRaster raster;
    PathTracer<CoverageRaster> tracer;
};

}  // namespace pellomarin::cli
