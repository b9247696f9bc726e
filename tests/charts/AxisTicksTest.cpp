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

struct LogCase {
    double smallest;
    double largest;
    const char *expected;
};

TEST(AxisTicks, LogAxisEndsOnTheOneTwoFiveSeriesAndKeepsDecadesWhenWide) {
    const LogCase cases[] = {
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
    for (const LogCase &row : cases) {
        SCOPED_TRACE(std::to_string(row.smallest) + " to " + std::to_string(row.largest));
        EXPECT_EQ(row.expected, text(logAxisTicks(row.smallest, row.largest)));
    }
}

struct LinearCase {
    double largest;
    int maxIntervals;
    const char *expected;
};

TEST(AxisTicks, LinearAxisStartsAtZeroWithNiceSteps) {
    const LinearCase cases[] = {
        {37.4, 5, "0..40: 0 10 20 30 40"},
        {40, 5, "0..40: 0 10 20 30 40"},
        {40.1, 5, "0..50: 0 10 20 30 40 50"},
        {1234, 6, "0..1500: 0 500 1000 1500"},
        {0.07, 5, "0..0.08: 0 0.02 0.04 0.06 0.08"},
        {3e6, 5, "0..3000000: 0 1000000 2000000 3000000"},
        {7, 0, "0..10: 0 10"},
        {0, 5, "0..1: 0 0.2 0.4 0.6 0.8 1"},
        {-5, 4, "0..1: 0 0.5 1"},
        {nan, 1, "0..1: 0 1"},
    };
    for (const LinearCase &row : cases) {
        SCOPED_TRACE(std::to_string(row.largest) + " in " + std::to_string(row.maxIntervals));
        EXPECT_EQ(row.expected, text(linearAxisTicks(row.largest, row.maxIntervals)));
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
