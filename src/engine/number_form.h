#pragma once

#include <string>

namespace pellomarin {

// The shortest decimal text that reads back as the same double ("1", "0.1",
// "1e+300", "nan", "-inf").
std::string shortestText(double value);

// shortestText, with ".0" behind whole numbers: 1.0 reads "1.0", -3 reads "-3.0".
std::string descriptionText(double value);

}  // namespace pellomarin
