// Information gain of every word with respect to the training documents'
// categories, in single precision with a memoised logarithm.
#include "corpus/TextProcessor.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

// The gain of a word of probability p for one partition of the documents
// into classes: sw and snw are sum P log P over the classes among the
// documents with and without the word, s0 over all documents.
float partitionGain(float p, float sw, float snw, float s0) {
    const float gain = sw * p - s0;
    return (1 - p) * snw + gain;
}

} // namespace

float cachedLog10(float x, std::map<float, float> &cache) {
    if (!(x > 0))
        return 0;
    const auto found = cache.find(x);
    if (found != cache.end())
        return found->second;
    const float value = std::log10(x);
    cache.emplace(x, value);
    return value;
}

void TextProcessor::computeInformationGain(const std::atomic<bool> *cancel) {
    categoryPriors.clear();
    wordProbabilities.clear();
    categoryGivenWord.clear();
    categoryGivenNoWord.clear();
    informationGain.clear();
    const int n = static_cast<int>(trainDocuments.size());
    if (n == 0)
        return;
    // The probabilities repeat, but the distinct ones grow with the corpus:
    // the cache lives as long as one computation.
    std::map<float, float> log10Cache;

    // s0 is sum P log P over the classes: the categories, or per category
    // (in s0Of) "in" and "not in" it.
    float s0 = 0;
    std::vector<float> s0Of;
    for (const auto &category : categories)
        categoryPriors.push_back(static_cast<float>(category.second) / static_cast<float>(n));
    for (const float p : categoryPriors)
        s0 = s0 + cachedLog10(p, log10Cache) * p;
    if (multiCategory) {
        for (const auto &category : categories) {
            const float in = static_cast<float>(category.second) / static_cast<float>(n);
            const float out = static_cast<float>(n - category.second) / static_cast<float>(n);
            s0Of.push_back(cachedLog10(in, log10Cache) * in + cachedLog10(out, log10Cache) * out);
        }
    }

    // inBoth[w * K + c]: training documents of category c containing word w
    // (the w-th of documentFrequency), gathered in one pass over the
    // documents. Both tables are in word order, so one walk pairs them.
    constexpr std::size_t none = static_cast<std::size_t>(-1);
    std::vector<std::size_t> wordIndex(vocabulary.size(), none);
    {
        std::size_t w = 0;
        auto word = vocabulary.begin();
        for (const auto &entry : documentFrequency) {
            word = std::lower_bound(word, vocabulary.end(), entry.first);
            if (word != vocabulary.end() && *word == entry.first)
                wordIndex[static_cast<std::size_t>(word - vocabulary.begin())] = w;
            ++w;
        }
    }
    std::map<std::string_view, std::size_t> categoryIndex;
    for (const auto &entry : categories)
        categoryIndex.emplace(entry.first, categoryIndex.size());
    const std::size_t k = categories.size();
    std::vector<int> inBoth(documentFrequency.size() * k, 0);
    for (int i = 0; i < n; ++i) {
        if (i % 4096 == 0)
            stopIfCancelled(cancel);
        // The single-category mode reads a document's first category only,
        // whatever a state file lists.
        for (const std::string &topic : trainTopics[i]) {
            const auto category = categoryIndex.find(topic);
            if (category != categoryIndex.end()) {
                for (const DocumentTable::Entry *entry = trainDocuments.begin(i);
                     entry != trainDocuments.end(i); ++entry) {
                    const std::size_t word = wordIndex[entry->word];
                    if (word != none)
                        ++inBoth[word * k + category->second];
                }
            }
            if (!multiCategory)
                break;
        }
    }

    std::size_t w = 0;
    for (const auto &[word, df] : documentFrequency) {
        if (w % 1024 == 0)
            stopIfCancelled(cancel);
        const float p = static_cast<float>(df) / static_cast<float>(n);
        wordProbabilities.push_back(p);
        std::vector<float> given;
        std::vector<float> givenNot;
        given.reserve(k);
        givenNot.reserve(k);
        float sw = 0;
        float snw = 0;
        float sum = 0;
        std::size_t c = 0;
        for (const auto &category : categories) {
            const int a = inBoth[w * k + c];
            const float q = df > 0 ? static_cast<float>(a) / static_cast<float>(df) : 0;
            const float r =
                n > df ? static_cast<float>(category.second - a) / static_cast<float>(n - df) : 0;
            given.push_back(q);
            givenNot.push_back(r);
            if (multiCategory) {
                // P(not c | w) and P(not c | not w) from counts, not as 1 - q
                // and 1 - r, so that a word in every document gains exactly 0.
                const float qn = df > 0 ? static_cast<float>(df - a) / static_cast<float>(df) : 0;
                const float rn = n > df ? static_cast<float>(n - df - category.second + a) /
                                              static_cast<float>(n - df)
                                        : 0;
                sum =
                    sum + partitionGain(
                              p, cachedLog10(q, log10Cache) * q + cachedLog10(qn, log10Cache) * qn,
                              cachedLog10(r, log10Cache) * r + cachedLog10(rn, log10Cache) * rn,
                              s0Of[c]);
            } else {
                sw = sw + cachedLog10(q, log10Cache) * q;
                snw = snw + cachedLog10(r, log10Cache) * r;
            }
            ++c;
        }
        informationGain.emplace_hint(informationGain.end(), word,
                                     multiCategory ? sum : partitionGain(p, sw, snw, s0));
        categoryGivenWord.push_back(std::move(given));
        categoryGivenNoWord.push_back(std::move(givenNot));
        ++w;
    }
}
