#include "charts/AxisTicks.h"
#include "CroatianLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

namespace {

std::string text(const AxisTicks &ticks) {
    std::ostringstream out;
    out << ticks;
    return out.str();
}

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// Log axes end on the 1-2-5 series and keep only decades when wide; linear
// axes start at zero with nice steps. Odd ranges fall back to a default.
TEST(AxisTicks, LogAndLinearAxesEndOnNiceValues) {
    const struct {
        bool log;
        double a, b; // smallest and largest, or largest and most intervals
        const char *expected;
    } cases[] = {
        {true, 1, 100, "1..100: 1 2 5 10 20 50 100"},
        {true, 90, 14210, "50..20000: 50 100 200 500 1000 2000 5000 10000 20000"},
        {true, 1, 1000, "1..1000: 1 2 5 10 20 50 100 200 500 1000"},
        {true, 1, 1001, "1..10000: 1 10 100 1000 10000"},
        {true, 3, 200000, "1..1000000: 1 10 100 1000 10000 100000 1000000"},
        {true, 0.03, 0.4, "0.02..0.5: 0.02 0.05 0.1 0.2 0.5"},
        {true, 100, 100, "50..200: 50 100 200"},
        {true, 70, 70, "20..200: 20 50 100 200"},
        {true, 120, 180, "50..500: 50 100 200 500"},
        {true, 0, 10, "1..10: 1 2 5 10"},
        {true, 10, 1, "1..10: 1 2 5 10"},
        {true, nan, 5, "1..10: 1 2 5 10"},
        {true, 2, infinity, "1..10: 1 2 5 10"},
        {false, 37.4, 5, "0..40: 0 10 20 30 40"},
        {false, 40, 5, "0..40: 0 10 20 30 40"},
        {false, 40.1, 5, "0..50: 0 10 20 30 40 50"},
        {false, 1234, 6, "0..1500: 0 500 1000 1500"},
        {false, 0.07, 5, "0..0.08: 0 0.02 0.04 0.06 0.08"},
        {false, 3e6, 5, "0..3000000: 0 1000000 2000000 3000000"},
        {false, 7, 0, "0..10: 0 10"},
        {false, 0, 5, "0..1: 0 0.2 0.4 0.6 0.8 1"},
        {false, -5, 4, "0..1: 0 0.5 1"},
        {false, nan, 1, "0..1: 0 1"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(std::to_string(row.a) + ", " + std::to_string(row.b));
        EXPECT_EQ(row.expected, text(row.log ? logAxisTicks(row.a, row.b)
                                             : linearAxisTicks(row.a, static_cast<int>(row.b))));
    }
}

TEST(AxisTicks, LabelsAreTheSameInACommaLocale) {
    const CroatianLocale comma;
    ASSERT_TRUE(comma.active());
    std::ostringstream out;
    out.imbue(std::locale());
    out << linearAxisTicks(0.45, 5);
    EXPECT_EQ("0..0.5: 0 0.1 0.2 0.3 0.4 0.5", out.str());
    EXPECT_EQ("0.0001 123456789 2.5 1e+20 -0.5", tickLabel(0.0001) + " " + tickLabel(123456789) +
                                                     " " + tickLabel(2.5) + " " + tickLabel(1e20) +
                                                     " " + tickLabel(-0.5));
}

} // namespace
