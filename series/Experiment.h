// The steps of one experiment that `tcw experiment` and every run of a series
// share, so that a series row holds exactly the figures the single
// experiment prints for the same settings.
#pragma once

#include "c45/C45Output.h"
#include "c45/CategoryReport.h"
#include "corpus/TextProcessor.h"

#include <optional>
#include <string>

struct AttributeSelection {
    int minDf = 1;
    std::optional<int> topIg; // keep only this many words of highest gain
    bool useStopWords = false;
    std::string stopWordFile;
    bool stemStopWords = false; // on a stemmed corpus, stem the list's entries too
};

// Selects by document frequency and stop words, then narrows the selection
// to the topIg words of highest information gain. Gains are computed first
// when topIg is given and the engine holds none; otherwise they are left as
// they are, so a selection without topIg is the one selectWords makes, with
// the engine's stemStopWords set from the selection.
// Throws FileError as selectWords does.
void selectAttributes(TextProcessor &engine, const AttributeSelection &selection);

// The figures of a run as `tcw experiment` prints them: the attributes, the
// tree sizes and error rates on the test data, and the micro and macro F1
// of the confusion matrix. A figure the output did not hold, and an F1 that
// is not a number (printed "n/a"), is absent.
struct ExperimentFigures {
    std::optional<int> attributes, sizeBefore, sizeAfter;
    std::optional<float> testErrorBeforePercent, testErrorAfterPercent, microF1, macroF1;
};

ExperimentFigures experimentFigures(const C45Summary &summary, const ConfusionMatrix &matrix);

// The same figures of a per-category run: the summed tree sizes, the error
// rates of all category decisions on the test data (absent without test
// cases), and the micro and macro F1 of the binary tables.
ExperimentFigures categoryExperimentFigures(const ParsedCategoryReport &run);
