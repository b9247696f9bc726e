// tcw run: C4.5 on a file set as the workbench's "Pokreni C4.5" runs it.
#include "Command.h"
#include "Options.h"
#include "RunReport.h"

#include <iostream>

int runRunC45(const Arguments &arguments) {
    Arguments rest = arguments;
    C45RunRequest request;
    request.optionText = optionText(takeC45Options(rest));
    std::string stem;
    std::string saveAs;
    OptionParser parser("run --stem STEM [-s] [-m N] [-c CF] [-t N] [--per-category] [--c45 PATH] [--save FILE]",
                        "Runs C4.5 on STEM.names and STEM.data (with -u when STEM.test can be "
                        "read) and prints\nwhat the workbench shows of the run: the C4.5 page, "
                        "the confusion matrix and the\nmeasures. A sparse set (STEM.data.svm "
                        "without STEM.data) is run with -L. C4.5's\noptions -s, -m N, -c CF "
                        "and -t N are passed on in that order.");
    parser.text("stem", "STEM", stem, "file stem, or the path of the .names file");
    parser.flag("per-category", request.perCategory,
                "one tree per category against the rest (a sparse set; C4.5's -Y)");
    parser.text("c45", "PATH", request.program, "the C4.5 program (default ./c4.5.exe)");
    parser.text("save", "FILE", saveAs, "save C4.5's output as a .c45p file (name used as given)");
    if (!parser.parse(rest, std::cout))
        return 0;
    if (!parser.given("stem"))
        throw UsageError("--stem is required");
    request.namesPath = stem;
    request.sparse = isSparseFileSet(stemOfNamesPath(stem));
    if (request.perCategory && !request.sparse)
        throw UsageError("--per-category needs a sparse file set (STEM.data.svm)");
    return runAndReport(request, saveAs, std::cout);
}
