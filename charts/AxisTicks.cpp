// Tick positions on the 1, 2, 5 series. Values of the series are built from
// their integer index rather than by repeated multiplication, so that a tick
// such as 0.2 or 0.6 is the double nearest to it and its label stays short.
#include "charts/AxisTicks.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

constexpr std::array<int, 3> mantissas{1, 2, 5};

// multiple x 10^exponent, correctly rounded for a negative exponent too.
double scaled(double multiple, int exponent) {
    return exponent >= 0 ? multiple * std::pow(10.0, exponent)
                         : multiple / std::pow(10.0, -exponent);
}

int floorDivide(int a, int b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// The value with index n of 1, 2, 5, 10, 20, ... (index 0 is 1).
double seriesValue(int n) {
    return scaled(mantissas[n - 3 * floorDivide(n, 3)], floorDivide(n, 3));
}

// Rounding slack: a value a few ulps off a series value counts as on it.
constexpr double slack = 1e-9;

// The index of the largest series value not above x (x > 0).
int seriesFloor(double x) {
    int n = 3 * static_cast<int>(std::floor(std::log10(x)));
    while (seriesValue(n) > x * (1 + slack))
        --n;
    while (seriesValue(n + 1) <= x * (1 + slack))
        ++n;
    return n;
}

// The index of the smallest series value not below x (x > 0).
int seriesCeiling(double x) {
    const int n = seriesFloor(x);
    return seriesValue(n) >= x * (1 - slack) ? n : n + 1;
}

AxisTicks ticksBetween(int low, int high, int stride) {
    AxisTicks ticks;
    ticks.low = seriesValue(low);
    ticks.high = seriesValue(high);
    for (int n = low; n <= high; n += stride)
        ticks.values.push_back(seriesValue(n));
    return ticks;
}

// The fewest ticks, in at most maxIntervals steps of the 1, 2, 5 series, from
// the last tick at or below low to the first at or above high (low < high).
AxisTicks ticksAround(double low, double high, int maxIntervals) {
    maxIntervals = std::max(maxIntervals, 1);
    // Start one decade below the step that could do and take the first that does.
    const int exponent = static_cast<int>(std::floor(std::log10((high - low) / maxIntervals))) - 1;
    for (int e = exponent;; ++e)
        for (const int mantissa : mantissas) {
            const double step = scaled(mantissa, e);
            const double first = std::floor(low / step * (1 + slack));
            const double last = std::ceil(high / step * (1 - slack));
            if (last - first > maxIntervals)
                continue;
            AxisTicks ticks;
            for (double i = first; i <= last; ++i)
                ticks.values.push_back(scaled(i * mantissa, e));
            ticks.low = ticks.values.front();
            ticks.high = ticks.values.back();
            return ticks;
        }
}

} // namespace

AxisTicks logAxisTicks(double smallest, double largest) {
    if (!(smallest > 0) || !(largest >= smallest) || !std::isfinite(largest))
        return logAxisTicks(1, 10);
    int low = seriesFloor(smallest);
    int high = seriesCeiling(largest);
    // Fewer than three ticks would hardly tell where a point lies.
    if (high - low < 2) {
        --low;
        ++high;
    }
    if (seriesValue(high) <= 1000 * seriesValue(low) * (1 + slack))
        return ticksBetween(low, high, 1);
    // Three indices make a decade; a wide axis is labelled at its decades only.
    return ticksBetween(3 * floorDivide(low, 3), 3 * floorDivide(high + 2, 3), 3);
}

AxisTicks linearAxisTicks(double smallest, double largest, int maxIntervals) {
    if (!(smallest >= 0) || !(largest >= smallest) || !std::isfinite(largest) || largest == 0)
        return ticksAround(0, 1, maxIntervals);
    const double spread = largest - smallest;
    const double margin = (spread > 0 ? spread : largest) / 20;
    const bool fromZero = smallest <= spread || smallest - margin <= 0;
    return ticksAround(fromZero ? 0 : smallest - margin, largest + margin, maxIntervals);
}

std::string tickLabel(double value) {
    char text[64];
    const double magnitude = std::fabs(value);
    const bool plain = magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e15);
    const auto result =
        plain ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed)
              : std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::ostream &operator<<(std::ostream &out, const AxisTicks &ticks) {
    out << tickLabel(ticks.low) << ".." << tickLabel(ticks.high) << ':';
    for (const double value : ticks.values)
        out << ' ' << tickLabel(value);
    return out;
}
