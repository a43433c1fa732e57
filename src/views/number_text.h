#pragma once

#include <string>

namespace pellomarin {

// Three significant digits with a decimal comma and no exponent: "0,500",
// "12,3", "12346"; "***" from 2^63 up, "0.0" for zero and "nan" for NaN.
// The same in every locale.
std::string numberText(double x);

// printf's "%1.3G" in the C locale: "1.23", "1.23E+04", "5E-07", "INF", "NAN".
std::string accelerationText(double x);

}  // namespace pellomarin
