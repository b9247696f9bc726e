// tcw trees: the decision tree of a saved C4.5 output, row by row.
#include "Command.h"
#include "Options.h"
#include "RunReport.h"

#include "c45/DecisionTreeText.h"

#include <iostream>

int runTrees(const Arguments &arguments) {
    Arguments rest = arguments;
    const std::optional<std::string> file = takeOperand(rest);
    bool simplified = false;
    OptionParser parser("trees FILE.c45p [--simplified]",
                        "Prints the rows of the decision-tree window, each indented by two blanks "
                        "per level.");
    parser.flag("simplified", simplified, "the tree after pruning");
    if (!parser.parse(rest, std::cout))
        return 0;
    if (!file)
        throw UsageError("name the .c45p file");
    C45Summary summary;
    const C45RunResult run = loadRun(*file, summary);
    writeIndentedTree(parseDecisionTree(run.outputLines, simplified), std::cout);
    return 0;
}
