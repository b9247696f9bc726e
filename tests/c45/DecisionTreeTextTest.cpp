#include "c45/DecisionTreeText.h"
#include "TestLines.h"

#include "c45/C45Output.h"
#include "learner/Run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

std::string treeOf(const std::vector<std::string> &lines, bool simplified) {
    const std::vector<TreeRow> rows = parseDecisionTree(lines, simplified);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_LT(rows[i].parent, static_cast<int>(i)) << rows[i];
    std::ostringstream text;
    writeIndentedTree(rows, text);
    return text.str();
}

TEST(DecisionTreeText, SplicesWideSubtreesBackAtTheirReferences) {
    const std::vector<std::string> lines = {
        "Decision Tree:", "", "a > 0 : y (5.0)", "a <= 0 :", "|   b > 0 : x (3.0)",
        "|   b <= 0 :[S1]", "", "", "Subtree [S1]", "", "c <= 1 : x (2.0)", "c > 1 :[S2]", "", "",
        "Subtree [S2]", "", "d <= 0 : y (1.0)", "d > 0 : x (1.0)", "", "",
        "Simplified Decision Tree:", "", "a <= 0 :[S1]", "a > 0 : y (5.0)", "", "", "Subtree [S1]",
        "", "e <= 0 : x (4.0)", "e > 0 :[S1]", ""};
    EXPECT_EQ(treeOf(lines, false), "a \n  > 0 : y (5.0)\n  <= 0 :\n"
                                    "       b > 0 : x (3.0)\n       b <= 0 :\n"
                                    "         c <= 1 : x (2.0)\n         c > 1 :\n"
                                    "           d <= 0 : y (1.0)\n           d > 0 : x (1.0)\n");
    // Each tree finds its own sections; a section that names itself is
    // spliced once and its reference then stays as it was printed.
    EXPECT_EQ(treeOf(lines, true), "a \n  <= 0 :\n       e <= 0 : x (4.0)\n"
                                   "       e > 0 :[S1]\n  > 0 : y (5.0)\n");
}

// Writes STEM.names and STEM.data: groups of two cases, group g of class
// g % classes and alone in holding attribute g, the last group holding none.
// The tree peels one group off per test, and the long attribute names make
// every subtree too wide to print in place.
void writeChainSet(const std::string &stem, int groups, int classes) {
    std::ofstream names(stem + ".names"), data(stem + ".data");
    for (int c = 0; c < classes; ++c)
        names << (c ? ", " : "") << "class-" << c;
    names << ".\n\n";
    for (int g = 0; g < groups; ++g)
        names << "an-attribute-name-long-enough-to-push-its-subtree-out-of-line-" << g
              << ": continuous.\n";
    for (int g = 0; g < groups; ++g)
        for (int copy = 0; copy < 2; ++copy) {
            for (int a = 0; a < groups; ++a)
                data << (a == g && g + 1 < groups ? "1, " : "0, ");
            data << "class-" << g % classes << '\n';
        }
}

// Every tree the learner prints reads back whole: one row per node (a top
// row for the root's attribute, then one per branch) and no reference left
// unspliced, whether the sections are numbered or, after the 99th, "[S??]".
TEST(DecisionTreeText, ReadsBackEveryTreeTheLearnerPrints) {
    const std::string stem = ::testing::TempDir() + "/chain";
    writeChainSet(stem, 130, 26);
    std::ostringstream out;
    Options options;
    options.fileStem = stem;
    runLearner(options, out);
    C45RunResult run;
    run.outputLines = splitLines(out.str());
    const C45Summary summary = parseC45Output(run, false);
    ASSERT_GT(std::count(run.outputLines.begin(), run.outputLines.end(), "Subtree [S??]"), 0);
    for (const bool simplified : {false, true}) {
        SCOPED_TRACE(simplified ? "simplified" : "unpruned");
        const std::vector<TreeRow> rows = parseDecisionTree(run.outputLines, simplified);
        const int size =
            *(simplified ? summary.training.sizeAfterPruning : summary.training.sizeBeforePruning);
        EXPECT_EQ(static_cast<int>(rows.size()), size);
        const auto leaves = std::count_if(
            rows.begin(), rows.end(), [](const TreeRow &row) { return row.label.back() == ')'; });
        EXPECT_EQ(leaves, (size + 1) / 2);
        for (const TreeRow &row : rows)
            EXPECT_EQ(row.label.find("[S"), std::string::npos) << row;
    }
}

// The tcw trees tests check the release-8 tree and the windowing run's
// simplified tree; here the other trees of the same transcripts.
TEST(DecisionTreeText, ReadsRealC45Output) {
    EXPECT_EQ(treeOf(transcript("release8-test.out"), true),
              "wheat \n  > 0 : grain (7.0/2.4)\n  <= 0 :\n"
              "       profit <= 0 : acq (5.0/2.3)\n       profit > 0 : earn (9.0/2.4)\n");
    const std::vector<std::string> leaf = transcript("one-leaf.out");
    EXPECT_EQ(treeOf(leaf, false), " earn (3.0)\n");
    EXPECT_EQ(treeOf(leaf, true), " earn (3.0)\n");
    EXPECT_EQ(treeOf(transcript("windowing-two-trials.out"), false),
              "wheat \n  > 0 : grain (7.0/1.0)\n  <= 0 :\n"
              "       profit <= 0 : acq (6.0)\n       profit > 0 : earn (8.0)\n");
}

TEST(DecisionTreeText, NeverFailsOnOddInput) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{}, ""},
        {{"Decision Tree:"}, ""},
        {{"Decision Tree:", ""}, ""},
        {{"x <= 1 : a (1.0)", "", "Decision Tree:", "", "y > 2 : b (2.0)"},
         "y \n  > 2 : b (2.0)\n"},
        {{"no heading : here", "|   a"}, "no heading : here\n   a\n"},
        {{"Decision Tree:", "", "|   |   orphan", "top <= 1 :", "|   |   |   deep : x (1.0)",
          "|   back :", "top > 1 : y (2.0)"},
         "   orphan\ntop \n  <= 1 :\n       deep : x (1.0)\n     back :\n  > 1 : y (2.0)\n"},
        {{"Decision Tree:", "", "a <= 1 :", "|   b <= 2 :", "|   |   c = v:", "x (1.0)", "|   d"},
         "a \n  <= 1 :\n       b <= 2 :\n         c = v:\nx (1.0)\n       d\n"},
        {{"Decision Tree:", "", "|", ":", "|   :"}, "\n:\n   :\n"},
        {{"Decision Tree:", "", "w <= 0 :[S1]", "w > 0 : a (1.0)", "", "Subtree [S1]"},
         "w \n  <= 0 :[S1]\n  > 0 : a (1.0)\n"},
        {{"Decision Tree:", "", "a <= 1 : x (1.0)", "", "Decision Tree:", "", "b <= 1 : y (1.0)"},
         "a \n  <= 1 : x (1.0)\n"},
        {{"Best tree from trial 7 saved", "Decision Tree:", "", "a = b: c (1.0)"},
         "a \n  = b: c (1.0)\n"},
        {{"Decision Tree:", "", "a > 1 : x (1.0)", "", "--------", "Trial 1", "--------", "",
          "no tree here", "", "--------", "Best tree from trial 1 saved"},
         "a \n  > 1 : x (1.0)\n"},
    };
    for (const auto &[lines, expected] : cases) {
        SCOPED_TRACE(::testing::PrintToString(lines));
        EXPECT_EQ(treeOf(lines, false), expected);
    }
}

} // namespace
