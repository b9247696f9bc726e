// Axis ranges and tick positions for the series chart, free of any drawing so
// that they can be checked on their own: a logarithmic axis for the number of
// attributes and linear axes fitted to the errors and the tree sizes.
#pragma once

#include <ostream>
#include <string>
#include <vector>

struct AxisTicks {
    double low = 0;             // the axis starts here...
    double high = 1;            // ...and ends here, low < high
    std::vector<double> values; // labelled ticks, ascending, low and high among them
};

// A logarithmic axis covering [smallest, largest], both positive and finite,
// smallest <= largest. Its ends are the nearest values of the 1, 2, 5 series
// (1, 2, 5, 10, 20, ...) at or outside the range. Up to three decades every such
// value is a tick; a wider axis ends at powers of ten and has a tick at each.
// An axis that would have fewer than three ticks gets one more step on both
// sides (100 gives 50 to 200, 70 gives 20 to 200). Arguments outside these
// bounds give the axis 1 to 10.
AxisTicks logAxisTicks(double smallest, double largest);

// A linear axis for values from smallest to largest (both finite, not
// negative, smallest <= largest), in at most maxIntervals (taken as 1 when
// smaller) equal steps of 1, 2 or 5 times a power of ten. The values are
// widened by a twentieth of their spread on both sides (of the value itself
// when they are all one value), and the axis ends on the first ticks at or
// beyond that. It starts at 0 when the values lie closer to 0 than their
// spread, or the margin reaches 0; otherwise at a tick below the values,
// so that a few points of difference fill the axis. Values outside these
// bounds, or all 0, give 0 to 1.
AxisTicks linearAxisTicks(double smallest, double largest, int maxIntervals);

// The shortest text that reads back as value, in every locale: plain digits
// with a point, no exponent, between 1e-4 and 1e15 ("0.05", "2.5", "20000");
// outside that range the exponent form of std::to_chars ("1e+20").
std::string tickLabel(double value);

// "1..10: 1 2 5 10", the ends and then the ticks, written by tickLabel.
std::ostream &operator<<(std::ostream &out, const AxisTicks &ticks);
