#include "measures/Measures.h"
#include "../c45/CroatianLocale.h"
#include "TestFiles.h"
#include "corpus/FileError.h"
#include "measures/ResultsExport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <iterator>
#include <memory>
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
const std::string abSummary = "F1 micro je 0.85\nF1 macro je 0.849624\nMikroprosjek preciznost "
                              "0.85\nMikroprosjek odaziv 0.85\nMakroprosjek preciznost "
                              "0.853535\nMakroprosjek odaziv 0.85\n";
const std::string abMeasures = "A, 10, 8, 1, 2, 0.8, 0.888889, 0.842105\n"
                               "B, 10, 9, 2, 1, 0.9, 0.818182, 0.857143\n" +
                               abSummary;
const std::string allNa = "F1 micro je n/a\nF1 macro je n/a\nMikroprosjek preciznost n/a\n"
                          "Mikroprosjek odaziv n/a\nMakroprosjek preciznost n/a\n"
                          "Makroprosjek odaziv n/a\n";

std::string render(const Measures &measures) {
    std::string text;
    for (const CategoryMeasures &m : measures.categories)
        text += measuresLine(m) + '\n';
    return text + summaryLines(measures.summary);
}

TEST(Measures, ComputesTheTwoCategoryExampleWithItsTraceInAnyLocale) {
    for (const bool croatian : {false, true}) {
        const std::unique_ptr<CroatianLocale> locale(croatian ? new CroatianLocale : nullptr);
        ASSERT_TRUE(!locale || locale->active());
        std::ostringstream trace, silent;
        EXPECT_EQ(render(computeMeasures(ab, true, trace)), abMeasures);
        EXPECT_EQ(trace.str(), "8\t1\t2\n17\t3\t3\n" + abSummary);
        EXPECT_EQ(render(computeMeasures(ab, false, silent)), abMeasures);
        EXPECT_EQ(silent.str(), "");
    }
}

TEST(Measures, MarksUndefinedValuesAndCountsThemInTheMacroAverages) {
    // Rows: A all to B; B correct; C none and receives none; D none but receives one of E's;
    // E one right, one to D.
    const ConfusionMatrix matrix =
        matrixOf({"A", "B", "C", "D", "E"},
                 {0, 3, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1});
    std::ostringstream silent;
    EXPECT_EQ(render(computeMeasures(matrix, false, silent)),
              "A, 3, 0, 0, 3, 0, -1, 0\nB, 2, 2, 3, 0, 1, 0.4, 0.571429\nC, 0, 0, 0, 0, -1, -1, "
              "-1\nD, 0, 0, 1, 0, -1, 0, 0\nE, 2, 1, 0, 1, 0.5, 1, 0.666667\n"
              "F1 micro je 0.428571\nF1 macro je 0.247619\nMikroprosjek preciznost 0.428571\n"
              "Mikroprosjek odaziv 0.428571\nMakroprosjek preciznost 0.28\n"
              "Makroprosjek odaziv 0.3\n");
    EXPECT_EQ(
        render(computeMeasures(matrixOf({"A", "B"}, {0, 2, 3, 0}), false, silent)).substr(0, 52),
        "A, 2, 0, 3, 2, 0, 0, -1\nB, 3, 0, 2, 3, 0, 0, -1\nF1 m");

    // Empty and all-zero matrices: undefined averages, written as n/a.
    const MeasureSummary empty = computeMeasures(ConfusionMatrix(), false, silent).summary;
    for (const float value : {empty.microF1, empty.macroF1, empty.microPrecision, empty.microRecall,
                              empty.macroPrecision, empty.macroRecall})
        EXPECT_TRUE(std::isnan(value));
    EXPECT_EQ(summaryLines(empty), allNa);
    const MeasureSummary zero =
        computeMeasures(matrixOf({"A", "B"}, {0, 0, 0, 0}), false, silent).summary;
    EXPECT_EQ(summaryLines(zero), allNa);
}

TEST(ResultsExport, WritesInTheCLocalesNotationAndAFailedWriteKeepsTheOldFile) {
    const TempFolder dir;
    const std::string base = dir / "out.csv";
    {
        const CroatianLocale croatian;
        ASSERT_TRUE(croatian.active());
        exportRunResults(ab, base);
        exportRunResults(matrixOf({"A", "B", "C"}, {0, 3, 0, 0, 2, 1, 0, 0, 0}), base + "z");
    }
    EXPECT_EQ(fileText(base + ".csv"), "\"A\", 10, \"80.00\"\n\"B\", 10, \"90.00\"\n");
    EXPECT_EQ(fileText(base + "-mjere.csv"), abMeasures);
    EXPECT_EQ(fileText(base + "z.csv"), "\"A\", 3, 0\n\"B\", 3, \"66.67\"\n\"C\", 0, 0\n");
    exportRunResults(ConfusionMatrix(), base);
    EXPECT_EQ(fileText(base + ".csv"), "");
    EXPECT_EQ(fileText(base + "-mjere.csv"), allNa);

    const std::string dist = dir / "dist";
    exportCategoryDistribution({}, dist);
    EXPECT_EQ(fileText(dist + ".csv"), "");
    exportCategoryDistribution({{"earn", 12}, {"acq", 3}, {"Zeta", 1}}, dist);
    EXPECT_EQ(fileText(dist + ".csv"), "\"Zeta\", 1\n\"acq\", 3\n\"earn\", 12\n");
    EXPECT_THROW(exportRunResults(ab, dir / "no-folder/r"), FileError);
    EXPECT_THROW(exportCategoryDistribution({{"y", 2}}, dir / "no-folder/d"), FileError);
    EXPECT_EQ(fileText(dist + ".csv"), "\"Zeta\", 1\n\"acq\", 3\n\"earn\", 12\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 5);
}

} // namespace
