#include "measures/ResultsExport.h"

#include "c45/NumberText.h"
#include "corpus/AtomicFile.h"
#include "measures/Measures.h"

#include <cstdint>

namespace {

void writeWhole(const std::string &path, const std::string &content) {
    AtomicFile file(path);
    file.stream() << content;
    file.commit();
}

std::string diagonalShare(const ConfusionMatrix &matrix, std::size_t row, std::int64_t total) {
    const std::int32_t correct = matrix.count(row, row);
    if (correct == 0)
        return "0";
    const float percent = 100.0f * static_cast<float>(correct) / static_cast<float>(total);
    return '"' + fixedNumber(percent, 2) + '"';
}

std::string rateField(const std::optional<double> &rate) {
    return rate ? fixedNumber(*rate, 4) : "";
}

std::string tableFields(const BinaryTable &t) {
    return std::to_string(t.tp) + ',' + std::to_string(t.fp) + ',' + std::to_string(t.fn) + ',' +
           std::to_string(t.tn);
}

std::string rateFields(const Averages &a) {
    return rateField(a.precision) + ',' + rateField(a.recall) + ',' + rateField(a.f1);
}

} // namespace

void exportCategoryDistribution(const std::map<std::string, int> &categories,
                                const std::string &baseName) {
    std::string content;
    for (const auto &[name, count] : categories)
        content += '"' + name + "\", " + std::to_string(count) + '\n';
    writeWhole(baseName + ".csv", content);
}

void exportRunResults(const ConfusionMatrix &matrix, const std::string &baseName) {
    std::string results;
    for (std::size_t i = 0; i < matrix.size(); ++i) {
        std::int64_t total = 0;
        for (std::size_t j = 0; j < matrix.size(); ++j)
            total += matrix.count(i, j);
        results += '"' + matrix.categoryNames[i] + "\", " + std::to_string(total) + ", " +
                   diagonalShare(matrix, i, total) + '\n';
    }
    writeWhole(baseName + ".csv", results);

    const Measures measures = computeMeasures(matrix, false);
    std::string measureLines;
    for (const CategoryMeasures &category : measures.categories)
        measureLines += measuresLine(category) + '\n';
    writeWhole(baseName + "-mjere.csv", measureLines + summaryLines(measures.summary));
}

void exportCategoryTable(const ParsedCategoryReport &run, const std::string &path) {
    std::string content = "category,training,test,tp,fp,fn,tn,precision,recall,f1,size_after\n";
    for (const CategorySection &c : run.report.categories)
        content += c.name + ',' + std::to_string(c.trainingCases) + ',' +
                   std::to_string(c.testCases) + ',' + tableFields(c.table) + ',' +
                   rateFields(binaryAverages(c.table)) + ',' + std::to_string(c.prunedSize) + '\n';
    const CategorySummary &s = run.summary;
    content += "micro,,," + tableFields(s.table) + ',' + rateFields(s.micro) + ',' +
               std::to_string(s.prunedSize) + '\n';
    content += "macro,,,,,,," + rateFields(s.macro) + ",\n";
    writeWhole(path, content);
}
