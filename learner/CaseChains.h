// The cases of a node while a tree is grown or pruned. Down a chain of
// two-way tests whose branch of value 0 takes most of a node's cases, as in
// the "word <= 0" chains of text trees, copying those cases at every level
// costs more than the rest of the split: they stay in the list the chain
// began with, each marked as a member of the chain, and only the cases that
// leave the chain, the few holding the tested word, are listed apart.
#pragma once

#include "Dataset.h"
#include "Tree.h"

#include <cstddef>
#include <utility>
#include <vector>

struct NodeCases {
    // The cases; or, in a chain, the cases it began with, of which the
    // members are the node's.
    std::vector<WeightedCase> list;
    std::size_t count = 0;
    int chain = 0; // 0 if list holds exactly the cases

    NodeCases() = default;
    explicit NodeCases(std::vector<WeightedCase> cases)
        : list(std::move(cases)), count(list.size()) {}
    bool empty() const { return count == 0; }
};

class CaseChains {
public:
    explicit CaseChains(const Dataset &data) : data_(data), chainOf_(data.size(), 0) {}

    // The cases as a plain list, made so in place; their order is that of
    // the list they stand in.
    std::vector<WeightedCase> &listOf(NodeCases &cases) const;

    // The cases of each branch of an internal node, as Tree::distribute
    // parts them and in the same order. A two-way test of a data set
    // without unknown values, on cases of weight 1 listed by ascending item,
    // whose column is shorter than the cases, keeps the branch of value 0 in
    // a chain while it holds more than half the node's cases and at least
    // half of its chain's list; the other branch and other tests list their
    // cases.
    std::vector<NodeCases> split(const Tree &tree, const Node &node, NodeCases cases);

private:
    // Marks the cases as the members of a new chain, unless they are not
    // listed by ascending item or a weight is not 1.
    bool begin(NodeCases &cases);

    const Dataset &data_;
    std::vector<int> chainOf_; // per item: the chain it is a member of, or 0
    int chains_ = 0;
};

// For whole weights only (data without unknown values): the class weights of
// each part of a node's cases, whose own are dist and items. The largest
// part (the first with the most cases) takes the node's less the others',
// which is exact, so that long chains of mostly one part do not count the
// same cases again at every level; the others must be listed. Returns the
// index of the largest part.
std::size_t partClassWeights(const Dataset &data, const std::vector<NodeCases> &parts,
                             const std::vector<float> &dist, float items,
                             std::vector<ClassWeights> &weights);
