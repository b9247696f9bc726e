#include "c45/DecisionTreeText.h"

#include <algorithm>
#include <cstdio>

namespace {

const std::string trialRule = "--------";

bool beginsWith(const std::string &line, const std::string &prefix) {
    return line.compare(0, prefix.size(), prefix) == 0;
}

// Internal nodes end in their first ':'; leaves carry a class after it.
bool isInternal(const std::string &label) {
    const std::size_t colon = label.find(':');
    return colon != std::string::npos && colon + 1 == label.size();
}

// "<=" is looked for before ">" and "=", so a continuous test keeps its
// whole operator whichever branch C4.5 prints first.
std::size_t operatorPosition(const std::string &line) {
    for (const char *op : {"<=", ">", "="}) {
        const std::size_t p = line.find(op);
        if (p != std::string::npos)
            return p;
    }
    return std::string::npos;
}

struct Range {
    std::size_t begin, end;
};

// The lines of the trial whose tree C4.5 saved, or all lines.
Range savedTrialRange(const std::vector<std::string> &lines) {
    const Range all{0, lines.size()};
    int best = 0;
    const auto saved = std::find_if(lines.begin(), lines.end(), [&best](const std::string &line) {
        return beginsWith(line, "Best tree from trial") &&
               std::sscanf(line.c_str(), "Best tree from trial %d saved", &best) == 1;
    });
    if (saved == lines.end())
        return all;
    const std::string title = "Trial " + std::to_string(best);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i] != title || lines[i - 1] != trialRule)
            continue;
        std::size_t end = i + 2;
        while (end < lines.size() && lines[end] != trialRule)
            ++end;
        return Range{i + 1, end};
    }
    return all;
}

std::size_t findHeading(const std::vector<std::string> &lines, Range range,
                        const std::string &heading) {
    for (std::size_t i = range.begin; i < range.end; ++i)
        if (beginsWith(lines[i], heading))
            return i;
    return std::string::npos;
}

std::size_t treeHeading(const std::vector<std::string> &lines, Range range, bool simplified) {
    const std::size_t heading =
        simplified ? findHeading(lines, range, "Simplified Decision Tree:") : std::string::npos;
    return heading != std::string::npos ? heading : findHeading(lines, range, "Decision Tree:");
}

std::size_t treeStart(const std::vector<std::string> &lines, bool simplified) {
    std::size_t heading = treeHeading(lines, savedTrialRange(lines), simplified);
    if (heading == std::string::npos)
        heading = treeHeading(lines, Range{0, lines.size()}, simplified);
    if (heading == std::string::npos)
        return 0;
    const std::size_t next = heading + 1;
    return next < lines.size() && lines[next].empty() ? next + 1 : next;
}

class TreeBuilder {
public:
    void addLine(const std::string &line) {
        if (line[0] == '|')
            addNestedLine(line);
        else
            addTopLevelLine(line);
    }
    std::vector<TreeRow> takeRows() { return std::move(rows_); }

private:
    int append(const std::string &label, int parent) {
        rows_.push_back(TreeRow{label, parent});
        return static_cast<int>(rows_.size()) - 1;
    }

    void appendChild(const std::string &label, int parent) {
        const int row = append(label, parent);
        if (isInternal(label))
            openNodes_.push_back(row);
    }

    void addNestedLine(const std::string &line) {
        const std::size_t depth = std::count(line.begin(), line.end(), '|');
        const std::string label = line.substr(line.rfind('|') + 1);
        if (openNodes_.empty()) {
            append(label, -1);
            return;
        }
        int parent = openNodes_.back();
        if (depth < previousDepth_) {
            const std::size_t drop = std::min(previousDepth_ - depth, openNodes_.size() - 1);
            openNodes_.resize(openNodes_.size() - drop);
            parent = depth < openNodes_.size() ? openNodes_[depth] : openNodes_.back();
        }
        appendChild(label, parent);
        previousDepth_ = depth;
    }

    void addTopLevelLine(const std::string &line) {
        const std::size_t p = operatorPosition(line);
        if (p == std::string::npos) {
            append(line, -1);
            return;
        }
        if (openNodes_.empty()) {
            openNodes_.push_back(append(line.substr(0, p), -1));
        } else {
            previousDepth_ = 0;
            openNodes_.resize(1);
        }
        appendChild(line.substr(p), openNodes_.front());
    }

    std::vector<TreeRow> rows_;
    std::vector<int> openNodes_;
    std::size_t previousDepth_ = 0;
};

} // namespace

std::vector<TreeRow> parseDecisionTree(const std::vector<std::string> &lines, bool simplified) {
    TreeBuilder builder;
    for (std::size_t j = treeStart(lines, simplified); j < lines.size() && !lines[j].empty(); ++j)
        builder.addLine(lines[j]);
    return builder.takeRows();
}

std::string indentedTreeText(const std::vector<TreeRow> &rows) {
    std::vector<std::size_t> depth(rows.size(), 0);
    std::string text;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].parent >= 0)
            depth[i] = depth[static_cast<std::size_t>(rows[i].parent)] + 1;
        text += std::string(2 * depth[i], ' ') + rows[i].label + '\n';
    }
    return text;
}

std::ostream &operator<<(std::ostream &out, const TreeRow &row) {
    return out << row.parent << ":\"" << row.label << '"';
}
