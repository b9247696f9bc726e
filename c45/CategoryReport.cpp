// Writing and reading the per-category report.
#include "c45/CategoryReport.h"

#include "c45/NumberText.h"

#include <algorithm>
#include <cctype>
#include <limits>
#include <sstream>

namespace {

// The line patterns: '#' stands for a decimal integer, '%' for a fraction
// or "n/a". The writer fills them in and the reader matches them, so the
// two cannot drift apart.
const char *const headerPattern =
    "Per-category trees of # categories: # training cases (# attributes), # test cases";
const char *const casesPattern = "\tcases in the category: training # test #";
const char *const sizePattern = "\tsize before # after #";
const char *const trainingPattern = "\ttraining errors before # after #";
const char *const testPattern = "\ttest errors before # after #";
const char *const tablePattern = "\ttest table TP # FP # FN # TN #";
const char *const summaryPattern = "Summary of # categories";
const char *const summedSizePattern = "\tsummed size before # after #";
const char *const microPattern = "\tmicro precision % recall % F1 %";
const char *const macroPattern =
    "\tmacro precision % recall % F1 % over # categories with positive test cases";
const std::string categoryPrefix = "Category ";

struct Values {
    std::vector<std::int64_t> whole;
    std::vector<std::optional<double>> rates;
};

std::string fill(const char *pattern, const Values &values) {
    std::string line;
    std::size_t whole = 0, rate = 0;
    for (const char *p = pattern; *p; ++p) {
        if (*p == '#')
            line += std::to_string(values.whole.at(whole++));
        else if (*p == '%')
            line += rateText(values.rates.at(rate++));
        else
            line += *p;
    }
    return line;
}

// Reads "n/a" or DIGITS.DIGITS at p.
bool readRate(const std::string &line, std::size_t &p, std::optional<double> &rate) {
    if (line.compare(p, 3, "n/a") == 0) {
        p += 3;
        rate.reset();
        return true;
    }
    const std::size_t start = p;
    while (p < line.size() && (std::isdigit(static_cast<unsigned char>(line[p])) || line[p] == '.'))
        ++p;
    const std::string text = line.substr(start, p - start);
    if (text.find('.') == std::string::npos)
        return false;
    rate = readDecimal(text);
    return rate.has_value();
}

bool match(const std::string &line, const char *pattern, Values &values) {
    values = {};
    std::size_t p = 0;
    for (const char *q = pattern; *q; ++q) {
        if (*q == '%') {
            values.rates.emplace_back();
            if (!readRate(line, p, values.rates.back()))
                return false;
        } else if (*q == '#') {
            const std::size_t start = p;
            while (p < line.size() && std::isdigit(static_cast<unsigned char>(line[p])) &&
                   p - start < 18)
                ++p;
            if (p == start)
                return false;
            values.whole.push_back(std::stoll(line.substr(start, p - start)));
        } else if (p >= line.size() || line[p++] != *q) {
            return false;
        }
    }
    return p == line.size();
}

Values tableValues(const BinaryTable &t) {
    return {{t.tp, t.fp, t.fn, t.tn}, {}};
}

std::optional<double> ratio(std::int64_t numerator, std::int64_t denominator) {
    if (denominator == 0)
        return std::nullopt;
    return static_cast<double>(numerator) / static_cast<double>(denominator);
}

class LineReader {
public:
    explicit LineReader(std::istream &in) {
        for (std::string line; std::getline(in, line);)
            lines_.push_back(line);
    }
    bool atEnd() const { return next_ == lines_.size(); }
    const std::string &peek() const { return lines_[next_]; }
    [[noreturn]] void fail(const std::string &expected) const {
        throw CategoryReportError("line " + std::to_string(next_ + 1) + ": expected \"" + expected +
                                  "\"");
    }
    const std::string &take(const std::string &expected) {
        if (atEnd())
            fail(expected);
        return lines_[next_++];
    }
    Values expect(const char *pattern) {
        Values values;
        if (atEnd() || !match(lines_[next_], pattern, values))
            fail(pattern);
        ++next_;
        return values;
    }
    void expectEmpty() {
        if (!take("").empty()) {
            --next_;
            fail("");
        }
    }
    // A value of the line just read that must fit an int.
    int count(std::int64_t value) const {
        if (value > std::numeric_limits<int>::max())
            throw CategoryReportError("line " + std::to_string(next_) + ": " +
                                      std::to_string(value) + " is beyond the range of a count");
        return static_cast<int>(value);
    }
    // Skips to the header and reads it.
    Values header() {
        Values values;
        while (!atEnd() && !match(lines_[next_], headerPattern, values))
            ++next_;
        if (atEnd())
            fail(headerPattern);
        ++next_;
        return values;
    }

private:
    std::vector<std::string> lines_;
    std::size_t next_ = 0;
};

} // namespace

std::string rateText(const std::optional<double> &rate) {
    return rate ? fixedNumber(*rate, 4) : "n/a";
}

Averages binaryAverages(const BinaryTable &t) {
    return {ratio(t.tp, t.tp + t.fp), ratio(t.tp, t.tp + t.fn),
            ratio(2 * t.tp, 2 * t.tp + t.fp + t.fn)};
}

PooledErrors pooledTestErrors(const CategoryReport &report) {
    PooledErrors errors;
    for (const CategorySection &c : report.categories) {
        errors.before += c.testErrorsBefore;
        errors.after += c.testErrorsAfter;
    }
    errors.decisions = static_cast<std::int64_t>(report.categories.size()) * report.testCases;
    return errors;
}

BinaryTable &BinaryTable::operator+=(const BinaryTable &other) {
    tp += other.tp;
    fp += other.fp;
    fn += other.fn;
    tn += other.tn;
    return *this;
}

bool BinaryTable::operator==(const BinaryTable &other) const {
    return tp == other.tp && fp == other.fp && fn == other.fn && tn == other.tn;
}

bool CategorySection::operator==(const CategorySection &other) const {
    return name == other.name && trainingCases == other.trainingCases &&
           testCases == other.testCases && unprunedSize == other.unprunedSize &&
           prunedSize == other.prunedSize && trainingErrorsBefore == other.trainingErrorsBefore &&
           trainingErrorsAfter == other.trainingErrorsAfter &&
           testErrorsBefore == other.testErrorsBefore && testErrorsAfter == other.testErrorsAfter &&
           table == other.table && tree == other.tree;
}

bool CategoryReport::operator==(const CategoryReport &other) const {
    return trainingCases == other.trainingCases && attributes == other.attributes &&
           testCases == other.testCases && categories == other.categories;
}

CategorySummary summarise(const std::vector<CategorySection> &categories) {
    CategorySummary summary;
    double precision = 0, recall = 0, f1 = 0;
    for (const CategorySection &c : categories) {
        summary.unprunedSize += c.unprunedSize;
        summary.prunedSize += c.prunedSize;
        summary.table += c.table;
        if (c.table.tp + c.table.fn == 0)
            continue;
        const Averages own = binaryAverages(c.table);
        ++summary.macroCategories;
        precision += own.precision.value_or(0);
        recall += *own.recall;
        f1 += *own.f1;
    }
    summary.micro = binaryAverages(summary.table);
    if (summary.macroCategories > 0) {
        const double n = summary.macroCategories;
        summary.macro = {precision / n, recall / n, f1 / n};
    }
    return summary;
}

void writeCategoryReport(std::ostream &out, const CategoryReport &report) {
    const auto k = static_cast<std::int64_t>(report.categories.size());
    out << '\n'
        << fill(headerPattern, {{k, report.trainingCases, report.attributes, report.testCases}, {}})
        << '\n';
    for (std::size_t i = 0; i < report.categories.size(); ++i) {
        const CategorySection &c = report.categories[i];
        if (c.name.find('\n') != std::string::npos)
            throw std::invalid_argument("category name holds a line end");
        if (!c.tree.empty() &&
            (c.tree.size() < 2 || c.tree.compare(c.tree.size() - 2, 2, "\n\n") != 0))
            throw std::invalid_argument("tree text of " + c.name +
                                        " does not end in an empty line");
        out << '\n'
            << categoryPrefix << i + 1 << ": " << c.name << '\n'
            << fill(casesPattern, {{c.trainingCases, c.testCases}, {}}) << '\n'
            << fill(sizePattern, {{c.unprunedSize, c.prunedSize}, {}}) << '\n'
            << fill(trainingPattern, {{c.trainingErrorsBefore, c.trainingErrorsAfter}, {}}) << '\n'
            << fill(testPattern, {{c.testErrorsBefore, c.testErrorsAfter}, {}}) << '\n'
            << fill(tablePattern, tableValues(c.table)) << '\n';
        if (!c.tree.empty())
            out << '\n' << c.tree;
    }
    const CategorySummary s = summarise(report.categories);
    out << '\n'
        << fill(summaryPattern, {{k}, {}}) << '\n'
        << fill(summedSizePattern, {{s.unprunedSize, s.prunedSize}, {}}) << '\n'
        << fill(tablePattern, tableValues(s.table)) << '\n'
        << fill(microPattern, {{}, {s.micro.precision, s.micro.recall, s.micro.f1}}) << '\n'
        << fill(macroPattern,
                {{s.macroCategories}, {s.macro.precision, s.macro.recall, s.macro.f1}})
        << '\n';
}

ParsedCategoryReport parseCategoryReport(std::istream &in) {
    LineReader lines(in);
    ParsedCategoryReport parsed;
    CategoryReport &report = parsed.report;
    const Values header = lines.header();
    const std::int64_t k = header.whole[0];
    report.trainingCases = lines.count(header.whole[1]);
    report.attributes = lines.count(header.whole[2]);
    report.testCases = lines.count(header.whole[3]);
    const std::string summaryLine = fill(summaryPattern, {{k}, {}});
    lines.expectEmpty();
    for (std::int64_t i = 1; i <= k; ++i) {
        const std::string prefix = categoryPrefix + std::to_string(i) + ": ";
        const std::string &title = lines.take(prefix + "<name>");
        if (title.compare(0, prefix.size(), prefix) != 0)
            lines.fail(prefix + "<name>");
        CategorySection c;
        c.name = title.substr(prefix.size());
        Values v = lines.expect(casesPattern);
        c.trainingCases = lines.count(v.whole[0]);
        c.testCases = lines.count(v.whole[1]);
        v = lines.expect(sizePattern);
        c.unprunedSize = lines.count(v.whole[0]);
        c.prunedSize = lines.count(v.whole[1]);
        v = lines.expect(trainingPattern);
        c.trainingErrorsBefore = lines.count(v.whole[0]);
        c.trainingErrorsAfter = lines.count(v.whole[1]);
        v = lines.expect(testPattern);
        c.testErrorsBefore = lines.count(v.whole[0]);
        c.testErrorsAfter = lines.count(v.whole[1]);
        v = lines.expect(tablePattern);
        c.table = {v.whole[0], v.whole[1], v.whole[2], v.whole[3]};
        // Up to the next section or the closing block: an empty line, or an
        // empty line, the tree (which ends in an empty line) and an empty line.
        const std::string next =
            i < k ? categoryPrefix + std::to_string(i + 1) + ": " : summaryLine;
        std::vector<std::string> between;
        const auto starts = [&lines](const std::string &prefix) {
            return lines.peek().compare(0, prefix.size(), prefix) == 0;
        };
        while (!lines.atEnd() && !starts(categoryPrefix) && !starts("Summary of "))
            between.push_back(lines.take(next));
        if (lines.atEnd() || !starts(next))
            lines.fail(next);
        if (between.empty() || !between.back().empty())
            lines.fail("");
        between.pop_back();
        if (!between.empty()) {
            if (between.size() < 3 || !between.front().empty() || !between.back().empty())
                lines.fail(next);
            for (std::size_t t = 1; t < between.size(); ++t)
                c.tree += between[t] + '\n';
        }
        report.categories.push_back(std::move(c));
    }
    lines.expect(summaryPattern);
    CategorySummary &s = parsed.summary;
    Values v = lines.expect(summedSizePattern);
    s.unprunedSize = v.whole[0];
    s.prunedSize = v.whole[1];
    v = lines.expect(tablePattern);
    s.table = {v.whole[0], v.whole[1], v.whole[2], v.whole[3]};
    v = lines.expect(microPattern);
    s.micro = {v.rates[0], v.rates[1], v.rates[2]};
    v = lines.expect(macroPattern);
    s.macro = {v.rates[0], v.rates[1], v.rates[2]};
    s.macroCategories = lines.count(v.whole[0]);
    return parsed;
}

std::vector<std::string> treeLines(const CategorySection &section) {
    std::vector<std::string> lines;
    std::istringstream text(section.tree);
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    return lines;
}

bool isPerCategoryRun(const std::vector<std::string> &lines) {
    return std::find(lines.begin(), lines.end(), perCategoryEchoLine) != lines.end();
}

ParsedCategoryReport parseCategoryReport(const std::vector<std::string> &lines) {
    std::stringstream text;
    for (const std::string &line : lines)
        text << line << '\n';
    return parseCategoryReport(text);
}

std::ostream &operator<<(std::ostream &out, const CategorySection &c) {
    return out << c.name << ' ' << c.trainingCases << '+' << c.testCases << ' ' << c.unprunedSize << '/' << c.prunedSize << " train "
               << c.trainingErrorsBefore << '/' << c.trainingErrorsAfter << " test "
               << c.testErrorsBefore << '/' << c.testErrorsAfter << " TP " << c.table.tp << " FP "
               << c.table.fp << " FN " << c.table.fn << " TN " << c.table.tn
               << (c.tree.empty() ? "" : ", tree");
}
