// Printing of trees, evaluation tables and confusion matrices.
#include "Print.h"
#include "Format.h"

#include <cstdio>
#include <string>

namespace {

class TreePrinter {
public:
    TreePrinter(std::ostream &out, const Tree &tree, const Schema &schema)
        : out_(out), tree_(tree), schema_(schema) {}

    void print() {
        out_ << "Decision Tree:\n";
        show(0, 0);
        out_ << '\n';
        for (std::size_t k = 0; k < deferred_.size(); ++k) {
            out_ << "\n\nSubtree [" << label(k + 1) << "]\n";
            show(deferred_[k], 0);
            out_ << '\n';
        }
        out_ << '\n';
    }

private:
    static std::string label(std::size_t number) {
        return number > 99 ? "S??" : "S" + std::to_string(number);
    }

    std::string leafText(const Node &leaf) const {
        std::string text = " " + schema_.classes[leaf.bestClass] + format(" (%.1f", leaf.items);
        if (leaf.errors > 0)
            text += format("/%.1f", leaf.errors);
        return text + ")";
    }

    // Discrete branch b: its value, or its group of values.
    std::string valueText(const Node &node, int b, bool &single) const {
        const std::vector<std::string> &values = schema_.attributes[node.attribute].values;
        std::string text;
        int members = 0;
        for (std::size_t v = 1; v < node.branchOfValue.size(); ++v)
            if (node.branchOfValue[v] == b) {
                text += (members++ ? "," : "") + values[v - 1];
            }
        single = node.kind == NodeKind::Values || members == 1;
        return single ? text : "{" + text + "}";
    }

    std::string testText(const Node &node, int b) const {
        const std::string &name = schema_.attributes[node.attribute].name;
        if (node.kind == NodeKind::Cut)
            return name + (b == 0 ? " <= " : " > ") + format("%g", node.threshold) + " :";
        bool single = true;
        const std::string value = valueText(node, b, single);
        return name + (single ? " = " : " in ") + value + ":";
    }

    // Length C4.5 estimates for the branch lines of a subtree.
    std::size_t width(const Node &node) const {
        std::size_t widest = 0;
        for (std::size_t b = 0; b < node.children.size(); ++b) {
            bool single = true;
            std::size_t w = node.kind == NodeKind::Cut
                                ? 5
                                : valueText(node, static_cast<int>(b), single).size() + 1;
            const Node &child = tree_.nodes[node.children[b]];
            if (child.kind == NodeKind::Leaf)
                w += schema_.classes[child.bestClass].size() + 6;
            widest = std::max(widest, w);
        }
        return schema_.attributes[node.attribute].name.size() + 4 + widest;
    }

    void show(int index, int depth) {
        const Node &node = tree_.nodes[index];
        if (node.kind == NodeKind::Leaf) {
            out_ << leafText(node);
            return;
        }
        for (int pass = 0; pass < 2; ++pass)
            for (std::size_t b = 0; b < node.children.size(); ++b) {
                const Node &child = tree_.nodes[node.children[b]];
                if ((child.kind == NodeKind::Leaf) != (pass == 0))
                    continue;
                out_ << '\n';
                for (int d = 0; d < depth; ++d)
                    out_ << "|   ";
                out_ << testText(node, static_cast<int>(b));
                if (pass == 0)
                    out_ << leafText(child);
                else if (4 * (depth + 1) + width(child) > 80) {
                    deferred_.push_back(node.children[b]);
                    out_ << '[' << label(deferred_.size()) << ']';
                } else
                    show(node.children[b], depth + 1);
            }
    }

    std::ostream &out_;
    const Tree &tree_;
    const Schema &schema_;
    std::vector<int> deferred_;
};

} // namespace

void printBanner(std::ostream &out, std::time_t when, bool utc) {
    char text[64];
    std::strftime(text, sizeof text, "%a %b %e %H:%M:%S %Y",
                  utc ? std::gmtime(&when) : std::localtime(&when));
    out << "\nC4.5 [release 8] decision tree generator\t" << text << '\n'
        << std::string(40, '-') << '\n';
}

void printTree(std::ostream &out, const Tree &tree, const Schema &schema) {
    TreePrinter(out, tree, schema).print();
}

void printTrees(std::ostream &out, const Tree &unpruned, const Tree &pruned, bool changed,
                const Schema &schema) {
    printTree(out, unpruned, schema);
    if (changed) {
        out << "\nSimplified ";
        printTree(out, pruned, schema);
    }
}

void printEvaluation(std::ostream &out, const char *what, int items,
                     const std::vector<EvaluationRow> &rows) {
    const bool trials = rows.size() > 1;
    out << "\nEvaluation on " << what << " (" << items << " items):\n\n";
    out << (trials ? "Trial" : "") << "\t Before Pruning           After Pruning\n";
    out << (trials ? "-----" : "") << "\t----------------   ---------------------------\n";
    out << "\tSize      Errors   Size      Errors   Estimate\n\n";
    for (const EvaluationRow &row : rows) {
        char line[256];
        const double n = items;
        std::snprintf(line, sizeof line, "\t%4d  %3d(%4.1f%%)   %4d  %3d(%4.1f%%)    (%4.1f%%)%s\n",
                      row.unprunedSize, row.unprunedErrors, 100.0 * row.unprunedErrors / n,
                      row.prunedSize, row.prunedErrors, 100.0 * row.prunedErrors / n,
                      100.0 * row.estimate / row.trainingItems, row.saved ? "   <<" : "");
        if (trials)
            out << format("%4d", row.trial);
        out << line;
    }
}

void printConfusion(std::ostream &out, const Assessment &assessment, const Schema &schema) {
    const int classes = static_cast<int>(schema.classes.size());
    if (classes > 21)
        return;
    out << "\n\n\t";
    for (int c = 0; c < classes; ++c)
        out << "  (" << static_cast<char>('a' + c) << ')';
    out << "\t<-classified as\n\t";
    for (int c = 0; c < classes; ++c)
        out << " ----";
    out << '\n';
    for (int actual = 0; actual < classes; ++actual) {
        out << '\t';
        for (int predicted = 0; predicted < classes; ++predicted) {
            const int count =
                assessment.counts[static_cast<std::size_t>(actual) * classes + predicted];
            out << (count ? format("%5d", count) : std::string(5, ' '));
        }
        out << "\t(" << static_cast<char>('a' + actual) << "): class " << schema.classes[actual]
            << '\n';
    }
    out << '\n';
}

void printConfusionBlock(std::ostream &out, const Assessment &assessment, const Schema &schema) {
    const std::size_t classes = schema.classes.size();
    out << "<CM>\n" << classes - 1 << '\n';
    for (std::size_t actual = 0; actual < classes; ++actual) {
        out << "+\n";
        for (std::size_t predicted = 0; predicted < classes; ++predicted)
            out << assessment.counts[actual * classes + predicted] << '\n';
        out << schema.classes[actual] << '\n';
    }
    out << "</CM>\n";
}
