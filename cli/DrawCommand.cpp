// tcw draw: the decision tree of a saved C4.5 output as a picture or as DOT.
#include "Command.h"
#include "Options.h"
#include "RunReport.h"

#include "classify/DecisionTree.h"
#include "corpus/AtomicFile.h"
#include "treeview/TreeDrawing.h"

#include <algorithm>
#include <cmath>
#include <iostream>

namespace {

// A picture as large as the tree needs, up to a size viewers still open.
constexpr double largestNaturalSide = 8192;
constexpr double pictureMargin = 20;

// The run's tree, or of a per-category run the tree of category.
DecisionTree chosenTree(const std::vector<std::string> &lines, const std::string *category,
                        bool unpruned) {
    if (!isPerCategoryRun(lines)) {
        if (category)
            throw UsageError("--category is for a run of one tree per category");
        return readDecisionTree(lines, !unpruned);
    }
    std::vector<CategoryTree> trees = readCategoryTrees(lines, !unpruned);
    std::string names;
    for (CategoryTree &tree : trees) {
        if (category && tree.category == *category)
            return std::move(tree.tree);
        names += (names.empty() ? "" : " ") + tree.category;
    }
    throw UsageError("name one of the run's categories with --category: " + names);
}

} // namespace

int runDraw(const Arguments &arguments) {
    std::vector<std::string> files;
    std::string out;
    bool unpruned = false;
    int depth = -1;
    int width = 0;
    int height = 0;
    std::string category;
    OptionParser parser("draw FILE.c45p --out PICTURE.svg|.png|.dot [--unpruned | --category NAME] "
                        "[--depth N] [--width W] [--height H]",
                        "Draws the decision tree after pruning (or before it) as the tree window "
                        "does: an SVG or PNG\npicture of the whole tree fitted into W x H "
                        "pixels (by default the size it needs,\nat most 8192 a side), or DOT "
                        "text for Graphviz.");
    parser.operands(files);
    parser.text("out", "FILE", out, "the picture or DOT file, by its extension");
    parser.flag("unpruned", unpruned, "the tree before pruning");
    parser.text("category", "NAME", category, "the tree of this category (a per-category run)");
    parser.number("depth", "N", depth,
                  "collapse the test nodes at depth N (the root is 0) and below");
    parser.number("width", "W", width, "picture width in pixels");
    parser.number("height", "H", height, "picture height in pixels");
    if (!parser.parse(arguments, std::cout))
        return 0;
    if (files.size() != 1)
        throw UsageError("name one .c45p file");
    if (!parser.given("out"))
        throw UsageError("--out is required");
    const std::string extension = fileExtension(out);
    if (extension != "svg" && extension != "png" && extension != "dot")
        throw UsageError("the --out file must end in .svg, .png or .dot");
    if (parser.given("depth") && depth < 0)
        throw UsageError("--depth must be 0 or more");
    C45Summary summary;
    const std::vector<std::string> lines = loadRun(files[0], summary).outputLines;
    const DecisionTree tree =
        chosenTree(lines, parser.given("category") ? &category : nullptr, unpruned);
    const std::vector<bool> collapsed =
        depth >= 0 ? collapsedBelow(tree, depth) : std::vector<bool>();
    if (extension == "dot") {
        AtomicFile file(out);
        writeTreeDot(file.stream(), tree, collapsed);
        file.commit();
        return 0;
    }
    const TreeLayout layout = layoutTree(tree, collapsed, cairoTextMeasure());
    if (!parser.given("height"))
        height = static_cast<int>(
            std::ceil(std::min(largestNaturalSide, layout.height + pictureMargin)));
    // The legend stands right of the tree, not over it.
    const double legend = legendWidth(tree, height);
    if (!parser.given("width"))
        width = static_cast<int>(
            std::ceil(std::min(largestNaturalSide, layout.width + pictureMargin + legend)));
    writeTreePicture(out, tree, layout, fitView(layout, std::max(1.0, width - legend), height),
                     width, height);
    std::cout << out << ": " << layout.boxes.size() << " of " << tree.nodes.size()
              << " nodes shown, " << width << "x" << height << " pixels\n";
    return 0;
}
