// Printing: wide subtrees, value groups, evaluation rows and confusion matrices.
#include "Print.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

Node leaf(int cls, float items, float errors) {
    Node n;
    n.bestClass = cls;
    n.items = items;
    n.errors = errors;
    n.classDist = {items - errors, errors};
    return n;
}

Node split(NodeKind kind, int attribute, float threshold, std::vector<int> children) {
    Node n;
    n.kind = kind;
    n.attribute = attribute;
    n.threshold = threshold;
    n.children = std::move(children);
    return n;
}

std::string printed(const Tree &tree, const Schema &schema) {
    std::ostringstream out;
    printTree(out, tree, schema);
    return out.str();
}

TEST(PrintTree, MovesSubtreesTooWideForTheLineToSections) {
    Schema schema;
    schema.classes = {"yes", "no"};
    const std::string w(70, 'w');
    schema.attributes = {{"a", AttributeKind::Continuous, {}, 0},
                         {w, AttributeKind::Continuous, {}, 0},
                         {"b", AttributeKind::Continuous, {}, 0}};
    Tree tree;
    tree.nodes = {split(NodeKind::Cut, 0, 1, {1, 2}),
                  split(NodeKind::Cut, 1, 3, {3, 4}),
                  leaf(0, 2, 0),
                  split(NodeKind::Cut, 2, 1e6f, {5, 6}),
                  leaf(1, 1, 0),
                  leaf(0, 1, 0),
                  leaf(1, 1.5f, 0.25f)};
    // At depth 1 the long test needs 4 + 70 + 4 + 5 + 3 + 6 > 80 columns.
    EXPECT_EQ("Decision Tree:\n\na > 1 : yes (2.0)\na <= 1 :[S1]\n\n\nSubtree [S1]\n\n" + w +
                  " > 3 : no (1.0)\n" + w +
                  " <= 3 :\n|   b <= 1e+06 : yes (1.0)\n|   b > 1e+06 : no (1.5/0.2)\n\n",
              printed(tree, schema));

    schema.attributes = {{"colour", AttributeKind::Discrete, {"red", "green", "blue"}, 0}};
    tree.nodes = {split(NodeKind::Subsets, 0, 0, {1, 2}), leaf(0, 3, 1), leaf(1, 0, 0)};
    tree.nodes[0].branchOfValue = {0, 0, 1, 0};
    EXPECT_EQ("Decision Tree:\n\ncolour in {red,blue}: yes (3.0/1.0)\ncolour = green: no (0.0)\n\n",
              printed(tree, schema));
}

TEST(PrintEvaluation, WidensForFullErrorsAndMarksTheSavedTrial) {
    const EvaluationRow first{0, 9, 1200, 3, 2000, 500, 1000, false};
    const EvaluationRow second{1, 9, 1200, 3, 20, 500, 1000, true};
    std::ostringstream out;
    printEvaluation(out, "test data", 2000, {first, second});
    EXPECT_EQ("\nEvaluation on test data (2000 items):\n\n"
              "Trial\t Before Pruning           After Pruning\n"
              "-----\t----------------   ---------------------------\n"
              "\tSize      Errors   Size      Errors   Estimate\n\n"
              "   0\t   9  1200(60.0%)      3  2000(100.0%)    (50.0%)\n"
              "   1\t   9  1200(60.0%)      3   20( 1.0%)    (50.0%)   <<\n",
              out.str());
}

TEST(PrintConfusion, MatrixAndBlockHoldTheSameCounts) {
    Schema schema;
    schema.classes = {"acq", "earn", ""};
    Assessment a;
    a.counts = {2, 0, 1, 10, 100, 0, 0, 0, 0};
    std::ostringstream out;
    printConfusion(out, a, schema);
    printConfusionBlock(out, a, schema);
    EXPECT_EQ("\n\n\t  (a)  (b)  (c)\t<-classified as\n\t ---- ---- ----\n"
              "\t    2         1\t(a): class acq\n"
              "\t   10  100     \t(b): class earn\n"
              "\t               \t(c): class \n\n"
              "<CM>\n2\n+\n2\n0\n1\nacq\n+\n10\n100\n0\nearn\n+\n0\n0\n0\n\n</CM>\n",
              out.str());

    // Beyond twenty-one classes only the block is printed.
    schema.classes.clear();
    for (int c = 0; c < 22; ++c)
        schema.classes.push_back("c" + std::to_string(c));
    a.counts.assign(22 * 22, 0);
    a.counts[21 * 22 + 3] = 7;
    std::ostringstream matrix, block;
    printConfusion(matrix, a, schema);
    printConfusionBlock(block, a, schema);
    EXPECT_EQ("", matrix.str());
    std::string expected = "<CM>\n21\n";
    for (int c = 0; c < 22; ++c) {
        expected += "+\n";
        for (int p = 0; p < 22; ++p)
            expected += (c == 21 && p == 3 ? "7\n" : "0\n");
        expected += "c" + std::to_string(c) + "\n";
    }
    EXPECT_EQ(expected + "</CM>\n", block.str());
}

} // namespace
