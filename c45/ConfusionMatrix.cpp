#include "c45/ConfusionMatrix.h"

std::ostream &operator<<(std::ostream &out, const ConfusionMatrix &matrix) {
    if (matrix.empty())
        return out << "(empty)";
    for (std::size_t i = 0; i < matrix.size(); ++i) {
        out << (i == 0 ? "" : " | ") << matrix.categoryNames[i] << ':';
        for (std::size_t j = 0; j < matrix.size(); ++j)
            out << ' ' << matrix.count(i, j);
    }
    return out;
}
