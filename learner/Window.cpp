// Windowing trials.
#include "Window.h"

#include "Classify.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

Windowing::Windowing(const Dataset &data, int classes, const Options &options)
    : data_(data), classes_(classes) {
    const std::size_t n = data.size();
    window_ =
        options.windowSize > 0
            ? static_cast<std::size_t>(options.windowSize)
            : std::max(static_cast<std::size_t>(2 * std::sqrt(static_cast<double>(n))), n / 5);
    window_ = std::min(window_, n);
    increment_ = options.windowIncrement > 0 ? static_cast<std::size_t>(options.windowIncrement)
                                             : std::max<std::size_t>(window_ / 5, 1);

    std::vector<std::size_t> perClass(classes, 0);
    for (std::size_t i = 0; i < n; ++i)
        ++perClass[data.classOf(i)];
    for (int c = 0; c < classes; ++c)
        if (perClass[c] > 0)
            rarestFirst_.push_back(c);
    std::stable_sort(rarestFirst_.begin(), rarestFirst_.end(),
                     [&](int a, int b) { return perClass[a] < perClass[b]; });
    target_.assign(classes, 0);
    std::size_t left = window_;
    std::size_t classesLeft = rarestFirst_.size();
    for (const int c : rarestFirst_) {
        target_[c] = std::min(perClass[c], left / classesLeft);
        left -= target_[c];
        --classesLeft;
    }
}

Tree Windowing::trial(Grower &grower, std::ostream &out) {
    const std::size_t n = data_.size();
    std::vector<int> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = static_cast<int>(i);
    std::shuffle(order.begin(), order.end(), random_);
    // The profile's cases of each class first, in shuffled order.
    std::vector<std::size_t> taken(classes_, 0);
    std::vector<int> front, rest;
    for (const int item : order)
        (taken[data_.classOf(item)]++ < target_[data_.classOf(item)] ? front : rest)
            .push_back(item);
    front.insert(front.end(), rest.begin(), rest.end());
    order.swap(front);

    out << "Cycle   Tree    -----Cases----    -----------------Errors-----------------\n"
           "        size    window   other    window  rate   other  rate   total  rate\n"
           "-----   ----    ------  ------    ------  ----  ------  ----  ------  ----\n";
    std::size_t window = window_;
    Tree kept;
    std::size_t keptTotal = 0;
    for (int cycle = 1;; ++cycle) {
        std::vector<WeightedCase> cases;
        cases.reserve(window);
        for (std::size_t i = 0; i < window; ++i)
            cases.push_back({order[i], 1.0f});
        Tree tree = grower.grow(cases);
        const auto windowErrors = static_cast<std::size_t>(std::lround(tree.nodes[0].errors));
        std::vector<int> wrong, right;
        for (std::size_t i = window; i < n; ++i)
            (classify(tree, data_, order[i], classes_) == data_.classOf(order[i]) ? right : wrong)
                .push_back(order[i]);
        std::copy(wrong.begin(), wrong.end(), order.begin() + window);
        std::copy(right.begin(), right.end(), order.begin() + window + wrong.size());
        const std::size_t exceptions = wrong.size();
        const std::size_t other = n - window;
        const std::size_t total = windowErrors + exceptions;
        char line[160];
        std::snprintf(line, sizeof line, "%3d  %7d  %8d  %6d  %8d%5.1f%%  %6d%5.1f%%  %6d%5.1f%%\n",
                      cycle, tree.size(), static_cast<int>(window), static_cast<int>(other),
                      static_cast<int>(windowErrors), 100.0 * windowErrors / window,
                      static_cast<int>(exceptions), 100.0 * exceptions / (other + 0.001),
                      static_cast<int>(total), 100.0 * total / n);
        out << line;
        if (cycle == 1 || total < keptTotal) {
            kept = std::move(tree);
            keptTotal = total;
        }
        if (exceptions == 0)
            break;
        window = std::min(n, window + std::max(std::min(exceptions, increment_), exceptions / 2));
    }
    return kept;
}
