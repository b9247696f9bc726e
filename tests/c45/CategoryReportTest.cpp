// The per-category report: every shape the learner prints reads back to the
// numbers it printed, the closing block's arithmetic, and refusals.
#include "c45/CategoryReport.h"

#include "CategoryRun.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

CategorySection section(const std::string &name, BinaryTable table, std::string tree = "") {
    CategorySection s;
    s.name = name;
    s.trainingCases = 4;
    s.testCases = static_cast<int>(table.tp + table.fn);
    s.unprunedSize = 7;
    s.prunedSize = 5;
    s.trainingErrorsBefore = 2;
    s.trainingErrorsAfter = 3;
    s.testErrorsBefore = static_cast<int>(table.fp + table.fn) + 1;
    s.testErrorsAfter = static_cast<int>(table.fp + table.fn);
    s.table = table;
    s.tree = std::move(tree);
    return s;
}

std::string written(const CategoryReport &report) {
    std::ostringstream out;
    writeCategoryReport(out, report);
    return out.str();
}

ParsedCategoryReport parsed(const std::string &text) {
    std::istringstream in(text);
    return parseCategoryReport(in);
}

void expectNear(const std::optional<double> &expected, const std::optional<double> &actual,
                const char *what) {
    SCOPED_TRACE(what);
    ASSERT_EQ(expected.has_value(), actual.has_value());
    if (expected) {
        EXPECT_NEAR(*expected, *actual, 0.00005);
    }
}

// The report reads back whole, and the closing block to the values
// summarise computes (rates to their four printed decimals).
void expectRoundTrip(const CategoryReport &report, const std::string &banner = "") {
    const ParsedCategoryReport back = parsed(banner + written(report));
    EXPECT_EQ(report.trainingCases, back.report.trainingCases);
    EXPECT_EQ(report.attributes, back.report.attributes);
    EXPECT_EQ(report.testCases, back.report.testCases);
    EXPECT_EQ(report.categories, back.report.categories);
    const CategorySummary s = summarise(report.categories);
    EXPECT_EQ(s.unprunedSize, back.summary.unprunedSize);
    EXPECT_EQ(s.prunedSize, back.summary.prunedSize);
    EXPECT_TRUE(s.table == back.summary.table);
    EXPECT_EQ(s.macroCategories, back.summary.macroCategories);
    expectNear(s.micro.precision, back.summary.micro.precision, "micro precision");
    expectNear(s.micro.recall, back.summary.micro.recall, "micro recall");
    expectNear(s.micro.f1, back.summary.micro.f1, "micro F1");
    expectNear(s.macro.precision, back.summary.macro.precision, "macro precision");
    expectNear(s.macro.recall, back.summary.macro.recall, "macro recall");
    expectNear(s.macro.f1, back.summary.macro.f1, "macro F1");
}

const std::string leafTree = "Decision Tree:\n acq (3.0)\n\n";
const std::string wideTree =
    "Decision Tree:\n\nw <= 0 :[S1]\nw > 0 : acq (4.0/1.2)\n\n"
    "Subtree [S1]\n\nv <= 1 : not-acq (9.0/1.3)\nv > 1 : acq (2.0/1.0)\n\n";

const std::string grownAndPruned = "Decision Tree:\n\nw <= 0 : acq (4.0/1.0)\n"
                                   "w > 0 : not-acq (3.0)\n\nSimplified Decision Tree:\n\n"
                                   " not-acq (7.0/3.8)\n\n";

TEST(CategoryReport, EveryShapeReadsBack) {
    std::vector<std::pair<std::string, CategoryReport>> cases = {
        {"one category", {21, 3, 6, {section("acq", {2, 1, 1, 2})}}},
        {"a category without positive test cases",
         {21, 3, 6, {section("acq", {2, 0, 1, 3}), section("ship", {0, 1, 0, 5})}}},
        {"no predicted positives", {21, 3, 6, {section("acq", {0, 0, 2, 4})}}},
        {"an empty test set", {21, 3, 0, {section("acq", {}), section("earn", {})}}},
        {"trees printed",
         {21,
          3,
          6,
          {section("acq", {2, 1, 1, 2}, leafTree), section("earn", {1, 0, 0, 5}, wideTree)}}},
        {"grown and pruned trees",
         {21, 3, 6, {section("acq", {2, 1, 1, 2}, grownAndPruned), section("earn", {1, 0, 0, 5})}}},
        {"trees on some categories",
         {21,
          3,
          6,
          {section("acq", {2, 1, 1, 2}), section("earn", {1, 0, 0, 5}, wideTree),
           section("grain", {0, 0, 0, 6})}}}};
    CategoryReport many{5000, 20000, 1000, {}};
    for (int c = 0; c < 120; ++c)
        many.categories.push_back(section("c" + std::to_string(c), {c % 7, c % 3, c % 5, 900}));
    cases.emplace_back("more than 99 categories", many);
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        expectRoundTrip(c.second);
    }
    SCOPED_TRACE("after a banner and options");
    expectRoundTrip(cases[0].second, "\nC4.5 [release 8] decision tree generator\n\n    Options:\n"
                                     "\tOne tree per category against the rest\n");
}

// Micro rates come from the summed table; macro rates average the
// categories with a positive test case, a missing precision counting 0.
TEST(CategoryReport, ClosingBlockSumsAndAverages) {
    const CategoryReport report{
        10,
        2,
        10,
        {section("a", {2, 1, 1, 6}), section("b", {0, 2, 0, 8}), section("c", {0, 0, 3, 7})}};
    const std::string text = written(report);
    EXPECT_EQ("Summary of 3 categories\n"
              "\tsummed size before 21 after 15\n"
              "\ttest table TP 2 FP 3 FN 4 TN 21\n"
              "\tmicro precision 0.4000 recall 0.3333 F1 0.3636\n"
              "\tmacro precision 0.3333 recall 0.3333 F1 0.3333 over 2 categories with positive "
              "test cases\n",
              text.substr(text.find("Summary")));
    EXPECT_EQ(
        "\nPer-category trees of 3 categories: 10 training cases (2 attributes), 10 test "
        "cases\n\nCategory 1: a\n\tcases in the category: training 4 test 3\n\tsize before 7 after "
        "5\n\ttraining errors before 2 after "
        "3\n\ttest errors before 3 after 2\n\ttest table TP 2 FP 1 FN 1 TN 6\n\nCategory 2: b",
        text.substr(0, text.find("\n", text.find("Category 2"))));
}

// The writer refuses what the layout cannot carry; the reader names the line.
TEST(CategoryReport, MalformedReportsAreRefused) {
    EXPECT_THROW(written({1, 1, 1, {section("a\nb", {})}}), std::invalid_argument);
    EXPECT_THROW(written({1, 1, 1, {section("a", {}, "Decision Tree:\n a (1.0)\n")}}),
                 std::invalid_argument);
    const std::string good = written(
        {21, 3, 6, {section("acq", {2, 1, 1, 2}, leafTree), section("earn", {1, 0, 0, 5})}});
    const auto replaced = [&](const std::string &from, const std::string &to) {
        std::string text = good;
        return text.replace(text.find(from), from.size(), to);
    };
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"", "line 1: expected \"Per-category trees of # categories: # training cases (# "
             "attributes), # test cases\""},
        {replaced("Category 2", "Category 3"), "line 15: expected \"Category 2: \""},
        {replaced("size before 7 after 5", "size before 7 after 2147483648"),
         "line 6: 2147483648 is beyond the range of a count"},
        {replaced("TP 1 FP", "TP x FP"), "line 20: expected \"\ttest table TP # FP # FN # TN #\""},
        {replaced("recall 0.7500", "recall 75%"),
         "line 25: expected \"\tmicro precision % recall % F1 %\""},
        {good.substr(0, good.find("\tmacro")),
         "line 26: expected \"\tmacro precision % recall % F1 % "
         "over # categories with positive test cases\""},
        {good.substr(0, good.find("Summary")), "line 22: expected \"Summary of 2 categories\""}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(c.second, thrownMessage<CategoryReportError>([&] { parsed(c.first); }));
    }
}

// Writes STEM.names, STEM.data.svm and STEM.test.svm.
void writeSet(const std::string &stem, const std::string &names, const std::string &data,
              const std::string &test) {
    std::ofstream(stem + ".names") << names;
    std::ofstream(stem + ".data.svm") << data;
    std::ofstream(stem + ".test.svm") << test;
}

// What the learner prints reads back to what it computed.
TEST(CategoryReport, LearnerOutputReadsBack) {
    const std::string stem = ::testing::TempDir() + "/categoryreport";
    const std::string names = "acq, earn, ship.\nprofit: continuous.\nshare: continuous.\n";
    const std::string data = "0 2:2\n0 2:3\n0,2 1:1 2:1\n1 1:3\n1 1:2\n1,2 1:4 2:1\n"
                             "0,1 1:3 2:2\n1\n0 2:1\n1 1:5\n";
    const std::string test = "0 2:3\n1 1:2\n0,1 1:1 2:1\n1\n";
    const struct {
        std::string what, names, data, test;
        int verbosity;
        bool evaluateTest;
    } cases[] = {{"trees", names, data, test, 1, true},
                 {"no trees", names, data, test, 0, true},
                 {"an empty test set", names, data, "", 1, true},
                 {"no test evaluation", names, data, test, 1, false},
                 {"one category", "acq.\nprofit: continuous.\nshare: continuous.\n",
                  "0 2:2\n0 1:1\n0\n", "0 2:1\n0\n", 1, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const int verbosity = c.verbosity;
        writeSet(stem, c.names, c.data, c.test);
        Options options;
        options.fileStem = stem;
        options.sparseFiles = options.perCategory = true;
        options.evaluateTest = c.evaluateTest;
        options.minObjs = 1;
        options.verbosity = verbosity;
        const CategoryReport report = learnCategories(options);
        std::ostringstream out;
        runCategories(options, out);
        std::istringstream in(out.str());
        const ParsedCategoryReport back = parseCategoryReport(in);
        EXPECT_TRUE(report == back.report) << out.str();
        std::string counts;
        for (const CategorySection &c : back.report.categories) {
            EXPECT_EQ(verbosity > 0, !c.tree.empty()) << c.name;
            counts += c.name + ":" + std::to_string(c.trainingCases) + "+" +
                      std::to_string(c.testCases) + " ";
        }
        if (c.names == names) {
            EXPECT_EQ(c.test.empty() || !c.evaluateTest ? "acq:5+0 earn:6+0 ship:2+0 "
                                                        : "acq:5+2 earn:6+3 ship:2+0 ",
                      counts);
        }
    }
}

} // namespace
