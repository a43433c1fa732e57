// Any 64-bit pattern as a double: numberText and accelerationText keep their
// forms, numberText stays within half a unit of its last digit, and
// accelerationText agrees with the C library's printf.
#include <algorithm>
#include <array>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "number_text.h"
#include "property.h"

using pellomarin::fuzz::require;

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allDigits(const std::string& s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), isDigit);
}

// "123" + 1 = "124", "999" + 1 = "1000".
std::string incremented(std::string digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return "1" + digits;
}

// kept rounded by the dropped digits that followed it; within `slack` (a
// fraction of the last kept digit) of a tie, either way is allowed.
std::vector<std::string> roundings(const std::string& kept, const std::string& dropped,
                                   double slack) {
    const std::string head = "0." + dropped.substr(0, 30) + "0";
    double rest = 0.0;
    std::from_chars(head.data(), head.data() + head.size(), rest);
    std::vector<std::string> texts;
    if (rest <= 0.5 + slack)
        texts.push_back(kept);
    if (rest >= 0.5 - slack)
        texts.push_back(incremented(kept));
    return texts;
}

// Every text numberText may give for 0 < x < 2^63, worked out from the exact
// decimal expansion that glibc's printf writes. Three digits come from x·10^k
// rounded to a double (the double nearest 0.09995 lies a hair below it, yet
// shows "0,100"), so within a few units in the last place of that product
// (< 1000) of a tie they may go either way; whole numbers are rounded exactly.
std::vector<std::string> allowedNumberTexts(double x) {
    std::vector<char> buffer(1200);
    std::snprintf(buffer.data(), buffer.size(), "%.1074f", x);
    const std::string exact(buffer.data());
    const auto point = exact.find('.');
    const std::string whole = exact.substr(0, point);
    const std::string fraction = exact.substr(point + 1);

    const std::string digits = whole + fraction;
    const auto first = digits.find_first_not_of('0');
    // x = 0.d1d2d3... · 10^(e + 1) with d1 the first nonzero digit.
    const int e = static_cast<int>(whole.size()) - static_cast<int>(first) - 1;

    std::vector<std::string> texts;
    for (std::string t : roundings(digits.substr(first, 3), digits.substr(first + 3), 0x1p-42)) {
        int shownExponent = e;
        if (t.size() == 4) {  // 9.996 rounds to 10.0
            t.pop_back();
            ++shownExponent;
        }
        if (shownExponent >= 2) {
            for (const std::string& n : roundings(whole, fraction, 0.0))
                texts.push_back(n.substr(std::min(n.find_first_not_of('0'), n.size() - 1)));
        } else if (shownExponent == 1) {
            texts.push_back(t.substr(0, 2) + "," + t.substr(2));
        } else if (shownExponent == 0) {
            texts.push_back(t.substr(0, 1) + "," + t.substr(1));
        } else {
            texts.push_back("0," + std::string(static_cast<std::size_t>(-shownExponent - 1), '0') +
                            t);
        }
    }
    return texts;
}

void checkPositiveForm(const std::string& text) {
    if (allDigits(text)) {
        require(text.size() >= 3 && text[0] != '0', "a whole number of at least 100", text);
        return;
    }
    const auto comma = text.find(',');
    require(comma != std::string::npos && comma > 0 && comma <= 2, "a decimal comma", text);
    const std::string left = text.substr(0, comma);
    const std::string right = text.substr(comma + 1);
    require(allDigits(left) && allDigits(right), "digits around the comma", text);
    if (left == "0") {
        const auto significant = right.find_first_not_of('0');
        require(significant != std::string::npos && right.size() - significant == 3 &&
                    right[significant] != '0',
                "three digits behind the zeros", text);
    } else {
        require(left[0] != '0' && left.size() + right.size() == 3, "three significant digits",
                text);
    }
}

void checkNumberText(double x) {
    const std::string text = pellomarin::numberText(x);
    if (std::isnan(x)) {
        require(text == "nan", "NaN reads nan", text);
        return;
    }
    if (!(x > 0.0)) {
        // The shortest round-trip text, with ".0" behind a whole number
        // unless it has an exponent.
        std::array<char, 32> buffer;
        const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), x).ptr;
        const std::string shortest(buffer.data(), end);
        require(text == shortest || text == shortest + ".0", "shortest text", text);
        const auto point = text.find('.');
        require(
            text == "-inf" || text.find('e') != std::string::npos ||
                (point != std::string::npos && point + 1 < text.size() && isDigit(text[point + 1])),
            "a digit behind the point", text);
        double back = 0.0;
        const auto parsed = std::from_chars(text.data(), text.data() + text.size(), back);
        require(text == "-inf" || (parsed.ptr == text.data() + text.size() &&
                                   std::memcmp(&back, &x, sizeof x) == 0),
                "reads back to the same bits", text);
        return;
    }
    if (x >= 0x1p63) {
        require(text == "***", "*** from 2^63 up", text);
        return;
    }
    checkPositiveForm(text);
    const auto allowed = allowedNumberTexts(x);
    require(std::find(allowed.begin(), allowed.end(), text) != allowed.end(),
            "within half a unit of the last digit", text + " for " + allowed.front());
}

void checkAccelerationText(double x) {
    const std::string text = pellomarin::accelerationText(x);
    std::array<char, 64> buffer;
    std::snprintf(buffer.data(), buffer.size(), "%1.3G", x);
    const std::string printed = std::isnan(x) ? "NAN" : buffer.data();
    require(text == printed, "printf's %1.3G", text + " vs " + printed);

    // The form, spelled out: no more than three significant digits and an
    // exponent with a sign and two digits at least.
    const auto exponent = text.find('E');
    const std::string mantissa = text.substr(0, exponent);
    if (exponent != std::string::npos) {
        const std::string power = text.substr(exponent + 1);
        require(
            power.size() >= 3 && (power[0] == '+' || power[0] == '-') && allDigits(power.substr(1)),
            "a signed exponent of two digits at least", text);
    }
    if (mantissa == "INF" || mantissa == "-INF" || mantissa == "NAN")
        return;
    std::string significant;
    for (char c : mantissa)
        if (isDigit(c))
            significant += c;
    const auto first = significant.find_first_not_of('0');
    require(first == std::string::npos || significant.size() - first <= 3,
            "three significant digits at most", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, data, std::min(size, sizeof bits));
    double x = 0.0;
    std::memcpy(&x, &bits, sizeof x);
    // A ninth byte asks for a short decimal instead, n / 10^p: random bit
    // patterns seldom land near the ties that short decimals sit on.
    if (size > sizeof bits) {
        const std::string decimal =
            std::to_string(bits % 100'000'000) + "e-" + std::to_string(data[sizeof bits] % 24);
        std::from_chars(decimal.data(), decimal.data() + decimal.size(), x);
    }

    // snprintf is the reference only in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    checkNumberText(x);
    checkAccelerationText(x);

    // The texts must not depend on the C library's locale either.
    const std::string number = pellomarin::numberText(x);
    const std::string acceleration = pellomarin::accelerationText(x);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr) {
        const bool same =
            pellomarin::numberText(x) == number && pellomarin::accelerationText(x) == acceleration;
        std::setlocale(LC_NUMERIC, "C");
        require(same, "the same under a German locale", number);
    }
    return 0;
}
