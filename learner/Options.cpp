// Option parsing with C4.5's echo lines, ranges and atoi/atof value rules.
#include "Options.h"
#include "Format.h"
#include "OptionLimits.h"

#include "c45/CategoryReport.h"

#include <climits>
#include <cstdio>
#include <cstdlib>

namespace {

void checkRange(bool ok) {
    if (!ok)
        throw UsageError(illegalValueLine);
}

// A whole number read as atoi reads it (leading blanks, a sign, the digits
// up to the first other character, 0 for none), but without its wrap: a
// value beyond the range of long long stays at that range's end, so that
// 4294967298 is refused rather than taken as 2.
long long wholeNumber(const std::string &value) {
    return std::strtoll(value.c_str(), nullptr, 10);
}

} // namespace

Options parseOptions(const std::vector<std::string> &args, std::ostream &out) {
    Options options;
    bool echoed = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg.size() < 2 || arg[0] != '-')
            throw UsageError(unrecognisedOptionLine);
        const char letter = arg[1];
        const bool takesValue = std::string("fmctvwi").find(letter) != std::string::npos;
        std::string value;
        if (takesValue) {
            if (arg.size() > 2)
                value = arg.substr(2);
            else if (i + 1 < args.size())
                value = args[++i];
            else
                throw UsageError(unrecognisedOptionLine);
        } else if (arg.size() > 2 || std::string("usgpbLY").find(letter) == std::string::npos) {
            throw UsageError(unrecognisedOptionLine);
        }
        if (!echoed) {
            out << "\n    Options:\n";
            echoed = true;
        }
        const long long number = wholeNumber(value);
        switch (letter) {
        case 'f':
            options.fileStem = value;
            out << "\tFile stem <" << value << ">\n";
            break;
        case 'u':
            options.evaluateTest = true;
            out << "\tTrees evaluated on unseen cases\n";
            break;
        case 's':
            options.valueSubsets = true;
            out << "\tTests on discrete attribute groups\n";
            break;
        case 'g':
            options.gainCriterion = true;
            out << "\tGain criterion used\n";
            break;
        case 'p':
            options.softThresholds = true;
            out << "\tProbability thresholds used\n";
            break;
        case 'L':
            options.sparseFiles = true;
            out << "\tCases read from sparse (LIBSVM) files\n";
            break;
        case 'Y':
            options.perCategory = true;
            out << perCategoryEchoLine << '\n';
            break;
        case 'b':
            options.trials = 0;
            out << "\tWindowing disabled (now the default)\n";
            break;
        case 'v':
            out << format("\tVerbosity level %lld\n", number);
            checkRange(number >= INT_MIN && number <= INT_MAX);
            options.verbosity = static_cast<int>(number);
            break;
        case 'm':
            out << format("\tSensible test requires 2 branches with >=%lld cases\n", number);
            checkRange(minCasesRange.holds(number));
            options.minObjs = static_cast<int>(number);
            break;
        case 'c': {
            const double cf = std::atof(value.c_str());
            out << format("\tPruning confidence level %g%%\n", cf);
            checkRange(confidenceRange.holds(cf));
            options.confidence = static_cast<float>(cf / 100);
            break;
        }
        case 't':
            out << format("\tWindowing enabled with %lld trials\n", number);
            checkRange(trialsRange.holds(number));
            options.trials = static_cast<int>(number);
            break;
        case 'w':
            out << format("\tInitial window size of %lld items\n", number);
            checkRange(windowItemsRange.holds(number));
            options.windowSize = static_cast<int>(number);
            if (options.trials == 0)
                options.trials = 1;
            break;
        case 'i':
            out << format("\tMaximum window increment of %lld items\n", number);
            checkRange(windowItemsRange.holds(number));
            options.windowIncrement = static_cast<int>(number);
            if (options.trials == 0)
                options.trials = 1;
            break;
        }
    }
    if (options.perCategory && (!options.sparseFiles || options.windowing()))
        throw UsageError(perCategoryLine);
    return options;
}
