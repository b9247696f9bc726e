// The tree reader, the classifier, the layout and the document reader on any
// input: a tree read is well formed (children after their parent and linked
// back, test nodes naming their word), every document reaches a leaf, and
// every box stands under its parent inside the picture. Refusals are
// TreeError or CategoryReportError only.
#include "c45/CategoryReport.h"
#include "classify/Classifier.h"
#include "fuzz/FuzzInput.h"
#include "treeview/TreeDrawing.h"

#include <sstream>

namespace {

void check(const DecisionTree &tree, const std::vector<TextDocument> &documents) {
    if (tree.nodes.empty() || tree.nodes[0].parent != -1)
        __builtin_trap();
    for (std::size_t n = 0; n < tree.nodes.size(); ++n) {
        const TreeNode &node = tree.nodes[n];
        if (!node.isLeaf() && node.attribute.empty())
            __builtin_trap();
        for (const int child : node.children)
            if (child <= static_cast<int>(n) || child >= static_cast<int>(tree.nodes.size()) ||
                tree.nodes[static_cast<std::size_t>(child)].parent != static_cast<int>(n))
                __builtin_trap();
    }
    for (const TextDocument &document : documents) {
        try {
            const TreePath path = classifyCounts(tree, document.counts);
            if (!tree.nodes[static_cast<std::size_t>(path.leaf)].isLeaf())
                __builtin_trap();
        } catch (const TreeError &) {
        }
    }
    const TreeLayout layout = layoutTree(
        tree, collapsedBelow(tree, 3),
        [](const std::string &text) { return 6.0 * static_cast<double>(text.size()); });
    for (const NodeBox &box : layout.boxes) {
        const int parent = tree.nodes[static_cast<std::size_t>(box.node)].parent;
        if (box.x < -1e-6 || box.x + box.width > layout.width + 1e-6)
            __builtin_trap();
        if (parent >= 0 &&
            layout.boxes[static_cast<std::size_t>(layout.boxOf[static_cast<std::size_t>(parent)])]
                    .depth != box.depth - 1)
            __builtin_trap();
    }
    std::ostringstream dot;
    writeTreeDot(dot, tree, collapsedBelow(tree, 2));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::vector<std::string> lines = splitLines(data, size);
    std::size_t skipped = 0;
    const std::vector<TextDocument> documents =
        readTextDocuments(std::string(reinterpret_cast<const char *>(data), size), size % 2 == 0,
                          skipped);
    for (const bool pruned : {false, true}) {
        try {
            check(readDecisionTree(lines, pruned), documents);
        } catch (const TreeError &) {
        }
    }
    try {
        for (const CategoryTree &tree : readCategoryTrees(lines))
            check(tree.tree, documents);
    } catch (const TreeError &) {
    } catch (const CategoryReportError &) {
    }
    return 0;
}
