// Pruning by estimated errors, bottom-up.
#include "Prune.h"

#include <algorithm>
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
        : tree_(tree), data_(data), cf_(cf), additive_(!data.hasUnknowns()) {
        if (additive_) {
            leafCases_.resize(tree.nodes.size());
            mark_.assign(tree.nodes.size(), 0);
            extraDist_.resize(tree.nodes.size() * tree.nodes[0].classDist.size());
            cuts_ = tree.packedCuts();
        }
    }

    // Recounts and prunes the subtree at index for the cases reaching it;
    // returns its estimated errors.
    float prune(int index, const std::vector<WeightedCase> &cases);
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
    // extra. Each extra case walks to its leaf; only the marked paths are
    // summed again, in the same order as a full estimate.
    float estimateWith(int index, const std::vector<WeightedCase> &extra);
    float sumMarked(int index);
    // Additive mode: prunes the subtree at index again for the cases it was
    // pruned with plus extra.
    float pruneMore(int index, const std::vector<WeightedCase> &extra);
    // The pruning decision for an internal node whose branches are pruned.
    float decide(int index, Counts &k, const std::vector<WeightedCase> &cases,
                 const std::vector<std::vector<WeightedCase>> &parts);
    float keep(int index, Counts &k, float errors);
    void gather(int index, std::vector<WeightedCase> &out) const;

    Tree &tree_;
    const Dataset &data_;
    float cf_;
    bool additive_;
    std::vector<std::vector<WeightedCase>> leafCases_;
    std::vector<unsigned> mark_; // nodes on the paths of the current extra cases
    unsigned stamp_ = 0;
    std::vector<float> extraDist_; // per marked leaf: class weights of the extra cases
    // Additive mode: the packed tests, kept in step with the nodes.
    std::vector<PackedCut> cuts_;
};

Pruner::Counts Pruner::count(const Node &node, const std::vector<WeightedCase> &cases,
                             bool onStored) const {
    Counts k;
    k.dist = onStored ? node.classDist : std::vector<float>(node.classDist.size(), 0.0f);
    k.items = onStored ? node.items : 0.0f;
    for (const WeightedCase &c : cases) {
        k.dist[data_.classOf(c.item)] += c.weight;
        k.items += c.weight;
    }
    return settle(node, std::move(k));
}

Pruner::Counts Pruner::settle(const Node &node, Counts k) const {
    k.best = node.bestClass;
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
    ++stamp_;
    const std::size_t classes = tree_.nodes[index].classDist.size();
    // A case walks down many levels: its values are spread into a dense
    // array once.
    thread_local std::vector<float> dense;
    dense.resize(std::max(dense.size(), static_cast<std::size_t>(data_.attributes())), 0.0f);
    for (const WeightedCase &c : extra) {
        for (const Dataset::Entry *e = data_.rowBegin(c.item); e != data_.rowEnd(c.item); ++e)
            dense[e->attribute] = e->value;
        int at = index;
        for (;;) {
            const PackedCut &cut = cuts_[at];
            const bool first = mark_[at] != stamp_;
            mark_[at] = stamp_;
            if (cut.attribute >= 0) {
                at = dense[cut.attribute] <= cut.threshold ? cut.below : cut.above;
                continue;
            }
            const Node &node = tree_.nodes[at];
            if (node.kind == NodeKind::Leaf) {
                if (first)
                    std::fill_n(extraDist_.begin() + at * classes, classes, 0.0f);
                break;
            }
            at = node.children[tree_.branchOf(node, data_, c.item, dense.data())];
        }
        for (const Dataset::Entry *e = data_.rowBegin(c.item); e != data_.rowEnd(c.item); ++e)
            dense[e->attribute] = 0.0f;
        extraDist_[at * classes + data_.classOf(c.item)] += c.weight;
    }
    return sumMarked(index);
}

float Pruner::sumMarked(int index) {
    if (mark_[index] != stamp_)
        return tree_.nodes[index].errors;
    const PackedCut &cut = cuts_[index];
    if (cut.attribute >= 0)
        return sumMarked(cut.below) + sumMarked(cut.above);
    const Node &node = tree_.nodes[index];
    if (node.kind != NodeKind::Leaf) {
        float sum = 0;
        for (const int child : node.children)
            sum += sumMarked(child);
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
    return errors;
}

float Pruner::prune(int index, const std::vector<WeightedCase> &cases) {
    Counts k = count(tree_.nodes[index], cases, false);
    if (tree_.nodes[index].kind == NodeKind::Leaf) {
        if (additive_)
            leafCases_[index] = cases;
        return keep(index, k, k.asLeaf);
    }
    const std::vector<std::vector<WeightedCase>> parts =
        tree_.distribute(tree_.nodes[index], data_, cases);
    for (std::size_t b = 0; b < parts.size(); ++b)
        if (!parts[b].empty())
            prune(tree_.nodes[index].children[b], parts[b]);
    return decide(index, k, cases, parts);
}

float Pruner::pruneMore(int index, const std::vector<WeightedCase> &extra) {
    Counts k = count(tree_.nodes[index], extra, true);
    if (tree_.nodes[index].kind == NodeKind::Leaf) {
        leafCases_[index].insert(leafCases_[index].end(), extra.begin(), extra.end());
        return keep(index, k, k.asLeaf);
    }
    const std::vector<std::vector<WeightedCase>> parts =
        tree_.distribute(tree_.nodes[index], data_, extra);
    for (std::size_t b = 0; b < parts.size(); ++b)
        if (!parts[b].empty())
            pruneMore(tree_.nodes[index].children[b], parts[b]);
    return decide(index, k, {}, {});
}

float Pruner::decide(int index, Counts &k, const std::vector<WeightedCase> &cases,
                     const std::vector<std::vector<WeightedCase>> &parts) {
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
        tree_.nodes[index] = std::move(tree_.nodes[branch]);
        changed = true;
        if (!additive_)
            return prune(index, cases);
        leafCases_[index] = std::move(leafCases_[branch]);
        cuts_[index] = cuts_[branch];
        return pruneMore(index, others);
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
    estimate = pruner.prune(0, cases);
    return pruner.changed;
}
