#include <gtest/gtest.h>

#include <cmath>
#include <ranges>
#include <set>
#include <sstream>

#include "run_options.h"
#include "run_runner.h"

#if PELLOMARIN_PICTURES
#include <QImage>
#include <QPolygonF>
#include <QRegularExpression>
#include <QXmlStreamReader>
#endif

namespace pellomarin::cli {
namespace {

using support::Folder;
using support::runRunner;

// A refusal whose one-line message names what is wrong.
::testing::AssertionResult refused(const auto& result, std::string_view expected) {
    const auto* error = std::get_if<UsageError>(&result);
    if (error && error->message.find(expected) != std::string::npos &&
        error->message.find_first_of("\n\r") == std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << (error ? error->message : "accepted");
}

TEST(RunnerArguments, EveryOptionItsDefaultAndOneLineRefusals) {
    const auto seen = *std::get<RunOptions>(parseArguments({"--picture", "a.svg", "--fit", "--turn",
                                                            "-400", "--tilt", "89"}))
                           .picture;
    EXPECT_EQ(std::tuple(seen.fit, seen.turn, seen.tilt), std::tuple(true, -400.0, 89.0));
    // Each refusal names what is wrong (the row's first word, or what follows its '|'), on one
    // line: control characters are escaped.
    // clang-format off
    const std::string_view rows[] = {
        "--masses 1,,2", "--gravity inf", "--period 0", "--seed 18446744073709551616",
        "--steps 1.5", "--every 0", "--state ", "--integrator rk4", "--law hooke",
        "--picture a.jpg", "--size 15x800 --picture a.png", "--size 800x16385 --picture a.png",
        "--turn inf --picture a.png", "--tilt -89.5 --picture a.png",
        "--state - --start figure-eight|--start: not with --state",
        "--steps|--steps: missing value", "--gravity 5\r\n|got '5\\x0d\\x0a'",
        "--seed 1 --bogus|unknown argument '--bogus'", "--size 20x20|--size: only with --picture",
        "--turn 1|--turn: only with --picture", "--fit|--fit: only with --picture"};
    // clang-format on
    for (const std::string_view row : rows) {
        const auto bar = row.find('|');
        std::vector<std::string_view> argv;
        for (const auto word : std::views::split(row.substr(0, bar), ' '))
            argv.emplace_back(word.begin(), word.end());
        EXPECT_TRUE(refused(parseArguments(argv), bar == row.npos ? argv[0] : row.substr(bar + 1)))
            << row;
    }
}

TEST(StateFile, ThreeLinesOfSixFiniteNumbers) {
    const auto state = std::get<0>(
        parseState("\xEF\xBB\xBF# x,y,z,vx,vy,vz\n1,2,3,0.1,0.2,0.3\n\n -1 , -2 , -3 , 0 , 0 , 0 # "
                   "one\r\n0,0,0,1e-3,0,-0"));
    EXPECT_EQ(state[0].movement, (Triple{{0.1, 0.2, 0.3}}));
    EXPECT_EQ(state[1].position, (Triple{{-1, -2, -3}}));
    EXPECT_EQ(state[2].movement, (Triple{{1e-3, 0, 0}}));
    const std::string ok = "1,2,3,4,5,6\n1,2,3,4,5,6\n";
    const std::vector<std::pair<std::string, std::string>> refusals = {
        {ok, "state: expected three balls, found 2"},
        {ok + "1,2,3,4,5\n", "state line 3: expected x,y,z,vx,vy,vz"},
        {ok + "1,2,nan,4,5,6\n", "state line 3: 'nan' is not a finite number"},
        {ok + "1,2,3,4,5,6\n1,2,3,4,5,6\n", "state line 4: more than three"},
        {"1,2,3,4,5,\x1b[2J\n", "state line 1: '\\x1b[2J'"}};
    for (const auto& [text, expected] : refusals)
        EXPECT_TRUE(refused(parseState(text), expected));
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> all;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        all.push_back(line);
    return all;
}

// Pinned: a change in the order of any operation of the step, a method, a
// law or the start, or randomness from the library, shows here. A period of
// 10 ms: a time step of 1/3 rounds every product, so a fused multiply-add shows too.
TEST(Runner, SeededRunsLandOnTheSameBitsEverywhere) {
    const std::string rows = "--seed 7 --masses 1,2,3 --period 10 --steps 1000 --every ",
                      conserved =
                          "--seed 7 --steps 4000 --integrator accurate --conserved --describe";
    // The arguments, the number of lines and one of them.
    const std::tuple<std::string, std::size_t, std::size_t, std::string> pins[] = {
        {"--seed 7", 4, 0, "step,ball,x,y,z,vx,vy,vz,ax,ay,az"},
        {rows + "400", 13, 12,  // steps 0, 400, 800 and 1000
         "1000,2,16.304274304298417,-1.4225482807161465,7.333578994325247,0.20866566388420527,"
         "0.133404938845565,-0.887179324530158,-0.11938732407494652,0.015172659102923102,"
         "-0.05629468619497606"},
        {rows + "1000 --conserved --integrator leapfrog", 7, 0,
         "step,ball,x,y,z,vx,vy,vz,ax,ay,az,energy"},
        {rows + "1000 --conserved --integrator leapfrog", 7, 6,
         "1000,2,2.190521418231174,2.4927694874458957,-3.4185287904392814,-0.4620961800556776,"
         "0.08876394598665334,0.23847579047096504,-0.10172082477391312,-0.07979778985196351,"
         "0.2357384153264224,156.89736175490543"},
        {rows + "1000 --conserved --law newton --gravity 2", 7, 6,
         "1000,2,-178.95545746542774,17.477758293155457,-231.2798113723326,-0.7806190062555194,"
         "-0.1768960473827791,-0.36460775876691254,5.751521535004786e-06,-1.7555730086351427e-07,"
         "6.914696251805162e-06,3.571813145216794"},
        // The accurate method keeps both within 1e-9 of their start over 4,000 units.
        {conserved, 5, 3, "energy:\t87.45014381787018\t87.45014381786778\t-2.74628987674503e-14"},
        {conserved, 5, 4,
         "angular momentum:\t(39.11999999999997, 282.4800000000001, 135.1200000000001)\t"
         "(39.11999999999467, 282.4799999999701, 135.11999999998636)\t-1.0573682315489157e-13"}};
    for (const auto& [arguments, count, line, expected] : pins) {
        const auto out = lines(runRunner(arguments).out);
        ASSERT_EQ(out.size(), count) << arguments;
        EXPECT_EQ(out[line], expected) << arguments;
    }
}

// Nothing on standard output and one line on standard error that says why:
// refused before the first step (2), or a write failed (1) with the system's reason.
TEST(Runner, FailuresGetOneLineThatSaysWhy) {
    const Folder dir;
    // clang-format off
    std::vector<std::tuple<std::string, std::string, int, std::string>> rows{
        {"--period 1e300", "", 2, "--period"}, {"--masses 1e300,1,1", "", 2, "--masses"},
        {"--state /nonexistent/state.csv", "", 2, "No such file"},
        {"--state /tmp", "", 2, "folder"}, {"--state -", "", 2, "state line 1"},
        {"--picture /nonexistent/a.svg", "", 2, "--picture"},
        {"--start nosuch", "", 2, "--start: no start named 'nosuch'"},
        {"--seed 1 --steps 100000 --every 1 >/dev/full", "", 1, "No space left"}};
    // clang-format on
    // A file-size limit of 4 blocks stops either picture (8 and 22 KiB) part way.
    for (const char* picture : {"a.png", "a.svg"})
        if (PELLOMARIN_PICTURES)
            rows.emplace_back(
                "--seed 7 --steps 300 --picture " + (dir.path / picture).string() + " >/dev/null",
                "trap '' XFSZ; ulimit -f 4;", 1, "File too large");
    for (const auto& [arguments, setup, status, reason] : rows) {
        const auto result = runRunner(arguments, "1,2,3\n", setup);
        EXPECT_EQ(std::tuple(result.status, result.out, lines(result.err).size()),
                  std::tuple(status, "", 1u))
            << arguments;
        EXPECT_NE(result.err.find(reason), std::string::npos) << result.err;
    }
}

// A state file's own command gives each of the masses, constant, period,
// method and law that the command line leaves out.
TEST(Runner, AStateFileRunsByItsOwnCommandWhereTheCommandLineIsSilent) {
    const std::string
        balls = "-100,0,-49,0.5,0,0\n150,0,49,-1,0.5,0\n-50,0,0,0.3,0,0.4\n",
        own = "--masses 1,2,3 --gravity 2 --period 10 --integrator leapfrog --law newton ",
        run = "--steps 30 --conserved --describe --state - ";
    const std::string file = "\xEF\xBB\xBF# pellomarin-run " + own + "--state -\r\n" + balls;
    for (const std::string& given :
         {std::string(), std::string("--masses 3,2,1 --gravity 3 --period 20 --integrator accurate "
                                     "--law inverse-distance ")}) {
        const auto result = runRunner(run + given, file);
        EXPECT_EQ(result.out, runRunner(run + (given.empty() ? own : given), balls).out) << given;
        EXPECT_EQ(lines(result.out).size(), 5u) << result.err;
    }
}

// Each shipped start runs; the periodic ones (one turn in 600 steps) are back
// where they began after ten turns, the energy kept within 1e-8.
TEST(Runner, TheShippedStartsRunAndThePeriodicOnesClose) {
    std::set<std::string> periodic{"figure-eight", "lagrange-triangle", "euler-line",
                                   "lagrange-triangle-inverse-distance",
                                   "euler-line-inverse-distance"};
    for (const std::string& name : lines(runRunner("--list-starts").out)) {
        const auto rows =
            lines(runRunner("--start " + name + " --steps 6000 --every 6000 --conserved").out);
        ASSERT_EQ(rows.size(), 7u) << name;
        if (!periodic.erase(name))
            continue;
        const auto numbers = [&rows](int row) {
            std::vector<double> values;
            for (const auto field : std::views::split(rows[row], ','))
                values.push_back(std::stod(std::string(field.begin(), field.end())));
            return values;
        };
        const double energy = numbers(1).back();
        EXPECT_LE(std::fabs((numbers(4).back() - energy) / energy), 1e-8) << name;
        for (int ball = 1; ball <= 3; ++ball)
            for (int k = 2; k < 5; ++k)
                EXPECT_NEAR(numbers(ball + 3)[k], numbers(ball)[k], 1e-3) << name << " " << ball;
    }
    EXPECT_TRUE(periodic.empty());
}

#if PELLOMARIN_PICTURES
// Straight lines at constant speed (a negligible constant, a time step of
// 10): ball 0 from (40, 50.5) to (140, 50.5) on the picture, ball 1 from
// beyond the right edge to (190, 149.5), ball 2 still at (90, 100); momentum
// and centre of mass zero. Rows at .5 fall on pixel centres: one pixel high.
TEST(Runner, PicturesDrawEachPathWhereItsBallWentCutAtTheFrame) {
    const Folder dir;
    const std::string run = "--gravity 1e-300 --period 300 --steps 10 --state - --size 280x200 ",
                      state = "-100,0,-49.5,1,0,0\n150,0,49.5,-1,0,0\n-50,0,0,0,0,0\n";
    for (const char* picture : {"p.png", "p.svg", "n.png --no-paths"})
        ASSERT_EQ(runRunner(run + "--picture " + (dir.path / picture).string(), state).status, 0);
    const QImage png(QString::fromStdString((dir.path / "p.png").string()));
    const auto at = [&](double x, double y) { return png.pixel(int(x), int(y)); };
    QXmlStreamReader svg(QByteArray::fromStdString(support::fileText(dir.path / "p.svg")));
    std::map<QString, QPolygonF> paths;  // by colour, each point where the pen went
    std::map<QString, std::array<double, 3>> circles;
    static const QRegularExpression move(R"(([Ml]?) ?(-?[\d.]+) ?(-?[\d.]+))");
    while (!svg.atEnd()) {
        if (svg.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto value = [&](const char* name) { return svg.attributes().value(name); };
        if (svg.name() == u"circle")
            circles[value("fill").toString()] = {value("cx").toDouble(), value("cy").toDouble(),
                                                 value("r").toDouble()};
        QPointF pen;
        for (const auto& m : move.globalMatch(svg.name() == u"path" ? value("d") : u""))
            paths[value("stroke").toString()]
                << (pen = QPointF(m.captured(2).toDouble(), m.captured(3).toDouble()) +
                          (m.captured(1) == "M" ? QPointF() : pen));
    }
    ASSERT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(QImage(QString::fromStdString((dir.path / "n.png").string())).pixel(90, 50), black);
    // Each ball's colour, its disc's centre, and its path's ends on the same row.
    for (const auto& [colour, centre, from, to] :
         std::vector<std::tuple<QString, QPointF, double, double>>{
             {"#ff0000", {140, 50.5}, 40, 140},
             {"#00ff00", {190, 149.5}, 190, 281},  // cut a pixel beyond the edge
             {"#ffff00", {90, 100}, 90, 90}}) {    // no path
        SCOPED_TRACE(colour.toStdString());
        const QRgb rgb = QColor(colour).rgb();
        const double row = centre.y(), middle = (from + to) / 2;
        EXPECT_EQ(paths[colour].boundingRect(),
                  from == to ? QRectF() : QRectF(from, row, to - from, 0));
        if (from != to) {
            EXPECT_EQ(std::tuple(at(middle, row - 1), at(middle, row), at(middle, row + 1),
                                 at(std::min(to, 279.0), row)),
                      std::tuple(black, rgb, black, rgb));  // and up to the edge
        }
        const auto [cx, cy, r] = circles[colour];
        EXPECT_EQ(QPointF(cx, cy), centre);
        EXPECT_EQ(std::tuple(at(cx, cy), at(cx, cy - r + 1.5), at(cx, cy - r - 1.5)),
                  std::tuple(rgb, rgb, black));
    }
}

// Fitted, the whole run lies inside the picture, off its edge and within the margin of it: seed 3,
// which leaves the fixed view, turned and tilted, and balls that stay near the centre.
TEST(Runner, AFittedPictureHoldsTheWholeRunNearItsEdge) {
    const Folder dir;
    for (const std::string run : {"--seed 3 --steps 1500 --turn 30 --tilt 20", "--state -"}) {
        const std::string file = (dir.path / "fit.png").string(),
                          still = "30,0,0,0,0,0\n-30,0,0,0,0,0\n0,0,30,0,0,0\n";
        ASSERT_EQ(runRunner(run + " --size 200x160 --fit --picture " + file, still).status, 0);
        const QImage png(QString::fromStdString(file));
        int nearest = 100;  // of the lit pixels, to an edge
        for (int y = 0; y < png.height(); ++y)
            for (int x = 0; x < png.width(); ++x)
                if (png.pixel(x, y) != qRgb(0, 0, 0))
                    nearest = std::min({nearest, x, y, png.width() - 1 - x, png.height() - 1 - y});
        EXPECT_TRUE(nearest > 0 && nearest < 16) << run << ": " << nearest;
    }
}
#endif

}  // namespace
}  // namespace pellomarin::cli
