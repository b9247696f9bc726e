// Where the drawn tree puts its boxes, free of any drawing library so that it
// can be tested on hand-built trees: the visible nodes (a collapsed node hides
// its subtree) in rows by depth, each subtree in a column of its own so that
// no two boxes overlap and every child stands under its parent.
#pragma once

#include "classify/DecisionTree.h"

#include <functional>
#include <string>
#include <vector>

// The width in pixels of one line of box text.
using TextMeasure = std::function<double(const std::string &text)>;

struct LayoutStyle {
    double lineHeight = 15;
    double padding = 5;        // inside a box, around its text
    double columnGap = 14;     // between neighbouring subtrees
    double rowGap = 34;        // between rows, where the edge labels stand
    double smallestWidth = 36; // of a box
};

struct NodeBox {
    int node = 0;
    int depth = 0;
    double x = 0, y = 0; // top-left corner
    double width = 0, height = 0;
    int hidden = 0; // nodes below a collapsed node; 0 when it shows its children

    double centreX() const { return x + width / 2; }
};

struct TreeLayout {
    std::vector<NodeBox> boxes; // the visible nodes, parents before children
    std::vector<int> boxOf;     // by node: its box, or -1 when hidden
    double width = 0, height = 0;
};

// The lines of a node's box: a test node's word, a leaf's category and its
// "(cases/errors)", a collapsed node's word and "+N" hidden nodes.
std::vector<std::string> boxLines(const DecisionTree &tree, int node, int hidden);

// The number of nodes in node's subtree, node itself not counted.
int nodesBelow(const DecisionTree &tree, int node);

// Lays out tree with collapsed[n] true for every node whose subtree is
// hidden (an empty vector collapses nothing). Walks without recursion, so
// a deep tree needs no deep stack.
TreeLayout layoutTree(const DecisionTree &tree, const std::vector<bool> &collapsed,
                      const TextMeasure &measure, const LayoutStyle &style = LayoutStyle());

// Collapses every test node at depth (the root is at 0) or below it.
std::vector<bool> collapsedBelow(const DecisionTree &tree, int depth);

// The deepest collapse depth whose layout fits width x height at the scale
// minimumScale or more; at least 1.
int depthThatFits(const DecisionTree &tree, const TextMeasure &measure, double width, double height,
                  double minimumScale);

// Expands node's ancestors so that it shows.
void reveal(const DecisionTree &tree, int node, std::vector<bool> &collapsed);

// The test nodes whose word is word, in node order.
std::vector<int> nodesTesting(const DecisionTree &tree, const std::string &word);

// The visible box at layout point (x, y), or -1.
int boxAt(const TreeLayout &layout, double x, double y);

// Canonical text of a layout for tests: per box "node@depth" with "+N" when
// it hides N nodes, blank-separated in box order.
std::string describeBoxes(const TreeLayout &layout);
