#include "measures/Measures.h"

#include "c45/NumberText.h"

#include <cmath>
#include <limits>

namespace {

int truncatedCount(float value) {
    if (!(value < static_cast<float>(std::numeric_limits<int>::max())))
        return std::numeric_limits<int>::max();
    return static_cast<int>(value);
}

// An undefined value (an average over no documents) is not a figure.
std::string measureText(float value) {
    return std::isnan(value) ? "n/a" : numberToString(value);
}

} // namespace

bool CategoryMeasures::operator==(const CategoryMeasures &other) const {
    return name == other.name && documents == other.documents && fPlusPlus == other.fPlusPlus &&
           fPlusMinus == other.fPlusMinus && fMinusPlus == other.fMinusPlus &&
           recall == other.recall && precision == other.precision && f1 == other.f1;
}

Measures computeMeasures(const ConfusionMatrix &matrix, bool trace, std::ostream &out) {
    const std::size_t n = matrix.size();
    float sumTp = 0, sumFp = 0, sumFn = 0, sumPrecision = 0, sumRecall = 0, sumF1 = 0;
    Measures measures;
    for (std::size_t i = 0; i < n; ++i) {
        CategoryMeasures m;
        m.name = matrix.categoryNames[i];
        m.fPlusPlus = static_cast<float>(matrix.count(i, i));
        for (std::size_t j = 0; j < n; ++j) {
            if (j == i)
                continue;
            m.fMinusPlus += static_cast<float>(matrix.count(i, j));
            m.fPlusMinus += static_cast<float>(matrix.count(j, i));
        }
        sumTp += m.fPlusPlus;
        sumFp += m.fPlusMinus;
        sumFn += m.fMinusPlus;
        if (trace)
            out << numberToString(sumTp) << '\t' << numberToString(sumFp) << '\t'
                << numberToString(sumFn) << std::endl;
        const float relevant = m.fPlusPlus + m.fMinusPlus;
        const float assigned = m.fPlusPlus + m.fPlusMinus;
        m.recall = relevant != 0 ? m.fPlusPlus / relevant : -1.0f;
        m.precision = assigned != 0 ? m.fPlusPlus / assigned : -1.0f;
        if (m.precision == 0 && m.recall == 0)
            m.f1 = -1.0f;
        else
            m.f1 = ((m.precision + m.precision) * m.recall) / (m.precision + m.recall);
        if (m.precision != -1.0f)
            sumPrecision += m.precision;
        if (m.recall != -1.0f)
            sumRecall += m.recall;
        if (m.f1 != -1.0f)
            sumF1 += m.f1;
        m.documents = truncatedCount(relevant);
        measures.categories.push_back(std::move(m));
    }
    const float count = static_cast<float>(n);
    MeasureSummary &s = measures.summary;
    s.microF1 = (sumTp + sumTp) / (sumFp + sumTp + sumTp + sumFn);
    s.macroF1 = sumF1 / count;
    s.microPrecision = sumTp / (sumTp + sumFp);
    s.microRecall = sumTp / (sumTp + sumFn);
    s.macroPrecision = sumPrecision / count;
    s.macroRecall = sumRecall / count;
    // Without documents every category's values are undefined, which would
    // otherwise count as 0: the macro averages are as undefined as the micro.
    if (sumTp + sumFn == 0)
        s.macroF1 = s.macroPrecision = s.macroRecall = std::numeric_limits<float>::quiet_NaN();
    if (trace)
        out << summaryLines(s) << std::flush;
    return measures;
}

std::string summaryLines(const MeasureSummary &summary) {
    return "F1 micro je " + measureText(summary.microF1) + "\nF1 macro je " +
           measureText(summary.macroF1) + "\nMikroprosjek preciznost " +
           measureText(summary.microPrecision) + "\nMikroprosjek odaziv " +
           measureText(summary.microRecall) + "\nMakroprosjek preciznost " +
           measureText(summary.macroPrecision) + "\nMakroprosjek odaziv " +
           measureText(summary.macroRecall) + '\n';
}

std::string measuresLine(const CategoryMeasures &m) {
    return m.name + ", " + std::to_string(m.documents) + ", " + measureText(m.fPlusPlus) + ", " +
           measureText(m.fPlusMinus) + ", " + measureText(m.fMinusPlus) + ", " +
           measureText(m.recall) + ", " + measureText(m.precision) + ", " + measureText(m.f1);
}

std::ostream &operator<<(std::ostream &out, const CategoryMeasures &measures) {
    return out << measuresLine(measures);
}
