#include "c45/NumberText.h"

#include <sstream>

std::string numberToString(float value) {
    std::ostringstream out;
    out << static_cast<double>(value);
    return out.str();
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
