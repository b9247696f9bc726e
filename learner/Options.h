// Command-line options of the learner, read the way C4.5 release 8 reads them.
#pragma once

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

struct Options {
    std::string fileStem = "DF";
    bool evaluateTest = false;   // -u: also evaluate on STEM.test
    bool valueSubsets = false;   // -s: discrete tests branch on groups of values
    bool gainCriterion = false;  // -g: plain gain instead of gain ratio
    bool softThresholds = false; // -p: accepted and echoed; classification uses plain cuts
    bool sparseFiles = false;    // -L: cases from STEM.data.svm and STEM.test.svm (LIBSVM)
    bool perCategory = false;    // -Y: one binary tree per category (needs -L and -u)
    int minObjs = 2;             // -m
    float confidence = 0.25f;    // -c, as a fraction
    int verbosity = 0;           // -v: accepted and echoed, no trace is printed
    int trials = 0;              // -t; 0 means batch mode (no windowing)
    int windowSize = 0;          // -w; 0 means the default initial window
    int windowIncrement = 0;     // -i; 0 means the default increment limit
    bool windowing() const { return trials > 0; }
    // The training and test files of the stem.
    std::string dataFile() const { return fileStem + (sparseFiles ? ".data.svm" : ".data"); }
    std::string testFile() const { return fileStem + (sparseFiles ? ".test.svm" : ".test"); }
};

// A command line C4.5 refuses; what() is the text to print on its own line
// (unrecognisedOptionLine or illegalValueLine of OptionLimits.h).
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name left to right. Writes
// "\n    Options:\n" before the first option and one echo line per option, in
// command-line order, to out. Throws UsageError for an unknown option, a
// missing value or a value out of range (after that option's echo line):
// the ranges of OptionLimits.h; -v takes any value an int holds. After the
// last option, throws UsageError(perCategoryLine) if -Y comes without -L or
// with windowing.
Options parseOptions(const std::vector<std::string> &args, std::ostream &out);
