#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "ball.h"
#include "camera.h"
#include "run_options.h"

namespace pellomarin::cli {

// A picture of a run, drawn as the run goes: each ball's path over every step,
// then the balls after the last step as the window draws them. Opened before
// the first step, so that a picture that cannot be written is refused before
// anything else happens. Owned by the runner's one thread.
class RunPicture {
public:
    // The picture, or why it cannot be made (one line).
    static std::variant<std::unique_ptr<RunPicture>, std::string> open(
        const PictureOptions& options);
    virtual ~RunPicture() = default;

    // The camera the picture is seen with, before the first add: the fixed view unless set.
    void setCamera(const Camera& camera_) { camera = camera_; }

    // The balls at the start and after every step, for the paths.
    virtual void add(const BallList& balls) = 0;
    // Draws the balls and puts the file in place; why that failed, if it did.
    virtual std::optional<std::string> finish(const BallList& balls) = 0;

protected:
    // Across, the least a ball is drawn: as in the window at a device pixel
    // ratio of 1, nothing in the fixed view.
    double smallestDiameter() const { return camera.isFixedView() ? 0.0 : smallestDisc; }

    Camera camera;
};

}  // namespace pellomarin::cli
