#include "c45/C45Output.h"
#include "CroatianLocale.h"
#include "TestLines.h"
#include "c45/NumberText.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The C4.5 page as one line: counts, training values, test values.
std::string page(const C45Summary &summary) {
    const C45PageTexts t = pageTexts(summary, TextForm::Plain);
    return "train " + t.trainCount + " test " + t.testCount + " cats " + t.categoryCount +
           " attrs " + t.attributeCount + " | " + t.trainSizeBefore + " " + t.trainErrorsBefore +
           " / " + t.trainSizeAfter + " " + t.trainErrorsAfter + " est " + t.trainEstimate + " | " +
           t.testSizeBefore + " " + t.testErrorsBefore + " / " + t.testSizeAfter + " " +
           t.testErrorsAfter + " est " + t.testEstimate.value_or("(kept)");
}

struct ParseCase {
    const char *name;
    std::string output;
    bool hasTest;
    std::string expectedPage;
    std::string expectedMatrix = "(empty)";
};

const std::string trainHeading = "Evaluation on training data (21 items):\n\nh\nh\nh\n\n";
const std::string testHeading = "Evaluation on test data (6 items):\n\nh\nh\nh\n\n";
const std::string trainRow = "\t   7    2( 9.5%)      5    3(14.3%)    (33.6%)   <<\n";
const std::string testRow = "\t   7    0( 0.0%)      5    1(16.7%)    (33.6%)   <<\n";
const std::string kept = " | n/a n/a / n/a n/a est (kept)";
const std::string noValues = " | n/a n/a / n/a n/a est n/a";
const std::string allNa =
    "train n/a test n/a cats n/a attrs n/a | n/a n/a / n/a n/a est n/a" + noValues;

TEST(C45Output, ParsesSummariesAsTheC45PageShowsThem) {
    const std::vector<ParseCase> cases = {
        {"empty output", "", true, allNa},
        {"read line only", "Read 21 cases (3 attributes) from bla.data\n", false,
         "train 21 test n/a cats n/a attrs 3 | n/a n/a / n/a n/a est n/a" + kept},
        {"a percentage of 100 and counts of any width, as c4.5.exe prints them",
         "Evaluation on training data (3 items):\n\nh\nh\nh\n\n\t   1    3(100.0%)      1    "
         "3(100.0%)    (75.0%)   <<\n",
         false, "train 3 test n/a cats n/a attrs n/a | 1 3 (100%) / 1 3 (100%) est 75%" + kept},
        {"counts of 10,000 and more",
         "Read 123456 cases (54321 attributes) from big.data\nEvaluation on training data (123456 "
         "items):\n\nh\nh\nh\n\n\t12345  12345(10.0%)   123457  100000(81.0%)    (99.9%)   <<\n",
         false,
         "train 123456 test n/a cats n/a attrs 54321 | 12345 12345 (10%) / 123457 100000 (81%) est "
         "99.9%" +
             kept},
        {"the saved trial's row, its figures of any width",
         "Evaluation on training data (20000 items):\n\nTrial\th\nh\nh\n\n   1\t   1    3(100.0%)  "
         "    1    3(100.0%)    (75.0%)\n  12\t12345  12345(61.7%)   123  10000(50.0%)    (99.9%)  "
         " <<\n",
         false,
         "train 20000 test n/a cats n/a attrs n/a | 12345 12345 (61.7%) / 123 10000 (50%) est "
         "99.9%" +
             kept},
        {"release 8 widths, no test cases and a row that stops matching",
         trainHeading + "\t   7     2( 9.5%)      5     3(14.3%)    (33.6%)   <<\n" +
             "Evaluation on test data (0 items):\n\nh\nh\nh\n\n\t   7    0(-nan%)      5    "
             "0(-nan%x   (33.6%)   <<\n",
         true,
         "train 21 test 0 cats n/a attrs n/a | 7 2 (9.5%) / 5 3 (14.3%) est 33.6% | 7 0 (n/a) / "
         "5 0 (n/a) est n/a"},
        {"a later table's percentage of no cases replaces an earlier figure",
         trainHeading + trainRow + testHeading + testRow +
             "Evaluation on test data (0 items):\n\nh\nh\nh\n\n\t   7    0(-nan%)      5    "
             "0(-nan%)    (33.6%)   <<\n",
         true,
         "train 21 test 0 cats n/a attrs n/a | 7 2 (9.5%) / 5 3 (14.3%) est 33.6% | 7 0 (n/a) / "
         "5 0 (n/a) est 33.6%"},
        {"evaluation without its sixth line", "Evaluation on training data (21 items):\n\nh\n",
         true, "train 21 test n/a cats n/a attrs n/a | n/a n/a / n/a n/a est n/a" + noValues},
        {"test values only with hasTest", trainHeading + trainRow + testHeading + testRow, false,
         "train 21 test n/a cats n/a attrs n/a | 7 2 (9.5%) / 5 3 (14.3%) est 33.6%" + kept},
        {"later blocks overwrite earlier ones",
         trainHeading + trainRow +
             "Evaluation on training data (30 items):\n\nh\nh\nh\n\n\t   9    1( 3.3%)      9    "
             "1( 3.3%)    (10.0%)   <<\n",
         false, "train 30 test n/a cats n/a attrs n/a | 9 1 (3.3%) / 9 1 (3.3%) est 10%" + kept},
        {"a read line right after a training heading is skipped",
         "Evaluation on training data (21 items):\nRead 5 cases (2 attributes)\n", false,
         "train 21 test n/a cats n/a attrs n/a | n/a n/a / n/a n/a est n/a" + kept},
        {"the scan stops at <CM>",
         "<CM>\n0\n+\n4\nonly\n</CM>\nRead 5 cases (2 attributes)\n" + testHeading + testRow, true,
         "train n/a test n/a cats 1 attrs n/a | n/a n/a / n/a n/a est n/a" + noValues, "only: 4"},
        {"a matrix after two lines of text is not the end of a block",
         "Evaluation on training data (21 items):\n<CM>\n0\n+\n4\nonly\n</CM>\n", false,
         "train 21 test n/a cats n/a attrs n/a | n/a n/a / n/a n/a est n/a" + kept},
    };
    for (const ParseCase &c : cases) {
        SCOPED_TRACE(c.name);
        C45RunResult result;
        result.outputLines = splitLines(c.output);
        result.confusionMatrix.categoryNames = {"stale"};
        result.confusionMatrix.counts = {1};
        const std::vector<std::string> before = result.outputLines;
        const C45Summary summary = parseC45Output(result, c.hasTest);
        EXPECT_EQ(page(summary), c.expectedPage);
        const C45PageTexts plain = pageTexts(summary, TextForm::Plain);
        const C45PageTexts markup = pageTexts(summary);
        EXPECT_EQ(markup.trainErrorsAfter, smallBoldMarkup(plain.trainErrorsAfter));
        EXPECT_EQ(markup.testCount, smallBoldMarkup(plain.testCount));
        EXPECT_EQ(markup.trainEstimate, plain.trainEstimate);
        EXPECT_EQ(::testing::PrintToString(result.confusionMatrix), c.expectedMatrix);
        EXPECT_EQ(result.outputLines, before);
    }
}

TEST(C45Output, ReadsRealRunsWithTheirTestEvaluationAndMatrixInAnyLocale) {
    const std::string cases[][3] = {
        {"release8-test.out",
         "train 21 test 6 cats 3 attrs 3 | 7 2 (9.5%) / 5 3 (14.3%) est 33.6% | 7 0 (0%) / 5 1 "
         "(16.7%) est 33.6%",
         "acq: 2 0 0 | earn: 1 1 0 | grain: 0 0 2"},
        // The saved trial's row of a windowing run.
        {"windowing-two-trials.out",
         "train 21 test 6 cats 2 attrs 3 | 5 1 (4.8%) / 3 6 (28.6%) est 35.2% | 5 0 (0%) / 3 2 "
         "(33.3%) est 35.2%",
         "acq: 2 0 | earn: 1 3"}};
    for (const bool croatian : {false, true})
        for (const auto &[file, expectedPage, expectedMatrix] : cases) {
            SCOPED_TRACE(file);
            const std::unique_ptr<CroatianLocale> locale(croatian ? new CroatianLocale : nullptr);
            ASSERT_TRUE(!locale || locale->active());
            C45RunResult result;
            result.outputLines = transcript(file);
            EXPECT_EQ(page(parseC45Output(result, true)), expectedPage);
            EXPECT_EQ(::testing::PrintToString(result.confusionMatrix), expectedMatrix);
        }
}

TEST(C45Output, KeepsOnlyWholeConsistentMatrixRows) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<CM>", "(empty)"},
        {"<CM>\nzwei\n+\n1\nx", "(empty)"},
        {"<CM>\n-1\n+\nx", "(empty)"},
        {"<CM>\n2147483647\n+\n1", "(empty)"},
        {"<CM>\n1\n+\n8\n2\nA\n+\n1\n9\nB\n</CM>", "A: 8 2 | B: 1 9"},
        {"<CM>\n 1\n+\n 8 \n2 apples\nA\n+\n1\n9\nB", "A: 8 2 | B: 1 9"},
        {"<CM>\n1\n+\n8\n2\nA\nstray\n+\n1\n9\nB\n</CM>", "A: 8"},
        {"<CM>\n1\n+\n8\n2\nA\n+\n1\nnine\nB\n</CM>", "A: 8"},
        {"<CM>\n1\n+\n8\n-2\nA\n</CM>", "(empty)"},
        {"<CM>\n1\n+\n8\n2\nA\n+\n1\n9", "A: 8"},
        {"<CM>\n1\n+\n8\n2\nA\n+\n1\n9\nB\n+\n5\n5\nC\n</CM>", "A: 8 2 | B: 1 9"},
        {"<CM>\n2\n+\n8\n1\n1\nA\n+\n1\n9\n0\nB\n</CM>", "A: 8 1 | B: 1 9"},
        {"<CM>\n0\n+\n99999999999\nA\n</CM>", "(empty)"},
        {"<CM>\n0\n</CM>\n+\n1\nA", "(empty)"},
    };
    for (const auto &[output, expected] : cases) {
        SCOPED_TRACE(output);
        C45RunResult result;
        result.outputLines = splitLines(output);
        const C45Summary summary = parseC45Output(result, true);
        EXPECT_EQ(::testing::PrintToString(result.confusionMatrix), expected);
        EXPECT_EQ(result.confusionMatrix.counts.size(),
                  result.confusionMatrix.size() * result.confusionMatrix.size());
        EXPECT_EQ(summary.categoryCount, static_cast<int>(result.confusionMatrix.size()));
    }
}

void expectNumberTexts() {
    const std::vector<std::pair<float, std::string>> cases = {
        {0.8333333f, "0.833333"}, {2.0f, "2"},           {-1.0f, "-1"},
        {12.3f, "12.3"},          {1e6f, "1e+06"},       {0.85f, "0.85"},
        {100.0f, "100"},          {123456.7f, "123457"}, {1234567.0f, "1.23457e+06"},
    };
    for (const auto &[value, expected] : cases)
        EXPECT_EQ(numberToString(value), expected) << value;
    const std::vector<std::pair<double, std::string>> fixed = {
        {80.0, "80.00"},    {33.333333, "33.33"},      {0.125, "0.12"},   {2.675, "2.67"},
        {99.999, "100.00"}, {1234567.5, "1234567.50"}, {-0.004, "-0.00"},
    };
    for (const auto &[value, expected] : fixed)
        EXPECT_EQ(fixedNumber(value, 2), expected) << value;
    EXPECT_EQ(fixedNumber(0.33333, 4), "0.3333");
    const std::vector<std::pair<std::string, std::string>> typed = {
        {"12.5", "12.5"},  {"12,5", "12.5"}, {" 0,001 ", "0.001"}, {"-3", "-3"},
        {"1e3", "1000"},   {"", "none"},     {"  ", "none"},       {"1,2,3", "none"},
        {"1.2,3", "none"}, {"12 5", "none"}, {"abc", "none"},      {"nan", "none"},
        {"1e999", "none"},
    };
    for (const auto &[text, expected] : typed) {
        const std::optional<double> value = readDecimal(text);
        EXPECT_EQ(value ? numberToString(static_cast<float>(*value)) : "none", expected) << text;
    }
}

TEST(NumberText, FormatsLikeADefaultStreamInTheCLocaleWhateverTheProcessLocale) {
    expectNumberTexts();
    {
        const CroatianLocale croatian;
        ASSERT_TRUE(croatian.active());
        expectNumberTexts();
    }
    EXPECT_EQ(smallBoldMarkup("n/a"), "<small><b>n/a</b></small>");
    EXPECT_EQ(smallBoldMarkup("a<b&c>"), "<small><b>a&lt;b&amp;c&gt;</b></small>");
}

} // namespace
