// Runs the real pellomarin-run binary.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct Result {
    int status;
    std::string out;
    std::string err;
};

std::string slurp(const fs::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

Result run(const std::string& arguments, const std::string& input = "") {
    const fs::path dir =
        fs::temp_directory_path() / ("pellomarin-run-test-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "in") << input;
    const std::string command = std::string(PELLOMARIN_RUN) + " " + arguments + " <" +
                                (dir / "in").string() + " >" + (dir / "out").string() + " 2>" +
                                (dir / "err").string();
    const int raw = std::system(command.c_str());
    Result result{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, slurp(dir / "out"), slurp(dir / "err")};
    fs::remove_all(dir);
    return result;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        all.push_back(line);
    return all;
}

TEST(Runner, PullOfOneBallFromAStateFile) {
    // Ball 2 is so light and far that it pulls nothing measurable.
    const auto result = run("--masses 2,10,1e-300 --gravity 5 --steps 1 --state -",
                            "0,0,0,0,0,0\n3,4,0,0,0,0\n1e300,0,0,0,0,0\n");
    ASSERT_EQ(result.status, 0) << result.err;
    const auto rows = lines(result.out);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[0], "step,ball,x,y,z,vx,vy,vz,ax,ay,az");
    EXPECT_EQ(rows[1], "0,0,0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(rows[4].substr(0, 4), "1,0,");
    EXPECT_EQ(rows[4].substr(rows[4].size() - 6), ",3,4,0");
}

TEST(Runner, RecentringAndMomentumExamples) {
    // A negligible pull, so that only the recentring moves the balls.
    const auto centre =
        run("--gravity 1e-300 --steps 1 --state -", "1,0,0,0,0,0\n0,0,0,0,0,0\n0,0,0,0,0,0\n");
    ASSERT_EQ(centre.status, 0) << centre.err;
    const auto rows = lines(centre.out);
    EXPECT_EQ(rows[4].substr(0, 27), "1,0,0.6666666666666667,0,0,");
    EXPECT_EQ(rows[5].substr(0, 26), "1,1,-0.3333333333333333,0,");

    // Balls on the y axis with a negligible pull, velocities along x.
    const auto momentum = run("--gravity 1e-300 --steps 1 --describe --state -",
                              "0,-100,0,1,0,0\n0,0,0,0,0,0\n0,100,0,-3,0,0\n");
    ASSERT_EQ(momentum.status, 0) << momentum.err;
    const auto text = lines(momentum.out);
    ASSERT_EQ(text.size(), 3u);
    // Ball 0 moves against the total momentum and keeps its velocity.
    EXPECT_EQ(text[1].substr(0, 16), "momentum:\t(1.0, ");
    EXPECT_NE(text[1].find("\t(1.0, 0.0, 0.0)\t(-2.0, "), std::string::npos) << text[1];
    EXPECT_EQ(text[2], "mass:\t1.0\t1.0\t1.0");
}

TEST(Runner, SeededRunsRepeatExactlyAndPrintEveryKSteps) {
    const auto a = run("--seed 99 --masses 1,2,3 --period 10 --steps 10 --every 4");
    const auto b = run("--seed 99 --masses 1,2,3 --period 10 --steps 10 --every 4");
    ASSERT_EQ(a.status, 0) << a.err;
    EXPECT_EQ(a.out, b.out);
    EXPECT_EQ(a.err, "");
    const auto rows = lines(a.out);
    ASSERT_EQ(rows.size(), 1u + 3 * 4);  // steps 0, 4, 8 and 10
    EXPECT_EQ(rows[10].substr(0, 5), "10,0,");
    EXPECT_NE(run("--seed 100 --masses 1,2,3 --steps 1").out, a.out);
}

TEST(Runner, ASeedGivesTheSameStartOnEveryPlatform) {
    // Pinned: the generator and the draw use no library randomness.
    const auto rows = lines(run("--seed 7").out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1],
              "0,0,105.76140928154527,128.1857543485569,18.986702149391675,0.5896361927780138,"
              "0.1745103609591911,0.2663977927417808,0,0,0");
}

TEST(Runner, AThousandStepsLandOnTheSameBitsEverywhere) {
    // Pinned: a change in the order of any operation of the step shows here.
    const auto rows = lines(run("--seed 7 --masses 1,2,3 --steps 1000").out);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[6],
              "1000,2,-25.675934555962534,-6.988495581421944,1.08033547180291,"
              "-0.21553671789534204,-1.406005670906048,0.07986538153929912,"
              "0.04898300467062401,0.011786759859887428,0.0031026716797035725");
}

TEST(Runner, UnseededRunsTellTheirSeed) {
    const auto result = run("--steps 0");
    ASSERT_EQ(result.status, 0);
    ASSERT_EQ(result.err.rfind("seed: ", 0), 0u) << result.err;
    const std::string seed = result.err.substr(6, result.err.size() - 7);
    EXPECT_EQ(run("--seed " + seed).out, result.out);
}

TEST(Runner, BadInputGetsOneLineOnStandardErrorAndNothingOnStandardOutput) {
    for (const auto& [arguments, input] :
         std::vector<std::pair<std::string, std::string>>{{"--masses 1,2", ""},
                                                          {"--period 1e300", ""},
                                                          {"--masses 1e300,1,1", ""},
                                                          {"--state /nonexistent/state.csv", ""},
                                                          {"--state -", "1,2,3\n"},
                                                          {"--bogus", ""}}) {
        const auto result = run(arguments, input);
        EXPECT_EQ(result.status, 2) << arguments;
        EXPECT_EQ(result.out, "") << arguments;
        EXPECT_EQ(lines(result.err).size(), 1u) << arguments << ": " << result.err;
    }
}

}  // namespace
