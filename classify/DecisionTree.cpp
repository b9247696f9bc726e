// The display rows of parseDecisionTree already have the deferred sections
// spliced in and the nesting resolved; a row there is one printed branch
// line, so the nodes are made from rows: a row's children are the branch
// lines of the node under that branch.
#include "classify/DecisionTree.h"

#include "c45/CategoryReport.h"
#include "c45/DecisionTreeText.h"

#include <algorithm>
#include <charconv>
#include <sstream>

namespace {

std::string trimmed(const std::string &text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool readNumber(const std::string &text, double &value) {
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

TreeError rowError(const std::string &what, const std::string &label) {
    return TreeError("decision tree: " + what + ": \"" + trimmed(label) + "\"");
}

// "earn (10.0/2.0)".
void readLeaf(const std::string &text, TreeNode &leaf) {
    const std::size_t open = text.rfind(" (");
    if (open == std::string::npos || text.empty() || text.back() != ')')
        throw rowError("a leaf without its (cases) figures", text);
    leaf.category = trimmed(text.substr(0, open));
    leaf.figures = text.substr(open + 1);
    const std::string inside = leaf.figures.substr(1, leaf.figures.size() - 2);
    const std::size_t slash = inside.find('/');
    const bool read =
        readNumber(inside.substr(0, slash), leaf.cases) &&
        (slash == std::string::npos || readNumber(inside.substr(slash + 1), leaf.errors));
    if (leaf.category.empty() || !read)
        throw rowError("a leaf without its (cases) figures", text);
}

// One branch line: "[word] <= 0 :[ leaf]" or "[word] = v:[ leaf]".
struct Branch {
    std::string attribute; // empty when the line starts with its operator
    TestKind kind;
    std::string test;
    float threshold = 0;
    std::string rest; // the leaf, or empty
};

Branch readBranch(const std::string &label) {
    const std::string line = trimmed(label);
    struct Operator {
        const char *text;
        TestKind kind;
    };
    static const Operator operators[] = {{"<= ", TestKind::AtMost},
                                         {"> ", TestKind::Above},
                                         {"= ", TestKind::Discrete},
                                         {"in ", TestKind::Discrete}};
    for (const Operator &op : operators) {
        const std::string text = op.text;
        const std::size_t at = line.compare(0, text.size(), text) == 0 ? 0 : line.find(" " + text);
        if (at == std::string::npos)
            continue;
        const std::size_t start = at == 0 ? 0 : at + 1;
        const std::size_t colon = line.find(':', start);
        if (colon == std::string::npos)
            break;
        Branch branch{trimmed(line.substr(0, start)), op.kind,
                      trimmed(line.substr(start, colon - start)), 0,
                      trimmed(line.substr(colon + 1))};
        if (op.kind != TestKind::Discrete) {
            double value = 0;
            if (!readNumber(trimmed(line.substr(start + text.size(), colon - start - text.size())),
                            value))
                throw rowError("a threshold that is not a number", label);
            branch.threshold = static_cast<float>(value);
        }
        return branch;
    }
    throw rowError("a branch line without a test", label);
}

class NodeBuilder {
public:
    explicit NodeBuilder(const std::vector<TreeRow> &rows) : rows_(rows), childRows_(rows.size()) {
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].parent >= 0)
                childRows_[static_cast<std::size_t>(rows[i].parent)].push_back(i);
    }

    DecisionTree build() {
        if (rows_.empty())
            throw TreeError("decision tree: the output holds no tree");
        for (std::size_t i = 1; i < rows_.size(); ++i)
            if (rows_[i].parent < 0)
                throw rowError("a line outside the tree", rows_[i].label);
        tree_.nodes.emplace_back();
        if (childRows_[0].empty()) {
            readLeaf(trimmed(rows_[0].label), tree_.nodes[0]);
            return std::move(tree_);
        }
        tree_.nodes[0].attribute = trimmed(rows_[0].label);
        // The rows are walked without recursion: a deep tree must not
        // exhaust the stack.
        std::vector<std::pair<int, std::size_t>> pending{{0, 0}};
        while (!pending.empty()) {
            const auto [node, row] = pending.back();
            pending.pop_back();
            addBranches(node, row, pending);
        }
        return std::move(tree_);
    }

private:
    void addBranches(int node, std::size_t row, std::vector<std::pair<int, std::size_t>> &pending) {
        std::vector<int> children;
        for (const std::size_t child : childRows_[row]) {
            const Branch branch = readBranch(rows_[child].label);
            TreeNode &parent = tree_.nodes[static_cast<std::size_t>(node)];
            if (parent.attribute.empty())
                parent.attribute = branch.attribute;
            if (!branch.attribute.empty() && branch.attribute != parent.attribute)
                throw rowError("a node whose branches test different words", rows_[child].label);
            TreeNode next;
            next.parent = node;
            next.kind = branch.kind;
            next.test = branch.test;
            next.threshold = branch.threshold;
            const bool leaf = childRows_[child].empty();
            if (branch.rest.rfind("[S", 0) == 0 || (!leaf && !branch.rest.empty()))
                throw rowError("a reference to a subtree that was not printed", rows_[child].label);
            if (leaf)
                readLeaf(branch.rest, next);
            const int index = static_cast<int>(tree_.nodes.size());
            tree_.nodes.push_back(std::move(next));
            children.push_back(index);
            if (!leaf)
                pending.emplace_back(index, child);
        }
        // The learner prints leaf branches first; drawn, "<=" stays left of ">".
        std::stable_sort(children.begin(), children.end(), [this](int a, int b) {
            return tree_.nodes[a].kind == TestKind::AtMost &&
                   tree_.nodes[b].kind == TestKind::Above;
        });
        tree_.nodes[static_cast<std::size_t>(node)].children = std::move(children);
    }

    const std::vector<TreeRow> &rows_;
    std::vector<std::vector<std::size_t>> childRows_;
    DecisionTree tree_;
};

} // namespace

DecisionTree readDecisionTree(const std::vector<std::string> &lines, bool pruned) {
    return NodeBuilder(parseDecisionTree(lines, pruned)).build();
}

std::vector<CategoryTree> readCategoryTrees(const std::vector<std::string> &lines, bool pruned) {
    std::vector<CategoryTree> trees;
    for (const CategorySection &section : parseCategoryReport(lines).report.categories) {
        if (section.tree.empty())
            throw TreeError("decision tree: the run printed no tree of category \"" + section.name +
                            "\" (the learner prints them from -v 1)");
        trees.push_back(CategoryTree{section.name, readDecisionTree(treeLines(section), pruned)});
    }
    return trees;
}

void writeTreeOutline(const DecisionTree &tree, std::ostream &out) {
    if (tree.nodes.empty())
        return;
    std::vector<std::pair<int, int>> pending{{0, 0}};
    while (!pending.empty()) {
        const auto [index, depth] = pending.back();
        pending.pop_back();
        const TreeNode &node = tree.nodes[static_cast<std::size_t>(index)];
        out << std::string(2 * static_cast<std::size_t>(depth), ' ');
        if (!node.test.empty())
            out << node.test << ' ';
        out << (node.isLeaf() ? node.category + " " + node.figures : node.attribute) << '\n';
        for (auto child = node.children.rbegin(); child != node.children.rend(); ++child)
            pending.emplace_back(*child, depth + 1);
    }
}
