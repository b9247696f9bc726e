// Pruning by estimated errors, bottom-up.
#include "Prune.h"

#include "CaseChains.h"
#include "Grow.h"
#include "RegionFailure.h"
#include "ZeroChains.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

#include <omp.h>

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

// Without unknown values a case reaches the same leaf whatever other cases
// travel with it, so counts add up. Leaves then keep their cases, and the
// estimate of a raised branch, like the pruning of the raised branch with
// the cases of its former siblings, routes only those cases: a subtree they
// do not reach keeps its counts and estimate. That keeps pruning of deep text
// trees from walking every case down every level again. With unknown values
// every count is rebuilt from all the cases.
class Pruner {
public:
    Pruner(Tree &tree, const Dataset &data, float cf)
        : tree_(tree), data_(data), cf_(cf), additive_(!data.hasUnknowns()), caseChains_(data) {
        if (additive_) {
            leafCases_.resize(tree.nodes.size());
            mark_.assign(tree.nodes.size(), 0);
            for (const Node &node : tree.nodes)
                errors_.push_back(node.errors);
            extraDist_.resize(tree.nodes.size() * tree.nodes[0].classDist.size());
            cuts_ = tree.packedCuts();
            chains_ = std::make_unique<ZeroChains>(tree, cuts_, data);
            for (int t = 0; t < threadBudget(); ++t)
                walkers_.push_back(chains_->walker());
        }
    }

    // Recounts and prunes the subtree at index for the cases reaching it;
    // returns its estimated errors. In additive mode a node lets go of its
    // cases once they are sent down its branches, and of each branch's
    // share once that branch is pruned, so that a chain hundreds of tests
    // deep does not hold nearly every case at every level. weights, if not
    // null, holds the cases' class weights and their sum.
    float prune(int index, NodeCases cases, ClassWeights *weights = nullptr);
    bool changed = false;

private:
    struct Counts {
        std::vector<float> dist;
        float items = 0;
        int best = 0;
        float asLeaf = 0;
    };
    // Class weights of the cases (added to the node's own with onStored),
    // the class the node keeps unless another has more, and its estimate
    // as a leaf.
    Counts count(const Node &node, const std::vector<WeightedCase> &cases, bool onStored) const;
    Counts settle(const Node &node, Counts k) const;
    float leafEstimate(float items, float errors) const {
        return errors + addErrors(items, errors, cf_);
    }
    // Estimated errors of the subtree at index for these cases, without
    // changing it.
    float estimate(int index, const std::vector<WeightedCase> &cases);
    // Additive mode: the same for the cases the subtree was pruned with plus
    // extra. Each extra case walks to its leaf; only the nodes walks passed are
    // summed again, in the same order as a full estimate.
    float estimateWith(int index, const std::vector<WeightedCase> &extra);
    float sumPassed(int index);
    // Additive mode: prunes the subtree at index again for the cases it was
    // pruned with plus extra.
    float pruneMore(int index, std::vector<WeightedCase> extra);
    // The pruning decision for an internal node whose branches are pruned.
    float decide(int index, Counts &k, const std::vector<WeightedCase> &cases,
                 const std::vector<NodeCases> &parts);
    float keep(int index, Counts &k, float errors);
    void gather(int index, std::vector<WeightedCase> &out) const;

    Tree &tree_;
    const Dataset &data_;
    float cf_;
    bool additive_;
    CaseChains caseChains_;
    std::vector<std::vector<WeightedCase>> leafCases_;
    std::vector<unsigned> mark_; // leaves reached by the current extra cases
    unsigned stamp_ = 0;
    std::vector<float> extraDist_; // per marked leaf: class weights of the extra cases
    // Additive mode: each node's errors, packed apart from the nodes for
    // the sums of raised branches, which read them down long chains.
    std::vector<float> errors_;
    // Additive mode: the packed tests and their chains, kept in step with
    // the nodes.
    std::vector<PackedCut> cuts_;
    std::unique_ptr<ZeroChains> chains_;
    std::vector<ZeroChains::Walker> walkers_; // one per thread of the budget
    std::vector<int> leaves_;                 // per extra case: the leaf it reached
    std::vector<float> chainSums_;            // sumPassed's stack of a chain's branch sums
};

Pruner::Counts Pruner::count(const Node &node, const std::vector<WeightedCase> &cases,
                             bool onStored) const {
    Counts k;
    k.dist = onStored ? node.classDist : std::vector<float>(node.classDist.size(), 0.0f);
    k.items = onStored ? node.items : 0.0f;
    addClassWeights(data_, cases, k.dist, k.items);
    return settle(node, std::move(k));
}

Pruner::Counts Pruner::settle(const Node &node, Counts k) const {
    // Of tied classes a leaf takes the earliest, the one classify gives a
    // case that reaches it, so that the printed tree tells each case's class.
    // A leaf without cases predicts its own class and keeps it.
    k.best = k.items > 0 ? 0 : node.bestClass;
    for (std::size_t c = 0; c < k.dist.size(); ++c)
        if (k.dist[c] > k.dist[k.best])
            k.best = static_cast<int>(c);
    k.asLeaf = leafEstimate(k.items, k.items - k.dist[k.best]);
    return k;
}

float Pruner::estimate(int index, const std::vector<WeightedCase> &cases) {
    const Node &node = tree_.nodes[index];
    if (cases.empty())
        return 0.0f;
    if (node.kind == NodeKind::Leaf)
        return count(node, cases, false).asLeaf;
    const std::vector<std::vector<WeightedCase>> parts = tree_.distribute(node, data_, cases);
    float sum = 0;
    for (std::size_t b = 0; b < parts.size(); ++b)
        sum += estimate(node.children[b], parts[b]);
    return sum;
}

float Pruner::estimateWith(int index, const std::vector<WeightedCase> &extra) {
    // The budget's threads share the walks of many cases; leaves add up the
    // whole weights of the cases in any order.
    leaves_.resize(extra.size());
    const int walks = static_cast<int>(extra.size());
    const int threads = static_cast<int>(walkers_.size());
    RegionFailure failure;
#pragma omp parallel for num_threads(threads) schedule(dynamic, 4) if (walks >= 16)
    for (int i = 0; i < walks; ++i) {
        if (i + 16 < walks)
            data_.prefetchRowPlace(extra[i + 16].item);
        if (i + 8 < walks)
            data_.prefetchRow(extra[i + 8].item);
        // Training cases hold only values the tree knows: each reaches a leaf.
        failure.run([&] {
            leaves_[i] = chains_->walk(index, extra[i].item, walkers_[omp_get_thread_num()]);
        });
    }
    failure.rethrow();
    ++stamp_;
    for (ZeroChains::Walker &walker : walkers_)
        chains_->settle(walker, stamp_);
    const std::size_t classes = tree_.nodes[index].classDist.size();
    for (std::size_t i = 0; i < extra.size(); ++i) {
        const WeightedCase &c = extra[i];
        const int leaf = leaves_[i];
        if (mark_[leaf] != stamp_) {
            mark_[leaf] = stamp_;
            std::fill_n(extraDist_.begin() + leaf * classes, classes, 0.0f);
        }
        extraDist_[leaf * classes + data_.classOf(c.item)] += c.weight;
    }
    return sumPassed(index);
}

float Pruner::sumPassed(int index) {
    if (!chains_->passed(index, stamp_))
        return errors_[index];
    if (cuts_[index].attribute >= 0) {
        // Down a chain while the next test was passed, keeping each test's
        // other branch; then, from the deepest test up, each sum is that
        // branch's plus the sum below, as the two branches' sums added.
        const std::size_t base = chainSums_.size();
        int at = index;
        for (;;) {
            const PackedCut &cut = cuts_[at];
            const bool zeroBelow = 0.0f <= cut.threshold;
            const int next = zeroBelow ? cut.below : cut.above;
            if (cuts_[next].attribute < 0 || !chains_->passed(next, stamp_))
                break;
            const int otherNode = zeroBelow ? cut.above : cut.below;
            const float other =
                chains_->passed(otherNode, stamp_) ? sumPassed(otherNode) : errors_[otherNode];
            chainSums_.push_back(other);
            at = next;
        }
        float sum = sumPassed(cuts_[at].below) + sumPassed(cuts_[at].above);
        while (chainSums_.size() > base) {
            sum = chainSums_.back() + sum;
            chainSums_.pop_back();
        }
        return sum;
    }
    const Node &node = tree_.nodes[index];
    if (node.kind != NodeKind::Leaf) {
        float sum = 0;
        for (const int child : node.children)
            sum += sumPassed(child);
        return sum;
    }
    const std::size_t classes = node.classDist.size();
    const float *extra = &extraDist_[index * classes];
    float items = node.items;
    int best = node.bestClass;
    for (std::size_t c = 0; c < classes; ++c) {
        items += extra[c];
        if (node.classDist[c] + extra[c] > node.classDist[best] + extra[best])
            best = static_cast<int>(c);
    }
    return leafEstimate(items, items - (node.classDist[best] + extra[best]));
}

void Pruner::gather(int index, std::vector<WeightedCase> &out) const {
    const Node &node = tree_.nodes[index];
    if (node.kind == NodeKind::Leaf) {
        out.insert(out.end(), leafCases_[index].begin(), leafCases_[index].end());
        return;
    }
    for (const int child : node.children)
        gather(child, out);
}

float Pruner::keep(int index, Counts &k, float errors) {
    Node &node = tree_.nodes[index];
    node.items = k.items;
    node.classDist = std::move(k.dist);
    node.bestClass = k.best;
    node.errors = errors;
    if (additive_)
        errors_[index] = errors;
    return errors;
}

float Pruner::prune(int index, NodeCases cases, ClassWeights *weights) {
    const Node &node = tree_.nodes[index];
    Counts k = weights ? settle(node, {std::move(weights->dist), weights->items})
                       : count(node, caseChains_.listOf(cases), false);
    if (tree_.nodes[index].kind == NodeKind::Leaf) {
        if (additive_)
            leafCases_[index] = std::move(caseChains_.listOf(cases));
        return keep(index, k, k.asLeaf);
    }
    // Without additive counts, the decision needs the node's cases again.
    std::vector<NodeCases> parts;
    std::vector<ClassWeights> partWeights;
    if (additive_) {
        parts = caseChains_.split(tree_, tree_.nodes[index], std::move(cases));
        partClassWeights(data_, parts, k.dist, k.items, partWeights);
    } else {
        for (std::vector<WeightedCase> &part :
             tree_.distribute(tree_.nodes[index], data_, cases.list))
            parts.emplace_back(std::move(part));
    }
    for (std::size_t b = 0; b < parts.size(); ++b) {
        if (parts[b].empty())
            continue;
        const int child = tree_.nodes[index].children[b];
        if (additive_)
            prune(child, std::move(parts[b]), &partWeights[b]);
        else
            prune(child, parts[b]);
    }
    return decide(index, k, cases.list, parts);
}

float Pruner::pruneMore(int index, std::vector<WeightedCase> extra) {
    Counts k = count(tree_.nodes[index], extra, true);
    if (tree_.nodes[index].kind == NodeKind::Leaf) {
        leafCases_[index].insert(leafCases_[index].end(), extra.begin(), extra.end());
        return keep(index, k, k.asLeaf);
    }
    std::vector<std::vector<WeightedCase>> parts =
        tree_.distribute(tree_.nodes[index], data_, extra);
    std::vector<WeightedCase>().swap(extra);
    for (std::size_t b = 0; b < parts.size(); ++b)
        if (!parts[b].empty())
            pruneMore(tree_.nodes[index].children[b], std::move(parts[b]));
    return decide(index, k, {}, {});
}

float Pruner::decide(int index, Counts &k, const std::vector<WeightedCase> &cases,
                     const std::vector<NodeCases> &parts) {
    const std::vector<int> children = tree_.nodes[index].children;
    float subtrees = 0;
    std::size_t largest = 0;
    float largestItems = -1;
    for (std::size_t b = 0; b < children.size(); ++b) {
        const Node &child = tree_.nodes[children[b]];
        const bool reached = additive_ ? child.items > 0 : !parts[b].empty();
        if (!reached)
            continue;
        subtrees += child.errors;
        if (child.items >= largestItems) {
            largestItems = child.items;
            largest = b;
        }
    }

    std::vector<WeightedCase> others;
    float raised;
    if (additive_) {
        for (std::size_t b = 0; b < children.size(); ++b)
            if (b != largest)
                gather(children[b], others);
        raised = estimateWith(children[largest], others);
    } else {
        raised = estimate(children[largest], cases);
    }

    if (k.asLeaf <= raised + 0.1f && k.asLeaf <= subtrees + 0.1f) {
        if (additive_) {
            std::vector<WeightedCase> all;
            gather(index, all);
            leafCases_[index] = std::move(all);
        }
        if (additive_)
            chains_->collapse(index);
        Node &node = tree_.nodes[index];
        node.kind = NodeKind::Leaf;
        node.attribute = -1;
        node.children.clear();
        node.branchOfValue.clear();
        if (additive_)
            cuts_[index] = {};
        changed = true;
        return keep(index, k, k.asLeaf);
    }
    if (raised <= subtrees + 0.1f) {
        const int branch = children[largest];
        if (additive_) {
            for (std::size_t b = 0; b < children.size(); ++b)
                if (b != largest)
                    chains_->bury(children[b]);
            chains_->drop(branch);
        }
        tree_.nodes[index] = std::move(tree_.nodes[branch]);
        changed = true;
        if (!additive_)
            return prune(index, NodeCases(cases));
        leafCases_[index] = std::move(leafCases_[branch]);
        errors_[index] = errors_[branch];
        cuts_[index] = cuts_[branch];
        chains_->relabel(index);
        return pruneMore(index, std::move(others));
    }
    return keep(index, k, subtrees);
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
    estimate = pruner.prune(0, NodeCases(cases));
    return pruner.changed;
}
