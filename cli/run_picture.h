#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "ball.h"
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

    // The balls at the start and after every step, for the paths.
    virtual void add(const BallList& balls) = 0;
    // Draws the balls and puts the file in place; why that failed, if it did.
    virtual std::optional<std::string> finish(const BallList& balls) = 0;
};

}  // namespace pellomarin::cli
