// The shared steps of an experiment.
#include "Experiment.h"

#include "measures/Measures.h"

#include <cmath>

namespace {

std::optional<float> measure(float value) {
    return std::isnan(value) ? std::nullopt : std::optional<float>(value);
}

} // namespace

void selectAttributes(TextProcessor &engine, const AttributeSelection &selection) {
    if (selection.topIg && engine.informationGain.empty())
        engine.computeInformationGain();
    engine.stemStopWords = selection.stemStopWords;
    engine.selectWords(selection.minDf, selection.useStopWords, selection.stopWordFile);
    if (selection.topIg)
        engine.keepTopInformationGain(static_cast<std::size_t>(*selection.topIg));
}

ExperimentFigures experimentFigures(const C45Summary &summary, const ConfusionMatrix &matrix) {
    ExperimentFigures figures;
    figures.attributes = summary.attributes;
    // The printed test figures are those of pageTexts: absent without a test set.
    if (summary.hasTest) {
        figures.sizeBefore = summary.test.sizeBeforePruning;
        figures.sizeAfter = summary.test.sizeAfterPruning;
        figures.testErrorBeforePercent = summary.test.errorPercentBeforePruning;
        figures.testErrorAfterPercent = summary.test.errorPercentAfterPruning;
    }
    const MeasureSummary measures = computeMeasures(matrix, false).summary;
    figures.microF1 = measure(measures.microF1);
    figures.macroF1 = measure(measures.macroF1);
    return figures;
}
