// The word counts of many documents in one flat buffer: a document is a run
// of (word id, count) entries, ascending by word id, and the runs lie end to
// end. About 8 bytes an entry, where a map of strings per document took ten
// times as much.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class DocumentTable {
public:
    struct Entry {
        std::uint32_t word; // an index into the engine's vocabulary
        std::int32_t count;

        bool operator==(const Entry &other) const {
            return word == other.word && count == other.count;
        }
    };

    std::size_t size() const { return starts_.size() - 1; }
    bool empty() const { return size() == 0; }
    // All entries of all documents.
    std::size_t entryCount() const { return entries_.size(); }

    // The entries of document i, ascending by word id.
    const Entry *begin(std::size_t i) const { return entries_.data() + starts_[i]; }
    const Entry *end(std::size_t i) const { return entries_.data() + starts_[i + 1]; }

    // Appends a document; entries with ascending word ids are given one by
    // one, then the document is closed.
    void addEntry(std::uint32_t word, std::int32_t count) { entries_.push_back({word, count}); }
    void closeDocument() { starts_.push_back(entries_.size()); }

    // Keeps the documents from first on whose flag in keep (indexed from
    // first) is set, in their order.
    void keepFrom(std::size_t first, const std::vector<bool> &keep);

    // Replaces every word id w by ids[w], then puts each document's entries
    // in ascending order of the new ids.
    void renumber(const std::vector<std::uint32_t> &ids);

    void clear();
    void swap(DocumentTable &other) noexcept;

    bool operator==(const DocumentTable &other) const {
        return starts_ == other.starts_ && entries_ == other.entries_;
    }
    bool operator!=(const DocumentTable &other) const { return !(*this == other); }

private:
    std::vector<std::size_t> starts_ = {0}; // size() + 1 offsets into entries_
    std::vector<Entry> entries_;
};
