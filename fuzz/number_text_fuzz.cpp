// Any double: numberText shows it with three significant digits (whole numbers from 100 on),
// correctly rounded, and "***" from 2^63. Zero and negative values get a text that reads back to
// the same double (the runner's pinned runs hold that it is the shortest), with ".0" behind whole
// numbers; NaN, whatever its sign, gets "nan".
#include <charconv>
#include <cmath>
#include <string>

#include "fuzz_input.h"
#include "number_text.h"

using pellomarin::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pellomarin::fuzz::Reader in(data, size);
    double x = in.number();
    // A ninth byte asks for a short decimal n / 10^p instead: random bit
    // patterns seldom land near the ties that short decimals sit on.
    if (in.more()) {
        const std::string decimal = std::to_string(std::bit_cast<std::uint64_t>(x) % 100'000'000) +
                                    "e-" + std::to_string(in.byte() % 24);
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), x);
    }
    std::string text = pellomarin::numberText(x);
    if (!(x > 0.0) || x >= 0x1p63) {
        double back = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        const bool whole = std::isfinite(x) && x == std::trunc(x) && text.find('e') == text.npos;
        require(x > 0.0 ? text == "***"
                : std::isnan(x)
                    ? text == "nan"
                    : std::bit_cast<std::uint64_t>(back) == std::bit_cast<std::uint64_t>(x) &&
                          (!whole || text.ends_with(".0")),
                "*** from 2^63, nan for NaN, else a text that reads back", text);
        return 0;
    }
    // As a decimal: the shown value, and one unit of its last digit.
    const auto comma = text.find(',');
    const auto fraction = comma == std::string::npos ? 0 : text.size() - comma - 1;
    const auto significant = text.find_first_not_of("0,");
    require(comma == std::string::npos ? text.size() >= 3 && text[0] != '0'
                                       : text.size() - significant - (comma > significant) == 3,
            "three significant digits", text);
    if (comma != std::string::npos)
        text[comma] = '.';
    double shown = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    const double unit = std::pow(10.0, -double(fraction));
    // Three digits come from x·10^k rounded to a double, so within a few
    // units in its last place of a tie either way may be taken.
    require(std::abs(shown - x) <= 0.5 * unit * (1 + 0x1p-40) + std::abs(x) * 0x1p-50,
            "within half a unit of the last digit", text);
    return 0;
}
