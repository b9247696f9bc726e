// Pruning by estimated errors, bottom-up.
#include "Prune.h"

#include <cmath>

namespace {

// Normal deviate for a one-sided confidence level, interpolated in C4.5's table.
float deviate(float cf) {
    static const float level[] = {0, 0.001f, 0.005f, 0.01f, 0.05f, 0.10f, 0.20f, 0.40f, 1.00f};
    static const float z[] = {4.0f, 3.09f, 2.58f, 2.33f, 1.65f, 1.28f, 0.84f, 0.25f, 0.00f};
    int i = 0;
    while (cf > level[i])
        ++i;
    if (i == 0)
        return z[0];
    return z[i - 1] + (cf - level[i - 1]) / (level[i] - level[i - 1]) * (z[i] - z[i - 1]);
}

class Pruner {
public:
    Pruner(Tree &tree, const Dataset &data, float cf) : tree_(tree), data_(data), cf_(cf) {}

    // Estimated errors of the subtree at node for these cases; with update
    // the subtree is recounted and pruned on the way.
    float estimate(int index, const std::vector<WeightedCase> &cases, bool update);
    bool changed = false;

private:
    Tree &tree_;
    const Dataset &data_;
    float cf_;
};

float Pruner::estimate(int index, const std::vector<WeightedCase> &cases, bool update) {
    Node &node = tree_.nodes[index];
    std::vector<float> dist(node.classDist.size(), 0.0f);
    float items = 0;
    for (const WeightedCase &c : cases) {
        dist[data_.classOf(c.item)] += c.weight;
        items += c.weight;
    }
    int best = node.bestClass;
    for (std::size_t c = 0; c < dist.size(); ++c)
        if (dist[c] > dist[best])
            best = static_cast<int>(c);
    const float errors = items - dist[best];
    const float asLeaf = errors + addErrors(items, errors, cf_);
    if (node.kind == NodeKind::Leaf) {
        if (update) {
            node.items = items;
            node.classDist = std::move(dist);
            node.bestClass = best;
            node.errors = asLeaf;
        }
        return asLeaf;
    }

    const std::vector<std::vector<WeightedCase>> parts = tree_.distribute(node, data_, cases);
    const std::vector<int> children = node.children;
    float subtrees = 0;
    std::size_t largest = 0;
    float largestItems = -1;
    for (std::size_t b = 0; b < parts.size(); ++b) {
        if (parts[b].empty())
            continue;
        subtrees += estimate(children[b], parts[b], update);
        float weight = 0;
        for (const WeightedCase &c : parts[b])
            weight += c.weight;
        if (weight >= largestItems) {
            largestItems = weight;
            largest = b;
        }
    }
    if (!update)
        return subtrees;

    const float raised = estimate(children[largest], cases, false);
    Node &self = tree_.nodes[index];
    if (asLeaf <= raised + 0.1f && asLeaf <= subtrees + 0.1f) {
        self.kind = NodeKind::Leaf;
        self.attribute = -1;
        self.children.clear();
        self.branchOfValue.clear();
        self.items = items;
        self.classDist = std::move(dist);
        self.bestClass = best;
        self.errors = asLeaf;
        changed = true;
        return asLeaf;
    }
    if (raised <= subtrees + 0.1f) {
        self = tree_.nodes[children[largest]];
        changed = true;
        return estimate(index, cases, true);
    }
    self.items = items;
    self.classDist = std::move(dist);
    self.bestClass = best;
    self.errors = subtrees;
    return subtrees;
}

} // namespace

float addErrors(float items, float errors, float cf) {
    if (errors < 1e-6f)
        return items * (1 - static_cast<float>(std::exp(std::log(cf) / items)));
    if (errors < 0.9999f) {
        const float none = addErrors(items, 0, cf);
        return none + errors * (addErrors(items, 1, cf) - none);
    }
    if (errors + 0.5f >= items)
        return 0.67f * (items - errors);
    const float z = deviate(cf);
    const float z2 = z * z;
    const float e = errors + 0.5f;
    const float p = (e + z2 / 2 + z * std::sqrt(e * (1 - e / items) + z2 / 4)) / (items + z2);
    return items * p - errors;
}

bool pruneTree(Tree &tree, const Dataset &data, const std::vector<WeightedCase> &cases, float cf,
               float &estimate) {
    Pruner pruner(tree, data, cf);
    estimate = pruner.estimate(0, cases, true);
    return pruner.changed;
}
