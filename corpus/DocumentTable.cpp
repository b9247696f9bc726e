// Filtering and renumbering of the flat document table.
#include "corpus/DocumentTable.h"

#include <algorithm>

void DocumentTable::keepFrom(std::size_t first, const std::vector<bool> &keep) {
    std::size_t out = starts_[first];
    std::size_t kept = first;
    for (std::size_t i = first; i < size(); ++i) {
        if (!keep[i - first])
            continue;
        const std::size_t from = starts_[i];
        const std::size_t to = starts_[i + 1];
        std::copy(entries_.begin() + static_cast<std::ptrdiff_t>(from),
                  entries_.begin() + static_cast<std::ptrdiff_t>(to),
                  entries_.begin() + static_cast<std::ptrdiff_t>(out));
        out += to - from;
        starts_[++kept] = out;
    }
    starts_.resize(kept + 1);
    entries_.resize(out);
}

void DocumentTable::renumber(const std::vector<std::uint32_t> &ids) {
    for (Entry &entry : entries_)
        entry.word = ids[entry.word];
    for (std::size_t i = 0; i < size(); ++i) {
        Entry *const first = entries_.data() + starts_[i];
        Entry *const last = entries_.data() + starts_[i + 1];
        if (!std::is_sorted(first, last,
                            [](const Entry &a, const Entry &b) { return a.word < b.word; }))
            std::sort(first, last, [](const Entry &a, const Entry &b) { return a.word < b.word; });
    }
}

void DocumentTable::clear() {
    starts_.assign(1, 0);
    entries_.clear();
}

void DocumentTable::swap(DocumentTable &other) noexcept {
    starts_.swap(other.starts_);
    entries_.swap(other.entries_);
}
