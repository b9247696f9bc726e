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
