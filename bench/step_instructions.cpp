// Runs N integration steps and nothing else, for counting instructions under
// callgrind: the difference between two values of N leaves the steps alone,
// without start-up and drawing costs.
#include <charconv>
#include <cstdio>
#include <cstring>

#include "integration.h"
#include "new_simulation.h"

using namespace pellomarin;

int main(int argc, char** argv) {
    long steps = 0;
    const char* text = argc == 2 ? argv[1] : "";
    const char* end = text + std::strlen(text);
    if (std::from_chars(text, end, steps).ptr != end || steps < 0) {
        std::fprintf(stderr, "usage: step_instructions STEPS\n");
        return 2;
    }

    // The state the step benchmark uses: masses 1, 2, 3, seed 1, G 5, 30 ms.
    RandomSource random(1);
    const BallList balls = *drawStart({1.0, 2.0, 3.0}, random);
    for (long i = 0; i < steps; ++i)
        step(balls, {1.0, 5.0});

    // Printing the result keeps every step observable.
    std::printf("%s\n", balls[0]->position.description().c_str());
    return 0;
}
