#include "treeview/TreeDrawing.h"

#include "TestFiles.h"

#include <cairomm/surface.h>
#include <gtest/gtest.h>

#include <sstream>

namespace {

double fixedWidth(const std::string &text) {
    return 7.0 * static_cast<double>(text.size());
}

// A tree of the given depth whose nodes have one to three children and words
// of varied length, grown from seed.
DecisionTree randomTree(unsigned seed, int depth) {
    DecisionTree tree;
    std::vector<std::pair<int, int>> pending{{-1, 0}};
    while (!pending.empty()) {
        const auto [parent, level] = pending.back();
        pending.pop_back();
        seed = seed * 1103515245u + 12345u;
        TreeNode node;
        node.parent = parent;
        node.test = parent < 0 ? "" : "<= " + std::to_string(seed % 7);
        const int index = static_cast<int>(tree.nodes.size());
        if (parent >= 0)
            tree.nodes[static_cast<std::size_t>(parent)].children.push_back(index);
        const bool leaf = level == depth || (level > 1 && (seed >> 8) % 3 == 0);
        if (leaf) {
            node.category = std::string(1 + (seed >> 12) % 15, 'c');
            node.figures = "(1.0)";
        } else {
            node.attribute = std::string(1 + (seed >> 12) % 20, 'w');
        }
        tree.nodes.push_back(node);
        if (!leaf)
            for (unsigned c = 0; c < 1 + (seed >> 16) % 3; ++c)
                pending.emplace_back(index, level + 1);
    }
    return tree;
}

// Why the layout is wrong, or "" when boxes are apart and children under
// their parents.
std::string layoutProblem(const DecisionTree &tree, const TreeLayout &layout) {
    const auto &boxes = layout.boxes;
    for (std::size_t a = 0; a < boxes.size(); ++a) {
        for (std::size_t b = a + 1; b < boxes.size(); ++b)
            if (boxes[a].x < boxes[b].x + boxes[b].width &&
                boxes[b].x < boxes[a].x + boxes[a].width &&
                boxes[a].y < boxes[b].y + boxes[b].height &&
                boxes[b].y < boxes[a].y + boxes[a].height)
                return "boxes of nodes " + std::to_string(boxes[a].node) + " and " +
                       std::to_string(boxes[b].node) + " overlap";
        const int parent = tree.nodes[static_cast<std::size_t>(boxes[a].node)].parent;
        if (parent < 0)
            continue;
        const NodeBox &up =
            boxes[static_cast<std::size_t>(layout.boxOf[static_cast<std::size_t>(parent)])];
        const auto &siblings = tree.nodes[static_cast<std::size_t>(parent)].children;
        const NodeBox &first = boxes[static_cast<std::size_t>(layout.boxOf[siblings.front()])];
        const NodeBox &last = boxes[static_cast<std::size_t>(layout.boxOf[siblings.back()])];
        if (boxes[a].y < up.y + up.height || boxes[a].depth != up.depth + 1)
            return "node " + std::to_string(boxes[a].node) + " is not below its parent";
        if (up.centreX() < first.x || up.centreX() > last.x + last.width)
            return "node " + std::to_string(parent) + " is not over its children";
        if (boxes[a].x < 0 || boxes[a].x + boxes[a].width > layout.width + 1e-9)
            return "node " + std::to_string(boxes[a].node) + " is outside the picture";
    }
    return "";
}

const char *const printed = "Decision Tree:\n\n"
                            "wheat > 2 : \"grain\" (5.0)\n"
                            "wheat <= 2 :\n"
                            "|   corn <= 0 : earn (10.0/2.0)\n"
                            "|   corn > 0 :\n"
                            "|   |   oil <= 1 : earn (4.0/1.0)\n"
                            "|   |   oil > 1 : crude (3.0)\n";

} // namespace

TEST(TreeLayout, BoxesApartAndChildrenUnderTheirParents) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(seed);
        const DecisionTree tree = randomTree(seed, 2 + static_cast<int>(seed % 6));
        EXPECT_EQ(layoutProblem(tree, layoutTree(tree, {}, fixedWidth)), "");
        const std::vector<bool> collapsed = collapsedBelow(tree, 2);
        EXPECT_EQ(layoutProblem(tree, layoutTree(tree, collapsed, fixedWidth)), "");
    }
}

TEST(TreeLayout, CollapsedNodesCountWhatTheyHide) {
    const DecisionTree tree = readDecisionTree(splitLines(printed), true);
    const struct {
        int depth;
        const char *boxes;
    } rows[] = {
        {0, "0@0+6"},
        {1, "0@0 2@1+4 1@1"},
        {2, "0@0 2@1 3@2 4@2+2 1@1"},
        {9, "0@0 2@1 3@2 4@2 5@3 6@3 1@1"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.depth);
        EXPECT_EQ(describeBoxes(layoutTree(tree, collapsedBelow(tree, row.depth), fixedWidth)),
                  row.boxes);
    }
    std::vector<bool> collapsed = collapsedBelow(tree, 0);
    reveal(tree, nodesTesting(tree, "oil").front(), collapsed);
    EXPECT_EQ(describeBoxes(layoutTree(tree, collapsed, fixedWidth)), "0@0 2@1 3@2 4@2+2 1@1");
}

TEST(TreeLayout, DotNamesTestsLeavesAndWhatACollapsedNodeHides) {
    const DecisionTree tree = readDecisionTree(splitLines(printed), true);
    std::ostringstream dot;
    writeTreeDot(dot, tree, collapsedBelow(tree, 2));
    EXPECT_EQ(dot.str(),
              "digraph tree {\n"
              "  node [shape=box, fontname=\"Sans\"];\n"
              "  n0 [label=\"wheat\"];\n"
              "  n2 [label=\"corn\"];\n"
              "  n0 -> n2 [label=\"<= 2\"];\n"
              "  n3 [label=\"earn\\n(10.0/2.0)\", style=filled, fillcolor=\"#a6f29d\"];\n"
              "  n2 -> n3 [label=\"<= 0\"];\n"
              "  n4 [label=\"oil\\n+2\"];\n"
              "  n2 -> n4 [label=\"> 0\"];\n"
              "  n1 [label=\"\\\"grain\\\"\\n(5.0)\", style=filled, fillcolor=\"#f2b379\"];\n"
              "  n0 -> n1 [label=\"> 2\"];\n"
              "}\n");
}

// Both kinds of picture have the size asked for; sizes the writer cannot
// make are refused.
TEST(TreeDrawing, WritesPicturesOfTheRequestedSize) {
    const DecisionTree tree = randomTree(7, 6);
    const TreeLayout layout = layoutTree(tree, {}, cairoTextMeasure());
    const TempFolder folder;
    writeTreePicture(folder / "tree.PNG", tree, layout, fitView(layout, 31, 17), 31, 17);
    const auto png = Cairo::ImageSurface::create_from_png(folder / "tree.PNG");
    EXPECT_EQ(png->get_width(), 31);
    EXPECT_EQ(png->get_height(), 17);
    writeTreePicture(folder / "tree.svg", tree, layout, fitView(layout, 800, 600), 800, 600);
    const std::string svg = fileText(folder / "tree.svg");
    EXPECT_NE(svg.find("width=\"800px\" height=\"600px\""), std::string::npos);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
    for (const int width : {0, 32768})
        EXPECT_EQ(thrownMessage<std::runtime_error>([&] {
                      writeTreePicture(folder / "tree.png", tree, layout, TreeView(), width, 10);
                  }),
                  "Could not write picture " + folder / "tree.png" +
                      ": the size must be from 1 to 32767 pixels a side, not " +
                      std::to_string(width) + "x10");
}
