// printf-style formatting of one value, for the learner's C4.5 output layout.
#pragma once

#include <string>

std::string format(const char *pattern, double value);
std::string format(const char *pattern, int value);
std::string format(const char *pattern, long long value);
