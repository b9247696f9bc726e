#include "c45/DecisionTreeText.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

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

// A line of the tree as read, with the depth its subtree section was
// spliced in at: the line stands "depth" levels deeper than printed.
struct TreeLine {
    std::string_view text;
    std::size_t depth = 0;
};

class TreeBuilder {
public:
    void addLine(const TreeLine &line) {
        if (line.depth == 0 && line.text[0] != '|') {
            addTopLevelLine(std::string(line.text));
            return;
        }
        const std::size_t depth = line.depth + std::count(line.text.begin(), line.text.end(), '|');
        const std::size_t bar = line.text.rfind('|');
        // A section's own top-level line stands behind the "|   " of its
        // splice point.
        addNestedLine(depth, bar == std::string_view::npos
                                 ? "   " + std::string(line.text)
                                 : std::string(line.text.substr(bar + 1)));
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

    void addNestedLine(std::size_t depth, const std::string &label) {
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
// tree, under "Subtree [Sn]", from depth 0; past the 99th both read "[S??]".
// References and sections come in the same order (a section's own
// references follow those printed before it), so the k-th reference of the
// tree and its sections, in line order, names the k-th section whatever its
// label says. The splicer puts every such subtree back at its reference,
// one level below the branch line, so that the whole tree reads as one.
// Lines are not copied and sections are followed without recursion, so a
// long chain of sections costs time and memory in proportion to the output.
class SubtreeSplicer {
public:
    SubtreeSplicer(const std::vector<std::string> &lines, std::size_t treeBegin,
                   std::size_t treeEnd)
        : lines_(lines) {
        std::size_t i = treeEnd;
        for (;;) {
            while (i < lines.size() && lines[i].empty())
                ++i;
            if (i == lines.size() || !isSectionHeading(lines[i]))
                break;
            sections_.push_back(sectionBody(i + 1));
            i = sections_.back().end;
        }
        for (std::size_t j = treeBegin; j < i; ++j)
            if (referencePosition(lines[j]) != std::string::npos)
                references_.push_back(j);
    }

    // The lines [begin, end) with the subtrees they refer to spliced in.
    // Each section is spliced once, so a section that refers to itself
    // cannot loop; a reference without a section, or to an empty one, stays
    // as printed.
    std::vector<TreeLine> splice(std::size_t begin, std::size_t end) {
        std::vector<TreeLine> out;
        struct Pending {
            Range range;
            std::size_t depth;
        };
        std::vector<Pending> pending{{Range{begin, end}, 0}};
        std::vector<bool> spliced(sections_.size(), false);
        while (!pending.empty()) {
            Pending &top = pending.back();
            if (top.range.begin == top.range.end) {
                pending.pop_back();
                continue;
            }
            const std::size_t index = top.range.begin++;
            const std::string &line = lines_[index];
            const std::size_t depth = top.depth;
            const std::size_t section = sectionOf(index);
            if (section == sections_.size() || sections_[section].begin == sections_[section].end ||
                spliced[section]) {
                out.push_back(TreeLine{line, depth});
                continue;
            }
            spliced[section] = true;
            const std::string_view branch =
                std::string_view(line).substr(0, referencePosition(line));
            out.push_back(TreeLine{branch, depth});
            pending.push_back(Pending{sections_[section],
                                      depth + std::count(branch.begin(), branch.end(), '|') + 1});
        }
        return out;
    }

private:
    // "S12" or "S??".
    static bool isLabel(std::string_view label) {
        if (label == "S??")
            return true;
        return label.size() > 1 && label[0] == 'S' &&
               std::all_of(label.begin() + 1, label.end(),
                           [](char c) { return c >= '0' && c <= '9'; });
    }

    // "Subtree [S12]" or "Subtree [S??]".
    static bool isSectionHeading(const std::string &line) {
        const std::string heading = "Subtree [";
        return beginsWith(line, heading) && line.back() == ']' &&
               isLabel(
                   std::string_view(line).substr(heading.size(), line.size() - heading.size() - 1));
    }

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

    // Position of the "[" of a trailing ":[S12]" or ":[S??]", or npos.
    static std::size_t referencePosition(const std::string &line) {
        const std::size_t open = line.rfind(":[S");
        if (open == std::string::npos || line.back() != ']' ||
            !isLabel(std::string_view(line).substr(open + 2, line.size() - open - 3)))
            return std::string::npos;
        return open + 1;
    }

    // The section the reference on line index names, or sections_.size().
    std::size_t sectionOf(std::size_t index) const {
        const auto found = std::lower_bound(references_.begin(), references_.end(), index);
        if (found == references_.end() || *found != index)
            return sections_.size();
        return std::min(static_cast<std::size_t>(found - references_.begin()), sections_.size());
    }

    const std::vector<std::string> &lines_;
    std::vector<Range> sections_;         // in printed order
    std::vector<std::size_t> references_; // lines holding a reference, ascending
};

} // namespace

std::vector<TreeRow> parseDecisionTree(const std::vector<std::string> &lines, bool simplified) {
    const std::size_t start = treeStart(lines, simplified);
    std::size_t end = start;
    while (end < lines.size() && !lines[end].empty())
        ++end;
    TreeBuilder builder;
    for (const TreeLine &line : SubtreeSplicer(lines, start, end).splice(start, end))
        builder.addLine(line);
    return builder.takeRows();
}

void writeIndentedTree(const std::vector<TreeRow> &rows, std::ostream &out) {
    std::vector<std::size_t> depth(rows.size(), 0);
    std::string indent;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].parent >= 0)
            depth[i] = depth[static_cast<std::size_t>(rows[i].parent)] + 1;
        indent.assign(2 * depth[i], ' ');
        out << indent << rows[i].label << '\n';
    }
}

std::ostream &operator<<(std::ostream &out, const TreeRow &row) {
    return out << row.parent << ":\"" << row.label << '"';
}
