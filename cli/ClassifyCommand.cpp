// tcw classify: the category a run's tree gives each document of new texts,
// with its path from the root.
#include "Command.h"
#include "Options.h"
#include "RunReport.h"

#include "classify/Classifier.h"
#include "corpus/ReadFile.h"

#include <iostream>

namespace {

std::string csvQuoted(const std::string &text) {
    std::string quoted = "\"";
    for (const char c : text)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

// The category and path of a run of one tree, or a per-category run's
// categories and every tree's path, as lines or as one CSV line.
void printDocument(const std::string &file, std::size_t number, const TextDocument &document,
                   const RunClassifier &run, bool csv) {
    std::string categories;
    std::vector<std::string> paths;
    if (run.categoryTrees.empty()) {
        const TreePath path = classifyCounts(run.tree, document.counts);
        categories = run.tree.nodes[static_cast<std::size_t>(path.leaf)].category;
        for (const PathStep &step : path.steps)
            paths.push_back(stepText(run.tree, step));
    } else {
        const CategoryPaths result = classifyByCategory(run.categoryTrees, document.counts);
        for (const std::string &category : result.assigned)
            categories += (categories.empty() ? "" : " ") + category;
        for (std::size_t t = 0; t < run.categoryTrees.size(); ++t)
            paths.push_back("[" + run.categoryTrees[t].category + "] " +
                            pathText(run.categoryTrees[t].tree, result.paths[t]));
    }
    if (csv) {
        std::string joined;
        for (const std::string &path : paths)
            joined += (joined.empty() ? "" : "; ") + path;
        std::cout << csvQuoted(file) << ',' << number << ',' << csvQuoted(document.category) << ','
                  << csvQuoted(categories) << ',' << csvQuoted(joined) << '\n';
        return;
    }
    std::cout << file << ", document " << number << ": "
              << (categories.empty() ? "no category" : categories);
    if (!document.category.empty())
        std::cout << " (marked " << document.category << ")";
    std::cout << '\n';
    for (const std::string &path : paths)
        std::cout << "  " << path << '\n';
}

} // namespace

int runClassify(const Arguments &arguments) {
    std::vector<std::string> operands;
    std::string stem;
    bool csv = false;
    bool unpruned = false;
    OptionParser parser("classify FILE.c45p --stem STEM TEXT... [--csv] [--unpruned]",
                        "Classifies every document of the texts (the workbench's markup, or plain "
                        "text as one\ndocument) with the run's tree after pruning (or before "
                        "it), counting words as\nthe file set STEM was counted (STEM.names, "
                        "STEM.tokens), and prints each\ndocument's category and every test on its "
                        "path with the document's count; with a\nper-category run, the "
                        "categories whose trees claim it and every tree's path.");
    parser.operands(operands);
    parser.text("stem", "STEM", stem, "the file set of the run");
    parser.flag("csv", csv, "one comma-separated line per document");
    parser.flag("unpruned", unpruned, "the tree before pruning");
    if (!parser.parse(arguments, std::cout))
        return 0;
    if (operands.size() < 2)
        throw UsageError("name the .c45p file and at least one text");
    if (!parser.given("stem"))
        throw UsageError("--stem is required");
    C45Summary summary;
    const RunClassifier run =
        loadRunClassifier(loadRun(operands[0], summary).outputLines, !unpruned, stem);
    if (csv)
        std::cout << "file,document,marked,category,path\n";
    std::string text;
    for (std::size_t f = 1; f < operands.size(); ++f) {
        const std::string &file = operands[f];
        readWholeFile(file, text);
        std::size_t skipped = 0;
        const std::vector<TextDocument> documents = readTextDocuments(text, run.stemming, skipped);
        if (skipped > 0)
            std::cerr << file << ": " << skipped << (skipped == 1 ? " document" : " documents")
                      << " without <TEXT> left out\n";
        for (std::size_t d = 0; d < documents.size(); ++d)
            printDocument(file, d + 1, documents[d], run, csv);
    }
    return 0;
}
