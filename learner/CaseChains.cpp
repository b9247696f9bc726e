#include "CaseChains.h"

std::vector<WeightedCase> &CaseChains::listOf(NodeCases &cases) const {
    if (cases.chain == 0)
        return cases.list;
    std::vector<WeightedCase> members;
    members.reserve(cases.count);
    for (const WeightedCase &c : cases.list)
        if (chainOf_[c.item] == cases.chain)
            members.push_back(c);
    cases.list.swap(members);
    cases.chain = 0;
    return cases.list;
}

bool CaseChains::begin(NodeCases &cases) {
    const std::vector<WeightedCase> &list = cases.list;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i].weight != 1.0f || (i > 0 && list[i].item <= list[i - 1].item))
            return false;
    cases.chain = ++chains_;
    for (const WeightedCase &c : list)
        chainOf_[c.item] = cases.chain;
    return true;
}

std::vector<NodeCases> CaseChains::split(const Tree &tree, const Node &node, NodeCases cases) {
    const Dataset::ColumnEntry *begin = nullptr, *end = nullptr;
    if (node.kind == NodeKind::Cut && !data_.hasUnknowns()) {
        begin = data_.columnBegin(node.attribute);
        end = data_.columnEnd(node.attribute);
    }
    const bool chained = begin && static_cast<std::size_t>(end - begin) < cases.count &&
                         (cases.chain != 0 || this->begin(cases));
    std::vector<NodeCases> parts;
    if (!chained) {
        for (std::vector<WeightedCase> &part : tree.distribute(node, data_, listOf(cases)))
            parts.emplace_back(std::move(part));
        return parts;
    }
    // Only the items of the column can leave the branch of 0; they are
    // listed by ascending item, as the chain's list.
    const int zeroBranch = 0.0f <= node.threshold ? 0 : 1;
    std::vector<WeightedCase> leaving;
    for (const Dataset::ColumnEntry *e = begin; e != end; ++e)
        if (chainOf_[e->item] == cases.chain &&
            (e->value <= node.threshold ? 0 : 1) != zeroBranch) {
            leaving.push_back({e->item, 1.0f});
            chainOf_[e->item] = 0;
        }
    NodeCases zero;
    zero.count = cases.count - leaving.size();
    zero.chain = cases.chain;
    zero.list = std::move(cases.list);
    // A chain that no longer holds most of the node's cases, or of its own
    // list, is listed again: later splits would read mostly other cases.
    if (2 * zero.count <= cases.count || 2 * zero.count < zero.list.size())
        listOf(zero);
    parts.resize(2);
    parts[zeroBranch] = std::move(zero);
    parts[1 - zeroBranch] = NodeCases(std::move(leaving));
    return parts;
}

std::size_t partClassWeights(const Dataset &data, const std::vector<NodeCases> &parts,
                             const std::vector<float> &dist, float items,
                             std::vector<ClassWeights> &weights) {
    std::size_t largest = 0;
    for (std::size_t b = 1; b < parts.size(); ++b)
        if (parts[b].count > parts[largest].count)
            largest = b;
    weights.assign(parts.size(), {});
    weights[largest] = {dist, items};
    for (std::size_t b = 0; b < parts.size(); ++b) {
        if (b == largest)
            continue;
        weights[b].dist.assign(dist.size(), 0.0f);
        addClassWeights(data, parts[b].list, weights[b].dist, weights[b].items);
        for (std::size_t c = 0; c < dist.size(); ++c)
            weights[largest].dist[c] -= weights[b].dist[c];
        weights[largest].items -= weights[b].items;
    }
    return largest;
}
