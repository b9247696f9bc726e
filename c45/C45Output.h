// The result of a C4.5 run and the reading of C4.5's standard output: the
// data-set sizes, the tree sizes and error rates of the training and test
// evaluations, and the confusion matrix between the "<CM>" and "</CM>" lines.
#pragma once

#include "c45/CategoryReport.h"
#include "c45/ConfusionMatrix.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

// What the workbench keeps of its latest C4.5 run.
struct C45RunResult {
    std::vector<std::string> outputLines; // every output line, without its "\n"
    ConfusionMatrix confusionMatrix;

    bool operator==(const C45RunResult &other) const {
        return outputLines == other.outputLines && confusionMatrix == other.confusionMatrix;
    }
};

// Empties the output lines and the confusion matrix.
void resetRunResult(C45RunResult &result);

// The values of one evaluation table. A value is absent when the output did
// not hold it (no evaluation line, no sixth line, a line that stopped
// matching before this field).
struct C45Evaluation {
    std::optional<int> items;
    std::optional<int> sizeBeforePruning;
    std::optional<int> errorsBeforePruning;
    std::optional<float> errorPercentBeforePruning;
    std::optional<int> sizeAfterPruning;
    std::optional<int> errorsAfterPruning;
    std::optional<float> errorPercentAfterPruning;
    std::optional<float> estimatePercent;

    bool operator==(const C45Evaluation &other) const;
};

// Everything the parser read besides the confusion matrix.
struct C45Summary {
    bool hasTest = false; // the test values were looked for
    std::optional<int> attributes;
    C45Evaluation training; // training.items: the "Read" line, then the evaluation heading
    C45Evaluation test;
    std::optional<int> categoryCount; // names of the matrix; absent without "<CM>"
};

// Reads result.outputLines (which it does not change) and replaces
// result.confusionMatrix. The scan reads "Read N cases (N attributes)", the
// evaluation headings' "(N items)" and their sixth lines, "SIZE ERRORS(P%)
// SIZE ERRORS(P%) (P%)", whatever the width of each number and the blanks
// between them, in the C locale's notation whatever the process locale.
// A percentage of no cases ("0(-nan%)") is read past and left absent. Fields
// are kept up to the first one that does not match, and later values
// overwrite earlier ones (an absent percentage too); a training heading
// advances the scan by two lines; the scan stops at a line that is exactly
// "<CM>". Test values are looked for only when hasTest. With two or more
// trials (a table whose third line starts with "Trial" and whose rows start
// with the trial number and a tab) the values are those of the row that
// ends in "<<", the saved tree.
// The matrix keeps the whole blocks ("+", K + 1 counts, a name) that follow
// "<CM>" and K, up to K + 1 of them; reading stops at "</CM>", at the end of
// the lines, or at anything malformed (a missing "+", a count that is not a
// non-negative integer, a block cut short). When fewer than K + 1 blocks are
// whole, each row keeps only the columns of the categories that have a row,
// so the matrix is always square.
C45Summary parseC45Output(C45RunResult &result, bool hasTest);

// A per-category run in the terms of one run, as the C4.5 page shows it: its
// cases, attributes and categories, the tree sizes summed over the
// categories, and the errors of all category decisions (one per category and
// case) with their share of them in percent to one decimal (absent without
// cases); no estimates.
C45Summary summaryOfCategoryRun(const ParsedCategoryReport &run);

// The texts of the C4.5 page's labels for one summary: a number, or "n/a"
// for a value the output did not hold. The labels other than the two
// estimates take markup: in the Markup form their texts are
// smallBoldMarkup(value), ready for set_markup; the estimates are always
// plain. The Plain form leaves every text unmarked (for console output).
enum class TextForm { Markup, Plain };

struct C45PageTexts {
    std::string trainCount;                  // c45_train_count_label
    std::string testCount;                   // c45_test_count_label
    std::string categoryCount;               // c45_category_count_label
    std::string attributeCount;              // attribute_count_label
    std::string trainSizeBefore;             // train_size_bp_label and tree_size_bp_label
    std::string trainErrorsBefore;           // train_errors_bp_label: 2 (9.5%)
    std::string trainSizeAfter;              // train_size_ap_label and tree_size_ap_label
    std::string trainErrorsAfter;            // train_errors_ap_label
    std::string trainEstimate;               // train_estimate_label: 33.6%
    std::string testSizeBefore;              // test_size_bp_label
    std::string testErrorsBefore;            // test_errors_bp_label
    std::string testSizeAfter;               // test_size_ap_label
    std::string testErrorsAfter;             // test_errors_ap_label
    std::optional<std::string> testEstimate; // test_estimate_label; absent: keep its text
};

// Without hasTest the test texts are "n/a" and the test estimate is absent,
// as after a reset.
C45PageTexts pageTexts(const C45Summary &summary, TextForm form = TextForm::Markup);

std::ostream &operator<<(std::ostream &out, const C45Evaluation &evaluation);
std::ostream &operator<<(std::ostream &out, const C45RunResult &result);
