// Tree helpers shared by growing, pruning, classifying and printing.
#include "Tree.h"

std::vector<PackedCut> Tree::packedCuts() const {
    std::vector<PackedCut> cuts(nodes.size());
    // Nodes left behind by pruning may have lost their branches.
    for (std::size_t i = 0; i < nodes.size(); ++i)
        if (nodes[i].kind == NodeKind::Cut && nodes[i].children.size() == 2)
            cuts[i] = {nodes[i].attribute, nodes[i].threshold, nodes[i].children[0],
                       nodes[i].children[1]};
    return cuts;
}

int Tree::size(int node) const {
    int total = 1;
    for (const int child : nodes[node].children)
        total += size(child);
    return total;
}

std::vector<std::vector<WeightedCase>>
Tree::distribute(const Node &node, const Dataset &data,
                 const std::vector<WeightedCase> &cases) const {
    const std::size_t branches = node.children.size();
    if (node.kind == NodeKind::Cut) {
        // Fast path for the common two-way test on cases with known values.
        // Many cases and a short column: look values up in a dense scratch
        // array filled from the column instead of searching each row.
        const Dataset::ColumnEntry *begin = data.columnBegin(node.attribute);
        const Dataset::ColumnEntry *end = data.columnEnd(node.attribute);
        const bool dense = static_cast<std::size_t>(end - begin) < cases.size();
        thread_local std::vector<float> valueOf;
        if (dense) {
            if (valueOf.size() < data.size())
                valueOf.resize(data.size(), 0.0f);
            for (const Dataset::ColumnEntry *e = begin; e != end; ++e)
                valueOf[e->item] = e->value;
        }
        std::vector<std::vector<WeightedCase>> parts(2);
        if (dense) {
            // Only cases in the column can leave the branch of 0.
            const std::size_t zeroBranch = 0.0f <= node.threshold ? 0 : 1;
            parts[zeroBranch].reserve(cases.size());
            parts[1 - zeroBranch].reserve(static_cast<std::size_t>(end - begin));
        }
        bool anyUnknown = false;
        for (const WeightedCase &c : cases) {
            const float value = dense ? valueOf[c.item] : data.value(c.item, node.attribute);
            if (Dataset::isUnknown(value)) {
                anyUnknown = true;
                break;
            }
            parts[value <= node.threshold ? 0 : 1].push_back(c);
        }
        if (dense)
            for (const Dataset::ColumnEntry *e = begin; e != end; ++e)
                valueOf[e->item] = 0.0f;
        if (!anyUnknown)
            return parts;
    }
    std::vector<int> branch(cases.size());
    std::vector<std::size_t> sizes(branches, 0);
    std::vector<float> known(branches, 0.0f);
    float knownTotal = 0;
    std::size_t unknown = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const int b = branchOf(node, data, cases[i].item);
        branch[i] = b;
        if (b < 0) {
            ++unknown;
            continue;
        }
        ++sizes[b];
        known[b] += cases[i].weight;
        knownTotal += cases[i].weight;
    }
    const bool spread = unknown > 0 && knownTotal > 0;
    std::vector<std::vector<WeightedCase>> parts(branches);
    for (std::size_t b = 0; b < branches; ++b)
        parts[b].reserve(sizes[b] + (spread && known[b] > 0 ? unknown : 0));
    for (std::size_t i = 0; i < cases.size(); ++i)
        if (branch[i] >= 0)
            parts[branch[i]].push_back(cases[i]);
    if (spread)
        for (std::size_t b = 0; b < branches; ++b) {
            if (known[b] <= 0)
                continue;
            const float share = known[b] / knownTotal;
            for (std::size_t i = 0; i < cases.size(); ++i)
                if (branch[i] < 0)
                    parts[b].push_back({cases[i].item, cases[i].weight * share});
        }
    return parts;
}

void addClassWeights(const Dataset &data, const std::vector<WeightedCase> &cases,
                     std::vector<float> &dist, float &items) {
    if (data.hasUnknowns()) {
        for (const WeightedCase &c : cases) {
            dist[data.classOf(c.item)] += c.weight;
            items += c.weight;
        }
        return;
    }
    std::vector<double> sum(dist.begin(), dist.end());
    double total = items;
    for (const WeightedCase &c : cases) {
        sum[data.classOf(c.item)] += c.weight;
        total += c.weight;
    }
    dist.assign(sum.begin(), sum.end());
    items = static_cast<float>(total);
}
