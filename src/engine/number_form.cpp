#include "number_form.h"

#include <charconv>
#include <cmath>

namespace pellomarin {

std::string shortestText(double value) {
    if (std::isnan(value))
        return "nan";  // never "-nan": the sign of a NaN means nothing here
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return {buffer, result.ptr};
}

std::string descriptionText(double value) {
    std::string text = shortestText(value);
    if (text.find_first_of(".eni") == std::string::npos)
        text += ".0";
    return text;
}

}  // namespace pellomarin
