#include <gtest/gtest.h>

#include "run_options.h"

namespace pellomarin::cli {
namespace {

std::variant<RunOptions, UsageError> parse(std::vector<std::string_view> arguments) {
    return parseArguments(arguments);
}

TEST(RunnerArguments, DefaultsAndEveryOption) {
    const auto none = std::get<RunOptions>(parse({}));
    EXPECT_EQ(none.masses, (std::array<double, 3>{1, 1, 1}));
    EXPECT_EQ(none.gravity, 5.0);
    EXPECT_EQ(none.periodMs, 30.0);
    EXPECT_EQ(none.steps, 0u);
    EXPECT_FALSE(none.seed || none.statePath || none.every || none.describe);

    const auto all = std::get<RunOptions>(parse(
        {"--masses", "1, 2.5,3e2", "--gravity", "0.5", "--period", "0.013", "--seed",
         "18446744073709551615", "--state", "-", "--steps", "10", "--every", "3", "--describe"}));
    EXPECT_EQ(all.masses, (std::array<double, 3>{1, 2.5, 300}));
    EXPECT_EQ(all.gravity, 0.5);
    EXPECT_EQ(all.periodMs, 0.013);
    EXPECT_EQ(*all.seed, 18446744073709551615u);
    EXPECT_EQ(*all.statePath, "-");
    EXPECT_EQ(all.steps, 10u);
    EXPECT_EQ(*all.every, 3u);
    EXPECT_TRUE(all.describe);
}

TEST(RunnerArguments, BadArgumentsNameWhatIsWrong) {
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> cases = {
        {{"--masses", "1,2"}, "--masses"},
        {{"--masses", "1,2,0"}, "--masses"},
        {{"--masses", "1,2,nan"}, "--masses"},
        {{"--masses", "1,,2"}, "--masses"},
        {{"--gravity", "-5"}, "--gravity"},
        {{"--gravity", "inf"}, "--gravity"},
        {{"--period", "0"}, "--period"},
        {{"--period", "30ms"}, "--period"},
        {{"--seed", "-1"}, "--seed"},
        {{"--seed", "18446744073709551616"}, "--seed"},
        {{"--steps", "1.5"}, "--steps"},
        {{"--every", "0"}, "--every"},
        {{"--steps"}, "--steps: missing value"},
        {{"--state", ""}, "--state"},
        {{"--frobnicate"}, "unknown argument '--frobnicate'"},
    };
    for (const auto& [arguments, expected] : cases) {
        const auto result = parse(arguments);
        ASSERT_TRUE(std::holds_alternative<UsageError>(result)) << expected;
        const std::string& message = std::get<UsageError>(result).message;
        EXPECT_NE(message.find(expected), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

// Quoted text keeps its control characters out of the message, which is
// printed as one line.
TEST(RunnerErrors, ControlCharactersInQuotedTextAreEscaped) {
    const auto oneLine = [](const std::string& message) {
        return message.find_first_of("\n\r\v\f") == std::string::npos;
    };
    const std::vector<std::pair<std::vector<std::string_view>, std::string>> arguments = {
        {{"--frob\nnicate"}, "unknown argument '--frob\\x0anicate'"},
        {{"--gravity", "5\r\n"}, "got '5\\x0d\\x0a'"},
        {{"--masses", "1,2,\v3"}, "got '1,2,\\x0b3'"},
    };
    for (const auto& [argv, expected] : arguments) {
        const std::string message = std::get<UsageError>(parse(argv)).message;
        EXPECT_TRUE(oneLine(message)) << message;
        EXPECT_NE(message.find(expected), std::string::npos) << message;
    }
    const std::vector<std::pair<std::string, std::string>> states = {
        {"1,2,3,4,5,6\n1\r2,3,4,5,6,7\n", "line 2: '1\\x0d2' is not a finite number"},
        {"1,2,3,4,5\f6\n", "line 1: expected x,y,z,vx,vy,vz, got '1,2,3,4,5\\x0c6'"},
        {"1,2,3,4,5,\x1b[2J\n", "'\\x1b[2J'"},
    };
    for (const auto& [text, expected] : states) {
        const std::string message = std::get<UsageError>(parseState(text)).message;
        EXPECT_TRUE(oneLine(message)) << message;
        EXPECT_NE(message.find(expected), std::string::npos) << message;
    }
}

TEST(StateFile, ThreeBallsWithCommentsAndBlankLines) {
    const auto state =
        std::get<0>(parseState("# x,y,z,vx,vy,vz\n"
                               "1,2,3,0.1,0.2,0.3\n"
                               "\n"
                               " -1 , -2 , -3 , 0 , 0 , 0 # ball 1\r\n"
                               "0,0,0,1e-3,0,-0\n"));
    EXPECT_EQ(state[0].position, (Triple{{1, 2, 3}}));
    EXPECT_EQ(state[0].movement, (Triple{{0.1, 0.2, 0.3}}));
    EXPECT_EQ(state[1].position, (Triple{{-1, -2, -3}}));
    EXPECT_EQ(state[2].movement, (Triple{{1e-3, 0, 0}}));
}

TEST(StateFile, MalformedStatesAreRefusedWithTheLine) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "found 0"},
        {"1,2,3,4,5,6\n1,2,3,4,5,6\n", "found 2"},
        {"1,2,3,4,5,6\n1,2,3,4,5\n1,2,3,4,5,6\n", "line 2"},
        {"1,2,3,4,5,6\n1,2,3,4,5,6\n1,2,3,4,5,x\n", "line 3: 'x'"},
        {"1,2,3,4,5,6\n1,2,3,4,5,6\n1,2,nan,4,5,6\n", "line 3"},
        {"1,2,3,4,5,6\n1,2,3,4,5,6\n1,2,3,4,5,6\n1,2,3,4,5,6\n", "line 4: more than three"},
        {std::string("1,2,3,4,5,6\n1,2,3,4,5,6\n1,2\0,3,4,5,6\n", 36), "line 3"},
    };
    for (const auto& [text, expected] : cases) {
        const auto result = parseState(text);
        ASSERT_TRUE(std::holds_alternative<UsageError>(result)) << expected;
        EXPECT_NE(std::get<UsageError>(result).message.find(expected), std::string::npos)
            << std::get<UsageError>(result).message;
    }
}

}  // namespace
}  // namespace pellomarin::cli
