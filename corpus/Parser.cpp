// Folder listing, the markup parser and the tokenizer of TextProcessor.
//
// Parsing is the hot path: words are scanned with byte tables, lower-cased in
// a reused buffer and interned once per parse, so the stemmer runs once per
// distinct surface form and each training document's words reach their
// documentFrequency entries through cached pointers.
#include "corpus/TextProcessor.h"

#include "corpus/FileError.h"
#include "corpus/Stemmer.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

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

// Open-addressing hash table from strings to dense ids 0, 1, ...; the strings
// live in chunks that never move, so the views it hands out stay valid.
class Interner {
public:
    Interner() : slots_(1024, -1) {}

    // The id of text, adding it if new; inserted tells which.
    int intern(std::string_view text, bool &inserted) {
        const std::size_t hash = std::hash<std::string_view>()(text);
        std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const int id = slots_[i];
            if (id < 0)
                break;
            if (hashes_[id] == hash && texts_[id] == text) {
                inserted = false;
                return id;
            }
        }
        inserted = true;
        const int id = static_cast<int>(texts_.size());
        texts_.push_back(store(text));
        hashes_.push_back(hash);
        if (texts_.size() * 2 > slots_.size())
            rehash();
        mask = slots_.size() - 1;
        std::size_t i = hash & mask;
        while (slots_[i] >= 0)
            i = (i + 1) & mask;
        slots_[i] = id;
        return id;
    }

    std::string_view text(int id) const { return texts_[id]; }
    std::size_t size() const { return texts_.size(); }

private:
    static constexpr std::size_t chunkSize = 1 << 16;

    std::string_view store(std::string_view text) {
        if (text.size() > chunkSize - used_ || chunks_.empty()) {
            chunks_.emplace_back(new char[std::max(chunkSize, text.size())]);
            used_ = 0;
        }
        char *copy = chunks_.back().get() + used_;
        std::copy(text.begin(), text.end(), copy);
        used_ += text.size();
        return {copy, text.size()};
    }

    void rehash() {
        std::vector<int> slots(slots_.size() * 2, -1);
        const std::size_t mask = slots.size() - 1;
        for (std::size_t id = 0; id < hashes_.size(); ++id) {
            std::size_t i = hashes_[id] & mask;
            while (slots[i] >= 0)
                i = (i + 1) & mask;
            slots[i] = static_cast<int>(id);
        }
        slots_.swap(slots);
    }

    std::vector<int> slots_;
    std::vector<std::string_view> texts_;
    std::vector<std::size_t> hashes_;
    std::vector<std::unique_ptr<char[]>> chunks_;
    std::size_t used_ = 0;
};

// Turns the text of an element into counted normalised words. Ids are those
// of the normalised words; with stemming, each lower-cased surface form is
// stemmed once and remembered.
class WordCounter {
public:
    explicit WordCounter(bool stemming) : stemming_(stemming) {}

    // Counts the words of text; afterwards words() lists each distinct id once,
    // ordered by its word, and count(id) gives its occurrences.
    void count(std::string_view text) {
        ++stamp_;
        distinct_.clear();
        const auto *p = reinterpret_cast<const unsigned char *>(text.data());
        const auto *end = p + text.size();
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
            lowered_.clear();
            for (const unsigned char *q = first; q < last; ++q)
                lowered_.push_back(bytes.lower[*q]);
            const int id = normalise(lowered_);
            if (id < 0)
                continue;
            if (stamps_[id] != stamp_) {
                stamps_[id] = stamp_;
                counts_[id] = 0;
                distinct_.push_back(id);
            }
            ++counts_[id];
        }
        std::sort(distinct_.begin(), distinct_.end(),
                  [this](int a, int b) { return words_.text(a) < words_.text(b); });
    }

    const std::vector<int> &words() const { return distinct_; }
    int count(int id) const { return counts_[id]; }
    std::string_view text(int id) const { return words_.text(id); }
    std::size_t idCount() const { return words_.size(); }

    TextProcessor::WordCounts toMap() const {
        TextProcessor::WordCounts map;
        for (const int id : distinct_)
            map.emplace_hint(map.end(), std::string(words_.text(id)), counts_[id]);
        return map;
    }

private:
    // The id of the normalised form of a lower-cased, trimmed word, or -1
    // when the stemmer leaves nothing of it.
    int normalise(const std::string &lowered) {
        bool inserted;
        if (!stemming_)
            return internWord(lowered, inserted);
        const int surface = surfaces_.intern(lowered, inserted);
        if (!inserted)
            return surfaceToWord_[surface];
        int id = -1;
        if (lowered.find('-') != std::string::npos) {
            id = internWord(lowered, inserted);
        } else {
            stemBuffer_.assign(lowered.c_str(), lowered.c_str() + lowered.size() + 1);
            stem(stemBuffer_.data());
            const std::string_view stemmed(stemBuffer_.data());
            if (!stemmed.empty())
                id = internWord(stemmed, inserted);
        }
        surfaceToWord_.push_back(id);
        return id;
    }

    int internWord(std::string_view word, bool &inserted) {
        const int id = words_.intern(word, inserted);
        if (inserted) {
            stamps_.push_back(0);
            counts_.push_back(0);
        }
        return id;
    }

    bool stemming_;
    Interner words_;
    Interner surfaces_;
    std::vector<int> surfaceToWord_;
    std::vector<unsigned> stamps_;
    std::vector<int> counts_;
    std::vector<int> distinct_;
    unsigned stamp_ = 0;
    std::string lowered_;
    std::vector<char> stemBuffer_;
};

// Parses file contents into one engine, keeping a word counter and pointers to
// the engine's documentFrequency entries across all files of a parse.
class DocumentParser {
public:
    explicit DocumentParser(TextProcessor &engine)
        : engine_(engine), counter_(engine.useStemming) {}

    void parse(std::string_view c) {
        bool isTrain = false;
        std::size_t p = 0;
        for (;;) {
            // A missing tag means no later document is whole either.
            const std::size_t d = c.find("<DATA>", p);
            if (d == c.npos)
                return;
            const std::size_t s = c.find("<SET>", d + 6);
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
            p = e + 6;
            const std::size_t t = c.find("<TOPIC>", p);
            if (t == c.npos)
                return;
            const std::size_t u = c.find("</TOPIC>", t + 7);
            if (u == c.npos)
                return;
            if (u - t == 7)
                continue;
            const std::size_t x = c.find("<TEXT>", u + 8);
            if (x == c.npos)
                return;
            const std::size_t y = c.find("</TEXT>", x + 6);
            if (y == c.npos)
                return;

            counter_.count(c.substr(t + 7, u - t - 7));
            if (counter_.words().size() != 1)
                continue;
            const std::string category(counter_.text(counter_.words().front()));
            p = u + 8;
            if (isTrain) {
                ++engine_.categories[category];
            } else if (engine_.categories.find(category) == engine_.categories.end()) {
                continue;
            }
            (isTrain ? engine_.trainTopics : engine_.testTopics).push_back({category});

            counter_.count(c.substr(x + 6, y - x - 6));
            (isTrain ? engine_.trainDocuments : engine_.testDocuments).push_back(counter_.toMap());
            if (isTrain)
                countDocumentFrequencies();
        }
    }

private:
    void countDocumentFrequencies() {
        if (frequencySlots_.size() < counter_.idCount())
            frequencySlots_.resize(counter_.idCount(), nullptr);
        for (const int id : counter_.words()) {
            int *&slot = frequencySlots_[id];
            if (!slot)
                slot = &engine_.documentFrequency.try_emplace(std::string(counter_.text(id)))
                            .first->second;
            ++*slot;
        }
    }

    TextProcessor &engine_;
    WordCounter counter_;
    std::vector<int *> frequencySlots_;
};

// Reads the whole file into content (reusing its storage). A folder that the
// listing accepted reads as empty.
void readWholeFile(const std::string &path, std::string &content) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw FileError::cannotOpen(path);
    struct stat info;
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        content.clear();
        return;
    }
    content.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t size = 0;
    for (;;) {
        if (size == content.size())
            content.resize(content.size() * 2);
        const ssize_t n = ::read(fd, &content[size], content.size() - size);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            throw FileError::cannotRead(path);
        }
        size += static_cast<std::size_t>(n);
    }
    ::close(fd);
    content.resize(size);
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

bool TextProcessor::parseDocuments() {
    TextProcessor staged(directory, fileStem, *trace_);
    staged.useStemming = useStemming;
    const bool listed = listInto(staged.fileNames);
    *trace_ << "---------------------------------------------------------+" << std::endl;
    staged.fileCount = static_cast<int>(staged.fileNames.size());
    DocumentParser parser(staged);
    std::string content;
    for (std::size_t i = 0; i < staged.fileNames.size(); ++i) {
        *trace_ << "Parsiram fajl: " << staged.fileNames[i] << '\r' << std::flush;
        staged.currentFileIndex = static_cast<int>(i);
        readWholeFile(directory + "/" + staged.fileNames[i], content);
        parser.parse(content);
    }
    *trace_ << '\n' << "----------------------------------------------------------" << std::endl;
    adoptCorpus(staged);
    currentFileIndex = staged.currentFileIndex;
    fileCount = staged.fileCount;
    return listed;
}

void TextProcessor::parseFileText(const std::string &content) {
    DocumentParser(*this).parse(content);
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
