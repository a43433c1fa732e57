#include "text_fields.h"

#include <charconv>
#include <cmath>

namespace pellomarin {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto end = text.find(separator, start);
        parts.push_back(trimmed(text.substr(start, end - start)));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::optional<double> finiteNumber(std::string_view text) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string quoted(std::string_view text) {
    std::string out = "'";
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if ((code < 0x20 && c != '\t') || code == 0x7f) {
            constexpr std::string_view hex = "0123456789abcdef";
            out += "\\x";
            out += hex[code >> 4];
            out += hex[code & 0xf];
        } else {
            out += c;
        }
    }
    return out + "'";
}

}  // namespace pellomarin
