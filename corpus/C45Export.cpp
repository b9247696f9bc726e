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

void TextProcessor::writeInfoFile() const {
    AtomicFile file(fileStem + ".info");
    file.stream() << trainDocuments.size() << '\n'
                  << testDocuments.size() << '\n'
                  << categories.size() << '\n'
                  << selectedWords.size() << '\n';
    file.commit();
}

void TextProcessor::writeNamesFile() const {
    AtomicFile file(fileStem + ".names");
    std::ostream &out = file.stream();
    const char *separator = "";
    for (const auto &category : categories) {
        out << separator << category.first;
        separator = ", ";
    }
    out << ".\n\n";
    for (const auto &word : selectedWords)
        out << word.first << ": continuous.\n";
    file.commit();
}

void TextProcessor::writeDataFile() const {
    writeCases(".data", "train", trainDocuments, trainTopics);
}

void TextProcessor::writeTestFile() const {
    writeCases(".test", "test", testDocuments, testTopics);
}

void TextProcessor::writeC45Files() const {
    writeInfoFile();
    writeNamesFile();
    writeDataFile();
    writeTestFile();
}

void TextProcessor::writeCases(const char *extension, const char *setName,
                               const std::deque<WordCounts> &documents,
                               const std::deque<TopicSet> &topics) const {
    AtomicFile file(fileStem + extension);
    std::ostream &out = file.stream();

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
    file.commit();
}
