#pragma once

#include <QColor>
#include <array>

namespace pellomarin {

// The colour of each ball by index: red, green, yellow.
inline const std::array<QColor, 3> ballColors{QColor(Qt::red), QColor(Qt::green),
                                              QColor(Qt::yellow)};

}  // namespace pellomarin
