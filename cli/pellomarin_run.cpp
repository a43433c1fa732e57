// The headless runner: steps a simulation back to back and prints the balls
// as CSV. It never touches the user's settings.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "integration.h"
#include "model.h"
#include "new_simulation.h"
#include "number_form.h"
#include "run_options.h"

using namespace pellomarin;

namespace {

int fail(const std::string& message) {
    std::cerr << "pellomarin-run: " << message << "\n";
    return 2;
}

std::variant<BallList, cli::UsageError> initialBalls(const cli::RunOptions& options) {
    if (options.statePath) {
        std::string text;
        if (*options.statePath == "-") {
            text.assign(std::istreambuf_iterator<char>(std::cin), {});
        } else {
            std::ifstream file(*options.statePath, std::ios::binary);
            if (!file)
                return cli::UsageError{"cannot read state file " + cli::quoted(*options.statePath)};
            text.assign(std::istreambuf_iterator<char>(file), {});
        }
        auto state = cli::parseState(text);
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

void printRows(std::string& out, std::uint64_t stepNumber, const BallList& balls) {
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
        out += '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const auto parsed = cli::parseArguments(arguments);
    if (const auto* error = std::get_if<cli::UsageError>(&parsed))
        return fail(error->message);
    const auto& options = std::get<cli::RunOptions>(parsed);
    if (options.help) {
        std::cout << cli::usage;
        return 0;
    }
    const auto run = runParameters(options.periodMs);
    if (!run)
        return fail("--period: too long to count in microseconds");

    const auto start = initialBalls(options);
    if (const auto* error = std::get_if<cli::UsageError>(&start))
        return fail(error->message);
    const BallList& balls = std::get<BallList>(start);

    const StepParameters parameters{run->timeStep, options.gravity};

    std::string out;
    if (!options.describe) {
        out = "step,ball,x,y,z,vx,vy,vz,ax,ay,az\n";
        printRows(out, 0, balls);
    }
    for (std::uint64_t n = 1; n <= options.steps; ++n) {
        step(balls, parameters);
        if (options.describe)
            continue;
        if ((options.every && n % *options.every == 0) || n == options.steps)
            printRows(out, n, balls);
        if (out.size() > (1 << 16)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    if (options.describe)
        out = Model::make(balls)->description() + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
