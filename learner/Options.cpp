// Option parsing with C4.5's echo lines, ranges and atoi/atof value rules.
#include "Options.h"
#include "Format.h"

#include <cstdio>
#include <cstdlib>

namespace {

void checkRange(bool ok) {
    if (!ok)
        throw UsageError("\t** illegal value **");
}

} // namespace

Options parseOptions(const std::vector<std::string> &args, std::ostream &out) {
    Options options;
    bool echoed = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg.size() < 2 || arg[0] != '-')
            throw UsageError("unrecognised option");
        const char letter = arg[1];
        const bool takesValue = std::string("fmctvwi").find(letter) != std::string::npos;
        std::string value;
        if (takesValue) {
            if (arg.size() > 2)
                value = arg.substr(2);
            else if (i + 1 < args.size())
                value = args[++i];
            else
                throw UsageError("unrecognised option");
        } else if (arg.size() > 2 || std::string("usgpbL").find(letter) == std::string::npos) {
            throw UsageError("unrecognised option");
        }
        if (!echoed) {
            out << "\n    Options:\n";
            echoed = true;
        }
        const int number = std::atoi(value.c_str());
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
        case 'b':
            options.trials = 0;
            out << "\tWindowing disabled (now the default)\n";
            break;
        case 'v':
            options.verbosity = number;
            out << format("\tVerbosity level %d\n", number);
            break;
        case 'm':
            options.minObjs = number;
            out << format("\tSensible test requires 2 branches with >=%d cases\n", number);
            checkRange(number >= 1 && number <= 1000000);
            break;
        case 'c': {
            const double cf = std::atof(value.c_str());
            out << format("\tPruning confidence level %g%%\n", cf);
            checkRange(cf >= 0.001 && cf <= 100);
            options.confidence = static_cast<float>(cf / 100);
            break;
        }
        case 't':
            options.trials = number;
            out << format("\tWindowing enabled with %d trials\n", number);
            checkRange(number >= 1 && number <= 10000);
            break;
        case 'w':
            options.windowSize = number;
            out << format("\tInitial window size of %d items\n", number);
            checkRange(number >= 1 && number <= 1000000);
            if (options.trials == 0)
                options.trials = 1;
            break;
        case 'i':
            options.windowIncrement = number;
            out << format("\tMaximum window increment of %d items\n", number);
            checkRange(number >= 1 && number <= 1000000);
            if (options.trials == 0)
                options.trials = 1;
            break;
        }
    }
    return options;
}
