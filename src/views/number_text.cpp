#include "number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "number_form.h"

namespace pellomarin {

namespace {

// Correctly rounded 10^k: exp10 or pow may be an ulp off (glibc's exp10(3)
// is 1000.0000000000001), which turns 0.5005 into "0,501".
double powerOfTen(int k) {
    static const std::array<double, 309> table = [] {
        std::array<double, 309> powers{};
        for (int n = 0; n < 309; ++n) {
            const std::string text = "1e" + std::to_string(n);
            std::from_chars(text.data(), text.data() + text.size(), powers[n]);
        }
        return powers;
    }();
    return table[k];
}

// x · 10^k. Below 10^-306 the factor passes the largest double; two steps
// keep the digits (the exact rounding of such values is ours to choose).
double scaled(double x, int k) {
    if (k <= 308)
        return x * powerOfTen(k);
    return (x * powerOfTen(300)) * powerOfTen(k - 300);
}

}  // namespace

std::string numberText(double x) {
    if (!(x > 0.0))
        return descriptionText(x);
    if (x >= 0x1p63)
        return "***";

    int e = static_cast<int>(std::floor(std::log10(x)));
    if (e < 2 && std::round(scaled(x, 2 - e)) == 1000.0)
        ++e;  // 9.996 is taken as 10.0
    if (e >= 2)
        return std::to_string(static_cast<std::int64_t>(std::round(x)));

    const std::string t =
        std::to_string(static_cast<int>(std::round(scaled(x, 2 - e))));  // 100 to 999
    if (e == 1)
        return t.substr(0, 2) + "," + t.substr(2);
    if (e == 0)
        return t.substr(0, 1) + "," + t.substr(1);
    return "0," + std::string(static_cast<std::size_t>(-e - 1), '0') + t;
}

std::string accelerationText(double x) {
    if (std::isnan(x))
        return "NAN";  // whatever the sign bit
    std::array<char, 32> buffer;
    const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x,
                                   std::chars_format::general, 3)
                         .ptr;
    std::string text(buffer.data(), end);
    for (char& c : text)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    return text;
}

}  // namespace pellomarin
