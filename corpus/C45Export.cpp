// The C4.5 file set: ".info", ".names", ".data" and ".test".
//
// A ".data" line holds one value per attribute, mostly zeros, so lines are
// assembled from a prepared run of "0, " and the few counts a document has,
// found through a hash index of the attributes.
#include "corpus/TextProcessor.h"

#include "corpus/AtomicFile.h"

#include <charconv>
#include <string_view>
#include <unordered_map>

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

void TextProcessor::writeDataFile() const {
    AtomicFile file(fileStem + ".data");
    writeCases(file.stream(), "train", trainDocuments, trainTopics);
    file.commit();
}

void TextProcessor::writeTestFile() const {
    AtomicFile file(fileStem + ".test");
    writeCases(file.stream(), "test", testDocuments, testTopics);
    file.commit();
}

// The learner reads the four files as one data set, so none replaces its old
// file before all four are complete; an interrupted export leaves no
// temporary file behind.
void TextProcessor::writeC45Files() const {
    const TemporaryFileGuard guard;
    AtomicFile info(fileStem + ".info");
    writeInfo(info.stream(), *this);
    AtomicFile names(fileStem + ".names");
    writeNames(names.stream(), *this);
    AtomicFile data(fileStem + ".data");
    writeCases(data.stream(), "train", trainDocuments, trainTopics);
    AtomicFile test(fileStem + ".test");
    writeCases(test.stream(), "test", testDocuments, testTopics);
    AtomicFile::commitTogether({&info, &names, &data, &test});
}

void TextProcessor::writeCases(std::ostream &out, const char *setName,
                               const std::deque<WordCounts> &documents,
                               const std::deque<TopicSet> &topics) const {
    std::unordered_map<std::string_view, std::size_t> attributeIndex(selectedWords.size());
    for (const auto &word : selectedWords)
        attributeIndex.emplace(word.first, attributeIndex.size());
    std::string zeros;
    for (std::size_t k = 0; k < selectedWords.size(); ++k)
        zeros += "0, ";

    std::string line;
    char number[16];
    const std::size_t total = documents.size();
    for (std::size_t i = 0; i < total; ++i) {
        *trace_ << "Procesiram " << setName << " dokument broj: " << i + 1 << " od " << total
                << '\r' << std::flush;
        line.clear();
        std::size_t next = 0;
        for (const auto &[word, count] : documents[i]) {
            const auto attribute = attributeIndex.find(word);
            if (attribute == attributeIndex.end())
                continue;
            line.append(zeros, 0, 3 * (attribute->second - next));
            line.append(number, std::to_chars(number, number + sizeof number, count).ptr);
            line += ", ";
            next = attribute->second + 1;
        }
        line.append(zeros, 0, 3 * (selectedWords.size() - next));
        if (!topics[i].empty())
            line += *topics[i].begin();
        line += '\n';
        out.write(line.data(), static_cast<std::streamsize>(line.size()));
    }
    *trace_ << std::endl;
}
