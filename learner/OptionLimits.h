// The values the learner takes for its options, and the lines it prints
// when it refuses a command line. The workbench checks the options it
// passes against the same limits (c45OptionsProblem) and quotes the same
// lines from a run that was refused (runFailure).
#pragma once

template <typename Number> struct OptionRange {
    Number low, high;
    bool holds(Number value) const { return value >= low && value <= high; }
};

inline constexpr OptionRange<long long> minCasesRange{1, 1000000};    // -m
inline constexpr OptionRange<double> confidenceRange{0.001, 100};     // -c, in percent
inline constexpr OptionRange<long long> trialsRange{1, 10000};        // -t
inline constexpr OptionRange<long long> windowItemsRange{1, 1000000}; // -w and -i

// Printed after the echo line of an option whose value is out of range.
inline constexpr const char *illegalValueLine = "\t** illegal value **";
// Printed for an unknown option, a stray argument or a missing value.
inline constexpr const char *unrecognisedOptionLine = "unrecognised option";
// Printed for -Y without -L and -u, or with windowing (-t, -w, -i).
inline constexpr const char *perCategoryLine =
    "\t** -Y needs -L and cannot be combined with -t, -w or -i **";
