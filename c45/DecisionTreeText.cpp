#include "c45/DecisionTreeText.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

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

// C4.5 prints a subtree that would be too wide in its place as a reference
// "[Sn]" at the end of its branch line, and the subtree itself after the
// tree, under "Subtree [Sn]", from depth 0. The splicer puts every such
// subtree back at its reference, one level below the branch line, so that
// the whole tree reads as one.
class SubtreeSplicer {
public:
    SubtreeSplicer(const std::vector<std::string> &lines, std::size_t treeEnd) : lines_(lines) {
        for (std::size_t i = treeEnd; i < lines.size(); ++i) {
            int number = 0;
            char end = 0;
            if (beginsWith(lines[i], "Subtree [S") &&
                std::sscanf(lines[i].c_str(), "Subtree [S%d%c", &number, &end) == 2 && end == ']')
                sections_.emplace(number, sectionBody(i + 1)); // the first is this tree's
        }
    }

    // Appends lines [begin, end) to out, each behind prefix, with the
    // subtrees they refer to spliced in. Each section is spliced once, so a
    // section that refers to itself cannot loop; a reference without a
    // section, or to an empty one, stays as printed.
    void splice(std::size_t begin, std::size_t end, const std::string &prefix,
                std::vector<std::string> &out) {
        for (std::size_t i = begin; i < end; ++i) {
            const std::string line = prefix + lines_[i];
            int number = 0;
            const std::size_t reference = referencePosition(line, number);
            const auto section =
                reference == std::string::npos ? sections_.end() : sections_.find(number);
            if (section == sections_.end() || section->second.begin == section->second.end ||
                !spliced_.insert(number).second) {
                out.push_back(line);
                continue;
            }
            out.push_back(line.substr(0, reference));
            std::string deeper;
            for (std::size_t bars = std::count(line.begin(), line.begin() + reference, '|') + 1;
                 bars > 0; --bars)
                deeper += "|   ";
            splice(section->second.begin, section->second.end, deeper, out);
        }
    }

private:
    // The lines of a section: after its heading and the empty line that
    // follows it, up to the next empty line.
    Range sectionBody(std::size_t first) const {
        if (first < lines_.size() && lines_[first].empty())
            ++first;
        std::size_t last = first;
        while (last < lines_.size() && !lines_[last].empty())
            ++last;
        return Range{first, last};
    }

    // Position of a trailing ":[Sn]" reference's "[", or npos.
    static std::size_t referencePosition(const std::string &line, int &number) {
        const std::size_t open = line.rfind(":[S");
        if (open == std::string::npos || line.back() != ']')
            return std::string::npos;
        const std::string digits = line.substr(open + 3, line.size() - open - 4);
        if (digits.empty() || digits.size() > 6 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return std::string::npos;
        number = std::stoi(digits);
        return open + 1;
    }

    const std::vector<std::string> &lines_;
    std::map<int, Range> sections_;
    std::set<int> spliced_;
};

} // namespace

std::vector<TreeRow> parseDecisionTree(const std::vector<std::string> &lines, bool simplified) {
    const std::size_t start = treeStart(lines, simplified);
    std::size_t end = start;
    while (end < lines.size() && !lines[end].empty())
        ++end;
    std::vector<std::string> treeLines;
    SubtreeSplicer(lines, end).splice(start, end, "", treeLines);

    TreeBuilder builder;
    for (const std::string &line : treeLines)
        builder.addLine(line);
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
