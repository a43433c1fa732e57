#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "integration.h"
#include "text_fields.h"
#include "triple.h"

namespace pellomarin {

// The runner's state file, which Copy Start writes and the runner reads:
// three lines "x,y,z,vx,vy,vz" for balls 0, 1 and 2; '#' starts a comment,
// blank lines are skipped and a leading UTF-8 byte-order mark is ignored.

// Position and movement of one ball, as a state file gives them.
struct BallState {
    Triple position;
    Triple movement;
};
using StartState = std::array<BallState, 3>;

std::variant<StartState, InputError> parseState(std::string_view text);

// The balls of a start with these masses, numbered 0, 1 and 2.
BallList startBalls(const StartState& state, const std::array<double, 3>& masses);

// What a start names of how it runs; what it leaves out comes from elsewhere
// (the runner's command line and defaults, the window's settings).
struct StartOptions {
    std::optional<std::array<double, 3>> masses;
    std::optional<double> gravity;
    std::optional<double> periodMs;
    std::optional<IntegrationMethod> method;
    std::optional<ForceLaw> law;
};

// What replays a simulation step for step: the masses, constant, period,
// method and law it runs with, and its starting balls.
struct RunStart {
    std::array<double, 3> masses;
    double gravitationalConstant;
    double periodMs;
    StartState balls;
    IntegrationMethod method = IntegrationMethod::euler;
    ForceLaw law = ForceLaw::inverseDistance;
};

// A comment holding the runner command that replays the run, then the balls;
// every number in the shortest form that reads back as the same double. The
// method and the law are named only where they are not the runner's defaults.
std::string startFileText(const RunStart& start);

}  // namespace pellomarin
