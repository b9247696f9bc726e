// Classification and error counting.
#include "Classify.h"

#include <algorithm>

namespace {

void addScores(const Tree &tree, int index, const Dataset &data, std::size_t item,
               const float *values, float weight, std::vector<float> &scores) {
    const Node &node = tree.nodes[index];
    if (node.kind == NodeKind::Leaf) {
        if (node.items > 0)
            for (std::size_t c = 0; c < scores.size(); ++c)
                scores[c] += weight * node.classDist[c] / node.items;
        else
            scores[node.bestClass] += weight;
        return;
    }
    const int branch = tree.branchOf(node, data, item, values);
    if (branch >= 0) {
        addScores(tree, node.children[branch], data, item, values, weight, scores);
        return;
    }
    for (const int child : node.children) {
        const float share = node.items > 0 ? tree.nodes[child].items / node.items : 0;
        if (share > 0)
            addScores(tree, child, data, item, values, weight * share, scores);
    }
}

} // namespace

int classify(const Tree &tree, const Dataset &data, std::size_t item, int classes) {
    // A case is tested at many levels: its values are spread into a dense
    // array once.
    thread_local std::vector<float> values;
    values.resize(std::max(values.size(), static_cast<std::size_t>(data.attributes())), 0.0f);
    for (const Dataset::Entry *e = data.rowBegin(item); e != data.rowEnd(item); ++e)
        values[e->attribute] = e->value;
    std::vector<float> scores(classes, 0.0f);
    addScores(tree, 0, data, item, values.data(), 1.0f, scores);
    for (const Dataset::Entry *e = data.rowBegin(item); e != data.rowEnd(item); ++e)
        values[e->attribute] = 0.0f;
    int best = 0;
    for (int c = 1; c < classes; ++c)
        if (scores[c] > scores[best])
            best = c;
    return best;
}

Assessment assess(const Tree &tree, const Dataset &data, int classes) {
    Assessment result;
    result.counts.assign(static_cast<std::size_t>(classes) * classes, 0);
    for (std::size_t i = 0; i < data.size(); ++i) {
        const int actual = data.classOf(i);
        const int predicted = classify(tree, data, i, classes);
        ++result.counts[static_cast<std::size_t>(actual) * classes + predicted];
        if (predicted != actual)
            ++result.errors;
    }
    return result;
}
