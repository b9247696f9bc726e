// Pruning by estimated errors, bottom-up.
#include "Prune.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

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

// Lists of node indices by 64-bit key, in an open-addressed table: a walk
// looks up every value of a case in every long chain it passes, and most
// lookups find nothing, which here costs one probe of a flat array.
class TestLists {
public:
    static constexpr std::uint64_t Unlisted = ~std::uint64_t{0};

    TestLists() : keys_(16, Unlisted), places_(16, -1) {}

    std::vector<int> *find(std::uint64_t key) {
        for (std::size_t at = slotOf(key);; at = (at + 1) & (keys_.size() - 1)) {
            if (keys_[at] == key)
                return &lists_[places_[at]];
            if (keys_[at] == Unlisted)
                return nullptr;
        }
    }
    // The list of key, made empty if there is none.
    std::vector<int> &at(std::uint64_t key) {
        if (std::vector<int> *found = find(key))
            return *found;
        if (2 * (lists_.size() + 1) > keys_.size())
            rehash(2 * keys_.size());
        place(key, static_cast<int>(lists_.size()));
        lists_.emplace_back();
        return lists_.back();
    }

private:
    std::size_t slotOf(std::uint64_t key) const {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (keys_.size() - 1);
    }
    void place(std::uint64_t key, int list) {
        std::size_t at = slotOf(key);
        while (keys_[at] != Unlisted)
            at = (at + 1) & (keys_.size() - 1);
        keys_[at] = key;
        places_[at] = list;
    }
    void rehash(std::size_t size) {
        std::vector<std::uint64_t> keys(size, Unlisted);
        std::vector<int> places(size, -1);
        keys.swap(keys_);
        places.swap(places_);
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (keys[i] != Unlisted)
                place(keys[i], places[i]);
    }

    std::vector<std::uint64_t> keys_; // size a power of 2, at most half used
    std::vector<int> places_;         // per slot: its list in lists_
    std::vector<std::vector<int>> lists_;
};

// The zero paths of a tree. From a two-way test, the branch a value of 0
// takes leads to the next test of a chain that ends at a leaf or at a test of
// a discrete attribute; in text trees these "word <= 0" chains run hundreds
// of tests deep. A case leaves a chain only at a test of one of its non-zero
// values, so a walk looks those tests up instead of stepping through the
// chain, and the nodes walks pass are known per chain from the deepest
// position reached. Tests are listed per chain and attribute: a word is
// tested in thousands of chains of a large tree, of which a walk needs one.
class ZeroChains {
public:
    ZeroChains(const Tree &tree, const std::vector<PackedCut> &cuts, const Dataset &data)
        : tree_(tree), cuts_(cuts), data_(data), head_(tree.nodes.size()),
          position_(tree.nodes.size()), alive_(tree.nodes.size(), 0), end_(tree.nodes.size()),
          reach_(tree.nodes.size()), reachStamp_(tree.nodes.size(), 0),
          listedUnder_(tree.nodes.size(), TestLists::Unlisted),
          values_(static_cast<std::size_t>(data.attributes()), 0.0f) {
        label(0, 0, 0);
    }

    // Labels the subtree at node anew after it changed; node keeps its place.
    void relabel(int node) { label(node, head_[node], position_[node]); }
    // Takes the subtree at node out of the chains.
    void bury(int node);
    // Takes node alone out of the chains (its branches have moved).
    void drop(int node) { alive_[node] = 0; }
    // The subtree at node has become a leaf.
    void collapse(int node) {
        for (const int child : tree_.nodes[node].children)
            bury(child);
        end_[head_[node]] = node;
    }

    // The leaf a case reaches from node; the nodes passed are recorded
    // under stamp.
    int walk(int node, std::size_t item, unsigned stamp);
    // Whether a walk recorded under stamp passed node.
    bool passed(int node, unsigned stamp) const {
        const int head = head_[node];
        return reachStamp_[head] == stamp && position_[node] <= reach_[head];
    }

private:
    void label(int node, int head, int position);
    void extend(int head, int position, unsigned stamp) {
        if (reachStamp_[head] != stamp) {
            reachStamp_[head] = stamp;
            reach_[head] = position;
        } else {
            reach_[head] = std::max(reach_[head], position);
        }
    }

    const Tree &tree_;
    const std::vector<PackedCut> &cuts_;
    const Dataset &data_;
    std::vector<int> head_;     // first node of the node's chain
    std::vector<int> position_; // place in the chain, from 0
    std::vector<char> alive_;   // still in the tree
    std::vector<int> end_;      // per head: the last node of its chain
    std::vector<int> reach_;    // per head: the deepest position passed
    std::vector<unsigned> reachStamp_;
    static std::uint64_t key(int head, int attribute) {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(head)) << 32 |
               static_cast<std::uint32_t>(attribute);
    }
    std::vector<std::uint64_t> listedUnder_; // key of the list holding the node, or Unlisted
    // Per key of chain head and attribute: two-way tests of the attribute
    // in the chain, perhaps stale.
    TestLists testsOf_;
    // The walking case's values by attribute; 0 between walks.
    std::vector<float> values_;
};

void ZeroChains::label(int node, int head, int position) {
    struct Place {
        int node, head, position;
    };
    std::vector<Place> stack{{node, head, position}};
    while (!stack.empty()) {
        const Place at = stack.back();
        stack.pop_back();
        head_[at.node] = at.head;
        position_[at.node] = at.position;
        alive_[at.node] = 1;
        const PackedCut &cut = cuts_[at.node];
        if (cut.attribute >= 0) {
            const std::uint64_t listKey = key(at.head, cut.attribute);
            if (listedUnder_[at.node] != listKey) {
                listedUnder_[at.node] = listKey;
                testsOf_.at(listKey).push_back(at.node);
            }
            const bool zeroBelow = 0.0f <= cut.threshold;
            const int other = zeroBelow ? cut.above : cut.below;
            stack.push_back({zeroBelow ? cut.below : cut.above, at.head, at.position + 1});
            stack.push_back({other, other, 0});
            continue;
        }
        end_[at.head] = at.node;
        for (const int child : tree_.nodes[at.node].children)
            stack.push_back({child, child, 0});
    }
}

void ZeroChains::bury(int node) {
    std::vector<int> stack{node};
    while (!stack.empty()) {
        const int at = stack.back();
        stack.pop_back();
        alive_[at] = 0;
        for (const int child : tree_.nodes[at].children)
            stack.push_back(child);
    }
}

int ZeroChains::walk(int node, std::size_t item, unsigned stamp) {
    const Dataset::Entry *const rowBegin = data_.rowBegin(item);
    const Dataset::Entry *const rowEnd = data_.rowEnd(item);
    const std::ptrdiff_t rowLength = rowEnd - rowBegin;
    // The case's values are spread into values_ once a step needs them.
    bool spread = false;
    const auto spreadValues = [&] {
        if (spread)
            return;
        for (const Dataset::Entry *e = rowBegin; e != rowEnd; ++e)
            values_[e->attribute] = e->value;
        spread = true;
    };
    int at = node;
    for (;;) {
        const PackedCut &cut = cuts_[at];
        const int head = head_[at];
        if (cut.attribute < 0) {
            extend(head, position_[at], stamp);
            const Node &n = tree_.nodes[at];
            if (n.kind == NodeKind::Leaf)
                break;
            at = n.children[tree_.branchOf(n, data_, item)];
            continue;
        }
        // What is left of a short chain is cheaper to step through than to
        // look the case's values up in.
        if (position_[end_[head]] - position_[at] <= 4 * rowLength) {
            spreadValues();
            for (const PackedCut *t = &cut; t->attribute >= 0; t = &cuts_[at]) {
                const bool valueBelow = values_[t->attribute] <= t->threshold;
                const bool leaves = valueBelow != (0.0f <= t->threshold);
                if (leaves)
                    extend(head, position_[at], stamp);
                at = valueBelow ? t->below : t->above;
                if (leaves)
                    break;
            }
            continue;
        }
        int exit = -1;
        int exitPosition = std::numeric_limits<int>::max();
        int next = -1;
        for (const Dataset::Entry *e = data_.rowBegin(item); e != data_.rowEnd(item); ++e) {
            const std::uint64_t listKey = key(head, e->attribute);
            std::vector<int> *const listed = testsOf_.find(listKey);
            if (!listed)
                continue;
            std::vector<int> &tests = *listed;
            for (std::size_t i = 0; i < tests.size(); ++i) {
                const int test = tests[i];
                const PackedCut &t = cuts_[test];
                if (!alive_[test] || t.attribute != e->attribute || head_[test] != head) {
                    // Gone from the tree, now testing another attribute or
                    // moved to another chain.
                    if (listedUnder_[test] == listKey)
                        listedUnder_[test] = TestLists::Unlisted;
                    tests[i--] = tests.back();
                    tests.pop_back();
                    continue;
                }
                if (position_[test] < position_[at] || position_[test] >= exitPosition)
                    continue;
                const bool valueBelow = e->value <= t.threshold;
                if (valueBelow == (0.0f <= t.threshold))
                    continue;
                exit = test;
                exitPosition = position_[test];
                next = valueBelow ? t.below : t.above;
            }
        }
        if (exit < 0) {
            at = end_[head];
            continue;
        }
        extend(head, exitPosition, stamp);
        at = next;
    }
    if (spread)
        for (const Dataset::Entry *e = rowBegin; e != rowEnd; ++e)
            values_[e->attribute] = 0.0f;
    return at;
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
            chains_ = std::make_unique<ZeroChains>(tree, cuts_, data);
        }
    }

    // Recounts and prunes the subtree at index for the cases reaching it;
    // returns its estimated errors. In additive mode a node lets go of its
    // cases once they are sent down its branches, and of each branch's
    // share once that branch is pruned, so that a chain hundreds of tests
    // deep does not hold nearly every case at every level. weights, if not
    // null, holds the cases' class weights and their sum.
    float prune(int index, std::vector<WeightedCase> cases, ClassWeights *weights = nullptr);
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
                 const std::vector<std::vector<WeightedCase>> &parts);
    float keep(int index, Counts &k, float errors);
    void gather(int index, std::vector<WeightedCase> &out) const;

    Tree &tree_;
    const Dataset &data_;
    float cf_;
    bool additive_;
    std::vector<std::vector<WeightedCase>> leafCases_;
    std::vector<unsigned> mark_; // leaves reached by the current extra cases
    unsigned stamp_ = 0;
    std::vector<float> extraDist_; // per marked leaf: class weights of the extra cases
    // Additive mode: the packed tests and their chains, kept in step with
    // the nodes.
    std::vector<PackedCut> cuts_;
    std::unique_ptr<ZeroChains> chains_;
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
    for (const WeightedCase &c : extra) {
        const int leaf = chains_->walk(index, c.item, stamp_);
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
        return tree_.nodes[index].errors;
    const PackedCut &cut = cuts_[index];
    if (cut.attribute >= 0)
        return sumPassed(cut.below) + sumPassed(cut.above);
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
    return errors;
}

float Pruner::prune(int index, std::vector<WeightedCase> cases, ClassWeights *weights) {
    const Node &node = tree_.nodes[index];
    Counts k = weights ? settle(node, {std::move(weights->dist), weights->items})
                       : count(node, cases, false);
    if (tree_.nodes[index].kind == NodeKind::Leaf) {
        if (additive_)
            leafCases_[index] = std::move(cases);
        return keep(index, k, k.asLeaf);
    }
    std::vector<std::vector<WeightedCase>> parts =
        tree_.distribute(tree_.nodes[index], data_, cases);
    std::vector<ClassWeights> partWeights;
    if (additive_) {
        std::vector<WeightedCase>().swap(cases);
        partClassWeights(data_, parts, k.dist, k.items, partWeights);
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
    return decide(index, k, cases, parts);
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
            return prune(index, cases);
        leafCases_[index] = std::move(leafCases_[branch]);
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
    estimate = pruner.prune(0, cases);
    return pruner.changed;
}
