// tcw show: a saved C4.5 output as the workbench shows it after opening it.
#include "Command.h"
#include "Options.h"
#include "RunReport.h"

#include <iostream>

int runShow(const Arguments &arguments) {
    Arguments rest = arguments;
    const std::optional<std::string> file = takeOperand(rest);
    OptionParser parser("show FILE.c45p",
                        "Reads a saved C4.5 output and prints the C4.5 page, the confusion "
                        "matrix and the measures\n(for a per-category run, its table and "
                        "averages).");
    if (!parser.parse(rest, std::cout))
        return 0;
    if (!file)
        throw UsageError("name the .c45p file");
    C45Summary summary;
    const C45RunResult run = loadRun(*file, summary);
    printLoadedRun(run, summary, std::cout);
    return 0;
}
