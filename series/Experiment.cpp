// The shared steps of an experiment.
#include "Experiment.h"

#include "measures/Measures.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

ExperimentFigures categoryExperimentFigures(const ParsedCategoryReport &run) {
    ExperimentFigures figures;
    figures.attributes = run.report.attributes;
    const auto narrowed = [](std::int64_t value) {
        return static_cast<int>(std::min<std::int64_t>(value, std::numeric_limits<int>::max()));
    };
    figures.sizeBefore = narrowed(run.summary.unprunedSize);
    figures.sizeAfter = narrowed(run.summary.prunedSize);
    const PooledErrors errors = pooledTestErrors(run.report);
    if (errors.decisions > 0) {
        const auto percent = [&](std::int64_t count) {
            return static_cast<float>(100.0 * static_cast<double>(count) /
                                      static_cast<double>(errors.decisions));
        };
        figures.testErrorBeforePercent = percent(errors.before);
        figures.testErrorAfterPercent = percent(errors.after);
    }
    if (run.summary.micro.f1)
        figures.microF1 = static_cast<float>(*run.summary.micro.f1);
    if (run.summary.macro.f1)
        figures.macroF1 = static_cast<float>(*run.summary.macro.f1);
    return figures;
}
