// The text-processing engine: reads a folder of marked-up documents into
// per-document word counts, selects the attribute words, weighs words by
// information gain and writes the C4.5 file set and the ".tpp" state file.
//
// The documents' counts are kept compact: one vocabulary of the words they
// hold, and per document the (word id, count) pairs in a DocumentTable.
//
// Word and category tables are ordered by unsigned byte value (a proper prefix
// first); every listing and file walks them in that order. Letters and lower
// case are those of the C locale whatever the process locale; other bytes,
// including every byte outside ASCII, separate words.
//
// Trace lines go to the stream given at construction (std::cout by default),
// each flushed. Failures to open, read or write a file throw FileError and
// leave the engine exactly as it was before the call.
#pragma once

#include "corpus/Cancellation.h"
#include "corpus/DocumentTable.h"

#include <deque>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

class TextProcessor {
public:
    using WordCounts = std::map<std::string, int>;
    using TopicSet = std::set<std::string>;

    explicit TextProcessor(std::ostream &trace = std::cout);
    TextProcessor(const std::string &directory, const std::string &fileStem,
                  std::ostream &trace = std::cout);

    void setDirectory(const std::string &directory);
    void setFileStem(const std::string &fileStem);
    void setTrace(std::ostream &trace);

    // Rebuilds the corpus from every ".xml" file of directory, in listing
    // order. Prints the listing, "---...+" (57 hyphens and a plus), one
    // "Parsiram fajl: NAME\r" per file, then "\n" and 58 hyphens. Empties the
    // selection and the information-gain tables. Returns false (after
    // "Ne mogu otvoriti dir .", with an empty corpus) when the folder cannot
    // be opened. Throws FileError::cannotOpen, cannotRead or outOfMemory
    // (directory/NAME) for a file that cannot be read, keeping the previous
    // corpus, selection and gains; WorkCancelled, keeping them too, once
    // cancel is true (looked at between documents). With multiCategory the
    // rule is followed by the line "Dokumenata sa vise kategorija: N,
    // odbacenih test dokumenata: D, odbacenih test kategorija: C" (see
    // parseFileText).
    bool parseDocuments(const std::atomic<bool> *cancel = nullptr);

    // The names in directory whose part from the last "." is exactly ".xml",
    // in the system's listing order; prints "sadrzaj direktorija je:" and the
    // names, or "Ne mogu otvoriti dir ." and returns nothing. An entry that
    // is not a regular file once links are followed (a named pipe, a device,
    // a folder) is left out with the line "Nije obican fajl, preskacem: NAME".
    std::vector<std::string> listDocumentFiles() const;

    // Appends the documents of one file's content to the corpus. Documents
    // start at "<DATA>"; the set ("TRAIN"/"TEST", otherwise that of the
    // previous document of the file, test at the start) carries over. A
    // document needs exactly one category word, or with multiCategory at
    // least one: it keeps every distinct word of its TOPIC element. A test
    // document keeps those of its categories that the corpus, once this
    // content is read, has a training document of, wherever that document
    // stands, and is dropped when none is left; parseDocuments decides this
    // once, after every file. A document runs from its "<DATA>" to the next;
    // one whose elements cannot all be found there is skipped, and the next
    // document is read as usual. Prints nothing, but with multiCategory the
    // line "Dokumenata sa vise kategorija: N, odbacenih test dokumenata: D,
    // odbacenih test kategorija: C" about the documents of this content: N
    // kept with more than one category, D test documents dropped, C
    // categories taken from the test documents kept.
    void parseFileText(const std::string &content);

    // Counts the normalised words of text (lower-cased, hyphens trimmed,
    // stemmed when useStemming; a word stemmed to nothing is dropped). For a
    // training text it adds 1 to counts for every distinct word, or in topic
    // mode for the single word when there is exactly one.
    WordCounts tokenize(const std::string &text, WordCounts &counts, bool isTrain, bool isTopic);

    // Keeps the words of documentFrequency with a document frequency of at
    // least minDf and, with useStopWords, not listed in stopWordFile; pairs
    // each kept word with its information gain when gains exist. Throws
    // FileError::cannotOpen(stopWordFile), keeping the previous selection.
    // The list is compared with the keys as written, or, with useStemming and
    // stemStopWords, as stemmedStopWords gives it. With useStopWords and
    // useStemming but not stemStopWords it writes how many distinct listed
    // words are no key: "Stop rijeci koje nisu kljuc:   58".
    void selectWords(int minDf, bool useStopWords, const std::string &stopWordFile);
    void selectWordsDefault(int minDf, bool useStopWords); // stop words from "ceste_rijeci"

    // Narrows the selection (selectedWords and selectedInformationGain) to
    // its k words of highest information gain, equal gains kept in word
    // order; k at least the selection's size keeps all. Needs a gain for
    // every selected word, i.e. computeInformationGain before selectWords:
    // otherwise it throws std::logic_error and keeps the selection.
    void keepTopInformationGain(std::size_t k);

    // Each prints its 31-character label and the count, then returns the count.
    int printWordCount() const;                    // documentFrequency
    int printTrainDocumentCount() const;           // trainDocuments
    int printTestDocumentCount() const;            // testDocuments
    int printSelectedWordCount() const;            // selectedWords
    int printSelectedInformationGainCount() const; // selectedInformationGain
    int printCategoryCount() const;                // categories

    // Fills categoryPriors (P(c)), wordProbabilities (P(w)),
    // categoryGivenWord (P(c | w)), categoryGivenNoWord (P(c | not w)) and
    // informationGain afresh from the training documents (all empty when
    // there is none), with base-10 logarithms:
    //
    //   G(w) = -sum_c P(c) log P(c)
    //          + P(w) sum_c P(c | w) log P(c | w)
    //          + P(not w) sum_c P(c | not w) log P(c | not w)
    //
    // With multiCategory a document may be in several categories, so each
    // category c splits the documents into two classes, c and not c, and the
    // gain is the sum of these binary gains:
    //
    //   G(w) = sum_c [ -P(c) log P(c) - P(not c) log P(not c)
    //                  + P(w) (P(c | w) log P(c | w)
    //                          + P(not c | w) log P(not c | w))
    //                  + P(not w) (P(c | not w) log P(c | not w)
    //                              + P(not c | not w) log P(not c | not w)) ]
    //
    // P(c) is the share of training documents that carry c (categories),
    // P(w) that of those that hold w; 0 log 0 is 0. Prints nothing; never
    // stores a NaN: a word in every training document has P(c | not w) = 0.
    // The logarithms it memoises are dropped when it returns. Throws
    // WorkCancelled once cancel is true, leaving the tables incomplete.
    void computeInformationGain(const std::atomic<bool> *cancel = nullptr);

    // The C4.5 file set fileStem + ".info", ".names", ".data", ".test". The
    // case writers print "Procesiram train|test dokument broj: I od N\r" per
    // document and a final "\n". The documents' counts are left intact, so a
    // second export writes the same files. Each file is replaced atomically;
    // writeC45Files replaces the four together, with the ".tokens" file of
    // TokenizerFile.h beside them, only once all of them are
    // written, and removes its temporary files when SIGINT or SIGTERM ends
    // (or SIGHUP) ends the process meanwhile (see TemporaryFileGuard). Throws FileError when a
    // file cannot be written, and WorkCancelled once cancel is true (looked
    // at between documents), leaving every old file as it was. The dense
    // case writers throw std::logic_error with multiCategory, writing
    // nothing: a dense case has one class.
    void writeInfoFile() const;
    void writeNamesFile() const;
    void writeDataFile(const std::atomic<bool> *cancel = nullptr) const;
    void writeTestFile(const std::atomic<bool> *cancel = nullptr) const;
    void writeC45Files(const std::atomic<bool> *cancel = nullptr) const; // the four, in order
    // The sparse file set: ".info" and ".names" as above, ".data.svm" and
    // ".test.svm" in place of ".data" and ".test", one LIBSVM line per
    // document in the same order ("LABEL IDX:COUNT ...": the category's
    // zero-based position in ".names", with multiCategory the positions of
    // the document's categories, ascending and comma-separated ("0,3"),
    // then the one-based positions of the document's attribute words,
    // ascending, with their non-zero counts).
    // Traced and replaced together as writeC45Files does. Each of the two
    // removes the other layout's case files of the stem once its own set is
    // in place, so that a stem never pairs ".names" with stale cases.
    void writeSparseFiles(const std::atomic<bool> *cancel = nullptr) const;
    // writeSparseFiles or writeC45Files, as sparse says, under stem in place
    // of fileStem: a job writes a set of a shared engine without changing it.
    // A caller that stops on SIGINT itself and removes the folder it writes
    // in (a series, which keeps its finished rows) passes Unguarded, so that
    // no TemporaryFileGuard ends the process.
    enum class SignalGuard { Guarded, Unguarded };
    void writeFileSetAs(const std::string &stem, bool sparse,
                        const std::atomic<bool> *cancel = nullptr,
                        SignalGuard signalGuard = SignalGuard::Guarded) const;

    // Copies of selectedWords, categories and selectedInformationGain, each
    // printed first between two lines of 59 hyphens under its heading.
    std::map<std::string, int> selectedWordsTable() const;
    std::map<std::string, int> categoryTable() const;
    std::map<std::string, float> selectedGainTable() const;

    // The ".tpp" state file: the documents' counts, categories and document
    // frequencies (with gains when computed). A file saved in the
    // multi-category mode starts with the line "vise kategorija po
    // dokumentu"; loading takes the file's mode into multiCategory. Loading
    // prints its "broj je" / "linija je" lines, replaces the corpus and
    // empties the selection and the gains. Saving replaces the file atomically. Both throw
    // FileError and keep the engine: cannotOpen (also for a folder), cannotRead, outOfMemory, or
    // malformed with the line number for a malformed or truncated file, a word or category that the
    // tokenizer cannot produce (anything but lower-case letters and inner hyphens), a document
    // category missing from the category section and a document frequency
    // above the number of training documents.
    void saveTextProcessingState(const std::string &fileName) const;
    void loadTextProcessingState(const std::string &fileName);

    // The words and counts of document i of documents (trainDocuments or
    // testDocuments), for listings and checks.
    WordCounts documentWords(const DocumentTable &documents, std::size_t i) const;

    // Every word of the documents once, in word order; the word ids of
    // trainDocuments and testDocuments index it. Two engines holding the same
    // documents hold the same vocabulary and tables.
    std::vector<std::string> vocabulary;
    DocumentTable trainDocuments;
    DocumentTable testDocuments;
    std::map<std::string, int> documentFrequency;
    std::map<std::string, int> selectedWords;
    std::deque<TopicSet> trainTopics;
    std::deque<TopicSet> testTopics;
    std::map<std::string, int> categories;
    std::vector<std::string> fileNames;
    std::string directory;
    std::string fileStem;
    std::vector<float> categoryPriors;
    std::vector<float> wordProbabilities;
    std::vector<std::vector<float>> categoryGivenWord;
    std::vector<std::vector<float>> categoryGivenNoWord;
    std::map<std::string, float> informationGain;
    std::map<std::string, float> selectedInformationGain;
    int currentFileIndex = 0;
    int fileCount = 0;
    bool useStemming = false;
    bool stemStopWords = false; // with useStemming: stem the stop list too
    // The multi-category mode: a document carries a set of categories (the
    // sets of trainTopics and testTopics hold one each otherwise), and
    // categories counts the training documents that carry each. Parsing,
    // information gain, the sparse file set and the state file follow it;
    // the dense file set cannot carry it.
    bool multiCategory = false;
    // What the last parse in the multi-category mode kept and dropped, as
    // its console line says; zeros after any other parse.
    struct CategoryCounts {
        std::size_t severalCategories = 0; // kept documents with more than one
        std::size_t droppedTestDocuments = 0;
        std::size_t droppedTestCategories = 0; // of the test documents kept
    };
    CategoryCounts categoryCounts;

private:
    bool listInto(std::vector<std::string> &names) const;
    int printCount(const char *label, std::size_t count) const;
    void writeCases(std::ostream &out, const char *setName, const DocumentTable &documents,
                    const std::deque<TopicSet> &topics, bool sparse,
                    const std::atomic<bool> *cancel) const;
    // Takes over the corpus tables of staged (vocabulary, documents, topics,
    // categories, document frequencies, file names). The selection and every
    // table derived from the old corpus (the gains) are emptied.
    void adoptCorpus(TextProcessor &staged);

    std::ostream *trace_;
};

// The base-10 logarithm of x in single precision, memoised in cache; 0 for
// x = 0 and for values that have no real logarithm (never caches a NaN).
float cachedLog10(float x, std::map<float, float> &cache);
