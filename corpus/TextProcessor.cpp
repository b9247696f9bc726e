// Construction, word selection, count queries and table listings of
// TextProcessor.
#include "corpus/TextProcessor.h"

#include "corpus/StopWords.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <unordered_set>
#include <utility>

namespace {

const char *const tableRule = "-----------------------------------------------------------";

template <typename Table>
Table printTable(std::ostream &out, const char *heading, const Table &table) {
    out << tableRule << std::endl << heading << std::endl;
    for (const auto &entry : table)
        out << entry.first << ": " << entry.second << std::endl;
    out << tableRule << std::endl;
    return table;
}

} // namespace

TextProcessor::TextProcessor(std::ostream &trace) : trace_(&trace) {}

TextProcessor::TextProcessor(const std::string &directory, const std::string &fileStem,
                             std::ostream &trace)
    : directory(directory), fileStem(fileStem), trace_(&trace) {}

void TextProcessor::setDirectory(const std::string &directory) {
    this->directory = directory;
}

void TextProcessor::setFileStem(const std::string &fileStem) {
    this->fileStem = fileStem;
}

void TextProcessor::setTrace(std::ostream &trace) {
    trace_ = &trace;
}

void TextProcessor::adoptCorpus(TextProcessor &staged) {
    vocabulary.swap(staged.vocabulary);
    trainDocuments.swap(staged.trainDocuments);
    testDocuments.swap(staged.testDocuments);
    documentFrequency.swap(staged.documentFrequency);
    trainTopics.swap(staged.trainTopics);
    testTopics.swap(staged.testTopics);
    categories.swap(staged.categories);
    fileNames.swap(staged.fileNames);
    selectedWords.clear();
    // Gains of the old corpus would be paired with the new words.
    categoryPriors.clear();
    wordProbabilities.clear();
    categoryGivenWord.clear();
    categoryGivenNoWord.clear();
    informationGain.clear();
    selectedInformationGain.clear();
}

TextProcessor::WordCounts TextProcessor::documentWords(const DocumentTable &documents,
                                                       std::size_t i) const {
    WordCounts words;
    for (const DocumentTable::Entry *entry = documents.begin(i); entry != documents.end(i); ++entry)
        words.emplace_hint(words.end(), vocabulary[entry->word], entry->count);
    return words;
}

void TextProcessor::selectWords(int minDf, bool useStopWords, const std::string &stopWordFile) {
    std::vector<std::string> stopList;
    if (useStopWords)
        stopList = readStopWordFile(stopWordFile);
    if (useStemming && stemStopWords)
        stopList = stemmedStopWords(stopList);
    const std::unordered_set<std::string_view> stops(stopList.begin(), stopList.end());
    // The keys are stems: a listed word that is no stem removes nothing.
    if (useStopWords && useStemming && !stemStopWords)
        printCount("Stop rijeci koje nisu kljuc:   ",
                   std::count_if(stops.begin(), stops.end(), [this](std::string_view word) {
                       return documentFrequency.count(std::string(word)) == 0;
                   }));

    // Gains are paired by word, so a table left from an earlier corpus can
    // never be walked out of step or past its end.
    std::map<std::string, int> selected;
    std::map<std::string, float> gains;
    auto gain = informationGain.begin();
    for (const auto &[word, df] : documentFrequency) {
        if (df < minDf || stops.count(word))
            continue;
        selected.emplace_hint(selected.end(), word, df);
        while (gain != informationGain.end() && gain->first < word)
            ++gain;
        if (gain != informationGain.end() && gain->first == word)
            gains.emplace_hint(gains.end(), word, gain->second);
    }
    selectedWords.swap(selected);
    selectedInformationGain.swap(gains);
}

void TextProcessor::keepTopInformationGain(std::size_t k) {
    if (selectedInformationGain.size() != selectedWords.size())
        throw std::logic_error("keepTopInformationGain: the selected words have no gains");
    if (k >= selectedWords.size())
        return;
    // The gain table walks in word order, so a stable sort keeps equal gains
    // in word order.
    std::vector<std::pair<std::string, float>> ranked(selectedInformationGain.begin(),
                                                      selectedInformationGain.end());
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto &a, const auto &b) { return a.second > b.second; });
    std::map<std::string, int> selected;
    std::map<std::string, float> gains;
    for (std::size_t i = 0; i < k; ++i) {
        selected.emplace(ranked[i].first, selectedWords.at(ranked[i].first));
        gains.emplace(ranked[i].first, ranked[i].second);
    }
    selectedWords.swap(selected);
    selectedInformationGain.swap(gains);
}

void TextProcessor::selectWordsDefault(int minDf, bool useStopWords) {
    selectWords(minDf, useStopWords, "ceste_rijeci");
}

int TextProcessor::printCount(const char *label, std::size_t count) const {
    *trace_ << label << count << std::endl;
    return static_cast<int>(count);
}

int TextProcessor::printWordCount() const {
    return printCount("Ukupan broj razlicitih rijeci: ", documentFrequency.size());
}

int TextProcessor::printTrainDocumentCount() const {
    return printCount("Ukupan broj train dokumenata:  ", trainDocuments.size());
}

int TextProcessor::printTestDocumentCount() const {
    return printCount("Ukupan broj test dokumenata:   ", testDocuments.size());
}

int TextProcessor::printSelectedWordCount() const {
    return printCount("Ukupan broj razlicitih rijeci: ", selectedWords.size());
}

int TextProcessor::printSelectedInformationGainCount() const {
    return printCount("Ukupan broj razlicitih rijeci: ", selectedInformationGain.size());
}

int TextProcessor::printCategoryCount() const {
    return printCount("Ukupan broj razlicitih topica: ", categories.size());
}

std::map<std::string, int> TextProcessor::selectedWordsTable() const {
    return printTable(*trace_, "Sve bitne rijeci u svim dokumentima:", selectedWords);
}

std::map<std::string, int> TextProcessor::categoryTable() const {
    return printTable(*trace_, "Sve kategorije u svim dokumentima:", categories);
}

std::map<std::string, float> TextProcessor::selectedGainTable() const {
    return printTable(*trace_, "Sve rijeci u svim dokumentima sa IG:", selectedInformationGain);
}
