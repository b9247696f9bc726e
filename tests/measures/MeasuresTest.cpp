#include "measures/Measures.h"
#include "../c45/CroatianLocale.h"
#include "c45/NumberText.h"
#include "corpus/FileError.h"
#include "measures/ResultsExport.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

ConfusionMatrix matrixOf(std::vector<std::string> names, std::vector<std::int32_t> counts) {
    ConfusionMatrix matrix;
    matrix.categoryNames = std::move(names);
    matrix.counts = std::move(counts);
    return matrix;
}

const ConfusionMatrix ab = matrixOf({"A", "B"}, {8, 2, 1, 9});

std::string render(const Measures &measures) {
    std::string text;
    for (const CategoryMeasures &m : measures.categories)
        text += measuresLine(m) + '\n';
    return text + summaryLines(measures.summary);
}

void expectTheTwoCategoryExample() {
    std::ostringstream trace;
    const Measures measures = computeMeasures(ab, true, trace);
    const std::string expected = "A, 10, 8, 1, 2, 0.8, 0.888889, 0.842105\n"
                                 "B, 10, 9, 2, 1, 0.9, 0.818182, 0.857143\n"
                                 "F1 micro je 0.85\n"
                                 "F1 macro je 0.849624\n"
                                 "Mikroprosjek preciznost 0.85\n"
                                 "Mikroprosjek odaziv 0.85\n"
                                 "Makroprosjek preciznost 0.853535\n"
                                 "Makroprosjek odaziv 0.85\n";
    EXPECT_EQ(render(measures), expected);
    EXPECT_EQ(trace.str(), "8\t1\t2\n17\t3\t3\n" + expected.substr(expected.find("F1 micro")));

    std::ostringstream silent;
    EXPECT_EQ(render(computeMeasures(ab, false, silent)), expected);
    EXPECT_EQ(silent.str(), "");
}

TEST(Measures, ComputesTheTwoCategoryExampleWithItsTraceInAnyLocale) {
    expectTheTwoCategoryExample();
    const CroatianLocale croatian;
    ASSERT_TRUE(croatian.active());
    expectTheTwoCategoryExample();
}

TEST(Measures, MarksUndefinedValuesAndCountsThemInTheMacroAverages) {
    // Rows: A all to B; B correct; C none and receives none; D none but receives one of E's;
    // E one right, one to D.
    const ConfusionMatrix matrix = matrixOf({"A", "B", "C", "D", "E"}, {0, 3, 0, 0, 0, //
                                                                        0, 2, 0, 0, 0, //
                                                                        0, 0, 0, 0, 0, //
                                                                        0, 0, 0, 0, 0, //
                                                                        0, 0, 0, 1, 1});
    std::ostringstream silent;
    EXPECT_EQ(render(computeMeasures(matrix, false, silent)), "A, 3, 0, 0, 3, 0, -1, 0\n"
                                                              "B, 2, 2, 3, 0, 1, 0.4, 0.571429\n"
                                                              "C, 0, 0, 0, 0, -1, -1, -1\n"
                                                              "D, 0, 0, 1, 0, -1, 0, 0\n"
                                                              "E, 2, 1, 0, 1, 0.5, 1, 0.666667\n"
                                                              "F1 micro je 0.428571\n"
                                                              "F1 macro je 0.247619\n"
                                                              "Mikroprosjek preciznost 0.428571\n"
                                                              "Mikroprosjek odaziv 0.428571\n"
                                                              "Makroprosjek preciznost 0.28\n"
                                                              "Makroprosjek odaziv 0.3\n");

    const ConfusionMatrix wrongOnly = matrixOf({"A", "B"}, {0, 2, 3, 0});
    EXPECT_EQ(render(computeMeasures(wrongOnly, false, silent)).substr(0, 52),
              "A, 2, 0, 3, 2, 0, 0, -1\nB, 3, 0, 2, 3, 0, 0, -1\nF1 m");
}

TEST(Measures, EmptyAndAllZeroMatricesGiveUndefinedAveragesWrittenAsNotAvailable) {
    std::ostringstream silent;
    const MeasureSummary empty = computeMeasures(ConfusionMatrix(), false, silent).summary;
    for (const float value : {empty.microF1, empty.macroF1, empty.microPrecision, empty.microRecall,
                              empty.macroPrecision, empty.macroRecall})
        EXPECT_TRUE(std::isnan(value));
    const MeasureSummary zero =
        computeMeasures(matrixOf({"A", "B"}, {0, 0, 0, 0}), false, silent).summary;
    EXPECT_TRUE(std::isnan(zero.microF1));
    EXPECT_EQ(zero.macroF1, 0.0f);
    EXPECT_EQ(zero.macroPrecision, 0.0f);
    EXPECT_EQ(summaryLines(empty), "F1 micro je n/a\nF1 macro je n/a\nMikroprosjek preciznost n/a\n"
                                   "Mikroprosjek odaziv n/a\nMakroprosjek preciznost n/a\n"
                                   "Makroprosjek odaziv n/a\n");
    EXPECT_EQ(summaryLines(zero), "F1 micro je n/a\nF1 macro je 0\nMikroprosjek preciznost n/a\n"
                                  "Mikroprosjek odaziv n/a\nMakroprosjek preciznost 0\n"
                                  "Makroprosjek odaziv 0\n");
}

class ResultsExport : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("tcw-export-" + std::to_string(getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    static std::string fileText(const fs::path &path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    fs::path dir;
};

TEST_F(ResultsExport, WritesTheResultAndMeasureFilesInTheCLocalesNotation) {
    const CroatianLocale croatian;
    ASSERT_TRUE(croatian.active());
    const std::string base = (dir / "out.csv").string();
    exportRunResults(ab, base);
    EXPECT_EQ(fileText(base + ".csv"), "\"A\", 10, \"80.00\"\n\"B\", 10, \"90.00\"\n");
    EXPECT_EQ(fileText(base + "-mjere.csv"), "A, 10, 8, 1, 2, 0.8, 0.888889, 0.842105\n"
                                             "B, 10, 9, 2, 1, 0.9, 0.818182, 0.857143\n"
                                             "F1 micro je 0.85\n"
                                             "F1 macro je 0.849624\n"
                                             "Mikroprosjek preciznost 0.85\n"
                                             "Mikroprosjek odaziv 0.85\n"
                                             "Makroprosjek preciznost 0.853535\n"
                                             "Makroprosjek odaziv 0.85\n");

    const std::string other = (dir / "zero").string();
    exportRunResults(matrixOf({"A", "B", "C"}, {0, 3, 0, 0, 2, 1, 0, 0, 0}), other);
    EXPECT_EQ(fileText(other + ".csv"), "\"A\", 3, 0\n\"B\", 3, \"66.67\"\n\"C\", 0, 0\n");

    const std::string empty = (dir / "empty").string();
    exportRunResults(ConfusionMatrix(), empty);
    EXPECT_EQ(fileText(empty + ".csv"), "");
    EXPECT_EQ(fileText(empty + "-mjere.csv"),
              "F1 micro je n/a\nF1 macro je n/a\nMikroprosjek preciznost n/a\n"
              "Mikroprosjek odaziv n/a\nMakroprosjek preciznost n/a\nMakroprosjek odaziv n/a\n");
}

TEST_F(ResultsExport, WritesTheCategoryDistribution) {
    const std::string base = (dir / "dist").string();
    exportCategoryDistribution({{"earn", 12}, {"acq", 3}, {"Zeta", 1}}, base);
    EXPECT_EQ(fileText(base + ".csv"), "\"Zeta\", 1\n\"acq\", 3\n\"earn\", 12\n");
    exportCategoryDistribution({}, base);
    EXPECT_EQ(fileText(base + ".csv"), "");
}

TEST_F(ResultsExport, AFailedWriteThrowsAndKeepsTheOldFile) {
    const std::string base = (dir / "kept").string();
    exportCategoryDistribution({{"x", 1}}, base);
    EXPECT_THROW(exportRunResults(ab, (dir / "no-folder" / "r").string()), FileError);
    EXPECT_THROW(exportCategoryDistribution({{"y", 2}}, (dir / "no-folder" / "d").string()),
                 FileError);
    EXPECT_EQ(fileText(base + ".csv"), "\"x\", 1\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

} // namespace
