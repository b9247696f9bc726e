// Effectiveness measures of a C4.5 run from its confusion matrix: per
// category the contingency counts, recall, precision and F1, and their
// micro and macro averages. All arithmetic is single precision.
#pragma once

#include "c45/ConfusionMatrix.h"

#include <iostream>
#include <ostream>
#include <string>
#include <vector>

// -1 marks an undefined recall, precision or F1; it is a real value that is
// written as a number (the measures window shows it as "n/a").
struct CategoryMeasures {
    std::string name;
    int documents = 0;    // f++ + f-+, the row total, truncated
    float fPlusPlus = 0;  // count(i, i)
    float fPlusMinus = 0; // column i without its diagonal: others assigned here
    float fMinusPlus = 0; // row i without its diagonal: this category assigned elsewhere
    float recall = 0;
    float precision = 0;
    float f1 = 0;

    bool operator==(const CategoryMeasures &other) const;
};

struct MeasureSummary {
    float microF1 = 0;
    float macroF1 = 0;
    float microPrecision = 0;
    float microRecall = 0;
    float macroPrecision = 0;
    float macroRecall = 0;
};

struct Measures {
    std::vector<CategoryMeasures> categories; // in matrix row order
    MeasureSummary summary;
};

// Computes the measures; the macro averages divide by all N categories
// (an undefined value counts as 0). A matrix without documents (empty or
// all zero) gives not-a-number averages, micro and macro alike. With trace on it writes, after
// each category, the running sums of f++, f+- and f-+ separated by tabs
// ("8\t1\t2"), then the six lines of summaryLines().
Measures computeMeasures(const ConfusionMatrix &matrix, bool trace, std::ostream &out = std::cout);

// The six summary lines, each a label followed by the value and "\n":
// "F1 micro je ", "F1 macro je ", "Mikroprosjek preciznost ",
// "Mikroprosjek odaziv ", "Makroprosjek preciznost ", "Makroprosjek odaziv ".
// Values are written by numberToString; a not-a-number value as "n/a".
std::string summaryLines(const MeasureSummary &summary);

// "name, documents, f++, f+-, f-+, recall, precision, F1" with every float
// written by numberToString: "A, 10, 8, 1, 2, 0.8, 0.888889, 0.842105"
// (a not-a-number value as "n/a").
std::string measuresLine(const CategoryMeasures &measures);

std::ostream &operator<<(std::ostream &out, const CategoryMeasures &measures);
