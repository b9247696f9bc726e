// The confusion matrix of the test documents of one C4.5 run.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

// N category names in row order and N x N counts, row-major: count(i, j) is
// the number of test documents of true category i that C4.5 assigned to
// category j. The parser only ever builds square matrices; code that builds
// one by hand must keep counts.size() == size() * size().
struct ConfusionMatrix {
    std::vector<std::int32_t> counts;
    std::vector<std::string> categoryNames;

    std::size_t size() const { return categoryNames.size(); }
    std::int32_t count(std::size_t row, std::size_t column) const {
        return counts[row * size() + column];
    }
    bool empty() const { return categoryNames.empty(); }
    void clear() {
        counts.clear();
        categoryNames.clear();
    }
    bool operator==(const ConfusionMatrix &other) const {
        return counts == other.counts && categoryNames == other.categoryNames;
    }
};

// One row per category as "name: c0 c1 ...", rows separated by " | "
// ("A: 8 2 | B: 1 9"); an empty matrix prints as "(empty)".
std::ostream &operator<<(std::ostream &out, const ConfusionMatrix &matrix);
