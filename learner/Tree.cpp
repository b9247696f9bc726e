// Tree helpers shared by growing, pruning, classifying and printing.
#include "Tree.h"

int Tree::size(int node) const {
    int total = 1;
    for (const int child : nodes[node].children)
        total += size(child);
    return total;
}

int Tree::branchOf(const Node &node, const Dataset &data, std::size_t item) const {
    if (node.kind == NodeKind::Cut) {
        const float value = data.value(item, node.attribute);
        if (Dataset::isUnknown(value))
            return -1;
        return value <= node.threshold ? 0 : 1;
    }
    const int v = data.discreteValue(item, node.attribute);
    return v == 0 || v >= static_cast<int>(node.branchOfValue.size()) ? -1 : node.branchOfValue[v];
}

std::vector<std::vector<WeightedCase>>
Tree::distribute(const Node &node, const Dataset &data,
                 const std::vector<WeightedCase> &cases) const {
    const std::size_t branches = node.children.size();
    std::vector<std::vector<WeightedCase>> parts(branches);
    std::vector<float> known(branches, 0.0f);
    float knownTotal = 0;
    std::vector<WeightedCase> unknown;
    for (const WeightedCase &c : cases) {
        const int b = branchOf(node, data, c.item);
        if (b < 0) {
            unknown.push_back(c);
            continue;
        }
        parts[b].push_back(c);
        known[b] += c.weight;
        knownTotal += c.weight;
    }
    if (!unknown.empty() && knownTotal > 0)
        for (std::size_t b = 0; b < branches; ++b) {
            if (known[b] <= 0)
                continue;
            const float share = known[b] / knownTotal;
            for (const WeightedCase &c : unknown)
                parts[b].push_back({c.item, c.weight * share});
        }
    return parts;
}
