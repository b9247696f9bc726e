// tcw: the workbench's engine without its window. "tcw COMMAND [options]";
// each command is one row of the table below.
#include "Command.h"
#include "Options.h"

#include "corpus/FileError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <new>
#include <system_error>

namespace {

const Command commands[] = {
    {"export", "parse a corpus (or load a state file) and write the C4.5 file set", runExport},
    {"save-state", "parse a corpus and save it as a .tpp state file", runSaveState},
    {"run", "run C4.5 on a file set and print its results and measures", runRunC45},
    {"show", "print the results and measures of a saved C4.5 output (.c45p)", runShow},
    {"trees", "print the decision tree of a saved C4.5 output", runTrees},
    {"draw", "draw the decision tree of a saved C4.5 output as SVG, PNG or DOT", runDraw},
    {"classify", "classify new texts with a saved run's tree, showing each path", runClassify},
    {"export-csv", "write the comma-separated result or category files", runExportCsv},
    {"experiment", "parse, select, write the file set, run C4.5, print the measures",
     runExperiment},
    {"series", "run an experiment for every combination of settings, write a CSV and a chart",
     runExperimentSeries},
};

void printUsage(std::ostream &out) {
    out << "Usage: tcw COMMAND [options]\n\nCommands:\n";
    for (const Command &command : commands)
        out << "  " << command.name << std::string(12 - std::strlen(command.name), ' ')
            << command.summary << '\n';
    out << "\nRun \"tcw COMMAND --help\" for the options of a command.\n";
}

// Output that never reached standard output (a full disk, /dev/full) is a
// failure, as in the GNU tools.
int checkedExit(int status) {
    errno = 0;
    std::cout.flush();
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && std::cout.good() && !std::ferror(stdout))
        return status;
    std::cerr << "tcw: write error"
              << (error != 0 ? ": " + std::generic_category().message(error) : std::string())
              << '\n';
    return status != 0 ? status : 1;
}

int runCommand(int argc, char **argv) {
    if (argc < 2) {
        printUsage(std::cerr);
        return 2;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "help") {
        printUsage(std::cout);
        return 0;
    }
    for (const Command &command : commands) {
        if (name != command.name)
            continue;
        try {
            return command.run(Arguments(argv + 2, argv + argc));
        } catch (const UsageError &error) {
            std::cerr << "tcw " << name << ": " << error.what() << "\nRun \"tcw " << name
                      << " --help\" for its options.\n";
            return 2;
        } catch (const FileError &error) {
            std::cout << std::flush;
            std::cerr << error.messageWithReason() << '\n';
            return 1;
        } catch (const std::bad_alloc &) {
            std::cout << std::flush;
            std::cerr << "tcw " << name << ": out of memory\n";
            return 1;
        } catch (const std::exception &error) {
            std::cout << std::flush;
            std::cerr << "tcw " << name << ": " << error.what() << '\n';
            return 1;
        }
    }
    std::cerr << "tcw: unknown command \"" << name << "\"\n";
    printUsage(std::cerr);
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    return checkedExit(runCommand(argc, argv));
}
