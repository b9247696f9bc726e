// Classification and error counting.
#include "Classify.h"

#include "Grow.h"
#include "RegionFailure.h"
#include "ZeroChains.h"

#include <algorithm>
#include <optional>

namespace {

void addLeafScores(const Node &leaf, float weight, std::vector<float> &scores) {
    if (leaf.items > 0)
        for (std::size_t c = 0; c < scores.size(); ++c)
            scores[c] += weight * leaf.classDist[c] / leaf.items;
    else
        scores[leaf.bestClass] += weight;
}

int highest(const std::vector<float> &scores) {
    int best = 0;
    for (int c = 1; c < static_cast<int>(scores.size()); ++c)
        if (scores[c] > scores[best])
            best = c;
    return best;
}

void addScores(const Tree &tree, const PackedCut *cuts, int index, const Dataset &data,
               std::size_t item, const float *values, float weight, std::vector<float> &scores) {
    if (cuts)
        for (const PackedCut *cut = &cuts[index];
             cut->attribute >= 0 && !Dataset::isUnknown(values[cut->attribute]); cut = &cuts[index])
            index = values[cut->attribute] <= cut->threshold ? cut->below : cut->above;
    const Node &node = tree.nodes[index];
    if (node.kind == NodeKind::Leaf) {
        addLeafScores(node, weight, scores);
        return;
    }
    const int branch = tree.branchOf(node, data, item, values);
    if (branch >= 0) {
        addScores(tree, cuts, node.children[branch], data, item, values, weight, scores);
        return;
    }
    for (const int child : node.children) {
        const float share = node.items > 0 ? tree.nodes[child].items / node.items : 0;
        if (share > 0)
            addScores(tree, cuts, child, data, item, values, weight * share, scores);
    }
}

int classifyWith(const Tree &tree, const PackedCut *cuts, const Dataset &data, std::size_t item,
                 int classes) {
    // A case is tested at many levels: its values are spread into a dense
    // array once.
    thread_local std::vector<float> values;
    values.resize(std::max(values.size(), static_cast<std::size_t>(data.attributes())), 0.0f);
    for (const Dataset::Entry *e = data.rowBegin(item); e != data.rowEnd(item); ++e)
        values[e->attribute] = e->value;
    std::vector<float> scores(classes, 0.0f);
    addScores(tree, cuts, 0, data, item, values.data(), 1.0f, scores);
    for (const Dataset::Entry *e = data.rowBegin(item); e != data.rowEnd(item); ++e)
        values[e->attribute] = 0.0f;
    return highest(scores);
}

} // namespace

int classify(const Tree &tree, const Dataset &data, std::size_t item, int classes) {
    return classifyWith(tree, nullptr, data, item, classes);
}

Assessment assess(const Tree &tree, const Dataset &data, int classes) {
    const std::vector<PackedCut> cuts = tree.packedCuts();
    // Without unknown values a case reaches a single leaf, which a walk
    // along the tree's zero chains finds without stepping through them.
    std::optional<ZeroChains> chains;
    if (!data.hasUnknowns())
        chains.emplace(tree, cuts, data);
    const std::size_t cells = static_cast<std::size_t>(classes) * classes;
    Assessment result;
    result.counts.assign(cells, 0);
    const auto items = static_cast<std::ptrdiff_t>(data.size());
    // Cases are classified apart, so the budget's threads share them; whole
    // counts add up the same in any order. Inside a parallel section this
    // runs on its own thread alone.
    RegionFailure failure;
#pragma omp parallel num_threads(threadBudget())
    {
        std::vector<int> counts;
        int errors = 0;
        ZeroChains::Walker walker;
        std::vector<float> scores;
        failure.run([&] {
            counts.assign(cells, 0);
            if (chains)
                walker = chains->walker();
            scores.resize(classes);
        });
#pragma omp for schedule(dynamic, 4096) nowait
        for (std::ptrdiff_t i = 0; i < items; ++i)
            failure.run([&] {
                const int actual = data.classOf(static_cast<std::size_t>(i));
                const auto item = static_cast<std::size_t>(i);
                const int leaf = chains ? chains->leafOf(item, walker) : -1;
                int predicted;
                if (leaf >= 0) {
                    std::fill(scores.begin(), scores.end(), 0.0f);
                    addLeafScores(tree.nodes[leaf], 1.0f, scores);
                    predicted = highest(scores);
                } else {
                    // No single leaf: a value the tree does not know counts as unknown.
                    predicted = classifyWith(tree, cuts.data(), data, item, classes);
                }
                ++counts[static_cast<std::size_t>(actual) * classes + predicted];
                if (predicted != actual)
                    ++errors;
            });
#pragma omp critical
        if (!failure.failed()) {
            for (std::size_t k = 0; k < cells; ++k)
                result.counts[k] += counts[k];
            result.errors += errors;
        }
    }
    failure.rethrow();
    return result;
}
