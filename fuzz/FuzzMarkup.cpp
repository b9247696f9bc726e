// The document markup parser on any file content, with words of any length
// (the seeds hold words longer than the parser's storage blocks).
#include "corpus/TextProcessor.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

// What the tokenizer makes: lower-case letters and inner hyphens.
bool isWord(const std::string &word) {
    if (word.empty() || word.front() == '-' || word.back() == '-')
        return false;
    for (const char c : word)
        if (!((c >= 'a' && c <= 'z') || c == '-'))
            return false;
    return true;
}

bool wordsValid(const TextProcessor::WordCounts &words) {
    for (const auto &[word, count] : words)
        if (!isWord(word) || count < 1)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::ostringstream trace;
    const std::string content(reinterpret_cast<const char *>(data), size);
    for (bool stemming : {false, true}) {
        TextProcessor engine(trace);
        engine.useStemming = stemming;
        engine.parseFileText(content);
        if (engine.trainDocuments.size() != engine.trainTopics.size() ||
            engine.testDocuments.size() != engine.testTopics.size() ||
            !wordsValid(engine.documentFrequency) || !wordsValid(engine.categories))
            __builtin_trap();
        // Every stored word is whole, and a training document's words are
        // exactly those its document frequencies count.
        std::size_t trained = 0;
        for (std::size_t i = 0; i < engine.trainDocuments.size(); ++i) {
            const TextProcessor::WordCounts document =
                engine.documentWords(engine.trainDocuments, i);
            if (!wordsValid(document))
                __builtin_trap();
            for (const auto &entry : document)
                if (engine.documentFrequency.count(entry.first) == 0)
                    __builtin_trap();
            trained += document.size();
        }
        std::size_t counted = 0;
        for (const auto &entry : engine.documentFrequency)
            counted += static_cast<std::size_t>(entry.second);
        if (counted != trained)
            __builtin_trap();
        // A test document counts only when some training document has its
        // category, wherever that stands in the content.
        for (std::size_t i = 0; i < engine.testDocuments.size(); ++i)
            if (!wordsValid(engine.documentWords(engine.testDocuments, i)) ||
                engine.testTopics[i].size() != 1 ||
                engine.categories.count(*engine.testTopics[i].begin()) == 0)
                __builtin_trap();
    }
    return 0;
}
