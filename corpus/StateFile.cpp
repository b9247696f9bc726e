// The ".tpp" text-processing state file: writer and strict reader.
#include "corpus/TextProcessor.h"

#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"
#include "corpus/ReadFile.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <map>
#include <new>
#include <string_view>

namespace {

// The first line of a file written in the multi-category mode only, so that
// the files of the single-category mode keep their layout and a reader that
// knows no other mode refuses the file at its first line.
const char *const multiCategoryTitle = "vise kategorija po dokumentu";
const char *const trainTitle = "rijeci iz train dokumenata";
const char *const testTitle = "rijeci iz test dokumenata";
const char *const categoryTitle = "kategorije sa brojem dokumenata";
const char *const trainTopicTitle = "train dokumenti kategorije";
const char *const testTopicTitle = "test dokumenti kategorije";
const char *const wordTitle = "sve rijeci";

void writeDocuments(std::ostream &out, const char *title, const DocumentTable &documents,
                    const std::vector<std::string> &vocabulary) {
    out << title << '\n' << documents.size() << '\n';
    for (std::size_t i = 0; i < documents.size(); ++i) {
        out << documents.end(i) - documents.begin(i) << '\n';
        for (const DocumentTable::Entry *entry = documents.begin(i); entry != documents.end(i);
             ++entry)
            out << vocabulary[entry->word] << ' ' << entry->count << '\n';
    }
}

void writeTopics(std::ostream &out, const char *title,
                 const std::deque<TextProcessor::TopicSet> &topics) {
    out << title << '\n' << topics.size() << '\n';
    for (const auto &set : topics) {
        out << set.size() << '\n';
        for (const auto &category : set)
            out << category << '\n';
    }
}

// Reads the file line by line; every failure names the file, the line and
// what was expected there.
class StateReader {
public:
    StateReader(const std::string &path, std::ostream &trace) : path_(path), trace_(trace) {
        readWholeFile(path, content_);
    }

    void title(const char *expected, const char *tracePrefix = nullptr) {
        const std::string_view line = next(expected);
        if (line != expected)
            fail(std::string("expected \"") + expected + "\"");
        if (tracePrefix)
            trace_ << tracePrefix << line << std::endl;
    }

    // Whether the next line is expected, taking it only if it is.
    bool optionalTitle(const char *expected) {
        const std::size_t stop = std::min(content_.find('\n', position_), content_.size());
        if (position_ >= content_.size() ||
            std::string_view(content_).substr(position_, stop - position_) != expected)
            return false;
        next(expected);
        return true;
    }

    int count(const char *what, bool traced = false) {
        const Fields fields = split(next(what));
        if (fields.size != 1)
            fail(std::string("expected ") + what);
        const int value = number(fields.first, what);
        if (traced)
            trace_ << "broj je " << value << std::endl;
        return value;
    }

    // A line "WORD NUMBER"; allowExtra admits one more field (a gain).
    std::pair<std::string, int> wordLine(const char *what, bool allowExtra = false) {
        const Fields fields = split(next(what));
        if (fields.size < 2 || fields.size > (allowExtra ? 3u : 2u))
            fail(std::string("expected ") + what);
        return {token(fields.first), number(fields.second, what)};
    }

    std::string name(const char *what) {
        const Fields fields = split(next(what));
        if (fields.size != 1)
            fail(std::string("expected ") + what);
        return token(fields.first);
    }

    std::string_view anyLine(const char *what) { return next(what); }

    void end() {
        while (position_ < content_.size())
            if (!split(next("")).empty())
                fail("unexpected text after the last section");
    }

    [[noreturn]] void fail(const std::string &problem) const {
        throw FileError::malformed(path_, "line " + std::to_string(line_) + ": " + problem);
    }

private:
    struct Fields {
        std::string_view first;
        std::string_view second;
        std::size_t size = 0;
        bool empty() const { return size == 0; }
    };

    std::string_view next(const char *what) {
        if (position_ >= content_.size()) {
            line_ += 1;
            fail(std::string("unexpected end of file, expected ") + what);
        }
        const std::size_t end = content_.find('\n', position_);
        const std::size_t stop = end == std::string::npos ? content_.size() : end;
        const std::string_view line(content_.data() + position_, stop - position_);
        position_ = stop + 1;
        ++line_;
        return line;
    }

    static Fields split(std::string_view line) {
        const char *const space = " \t\r\v\f";
        Fields fields;
        for (std::size_t start = line.find_first_not_of(space); start != line.npos;) {
            const std::size_t stop = std::min(line.find_first_of(space, start), line.size());
            const std::string_view field = line.substr(start, stop - start);
            if (fields.size == 0)
                fields.first = field;
            else if (fields.size == 1)
                fields.second = field;
            ++fields.size;
            start = line.find_first_not_of(space, stop);
        }
        return fields;
    }

    // Words and categories are written into the C4.5 files as they are, where
    // a separator, a blank or "?" would change the meaning; so only what the
    // tokenizer can produce is taken.
    std::string token(std::string_view text) const {
        const auto letter = [](char c) { return c >= 'a' && c <= 'z'; };
        const bool made =
            letter(text.front()) && letter(text.back()) &&
            std::all_of(text.begin(), text.end(), [&](char c) { return letter(c) || c == '-'; });
        if (!made)
            fail("expected a word of lower-case letters and inner hyphens");
        return std::string(text);
    }

    int number(std::string_view text, const char *what) const {
        int value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || end != text.data() + text.size() || value < 0)
            fail(std::string("expected a non-negative whole number in ") + what);
        return value;
    }

    std::string path_;
    std::ostream &trace_;
    std::string content_;
    std::size_t position_ = 0;
    std::size_t line_ = 0;
};

// Words get ids in the order they are first read; sortedVocabulary then puts
// them in word order for the tables.
class VocabularyBuilder {
public:
    std::uint32_t id(std::string word) {
        return ids_.try_emplace(std::move(word), static_cast<std::uint32_t>(ids_.size()))
            .first->second;
    }

    // The words in word order, and the table from read ids to their places.
    std::vector<std::string> sortedVocabulary(std::vector<std::uint32_t> &renumbering) const {
        std::vector<std::string> sorted;
        sorted.reserve(ids_.size());
        renumbering.assign(ids_.size(), 0);
        for (const auto &[word, id] : ids_) {
            renumbering[id] = static_cast<std::uint32_t>(sorted.size());
            sorted.push_back(word);
        }
        return sorted;
    }

private:
    std::map<std::string, std::uint32_t> ids_;
};

// A word listed twice in one document counts as first listed, as a map
// insertion would take it.
void readDocuments(StateReader &in, DocumentTable &documents, VocabularyBuilder &vocabulary,
                   bool traced) {
    const int total = in.count("the number of documents", traced);
    std::vector<DocumentTable::Entry> entries;
    for (int i = 0; i < total; ++i) {
        entries.clear();
        const int distinct = in.count("the number of words of a document");
        for (int j = 0; j < distinct; ++j) {
            auto [word, count] = in.wordLine("a word and its count");
            entries.push_back({vocabulary.id(std::move(word)), count});
        }
        std::stable_sort(entries.begin(), entries.end(),
                         [](const auto &a, const auto &b) { return a.word < b.word; });
        const auto last =
            std::unique(entries.begin(), entries.end(),
                        [](const auto &a, const auto &b) { return a.word == b.word; });
        for (auto entry = entries.begin(); entry != last; ++entry)
            documents.addEntry(entry->word, entry->count);
        documents.closeDocument();
    }
}

void readTopics(StateReader &in, const char *title, const char *tracePrefix,
                std::deque<TextProcessor::TopicSet> &topics, std::size_t documents,
                const std::map<std::string, int> &categories) {
    in.title(title, tracePrefix);
    const int total = in.count("the number of documents", true);
    if (static_cast<std::size_t>(total) != documents)
        in.fail("the number of documents differs from that of the word section");
    for (int i = 0; i < total; ++i) {
        TextProcessor::TopicSet set;
        const int size = in.count("the number of categories of a document");
        if (size == 0)
            in.fail("a document without a category");
        for (int j = 0; j < size; ++j) {
            std::string category = in.name("a category name");
            if (categories.count(category) == 0)
                in.fail("a category missing from the category section");
            set.insert(std::move(category));
        }
        topics.push_back(std::move(set));
    }
}

} // namespace

void TextProcessor::saveTextProcessingState(const std::string &fileName) const {
    const TemporaryFileGuard guard;
    AtomicFile file(fileName);
    std::ostream &out = file.stream();
    if (multiCategory)
        out << multiCategoryTitle << '\n';
    writeDocuments(out, trainTitle, trainDocuments, vocabulary);
    writeDocuments(out, testTitle, testDocuments, vocabulary);
    out << categoryTitle << '\n' << categories.size() << '\n';
    for (const auto &[category, count] : categories)
        out << category << ' ' << count << '\n';
    writeTopics(out, trainTopicTitle, trainTopics);
    writeTopics(out, testTopicTitle, testTopics);
    out << wordTitle << '\n'
        << documentFrequency.size() << '\n'
        << (informationGain.empty() ? "nig" : "ig") << '\n';
    for (const auto &[word, df] : documentFrequency) {
        out << word << ' ' << df;
        const auto gain = informationGain.find(word);
        if (gain != informationGain.end())
            out << ' ' << gain->second;
        out << '\n';
    }
    file.commit();
}

void TextProcessor::loadTextProcessingState(const std::string &fileName) {
    TextProcessor staged;
    try {
        StateReader in(fileName, *trace_);
        VocabularyBuilder vocabulary;
        staged.multiCategory = in.optionalTitle(multiCategoryTitle);
        in.title(trainTitle);
        readDocuments(in, staged.trainDocuments, vocabulary, true);
        in.title(testTitle);
        readDocuments(in, staged.testDocuments, vocabulary, false);
        std::vector<std::uint32_t> renumbering;
        staged.vocabulary = vocabulary.sortedVocabulary(renumbering);
        staged.trainDocuments.renumber(renumbering);
        staged.testDocuments.renumber(renumbering);

        in.title(categoryTitle, "linija je ");
        const int categoryCount = in.count("the number of categories", true);
        for (int i = 0; i < categoryCount; ++i)
            staged.categories.insert(in.wordLine("a category and its document count"));

        readTopics(in, trainTopicTitle, "-train dok kat linija je ", staged.trainTopics,
                   staged.trainDocuments.size(), staged.categories);
        readTopics(in, testTopicTitle, "-test dok kat linija je ", staged.testTopics,
                   staged.testDocuments.size(), staged.categories);

        in.title(wordTitle);
        const int words = in.count("the number of words");
        const std::string_view gains = in.anyLine("\"ig\" or \"nig\"");
        if (gains != "ig" && gains != "nig")
            in.fail("expected \"ig\" or \"nig\"");
        // Gains divide by the number of training documents: a word in more
        // documents than there are has none.
        for (int i = 0; i < words; ++i) {
            auto entry = in.wordLine("a word and its document frequency", true);
            if (static_cast<std::size_t>(entry.second) > staged.trainDocuments.size())
                in.fail("a document frequency above the number of training documents");
            staged.documentFrequency.insert(std::move(entry));
        }
        in.end();
    } catch (const std::bad_alloc &) {
        throw FileError::outOfMemory(fileName);
    }
    adoptCorpus(staged);
    multiCategory = staged.multiCategory;
}
