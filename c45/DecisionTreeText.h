// Reading a decision tree that C4.5 printed as indented text into rows with
// their nesting, as the decision-tree window shows them.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// One row of the tree view. parent is the index of the parent row in the
// same vector (always smaller than the row's own index), or -1 for a
// top-level row.
struct TreeRow {
    std::string label;
    int parent = -1;

    bool operator==(const TreeRow &other) const {
        return label == other.label && parent == other.parent;
    }
};

// The rows of the tree under "Decision Tree:" (simplified false) or
// "Simplified Decision Tree:" (simplified true), in append order.
// Which tree: after a windowing run ("Best tree from trial N saved") the
// section of trial N is searched first, then the whole output; the first
// heading found wins; without a simplified heading the simplified tree is
// the one under "Decision Tree:" (C4.5 omits it when pruning changed
// nothing); without any heading reading starts at line 0. The line after the heading is
// skipped only when it is empty, so a one-leaf tree printed right under its
// heading is one row. Reading stops at the first empty line; a branch line
// ending in a reference ":[Sn]" (or ":[S??]", as C4.5 labels all after the
// 99th) gets the lines of a "Subtree [Sn]" section that follows the tree as
// its children (the reference itself is dropped): the k-th reference in
// line order, counting those in the sections, takes the k-th section.
// The first top-level line "attr <= t : ..." gives the top-level row
// "attr " and its child "<= t : ..."; later top-level lines become children
// of that row from their operator on; a line "|   ..." becomes a child of
// the open node one level up. A top-level line without an operator, and a
// "|" line with no open node above it, become top-level rows of their own.
std::vector<TreeRow> parseDecisionTree(const std::vector<std::string> &lines, bool simplified);

// Writes the rows one per line, each indented by two blanks per level:
// "wheat \n  <= 0 :\n     corn <= 1 : earn (10.0)\n". The rows are
// written as they go, so a deep tree needs no text of its whole size.
void writeIndentedTree(const std::vector<TreeRow> &rows, std::ostream &out);

std::ostream &operator<<(std::ostream &out, const TreeRow &row);
