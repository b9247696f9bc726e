// Information gain of every word with respect to the training documents'
// categories, in single precision with a memoised logarithm.
#include "corpus/TextProcessor.h"

#include <algorithm>
#include <cmath>
#include <string_view>

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

    float s0 = 0;
    for (const auto &category : categories)
        categoryPriors.push_back(static_cast<float>(category.second) / static_cast<float>(n));
    for (const float p : categoryPriors)
        s0 = s0 + cachedLog10(p, log10Cache) * p;

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
        if (trainTopics[i].empty())
            continue;
        const auto category = categoryIndex.find(*trainTopics[i].begin());
        if (category == categoryIndex.end())
            continue;
        for (const DocumentTable::Entry *entry = trainDocuments.begin(i);
             entry != trainDocuments.end(i); ++entry) {
            const std::size_t word = wordIndex[entry->word];
            if (word != none)
                ++inBoth[word * k + category->second];
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
        std::size_t c = 0;
        for (const auto &category : categories) {
            const int a = inBoth[w * k + c];
            const float q = df > 0 ? static_cast<float>(a) / static_cast<float>(df) : 0;
            const float r =
                n > df ? static_cast<float>(category.second - a) / static_cast<float>(n - df) : 0;
            given.push_back(q);
            givenNot.push_back(r);
            sw = sw + cachedLog10(q, log10Cache) * q;
            snw = snw + cachedLog10(r, log10Cache) * r;
            ++c;
        }
        float gain = sw * p - s0;
        gain = (1 - p) * snw + gain;
        informationGain.emplace_hint(informationGain.end(), word, gain);
        categoryGivenWord.push_back(std::move(given));
        categoryGivenNoWord.push_back(std::move(givenNot));
        ++w;
    }
}
