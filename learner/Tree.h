// A decision tree as an array of nodes whose children are indices into it.
#pragma once

#include "Dataset.h"

#include <vector>

enum class NodeKind { Leaf, Cut, Values, Subsets };

struct Node {
    NodeKind kind = NodeKind::Leaf;
    int bestClass = 0;
    float items = 0;              // weight of the training cases at the node
    float errors = 0;             // unpruned: training errors; pruned: estimated errors
    std::vector<float> classDist; // weight per class
    int attribute = -1;
    float threshold = 0;            // Cut: branch 0 takes values <= threshold
    std::vector<int> branchOfValue; // Values, Subsets: branch of discrete value v (index v >= 1)
    std::vector<int> children;      // node indices, one per branch
};

// A case of a training set with its weight (below 1 once an unknown value
// has sent it down several branches).
struct WeightedCase {
    int item;
    float weight;
};

// The two-way test of a node, packed apart from the nodes so that walks
// down deep trees stay within the cache; attribute is -1 for leaves and
// tests of discrete attributes.
struct PackedCut {
    int attribute = -1;
    float threshold = 0;
    int below = 0, above = 0;
};

struct Tree {
    // nodes[0] is the root; nodes not reachable from it are unused.
    std::vector<Node> nodes;

    // The packed test of every node, by index.
    std::vector<PackedCut> packedCuts() const;

    // Number of nodes reachable from node, leaves included.
    int size(int node = 0) const;

    // Branch a case takes at an internal node, or -1 if the tested value is unknown.
    // With dense, the item's continuous values indexed by attribute are read
    // from there instead of searched in its row.
    int branchOf(const Node &node, const Dataset &data, std::size_t item,
                 const float *dense = nullptr) const {
        if (node.kind == NodeKind::Cut) {
            const float value = dense ? dense[node.attribute] : data.value(item, node.attribute);
            if (Dataset::isUnknown(value))
                return -1;
            return value <= node.threshold ? 0 : 1;
        }
        const int v = data.discreteValue(item, node.attribute);
        return v == 0 || v >= static_cast<int>(node.branchOfValue.size()) ? -1
                                                                          : node.branchOfValue[v];
    }

    // Splits the cases reaching an internal node into its branches. A case
    // whose tested value is unknown goes to every branch that receives known
    // cases, its weight scaled by that branch's share of them.
    std::vector<std::vector<WeightedCase>> distribute(const Node &node, const Dataset &data,
                                                      const std::vector<WeightedCase> &cases) const;
};

// The class weights of some cases and their sum.
struct ClassWeights {
    std::vector<float> dist;
    float items = 0;
};

// Adds the cases' weights to dist (by class) and to items. Whole weights,
// those of data without unknown values, are summed in double precision:
// in single precision a count stops growing at 2^24 (16,777,216). Weights
// split by unknown values are summed in single precision, as C4.5 sums them.
void addClassWeights(const Dataset &data, const std::vector<WeightedCase> &cases,
                     std::vector<float> &dist, float &items);
