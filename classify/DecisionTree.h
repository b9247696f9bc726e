// A decision tree read from the learner's printed output as a structure
// that can be walked: a vector of nodes with index children, as the learner
// keeps it, so that a new text can be classified along its path and the tree
// can be drawn.
#pragma once

#include "c45/CategoryReport.h"

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

// The test on the edge from a node's parent. Cut tests compare a count with
// a threshold; discrete tests ("= v", "in {a,b}") are kept for drawing.
enum class TestKind { None, AtMost, Above, Discrete };

struct TreeNode {
    int parent = -1;
    TestKind kind = TestKind::None; // None only for the root
    std::string test;               // as printed: "<= 0", "> 2", "= red"
    float threshold = 0;            // AtMost and Above
    std::string attribute;          // the word a test node tests; empty for a leaf
    std::vector<int> children;      // a cut node: "<=" before ">"
    std::string category;           // a leaf's category
    std::string figures;            // a leaf's "(cases/errors)" as printed: "(10.0/2.0)"
    double cases = 0;
    double errors = 0; // 0 when the leaf printed none

    bool isLeaf() const { return children.empty(); }
};

// nodes[0] is the root; a child's index is always above its parent's.
struct DecisionTree {
    std::vector<TreeNode> nodes;
};

class TreeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The tree after pruning (pruned true) or before it, found in the output
// lines as parseDecisionTree finds it, deferred "Subtree [Sn]" sections
// spliced in at their references. Throws TreeError naming the line text
// when there is no tree, a branch line cannot be read (no operator, no ':'),
// a leaf has no "(cases)" figures, a reference has no section, or the
// branches of one node test different words.
DecisionTree readDecisionTree(const std::vector<std::string> &lines, bool pruned);

// A tree of a per-category run: its category against the rest, the leaves
// naming the category or "not-" and the category.
struct CategoryTree {
    std::string category;
    DecisionTree tree;
};

// The tree of every category of a per-category run, in report order: as
// readDecisionTree reads the trees of each section, after pruning (pruned
// true) or before. Throws CategoryReportError for a report that does not read
// back, and TreeError for a section without its tree (a run with -v 0
// prints none) or with a tree that cannot be read.
std::vector<CategoryTree> readCategoryTrees(const std::vector<std::string> &lines,
                                            bool pruned = true);

// One line per node in depth-first order, each indented by two blanks per
// level: "wheat", "  <= 0 corn", "    <= 1 earn (10.0)" — compact text for
// tests and a check by eye.
void writeTreeOutline(const DecisionTree &tree, std::ostream &out);
