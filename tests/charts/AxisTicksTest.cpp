#include "charts/AxisTicks.h"
#include "CroatianLocale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <locale>
#include <sstream>

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// Log axes end on the 1-2-5 series and keep only decades when wide. Odd
// ranges fall back to a default.
TEST(AxisTicks, LogAxesEndOnTheOneTwoFiveSeries) {
    const struct {
        double smallest, largest;
        const char *expected;
    } cases[] = {
        {1, 100, "1..100: 1 2 5 10 20 50 100"},
        {90, 14210, "50..20000: 50 100 200 500 1000 2000 5000 10000 20000"},
        {1, 1000, "1..1000: 1 2 5 10 20 50 100 200 500 1000"},
        {1, 1001, "1..10000: 1 10 100 1000 10000"},
        {3, 200000, "1..1000000: 1 10 100 1000 10000 100000 1000000"},
        {0.03, 0.4, "0.02..0.5: 0.02 0.05 0.1 0.2 0.5"},
        {100, 100, "50..200: 50 100 200"},
        {70, 70, "20..200: 20 50 100 200"},
        {120, 180, "50..500: 50 100 200 500"},
        {0, 10, "1..10: 1 2 5 10"},
        {10, 1, "1..10: 1 2 5 10"},
        {nan, 5, "1..10: 1 2 5 10"},
        {2, infinity, "1..10: 1 2 5 10"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(std::to_string(row.smallest) + ", " + std::to_string(row.largest));
        EXPECT_EQ(row.expected, ::testing::PrintToString(logAxisTicks(row.smallest, row.largest)));
    }
}

// Linear axes take the values' spread with a margin, in nice steps; they
// start at 0 only when the values come near it. Odd ranges fall back to a
// default.
TEST(AxisTicks, LinearAxesFitTheValuesWithAMargin) {
    const struct {
        double smallest, largest;
        int intervals;
        const char *expected;
    } cases[] = {
        {0, 37.4, 5, "0..40: 0 10 20 30 40"},
        {10, 38, 5, "0..40: 0 10 20 30 40"},
        // 40 itself would lie on the frame: the margin takes the axis on.
        {0, 40, 5, "0..50: 0 10 20 30 40 50"},
        {39.2, 57.5, 5, "35..60: 35 40 45 50 55 60"},
        {12.1, 13.3, 6, "12..13.5: 12 12.5 13 13.5"},
        {588, 1873, 6, "0..2000: 0 500 1000 1500 2000"},
        {1500, 1839, 4, "1400..2000: 1400 1600 1800 2000"},
        {40, 40, 5, "38..42: 38 39 40 41 42"},
        {7, 7, 0, "6..8: 6 8"},
        {0.35, 0.7, 5, "0..0.8: 0 0.2 0.4 0.6 0.8"},
        {3e6, 3e6, 5, "2800000..3200000: 2800000 2900000 3000000 3100000 3200000"},
        {0, 0, 5, "0..1: 0 0.2 0.4 0.6 0.8 1"},
        {-5, 4, 4, "0..1: 0 0.5 1"},
        {10, 5, 4, "0..1: 0 0.5 1"},
        {nan, 1, 1, "0..1: 0 1"},
        {1, infinity, 1, "0..1: 0 1"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(std::to_string(row.smallest) + ", " + std::to_string(row.largest) + ", " +
                     std::to_string(row.intervals));
        EXPECT_EQ(row.expected, ::testing::PrintToString(
                                    linearAxisTicks(row.smallest, row.largest, row.intervals)));
    }
}

TEST(AxisTicks, LabelsAreTheSameInACommaLocale) {
    const CroatianLocale comma;
    ASSERT_TRUE(comma.active());
    std::ostringstream out;
    out.imbue(std::locale());
    out << linearAxisTicks(0, 0.45, 5);
    EXPECT_EQ("0..0.5: 0 0.1 0.2 0.3 0.4 0.5", out.str());
    EXPECT_EQ("0.0001 123456789 2.5 1e+20 -0.5", tickLabel(0.0001) + " " + tickLabel(123456789) +
                                                     " " + tickLabel(2.5) + " " + tickLabel(1e20) +
                                                     " " + tickLabel(-0.5));
}

} // namespace
