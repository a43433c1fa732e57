// The headless runner: steps a simulation back to back and prints the balls
// as CSV, and draws a picture of the run if asked. It never touches the
// user's settings.
//
// Exit statuses: 0 done; 1 standard output or the picture could not be
// written; 2 refused before the first step (arguments, state file, picture).
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

std::variant<std::string, cli::UsageError> readAll(std::FILE* file, const std::string& name) {
    std::string text;
    char buffer[1 << 16];
    while (const std::size_t read = std::fread(buffer, 1, sizeof buffer, file))
        text.append(buffer, read);
    if (std::ferror(file))
        return cli::UsageError{"cannot read state file " + name + ": " + std::strerror(errno)};
    return text;
}

std::variant<std::string, cli::UsageError> readStateFile(const std::string& path) {
    if (path == "-")
        return readAll(stdin, "from standard input");
    const std::string name = cli::quoted(path);
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error)
        return cli::UsageError{"cannot read state file " + name + ": " + error.message()};
    if (std::filesystem::is_directory(status))
        return cli::UsageError{"state file " + name + " is a folder"};
    if (!std::filesystem::is_regular_file(status))
        return cli::UsageError{"state file " + name + " is not a regular file"};
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return cli::UsageError{"cannot read state file " + name + ": " + std::strerror(errno)};
    auto text = readAll(file, name);
    std::fclose(file);
    return text;
}

std::variant<BallList, cli::UsageError> initialBalls(const cli::RunOptions& options) {
    if (options.statePath) {
        const auto text = readStateFile(*options.statePath);
        if (const auto* error = std::get_if<cli::UsageError>(&text))
            return *error;
        auto state = cli::parseState(std::get<std::string>(text));
        if (auto* error = std::get_if<cli::UsageError>(&state))
            return *error;
        const auto& balls = std::get<0>(state);
        BallList list;
        for (int i = 0; i < 3; ++i)
            list[i] =
                std::make_shared<Ball>(i, balls[i].position, options.masses[i], balls[i].movement);
        return list;
    }
    if (!canDrawStart(options.masses))
        return cli::UsageError{"--masses: these masses give no start"};
    std::uint64_t seed = options.seed.value_or(0);
    if (!options.seed) {
        seed = RandomSource::randomSeed();
        std::cerr << "seed: " << seed << "\n";
    }
    RandomSource random(seed);
    auto balls = drawStart(options.masses, random);
    if (!balls)
        return cli::UsageError{"--masses: no start found for these masses"};
    return *balls;
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
    const auto run = runParameters(options.periodMs);
    if (!run)
        return fail("--period: too long to count in microseconds");

    std::unique_ptr<cli::RunPicture> picture;
    if (options.picture) {
        auto opened = cli::RunPicture::open(*options.picture);
        if (const auto* error = std::get_if<std::string>(&opened))
            return fail("--picture: " + *error);
        picture = std::move(std::get<0>(opened));
    }
    const auto start = initialBalls(options);
    if (const auto* error = std::get_if<cli::UsageError>(&start))
        return fail(error->message);
    const BallList& balls = std::get<BallList>(start);

    const StepParameters parameters{run->timeStep, options.gravity, options.method, options.law};
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
        return options.conserved ? ',' + shortestText(energy(options.law, balls, options.gravity))
                                 : std::string();
    };
    const double startEnergy = energy(options.law, balls, options.gravity);
    const Triple startMomentum = angularMomentum(options.law, balls);
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
            const double e = energy(options.law, balls, options.gravity);
            const Triple l = angularMomentum(options.law, balls);
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
