// The report of a per-category run (c4.5.exe -L -Y): one binary tree per
// category, that category against the rest. The learner fills a
// CategoryReport and prints it with writeCategoryReport; the workbench reads
// the printed text back with parseCategoryReport.
//
// Layout, after the learner's banner and options echo (tabs are "\t"; a
// value in <> is a decimal integer unless said otherwise):
//
//   (empty line)
//   Per-category trees of <K> categories: <N> training cases (<A> attributes), <M> test cases
//   then per category k = 1 .. K, in names-file order:
//   (empty line)
//   Category <k>: <name>
//   \tcases in the category: training <n> test <n>
//   \tsize before <S> after <S>
//   \ttraining errors before <E> after <E>
//   \ttest errors before <E> after <E>
//   \ttest table TP <n> FP <n> FN <n> TN <n>
//   and, only with -v 1 or more, an empty line and the trees as a normal run
//   of the category's binary task prints them: "Decision Tree:" and the grown
//   tree, then, if pruning changed it, an empty line and "Simplified Decision
//   Tree:" with the pruned one, each ending in an empty line (the binary
//   classes are the category and "not-" + the category);
//   then the closing block:
//   (empty line)
//   Summary of <K> categories
//   \tsummed size before <S> after <S>
//   \ttest table TP <n> FP <n> FN <n> TN <n>
//   \tmicro precision <P> recall <R> F1 <F>
//   \tmacro precision <P> recall <R> F1 <F> over <C> categories with positive test cases
//
// "before" and "after" are the unpruned and the pruned tree; errors are
// counts of cases; the test table is the pruned tree's on the test cases,
// positive meaning "in the category". P, R and F are fractions with four
// decimals ("0.8333"), or "n/a" where undefined: precision TP/(TP+FP),
// recall TP/(TP+FN), F1 2TP/(2TP+FP+FN). Micro values come from the summed
// table. Macro values average over the C categories with at least one
// positive test case (TP+FN > 0), a precision without predicted positives
// counting as 0; with C = 0 they are "n/a".
#pragma once

#include <cstdint>
#include <istream>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

// The options echo line of -Y.
inline constexpr const char *perCategoryEchoLine = "\tOne tree per category against the rest";

// The 2x2 table of a binary task, or the sum of several.
struct BinaryTable {
    std::int64_t tp = 0, fp = 0, fn = 0, tn = 0;
    BinaryTable &operator+=(const BinaryTable &other);
    bool operator==(const BinaryTable &other) const;
};

struct CategorySection {
    std::string name;
    int trainingCases = 0, testCases = 0; // the cases in the category
    int unprunedSize = 0, prunedSize = 0;
    int trainingErrorsBefore = 0, trainingErrorsAfter = 0;
    int testErrorsBefore = 0, testErrorsAfter = 0;
    BinaryTable table;
    // The trees as printed, ending in an empty line; empty when the
    // tree is not part of the report.
    std::string tree;
    bool operator==(const CategorySection &other) const;
};

// Precision, recall and F1; absent where undefined.
struct Averages {
    std::optional<double> precision, recall, f1;
};

struct CategoryReport {
    int trainingCases = 0, attributes = 0, testCases = 0;
    std::vector<CategorySection> categories;
    bool operator==(const CategoryReport &other) const;
};

// What the closing block states.
struct CategorySummary {
    std::int64_t unprunedSize = 0, prunedSize = 0;
    BinaryTable table;
    Averages micro, macro;
    int macroCategories = 0; // categories with a positive test case
};

// The closing block's values, computed from the sections.
CategorySummary summarise(const std::vector<CategorySection> &categories);

// The errors of all category decisions on the test cases (one decision per
// category and case), before and after pruning.
struct PooledErrors {
    std::int64_t before = 0, after = 0, decisions = 0;
};
PooledErrors pooledTestErrors(const CategoryReport &report);

// A rate as the report writes it: four decimals ("0.8333"), or "n/a".
std::string rateText(const std::optional<double> &rate);

// Precision, recall and F1 of one table.
Averages binaryAverages(const BinaryTable &table);

// Writes the layout above: the header, every section and the closing block.
// Throws std::invalid_argument for a tree text that does not end in "\n\n"
// or a name holding a line end, which the layout could not carry.
void writeCategoryReport(std::ostream &out, const CategoryReport &report);

// A report that does not follow the layout; what() names the line
// ("line 12: expected \"\ttest table TP <n> FP <n> FN <n> TN <n>\"").
class CategoryReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ParsedCategoryReport {
    CategoryReport report;
    CategorySummary summary; // as printed, averages rounded to four decimals
};

// Reads a learner's whole output: lines before the header (banner, options)
// are skipped. Throws CategoryReportError if the header is missing, a line
// departs from the layout, the categories are not numbered 1 .. K, or the
// output ends early.
ParsedCategoryReport parseCategoryReport(std::istream &in);

// The section's tree text as lines without their "\n" (none when the
// report holds no tree), ready for parseDecisionTree.
std::vector<std::string> treeLines(const CategorySection &section);

// Whether the lines are a per-category run's output: its options echo
// perCategoryEchoLine before the report.
bool isPerCategoryRun(const std::vector<std::string> &lines);

// parseCategoryReport on an output held as lines.
ParsedCategoryReport parseCategoryReport(const std::vector<std::string> &lines);

// "acq 3+2 7/5 train 2/3 test 0/1 TP 2 FP 0 FN 0 TN 4 tree" (", tree" only
// when it holds one), for readable test failures.
std::ostream &operator<<(std::ostream &out, const CategorySection &section);
