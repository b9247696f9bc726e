// Cases read from a data or test file, stored sparsely: a continuous value
// of 0 takes no room, so memory follows the number of non-zero values.
#pragma once

#include "Schema.h"

#include <cmath>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class Dataset {
public:
    // Continuous value of an unknown ("?") entry.
    static bool isUnknown(float value) { return std::isnan(value); }

    std::size_t size() const { return classes_.size(); }
    int attributes() const { return static_cast<int>(cases_->discrete.size()); }
    // Whether any case has an unknown ("?") value.
    bool hasUnknowns() const { return cases_->hasUnknowns; }
    int classOf(std::size_t item) const { return classes_[item]; }

    // Continuous value of attribute a for the item (NaN if unknown).
    float value(std::size_t item, int a) const;
    // Discrete value index of attribute a for the item (0 if unknown).
    int discreteValue(std::size_t item, int a) const { return cases_->discrete[a][item]; }

    // The item's non-zero or unknown continuous entries, by ascending attribute.
    struct Entry {
        int attribute;
        float value;
    };
    const Entry *rowBegin(std::size_t item) const {
        return cases_->entries.data() + cases_->rowStart[item];
    }
    const Entry *rowEnd(std::size_t item) const {
        return cases_->entries.data() + cases_->rowStart[item + 1];
    }
    std::size_t entryCount() const { return cases_->entries.size(); }
    // Hints that the item's row will soon be read: walks visit rows in no
    // order, and missing the cache on each costs more than the walk. The
    // row's place is asked for first, a few items ahead of the row itself.
    void prefetchRowPlace(std::size_t item) const {
        __builtin_prefetch(&cases_->rowStart[item + 1]);
    }
    void prefetchRow(std::size_t item) const {
        const Entry *row = rowBegin(item);
        __builtin_prefetch(row);
        __builtin_prefetch(row + 8);
        __builtin_prefetch(row + 16);
    }

    // The items with a non-zero or unknown value of attribute a, ascending.
    struct ColumnEntry {
        int item;
        float value;
    };
    const ColumnEntry *columnBegin(int a) const {
        return cases_->column.data() + cases_->columnStart[a];
    }
    const ColumnEntry *columnEnd(int a) const {
        return cases_->column.data() + cases_->columnStart[a + 1];
    }

    // The same cases with other classes, one per case: the values are
    // shared with this set, not copied, so a set per binary task costs one
    // class vector.
    Dataset withClasses(std::vector<int> classes) const;

    friend Dataset readCases(const std::string &path, Schema &schema);
    friend struct SparseReader;

private:
    // The values of the cases, which never change once read.
    struct Values {
        std::vector<std::size_t> rowStart{0};
        std::vector<Entry> entries;
        std::vector<std::vector<int>> discrete;
        std::vector<std::size_t> columnStart;
        std::vector<ColumnEntry> column;
        bool hasUnknowns = false;
        // Builds the columns from the rows once all are read.
        void indexColumns(std::size_t attributes, std::size_t items);
    };

    std::vector<int> classes_;
    std::shared_ptr<const Values> cases_ = std::make_shared<const Values>();
};

// Reads a data or test file against the schema. Discrete attributes declared
// "discrete N" gain the new values met, up to N. Each record is one line:
// the attribute values in names order, then the class. A continuous value
// is a whole token that reads as a finite single-precision number. Throws
// FileError ("cannot open file PATH", "cannot read file PATH") if the file
// cannot be opened or read to its end, and InputError listing up to ten
// problems ("PATH, line L: case N's value of 'V' for attribute A is
// illegal", a wrong number of values, an unknown class) if any record is
// bad; the schema is then left unchanged. A quoted token shows at most its
// first 60 bytes, followed by "..." when it is longer.
Dataset readCases(const std::string &path, Schema &schema);

// Reads a data or test file in the LIBSVM format: one case a line,
// "LABEL INDEX:VALUE ...", where LABEL is the zero-based position of the
// class in the names and INDEX the one-based position of a continuous
// attribute, strictly ascending; absent attributes are 0. Blanks and tabs
// separate tokens; a line may end in CR LF. A "#" starts a comment that
// runs to the end of its line; a line of blanks or a comment alone holds no
// case (line numbers still count it). Values are non-negative numbers
// read as readCases reads them. Throws FileError as readCases does, and
// InputError listing up to ten problems, each naming the file, the line and
// the token ("PATH, line L: attribute index of '9:1' is out of range"), or
// if the names declare a discrete attribute, which the format cannot hold.
Dataset readSparseCases(const std::string &path, const Schema &schema);

// Cases of a sparse file whose labels are lists of categories: a label is
// one position or several, comma-separated and strictly ascending ("3,17").
struct CategoryCases {
    Dataset cases; // the class of a case is its first category
    std::vector<std::size_t> labelStart{0};
    std::vector<int> labels; // case i's categories: labels[labelStart[i] .. labelStart[i+1])
    // The classes of the binary task of category c, one per case: 0 for a
    // case in c, 1 for any other.
    std::vector<int> binaryClasses(int category) const;
};

// Reads a sparse file as readSparseCases does, but with label lists; the
// problems it reports also include a list that does not ascend ("class
// labels of '5,3' do not ascend").
CategoryCases readCategoryCases(const std::string &path, const Schema &schema);
