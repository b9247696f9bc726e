#include "c45/NumberText.h"

#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>

std::string numberToString(float value) {
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << static_cast<double>(value);
    return out.str();
}

std::string fixedNumber(double value, int decimals) {
    char text[400]; // DBL_MAX in full, its sign and decimals
    const std::to_chars_result written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return std::string(text, written.ptr);
}

std::optional<double> readDecimal(const std::string &text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    std::string number = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    const std::size_t comma = number.find(',');
    if (comma != std::string::npos && number.find('.') == std::string::npos)
        number[comma] = '.';
    double value = 0;
    const char *const end = number.data() + number.size();
    const std::from_chars_result read = std::from_chars(number.data(), end, value);
    if (read.ec != std::errc() || read.ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string smallBoldMarkup(const std::string &text) {
    std::string markup = "<small><b>";
    for (const char c : text) {
        switch (c) {
        case '&':
            markup += "&amp;";
            break;
        case '<':
            markup += "&lt;";
            break;
        case '>':
            markup += "&gt;";
            break;
        default:
            markup += c;
        }
    }
    return markup + "</b></small>";
}
