// tcw trees: the decision tree of a saved C4.5 output, row by row.
#include "Command.h"
#include "Options.h"
#include "RunReport.h"

#include "c45/DecisionTreeText.h"

#include "c45/CategoryReport.h"

#include <algorithm>
#include <iostream>
#include <stdexcept>

int runTrees(const Arguments &arguments) {
    Arguments rest = arguments;
    const std::optional<std::string> file = takeOperand(rest);
    bool simplified = false;
    std::string category;
    OptionParser parser("trees FILE.c45p [--simplified] [--category NAME]",
                        "Prints the rows of the decision-tree window, each indented by two blanks "
                        "per level.");
    parser.flag("simplified", simplified, "the tree after pruning");
    parser.text("category", "NAME",  category,
                "the tree of this category, in a per-category run (which keeps one tree for "
                "each)");
    if (!parser.parse(rest, std::cout))
        return 0;
    if (!file)
        throw UsageError("name the .c45p file");
    C45Summary summary;
    const C45RunResult run = loadRun(*file, summary);
    if (!isPerCategoryRun(run.outputLines)) {
        if (parser.given("category"))
            throw UsageError("--category applies only to a per-category run");
        writeIndentedTree(parseDecisionTree(run.outputLines, simplified), std::cout);
        return 0;
    }
    if (!parser.given("category"))
        throw UsageError("a per-category run keeps a tree for each category: name one with "
                         "--category");
    const ParsedCategoryReport report = parseCategoryReport(run.outputLines);
    const auto &sections = report.report.categories;
    const auto section = std::find_if(sections.begin(), sections.end(),
                                      [&](const CategorySection &c) { return c.name == category; });
    if (section == sections.end())
        throw UsageError("the run has no category " + category);
    if (section->tree.empty())
        throw std::runtime_error("the run holds the figures of " + category + " but not its tree");
    writeIndentedTree(parseDecisionTree(treeLines(*section), simplified), std::cout);
    return 0;
}
