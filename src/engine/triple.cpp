#include "triple.h"

#include <cmath>

#include "number_form.h"

namespace pellomarin {

double length(const Triple& v) {
    return std::sqrt((v.x() * v.x() + v.y() * v.y()) + v.z() * v.z());
}

double Triple::cosine(const Triple& with) const {
    // The 0.0 start matters: it turns a -0.0 first product into +0.0.
    const double dot = ((with.x() * x() + 0.0) + with.y() * y()) + with.z() * z();
    return dot / (length(with) * length(*this));
}

std::string Triple::description() const {
    std::string text = "(";
    text += descriptionText(x());
    text += ", ";
    text += descriptionText(y());
    text += ", ";
    text += descriptionText(z());
    text += ')';
    return text;
}

}  // namespace pellomarin
