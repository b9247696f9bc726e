#include "c45/DecisionTreeText.h"
#include "TestLines.h"

#include <gtest/gtest.h>

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

// Each section refers to the next: splicing once copied every line behind
// a prefix as long as its depth and recursed once per section, so a chain
// like this one of a few megabytes exhausted memory and stack.
TEST(DecisionTreeText, SplicesALongChainOfSectionsLevelByLevel) {
    const int sections = 100000;
    std::vector<std::string> lines = {"Decision Tree:", "", "w0 <= 0 :[S1]", "w0 > 0 : a (1.0)",
                                      ""};
    for (int n = 1; n <= sections; ++n) {
        const std::string word = "w" + std::to_string(n);
        lines.insert(lines.end(),
                     {"", "Subtree [S" + std::to_string(n) + "]", "",
                      word + " <= 0 :" + (n < sections ? "[S" + std::to_string(n + 1) + "]" : ""),
                      "|   " + word + " > 0 : b (1.0)", ""});
    }
    const std::vector<TreeRow> rows = parseDecisionTree(lines, false);
    ASSERT_EQ(rows.size(), 2u + 2u * sections + 1u);
    EXPECT_EQ(rows[2], (TreeRow{"   w1 <= 0 :", 1}));
    EXPECT_EQ(rows[3], (TreeRow{"   w2 <= 0 :", 2}));
    EXPECT_EQ(rows[rows.size() - 2], (TreeRow{"   w1 > 0 : b (1.0)", 2}));
    EXPECT_EQ(rows.back(), (TreeRow{"> 0 : a (1.0)", 0}));
    // The innermost row hangs below every section of the chain.
    int rowsOnItsPath = 0;
    for (int row = sections + 2; row >= 0; row = rows[static_cast<std::size_t>(row)].parent)
        ++rowsOnItsPath;
    EXPECT_EQ(rowsOnItsPath, sections + 3);
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
