// The headless runner: steps a simulation back to back and prints the balls
// as CSV, and draws a picture of the run if asked. It never touches the
// user's settings.
//
// Exit statuses: 0 done; 1 standard output or the picture could not be
// written; 2 refused before the first step (arguments, state file, picture).
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>

#include "integration.h"
#include "keep_in_view.h"
#include "model.h"
#include "new_simulation.h"
#include "number_form.h"
#include "run_options.h"
#include "run_picture.h"
#include "settings.h"
#include "start_file.h"

using namespace pellomarin;

namespace {

constexpr int writeFailed = 1;
constexpr int refused = 2;

int fail(const std::string& message, int status = refused) {
    std::cerr << "pellomarin-run: " << message << "\n";
    return status;
}

// Standard output, checked: a full disk or a closed pipe (with SIGPIPE
// ignored) ends the run instead of losing rows silently.
bool writeOut(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
}

int outputFailed() {
    return fail(std::string("cannot write standard output: ") + std::strerror(errno), writeFailed);
}

// The balls and how they run: from the state file, whose own command gives
// what the command line leaves out, or drawn from the seed.
std::variant<RunStart, cli::UsageError> runStart(const cli::RunOptions& options) {
    StartOptions named = options.start;
    std::optional<StartState> state;
    if (options.statePath) {
        const auto text = cli::readStateFile(*options.statePath);
        if (const auto* error = std::get_if<cli::UsageError>(&text))
            return *error;
        const auto start = cli::readStart(std::get<std::string>(text));
        if (const auto* error = std::get_if<cli::UsageError>(&start))
            return *error;
        const StartOptions& file = std::get<cli::StartFile>(start).named;
        named = {named.masses ? named.masses : file.masses,
                 named.gravity ? named.gravity : file.gravity,
                 named.periodMs ? named.periodMs : file.periodMs,
                 named.method ? named.method : file.method, named.law ? named.law : file.law};
        state = std::get<cli::StartFile>(start).balls;
    }
    MemoryStore defaults;  // empty: every setting its default
    const RunSettings run = upcomingRunSettings(defaults, named);
    RunStart start{named.masses.value_or(readMasses(defaults)),
                   run.gravitationalConstant,
                   run.periodMs,
                   {},
                   run.method,
                   run.law};
    if (state) {
        start.balls = *state;
        return start;
    }
    if (!canDrawStart(start.masses))
        return cli::UsageError{"--masses: these masses give no start"};
    std::uint64_t seed = options.seed.value_or(0);
    if (!options.seed) {
        seed = RandomSource::randomSeed();
        std::cerr << "seed: " << seed << "\n";
    }
    RandomSource random(seed);
    const auto balls = drawStart(start.masses, random);
    if (!balls)
        return cli::UsageError{"--masses: no start found for these masses"};
    for (int i = 0; i < 3; ++i)
        start.balls[i] = {(*balls)[i]->position, (*balls)[i]->movement};
    return start;
}

// The shipped starts' folder, found from where this program is.
std::filesystem::path startsFolder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return cli::startsFolder(program.parent_path());
}

// `extra`: what ends each row, the energy column or nothing.
void printRows(std::string& out, std::uint64_t stepNumber, const BallList& balls,
               const std::string& extra) {
    for (const auto& ball : balls) {
        out += std::to_string(stepNumber);
        out += ',';
        out += std::to_string(ball->id);
        for (const Triple* v : {&ball->position, &ball->movement, &ball->lastAcceleration}) {
            for (double component : v->vector) {
                out += ',';
                out += shortestText(component);
            }
        }
        out += extra;
        out += '\n';
    }
}

// The change of a conserved quantity over the run, relative to its start.
std::string conservedLine(const char* name, const std::string& start, const std::string& end,
                          double change) {
    return std::string(name) + ":\t" + start + '\t' + end + '\t' + descriptionText(change) + '\n';
}

// The camera with which every position of the run, disc included, just fits
// inside the picture with a margin: the eye moves back for a run that leaves
// the fixed view, the view narrows for one that stays near the centre. Found
// by running it once before the run that is printed and drawn, which repeats
// it exactly.
Camera fittedCamera(const Camera& camera, const BallList& start, std::uint64_t steps,
                    const StepParameters& parameters, const cli::PictureOptions& picture) {
    BallList balls;
    for (int i = 0; i < 3; ++i)
        balls[i] = start[i]->copy();
    // 5 % of the way to each edge, and room for the smallest disc and a path's edge.
    const auto within = [](int side) { return side * 0.5 * 0.95 - smallestDisc; };
    const double hx = within(picture.width), hy = within(picture.height);
    Integrator integrator(parameters);
    double zoom = Camera::largestZoom;  // as far as the window zooms in
    for (std::uint64_t n = 0;; ++n) {
        for (const auto& ball : balls)
            zoom = std::min(zoom, camera.fittingZoom(ball->position, ball->radius, hx, hy));
        if (n == steps)
            break;
        integrator.step(balls);
    }
    return camera.zoomedTo(std::max(zoom, KeepInView::smallestZoom));
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const auto parsed = cli::parseArguments(arguments);
    if (const auto* error = std::get_if<cli::UsageError>(&parsed))
        return fail(error->message);
    const auto& options = std::get<cli::RunOptions>(parsed);
    if (options.help)
        return writeOut(cli::usage) && std::fflush(stdout) == 0 ? 0 : outputFailed();
    if (options.listStarts) {
        std::string names;
        for (const std::string& name : cli::startNames(startsFolder()))
            names += name + '\n';
        return writeOut(names) && std::fflush(stdout) == 0 ? 0 : outputFailed();
    }

    std::unique_ptr<cli::RunPicture> picture;
    if (options.picture) {
        auto opened = cli::RunPicture::open(*options.picture);
        if (const auto* error = std::get_if<std::string>(&opened))
            return fail("--picture: " + *error);
        picture = std::move(std::get<0>(opened));
    }
    cli::RunOptions resolved = options;
    if (options.startName) {
        const auto names = cli::startNames(startsFolder());
        if (std::find(names.begin(), names.end(), *options.startName) == names.end())
            return fail("--start: no start named " + cli::quoted(*options.startName) +
                        " (see --list-starts)");
        resolved.statePath =
            (startsFolder() / (*options.startName + std::string(cli::startExtension))).string();
    }
    const auto started = runStart(resolved);
    if (const auto* error = std::get_if<cli::UsageError>(&started))
        return fail(error->message);
    const RunStart& start = std::get<RunStart>(started);
    const RunParameters run = *runParameters(start.periodMs);  // the options refused any other
    const BallList balls = startBalls(start.balls, start.masses);

    const StepParameters parameters{run.timeStep, start.gravitationalConstant, start.method,
                                    start.law};
    if (picture) {
        const Camera turned(1.0, options.picture->turn, options.picture->tilt);
        picture->setCamera(options.picture->fit ? fittedCamera(turned, balls, options.steps,
                                                               parameters, *options.picture)
                                                : turned);
    }
    cli::RunPicture* const paths = picture && options.picture->paths ? picture.get() : nullptr;
    if (paths)
        paths->add(balls);

    Integrator integrator(parameters);
    const auto energyColumn = [&] {
        return options.conserved
                   ? ',' + shortestText(energy(start.law, balls, start.gravitationalConstant))
                   : std::string();
    };
    const double startEnergy = energy(start.law, balls, start.gravitationalConstant);
    const Triple startMomentum = angularMomentum(start.law, balls);
    std::string out;
    if (!options.describe) {
        out = options.conserved ? "step,ball,x,y,z,vx,vy,vz,ax,ay,az,energy\n"
                                : "step,ball,x,y,z,vx,vy,vz,ax,ay,az\n";
        printRows(out, 0, balls, energyColumn());
    }
    for (std::uint64_t n = 1; n <= options.steps; ++n) {
        integrator.step(balls);
        if (paths)
            paths->add(balls);
        if (options.describe)
            continue;
        if ((options.every && n % *options.every == 0) || n == options.steps)
            printRows(out, n, balls, energyColumn());
        if (out.size() > (1 << 16)) {
            if (!writeOut(out))
                return outputFailed();
            out.clear();
        }
    }
    if (options.describe) {
        out = Model::make(balls)->description() + "\n";
        if (options.conserved) {
            const double e = energy(start.law, balls, start.gravitationalConstant);
            const Triple l = angularMomentum(start.law, balls);
            out += conservedLine("energy", descriptionText(startEnergy), descriptionText(e),
                                 (e - startEnergy) / std::fabs(startEnergy));
            out += conservedLine("angular momentum", startMomentum.description(), l.description(),
                                 (length(l) - length(startMomentum)) / length(startMomentum));
        }
    }
    if (!writeOut(out) || std::fflush(stdout) != 0)
        return outputFailed();
    if (picture) {
        if (const auto error = picture->finish(balls))
            return fail("--picture: " + *error, writeFailed);
    }
    return 0;
}
