// The C4.5 file set: ".info", ".names", ".data" and ".test", or in the sparse
// layout ".data.svm" and ".test.svm" in place of the last two: one LIBSVM line
// per document, "LABEL IDX:COUNT ...", with the category's zero-based and the
// attribute's one-based position in ".names" and only the non-zero counts;
// in the multi-category mode LABEL lists the document's categories, "0,3".
//
// A ".data" line holds one value per attribute, mostly zeros, so lines are
// assembled from a prepared run of "0, " and the few counts a document has,
// found through a table from word ids to attributes.
#include "corpus/TextProcessor.h"

#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"
#include "corpus/TokenizerFile.h"

#include <optional>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

void writeInfo(std::ostream &out, const TextProcessor &engine) {
    out << engine.trainDocuments.size() << '\n'
        << engine.testDocuments.size() << '\n'
        << engine.categories.size() << '\n'
        << engine.selectedWords.size() << '\n';
}

void writeNames(std::ostream &out, const TextProcessor &engine) {
    const char *separator = "";
    for (const auto &category : engine.categories) {
        out << separator << category.first;
        separator = ", ";
    }
    out << ".\n\n";
    for (const auto &word : engine.selectedWords)
        out << word.first << ": continuous.\n";
}

// A dense case holds one class value, so it cannot say that a document is in
// several categories.
void requireSingleCategory(const TextProcessor &engine) {
    if (engine.multiCategory)
        throw std::logic_error("the dense C4.5 file set cannot carry several categories per "
                               "document: write the sparse file set");
}

void removeIfPresent(const std::string &path) {
    if (std::remove(path.c_str()) != 0 && errno != ENOENT)
        throw FileError::cannotWrite(path, errno);
}

} // namespace

void TextProcessor::writeInfoFile() const {
    AtomicFile file(fileStem + ".info");
    writeInfo(file.stream(), *this);
    file.commit();
}

void TextProcessor::writeNamesFile() const {
    AtomicFile file(fileStem + ".names");
    writeNames(file.stream(), *this);
    file.commit();
}

void TextProcessor::writeDataFile(const std::atomic<bool> *cancel) const {
    requireSingleCategory(*this);
    AtomicFile file(fileStem + ".data");
    writeCases(file.stream(), "train", trainDocuments, trainTopics, false, cancel);
    file.commit();
}

void TextProcessor::writeTestFile(const std::atomic<bool> *cancel) const {
    requireSingleCategory(*this);
    AtomicFile file(fileStem + ".test");
    writeCases(file.stream(), "test", testDocuments, testTopics, false, cancel);
    file.commit();
}

// The learner reads the four files as one data set, so none replaces its old
// file before all four are complete; an interrupted export leaves no
// temporary file behind. The case files of the other layout are removed
// once the set is in place: left beside the new ".names" they would describe
// other attributes, and the layout is told by which case files exist.
void TextProcessor::writeFileSetAs(const std::string &stem, bool sparse,
                                   const std::atomic<bool> *cancel,
                                   SignalGuard signalGuard) const {
    if (!sparse)
        requireSingleCategory(*this);
    std::optional<TemporaryFileGuard> guard;
    if (signalGuard == SignalGuard::Guarded)
        guard.emplace();
    AtomicFile info(stem + ".info");
    writeInfo(info.stream(), *this);
    AtomicFile names(stem + ".names");
    writeNames(names.stream(), *this);
    AtomicFile tokens(stem + ".tokens");
    tokens.stream() << tokenizerFileText(TokenizerSettings{useStemming});
    static const char *const denseEndings[] = {".data", ".test"};
    static const char *const sparseEndings[] = {".data.svm", ".test.svm"};
    const char *const *endings = sparse ? sparseEndings : denseEndings;
    AtomicFile data(stem + endings[0]);
    writeCases(data.stream(), "train", trainDocuments, trainTopics, sparse, cancel);
    AtomicFile test(stem + endings[1]);
    writeCases(test.stream(), "test", testDocuments, testTopics, sparse, cancel);
    AtomicFile::commitTogether({&info, &names, &tokens, &data, &test});
    for (const char *ending : sparse ? denseEndings : sparseEndings)
        removeIfPresent(stem + ending);
}

void TextProcessor::writeC45Files(const std::atomic<bool> *cancel) const {
    writeFileSetAs(fileStem, false, cancel);
}

void TextProcessor::writeSparseFiles(const std::atomic<bool> *cancel) const {
    writeFileSetAs(fileStem, true, cancel);
}

void TextProcessor::writeCases(std::ostream &out, const char *setName,
                               const DocumentTable &documents, const std::deque<TopicSet> &topics,
                               bool sparse, const std::atomic<bool> *cancel) const {
    // attributeOf[w]: the position in ".names" of vocabulary word w, found in
    // one walk as both tables are in word order.
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::vector<std::size_t> attributeOf(vocabulary.size(), none);
    {
        std::size_t a = 0;
        auto word = vocabulary.begin();
        for (const auto &entry : selectedWords) {
            word = std::lower_bound(word, vocabulary.end(), entry.first);
            if (word != vocabulary.end() && *word == entry.first)
                attributeOf[static_cast<std::size_t>(word - vocabulary.begin())] = a;
            ++a;
        }
    }
    std::unordered_map<std::string_view, std::size_t> categoryIndex(categories.size());
    for (const auto &category : categories)
        categoryIndex.emplace(category.first, categoryIndex.size());
    std::string zeros;
    if (!sparse)
        for (std::size_t k = 0; k < selectedWords.size(); ++k)
            zeros += "0, ";

    std::string line;
    char number[24];
    const auto appendNumber = [&](std::size_t value) {
        line.append(number, std::to_chars(number, number + sizeof number, value).ptr);
    };
    const std::size_t total = documents.size();
    for (std::size_t i = 0; i < total; ++i) {
        *trace_ << "Procesiram " << setName << " dokument broj: " << i + 1 << " od " << total
                << '\r';
        // The progress shows every few thousand documents: a flush per line
        // is a write per document, a million of them in a large corpus.
        if ((i + 1) % 4096 == 0)
            *trace_ << std::flush;
        // A dense line can be long: thousands of attributes a document.
        stopIfCancelled(cancel);
        line.clear();
        if (sparse) {
            // Every document has a category of the table: the parser and the
            // state file make sure of it. Both walk in the same order, so
            // the positions ascend. The single-category mode writes the
            // first category only, whatever a state file lists.
            const char *separator = "";
            for (const std::string &topic : topics[i]) {
                line += separator;
                appendNumber(categoryIndex.at(topic));
                separator = ",";
                if (!multiCategory)
                    break;
            }
            for (const DocumentTable::Entry *entry = documents.begin(i); entry != documents.end(i);
                 ++entry) {
                const std::size_t attribute = attributeOf[entry->word];
                if (attribute == none || entry->count == 0)
                    continue;
                line += ' ';
                appendNumber(attribute + 1);
                line += ':';
                appendNumber(static_cast<std::size_t>(entry->count));
            }
        } else {
            std::size_t next = 0;
            for (const DocumentTable::Entry *entry = documents.begin(i); entry != documents.end(i);
                 ++entry) {
                const std::size_t attribute = attributeOf[entry->word];
                if (attribute == none)
                    continue;
                line.append(zeros, 0, 3 * (attribute - next));
                line.append(number,
                            std::to_chars(number, number + sizeof number, entry->count).ptr);
                line += ", ";
                next = attribute + 1;
            }
            line.append(zeros, 0, 3 * (selectedWords.size() - next));
            if (!topics[i].empty())
                line += *topics[i].begin();
        }
        line += '\n';
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
    }
    *trace_ << std::endl;
}
