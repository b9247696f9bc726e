#include "Format.h"

#include <cstdio>

namespace {

// Room for the longest line formatted: an option's echo with a 20-digit value.
template <typename Value> std::string formatted(const char *pattern, Value value) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, pattern, value);
    return buffer;
}

} // namespace

std::string format(const char *pattern, double value) {
    return formatted(pattern, value);
}

std::string format(const char *pattern, int value) {
    return formatted(pattern, value);
}

std::string format(const char *pattern, long long value) {
    return formatted(pattern, value);
}
