#include "state_file.h"

#include "number_form.h"

namespace pellomarin {

std::variant<StartState, InputError> parseState(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);  // editors on Windows put one in front
    StartState balls;
    int found = 0;
    int lineNumber = 0;
    for (std::string_view line : split(text, '\n')) {
        ++lineNumber;
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty())
            continue;
        const std::string where = "state line " + std::to_string(lineNumber);
        if (found == 3)
            return InputError{where + ": more than three balls"};
        const auto fields = split(line, ',');
        if (fields.size() != 6)
            return InputError{where + ": expected x,y,z,vx,vy,vz, got " + quoted(line)};
        std::array<double, 6> values;
        for (int k = 0; k < 6; ++k) {
            const auto value = finiteNumber(fields[k]);
            if (!value)
                return InputError{where + ": " + quoted(fields[k]) + " is not a finite number"};
            values[k] = *value;
        }
        balls[found++] = {{{values[0], values[1], values[2]}}, {{values[3], values[4], values[5]}}};
    }
    if (found < 3)
        return InputError{"state: expected three balls, found " + std::to_string(found)};
    return balls;
}

BallList startBalls(const StartState& state, const std::array<double, 3>& masses) {
    BallList balls;
    for (int i = 0; i < 3; ++i)
        balls[i] = std::make_shared<Ball>(i, state[i].position, masses[i], state[i].movement);
    return balls;
}

std::string startFileText(const RunStart& start) {
    const auto& m = start.masses;
    std::string text = "# pellomarin-run --masses " + shortestText(m[0]) + ',' +
                       shortestText(m[1]) + ',' + shortestText(m[2]) + " --gravity " +
                       shortestText(start.gravitationalConstant) + " --period " +
                       shortestText(start.periodMs);
    if (start.method != IntegrationMethod::euler)
        (text += " --integrator ") += methodName(start.method);
    if (start.law != ForceLaw::inverseDistance)
        (text += " --law ") += lawName(start.law);
    text += " --state -\n";
    for (const BallState& ball : start.balls) {
        const char* separator = "";
        for (const Triple* v : {&ball.position, &ball.movement}) {
            for (const double component : v->vector) {
                (text += separator) += shortestText(component);
                separator = ",";
            }
        }
        text += '\n';
    }
    return text;
}

}  // namespace pellomarin
