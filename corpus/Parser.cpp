// Folder listing, the markup parser and the tokenizer of TextProcessor.
//
// Parsing is the hot path: words are scanned with byte tables, lower-cased in
// a reused buffer and interned once per parse, so the stemmer runs once per
// distinct surface form and document frequencies are counted in an array
// indexed by word.
#include "corpus/TextProcessor.h"

#include "corpus/FileError.h"
#include "corpus/ReadFile.h"
#include "corpus/Stemmer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <memory>
#include <new>
#include <string_view>
#include <sys/stat.h>
#include <tuple>

namespace {

// Classes and lower case of the C locale, fixed so that the process locale
// never changes what a word is.
struct ByteTables {
    bool wordByte[256];
    char lower[256];

    constexpr ByteTables() : wordByte(), lower() {
        for (int c = 0; c < 256; ++c) {
            const bool upper = c >= 'A' && c <= 'Z';
            wordByte[c] = upper || (c >= 'a' && c <= 'z') || c == '-';
            lower[c] = static_cast<char>(upper ? c - 'A' + 'a' : c);
        }
    }
};

constexpr ByteTables bytes;

std::uint64_t hashBytes(std::string_view text) {
    std::uint64_t h = 0x9e3779b97f4a7c15ULL ^ text.size();
    const char *p = text.data();
    std::size_t n = text.size();
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t v;
        std::memcpy(&v, p, 8);
        h = (h ^ v) * 0xff51afd7ed558ccdULL;
        h ^= h >> 32;
    }
    std::uint64_t v = 0;
    if (n != 0)
        std::memcpy(&v, p, n);
    h = (h ^ v) * 0xc4ceb9fe1a85ec53ULL;
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    return h ^ (h >> 33);
}

// The first eight bytes of a word as a big-endian number: comparing these
// orders most words without touching their text.
std::uint64_t sortKey(std::string_view text) {
    std::uint64_t key = 0;
    for (std::size_t i = 0; i < 8; ++i)
        key = key << 8 | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0);
    return key;
}

// Open-addressing hash table from strings to dense ids 0, 1, ...; the strings
// live in chunks that never move, so the views it hands out stay valid.
class Interner {
public:
    Interner() : slots_(1024) {}

    // Starts loading the slot where a word of this hash is looked for, so
    // that the lookups of a whole text overlap their memory latency.
    void prefetch(std::uint64_t hash) const {
        __builtin_prefetch(&slots_[hash & (slots_.size() - 1)]);
    }

    // The id of text (whose hashBytes is hash), adding it if new; inserted
    // tells which.
    int intern(std::string_view text, std::uint64_t hash, bool &inserted) {
        const auto tag = static_cast<std::uint32_t>(hash >> 32);
        std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask; slots_[i].id >= 0; i = (i + 1) & mask) {
            if (slots_[i].tag == tag && slots_[i].holds(text, texts_)) {
                inserted = false;
                return slots_[i].id;
            }
        }
        inserted = true;
        const int id = static_cast<int>(texts_.size());
        texts_.push_back(store(text));
        if (texts_.size() * 2 > slots_.size())
            rehash();
        mask = slots_.size() - 1;
        std::size_t i = hash & mask;
        while (slots_[i].id >= 0)
            i = (i + 1) & mask;
        slots_[i] = Slot(tag, id, text);
        return id;
    }

    std::string_view text(int id) const { return texts_[id]; }
    std::size_t size() const { return texts_.size(); }

private:
    // A short word is kept in its slot too, so that a lookup usually touches
    // one cache line only.
    struct Slot {
        static constexpr std::size_t inlineSize = 23;

        Slot() = default;
        Slot(std::uint32_t tag, int id, std::string_view text)
            : tag(tag), id(id),
              size(static_cast<unsigned char>(std::min(text.size(), inlineSize + 1))) {
            if (text.size() <= inlineSize)
                std::memcpy(inlineText, text.data(), text.size());
        }

        bool holds(std::string_view text, const std::vector<std::string_view> &texts) const {
            if (text.size() > inlineSize)
                return size > inlineSize && texts[id] == text;
            if (size != text.size())
                return false;
            // Words are short: a plain loop beats a call to memcmp.
            for (std::size_t i = 0; i < text.size(); ++i)
                if (inlineText[i] != text[i])
                    return false;
            return true;
        }

        std::uint32_t tag = 0; // high half of the hash
        int id = -1;
        unsigned char size = 0; // inlineSize + 1 for a longer word
        char inlineText[inlineSize] = {};
    };

    static constexpr std::size_t chunkSize = 1 << 16;

    // Words share chunks; a word longer than a chunk gets a block of its own,
    // and the open chunk stays in use for the words after it.
    std::string_view store(std::string_view text) {
        char *copy;
        if (text.size() > chunkSize) {
            blocks_.emplace_back(new char[text.size()]);
            copy = blocks_.back().get();
        } else {
            if (!chunk_ || text.size() > chunkSize - used_) {
                blocks_.emplace_back(new char[chunkSize]);
                chunk_ = blocks_.back().get();
                used_ = 0;
            }
            copy = chunk_ + used_;
            used_ += text.size();
        }
        std::copy(text.begin(), text.end(), copy);
        return {copy, text.size()};
    }

    void rehash() {
        std::vector<Slot> slots(slots_.size() * 2);
        const std::size_t mask = slots.size() - 1;
        for (std::size_t id = 0; id < texts_.size(); ++id) {
            const std::uint64_t hash = hashBytes(texts_[id]);
            std::size_t i = hash & mask;
            while (slots[i].id >= 0)
                i = (i + 1) & mask;
            slots[i] =
                Slot(static_cast<std::uint32_t>(hash >> 32), static_cast<int>(id), texts_[id]);
        }
        slots_.swap(slots);
    }

    std::vector<Slot> slots_;
    std::vector<std::string_view> texts_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    char *chunk_ = nullptr; // the open chunk, with used_ <= chunkSize bytes taken
    std::size_t used_ = 0;
};

// Turns the text of an element into counted normalised words. Ids are those
// of the normalised words; with stemming, each lower-cased surface form is
// stemmed once and remembered.
class WordCounter {
public:
    explicit WordCounter(bool stemming) : stemming_(stemming) {}

    struct CountedWord {
        int id;
        int count;
        std::string_view text; // valid until the next count()
        std::uint64_t key;     // sortKey of text
    };

    // Counts the words of element; afterwards words() lists each distinct
    // word once, in word order, with its number of occurrences.
    void count(std::string_view element) {
        split(element);
        Interner &first = stemming_ ? surfaces_ : words_;
        for (const RawWord &word : raw_)
            first.prefetch(word.hash);
        tokens_.clear();
        if (stemming_)
            collectStems();
        else
            collectWords();
        // Sorting every occurrence by (key, id) brings equal words together, so
        // counting needs no table indexed by word, and compares numbers only;
        // the few words that share their first eight bytes are then put in
        // text order.
        std::sort(tokens_.begin(), tokens_.end(), [](const Token &a, const Token &b) {
            return a.key != b.key ? a.key < b.key : a.id < b.id;
        });
        counted_.clear();
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            if (i == 0 || tokens_[i].id != tokens_[i - 1].id)
                counted_.push_back({tokens_[i].id, 0, tokens_[i].text, tokens_[i].key});
            ++counted_.back().count;
        }
        for (auto first = counted_.begin(); first != counted_.end();) {
            const auto last = std::find_if(first, counted_.end(), [first](const CountedWord &w) {
                return w.key != first->key;
            });
            if (last - first > 1)
                std::sort(first, last, [](const CountedWord &a, const CountedWord &b) {
                    return a.text < b.text;
                });
            first = last;
        }
    }

    const std::vector<CountedWord> &words() const { return counted_; }
    std::string_view text(int id) const { return words_.text(id); }
    std::size_t idCount() const { return words_.size(); }

    void sortByWord(std::vector<int> &ids) const {
        std::sort(ids.begin(), ids.end(), [this](int a, int b) {
            return keys_[a] != keys_[b] ? keys_[a] < keys_[b] : text(a) < text(b);
        });
    }

    TextProcessor::WordCounts toMap() const {
        TextProcessor::WordCounts map;
        for (const CountedWord &word : counted_)
            map.emplace_hint(map.end(), std::piecewise_construct, std::forward_as_tuple(word.text),
                             std::forward_as_tuple(word.count));
        return map;
    }

    // The id of a normalised word, adding it if new.
    int addWord(std::string_view word) {
        bool inserted;
        return internWord(word, hashBytes(word), inserted);
    }

private:
    struct RawWord {
        std::size_t offset; // in lowered_
        std::size_t size;
        std::uint64_t hash;
    };

    struct Token {
        std::uint64_t key; // sortKey of text
        int id;
        std::string_view text;
    };

    // Collects the trimmed, lower-cased words of text in lowered_ and raw_.
    void split(std::string_view text) {
        lowered_.resize(text.size()); // the words never take more room than the text
        raw_.clear();
        const auto *p = reinterpret_cast<const unsigned char *>(text.data());
        const auto *end = p + text.size();
        char *out = lowered_.data();
        while (p < end) {
            while (p < end && !bytes.wordByte[*p])
                ++p;
            const unsigned char *first = p;
            while (p < end && bytes.wordByte[*p])
                ++p;
            const unsigned char *last = p;
            while (first < last && *first == '-')
                ++first;
            while (last > first && last[-1] == '-')
                --last;
            if (first == last)
                continue;
            const std::size_t offset = out - lowered_.data();
            for (const unsigned char *q = first; q < last; ++q)
                *out++ = bytes.lower[*q];
            const std::string_view word(lowered_.data() + offset, last - first);
            raw_.push_back({offset, word.size(), hashBytes(word)});
        }
    }

    std::string_view lowered(const RawWord &word) const {
        return std::string_view(lowered_).substr(word.offset, word.size);
    }

    void collectWords() {
        for (const RawWord &word : raw_) {
            bool inserted;
            const int id = internWord(lowered(word), word.hash, inserted);
            tokens_.push_back({sortKey(lowered(word)), id, lowered(word)});
        }
    }

    // Looks up every surface form first and then their stems, so that the
    // memory loads of each pass overlap.
    void collectStems() {
        surfaceIds_.clear();
        for (const RawWord &word : raw_) {
            surfaceIds_.push_back(surface(lowered(word), word.hash));
            __builtin_prefetch(&surfaceStems_[surfaceIds_.back()]);
        }
        for (const int id : surfaceIds_)
            if (surfaceStems_[id].id >= 0)
                tokens_.push_back(surfaceStems_[id]);
    }

    // The id of a lower-cased, trimmed word as a surface form; a new one gets
    // its stem (the word itself when it holds a hyphen, id -1 when the
    // stemmer leaves nothing) in surfaceStems_.
    int surface(std::string_view word, std::uint64_t hash) {
        bool inserted;
        const int id = surfaces_.intern(word, hash, inserted);
        if (!inserted)
            return id;
        std::string_view result = word;
        if (word.find('-') == std::string_view::npos) {
            stemBuffer_.assign(word.begin(), word.end());
            stemBuffer_.push_back('\0');
            stem(stemBuffer_.data());
            result = stemBuffer_.data();
        }
        if (result.empty()) {
            surfaceStems_.push_back({0, -1, {}});
        } else {
            const int stemId = internWord(result, hashBytes(result), inserted);
            surfaceStems_.push_back({keys_[stemId], stemId, words_.text(stemId)});
        }
        return id;
    }

    int internWord(std::string_view word, std::uint64_t hash, bool &inserted) {
        const int id = words_.intern(word, hash, inserted);
        if (inserted)
            keys_.push_back(sortKey(word));
        return id;
    }

    bool stemming_;
    Interner words_;
    Interner surfaces_;
    std::vector<Token> surfaceStems_; // by surface id
    std::vector<int> surfaceIds_;
    std::vector<std::uint64_t> keys_;
    std::string lowered_;
    std::vector<RawWord> raw_;
    std::vector<Token> tokens_;
    std::vector<CountedWord> counted_;
    std::vector<char> stemBuffer_;
};

// Parses file contents into one engine. Document frequencies are counted per
// word id and added to documentFrequency in one ordered pass, and test
// documents are kept or dropped once every training document is known: both
// happen in finish(), which must run before the engine is used.
class DocumentParser {
public:
    // The words of the engine's vocabulary keep their ids while parsing, so
    // that the documents it holds already and the new ones share ids.
    explicit DocumentParser(TextProcessor &engine, const std::atomic<bool> *cancel = nullptr)
        : engine_(engine), cancel_(cancel), counter_(engine.useStemming),
          firstTest_(engine.testDocuments.size()) {
        for (const std::string &word : engine.vocabulary)
            counter_.addWord(word);
    }

    // A document is the text from one "<DATA>" to the next, and its tags are
    // looked for there only: a document missing one is skipped and never
    // takes the next document's.
    void parse(std::string_view c) {
        bool isTrain = false;
        for (std::size_t d = c.find("<DATA>"); d != c.npos;) {
            stopIfCancelled(cancel_);
            const std::size_t next = c.find("<DATA>", d + 6);
            parseDocument(c.substr(d + 6, next == c.npos ? c.npos : next - d - 6), isTrain);
            d = next;
        }
    }

    // What the multi-category line reports of the documents of this parse.
    using CategoryCounts = TextProcessor::CategoryCounts;

    CategoryCounts finish() {
        addDocumentFrequencies();
        dropTestDocumentsOfUnknownCategories();
        buildVocabulary();
        return counts_;
    }

private:
    // One document's text after its "<DATA>"; isTrain is its set, carried
    // over from the previous document when the set is neither value.
    void parseDocument(std::string_view c, bool &isTrain) {
        const std::size_t s = c.find("<SET>");
        if (s == c.npos)
            return;
        const std::size_t e = c.find("</SET>", s + 5);
        if (e == c.npos)
            return;
        const std::string_view set = c.substr(s + 5, e - s - 5);
        if (set == "TRAIN")
            isTrain = true;
        else if (set == "TEST")
            isTrain = false;
        const std::size_t t = c.find("<TOPIC>", e + 6);
        if (t == c.npos)
            return;
        const std::size_t u = c.find("</TOPIC>", t + 7);
        if (u == c.npos || u - t == 7)
            return;
        const std::size_t x = c.find("<TEXT>", u + 8);
        if (x == c.npos)
            return;
        const std::size_t y = c.find("</TEXT>", x + 6);
        if (y == c.npos)
            return;

        counter_.count(c.substr(t + 7, u - t - 7));
        const std::size_t categoryCount = counter_.words().size();
        if (categoryCount == 0 || (categoryCount != 1 && !engine_.multiCategory))
            return;
        TextProcessor::TopicSet topics;
        for (const auto &word : counter_.words())
            topics.emplace(word.text);
        if (isTrain) {
            for (const std::string &category : topics)
                ++engine_.categories[category];
            if (categoryCount > 1)
                ++counts_.severalCategories;
        }
        (isTrain ? engine_.trainTopics : engine_.testTopics).push_back(std::move(topics));

        counter_.count(c.substr(x + 6, y - x - 6));
        DocumentTable &documents = isTrain ? engine_.trainDocuments : engine_.testDocuments;
        for (const auto &word : counter_.words())
            documents.addEntry(static_cast<std::uint32_t>(word.id), word.count);
        documents.closeDocument();
        if (isTrain)
            countDocumentFrequencies();
    }

    void countDocumentFrequencies() {
        if (frequencies_.size() < counter_.idCount())
            frequencies_.resize(counter_.idCount(), 0);
        for (const auto &word : counter_.words())
            ++frequencies_[word.id];
    }

    void addDocumentFrequencies() {
        std::vector<int> ids;
        for (std::size_t id = 0; id < frequencies_.size(); ++id)
            if (frequencies_[id] > 0)
                ids.push_back(static_cast<int>(id));
        counter_.sortByWord(ids);
        auto &table = engine_.documentFrequency;
        auto hint = table.begin();
        for (const int id : ids) {
            hint = table.try_emplace(hint, std::string(counter_.text(id)));
            hint->second += frequencies_[id];
            ++hint;
        }
        frequencies_.assign(frequencies_.size(), 0);
    }

    // Whether a category is known must not depend on where its training
    // documents stand in the folder listing, so the test documents of this
    // parse are only judged now: each loses its categories that no training
    // document has, and goes when none is left. The kept ones keep their
    // order.
    void dropTestDocumentsOfUnknownCategories() {
        auto &topics = engine_.testTopics;
        std::vector<bool> keep(topics.size() - firstTest_);
        std::size_t kept = firstTest_;
        for (std::size_t i = firstTest_; i < topics.size(); ++i) {
            std::size_t unknown = 0;
            for (auto category = topics[i].begin(); category != topics[i].end();) {
                if (engine_.categories.count(*category) != 0) {
                    ++category;
                    continue;
                }
                category = topics[i].erase(category);
                ++unknown;
            }
            keep[i - firstTest_] = !topics[i].empty();
            if (!keep[i - firstTest_]) {
                ++counts_.droppedTestDocuments;
                continue;
            }
            counts_.droppedTestCategories += unknown;
            if (topics[i].size() > 1)
                ++counts_.severalCategories;
            if (kept != i)
                topics[kept] = std::move(topics[i]);
            ++kept;
        }
        topics.resize(kept);
        engine_.testDocuments.keepFrom(firstTest_, keep);
    }

    // The vocabulary is the words the documents hold, in word order; the
    // parse's ids (which also count category words and the words of dropped
    // documents) become places in it.
    void buildVocabulary() {
        std::vector<bool> used(counter_.idCount(), false);
        for (const DocumentTable *documents : {&engine_.trainDocuments, &engine_.testDocuments})
            for (std::size_t i = 0; i < documents->size(); ++i)
                for (auto entry = documents->begin(i); entry != documents->end(i); ++entry)
                    used[entry->word] = true;
        std::vector<int> ids;
        for (std::size_t id = 0; id < used.size(); ++id)
            if (used[id])
                ids.push_back(static_cast<int>(id));
        counter_.sortByWord(ids);
        std::vector<std::uint32_t> renumbering(used.size(), 0);
        std::vector<std::string> vocabulary;
        vocabulary.reserve(ids.size());
        for (const int id : ids) {
            renumbering[static_cast<std::size_t>(id)] =
                static_cast<std::uint32_t>(vocabulary.size());
            vocabulary.emplace_back(counter_.text(id));
        }
        engine_.trainDocuments.renumber(renumbering);
        engine_.testDocuments.renumber(renumbering);
        engine_.vocabulary.swap(vocabulary);
    }

    TextProcessor &engine_;
    const std::atomic<bool> *cancel_;
    WordCounter counter_;
    std::vector<int> frequencies_;
    std::size_t firstTest_;
    CategoryCounts counts_;
};

void traceCategoryCounts(std::ostream &trace, const DocumentParser::CategoryCounts &counts) {
    trace << "Dokumenata sa vise kategorija: " << counts.severalCategories
          << ", odbacenih test dokumenata: " << counts.droppedTestDocuments
          << ", odbacenih test kategorija: " << counts.droppedTestCategories << std::endl;
}

// Named pipes, devices and folders that carry the ".xml" ending are left out:
// reading them hangs, never ends or means nothing.
void traceSkipped(std::ostream &trace, const std::string &name) {
    trace << "Nije obican fajl, preskacem: " << name << std::endl;
}

bool isNonRegular(const std::string &path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

} // namespace

bool TextProcessor::listInto(std::vector<std::string> &names) const {
    DIR *folder = ::opendir(directory.c_str());
    if (!folder) {
        *trace_ << "Ne mogu otvoriti dir ." << std::endl;
        return false;
    }
    *trace_ << "sadrzaj direktorija je:" << std::endl;
    while (const dirent *entry = ::readdir(folder)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::size_t dot = name.rfind('.');
        if (dot == std::string::npos || name.compare(dot, std::string::npos, ".xml") != 0)
            continue;
        if (isNonRegular(directory + "/" + name)) {
            traceSkipped(*trace_, name);
            continue;
        }
        names.push_back(name);
        *trace_ << name << std::endl;
    }
    if (::closedir(folder) != 0)
        *trace_ << "Ne mogu zatvoriti dir ." << std::endl;
    return true;
}

std::vector<std::string> TextProcessor::listDocumentFiles() const {
    std::vector<std::string> names;
    listInto(names);
    return names;
}

bool TextProcessor::parseDocuments(const std::atomic<bool> *cancel) {
    TextProcessor staged(directory, fileStem, *trace_);
    staged.useStemming = useStemming;
    staged.multiCategory = multiCategory;
    const bool listed = listInto(staged.fileNames);
    *trace_ << "---------------------------------------------------------+" << std::endl;
    staged.fileCount = static_cast<int>(staged.fileNames.size());
    DocumentParser parser(staged, cancel);
    DocumentParser::CategoryCounts counts;
    std::string content;
    std::string path = directory;
    try {
        for (std::size_t i = 0; i < staged.fileNames.size(); ++i) {
            const std::string &name = staged.fileNames[i];
            *trace_ << "Parsiram fajl: " << name << '\r' << std::flush;
            staged.currentFileIndex = static_cast<int>(i);
            path = directory + "/" + name;
            // The listing looked at the entry already; it may have been
            // replaced since.
            if (readRegularFile(path, content))
                parser.parse(content);
            else
                traceSkipped(*trace_, name);
        }
        path = directory;
        counts = parser.finish();
    } catch (const std::bad_alloc &) {
        throw FileError::outOfMemory(path);
    }
    *trace_ << '\n' << "----------------------------------------------------------" << std::endl;
    if (multiCategory)
        traceCategoryCounts(*trace_, counts);
    adoptCorpus(staged);
    categoryCounts = counts;
    currentFileIndex = staged.currentFileIndex;
    fileCount = staged.fileCount;
    return listed;
}

void TextProcessor::parseFileText(const std::string &content) {
    DocumentParser parser(*this);
    parser.parse(content);
    categoryCounts = parser.finish();
    if (multiCategory)
        traceCategoryCounts(*trace_, categoryCounts);
}

TextProcessor::WordCounts TextProcessor::tokenize(const std::string &text, WordCounts &counts,
                                                  bool isTrain, bool isTopic) {
    WordCounter counter(useStemming);
    counter.count(text);
    WordCounts result = counter.toMap();
    if (isTrain && (!isTopic || result.size() == 1))
        for (const auto &entry : result)
            ++counts[entry.first];
    return result;
}
