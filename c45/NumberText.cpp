#include "c45/NumberText.h"

#include <charconv>
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
