// The zero paths of a tree, for walks that skip the "word <= 0" tests a
// case passes by.
#pragma once

#include "Dataset.h"
#include "Tree.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// The two-way tests of one chain by attribute, in an open-addressed table
// whose slots each hold an attribute and a test of it: a walk looks up every
// value of a case in every long chain it passes, most lookups find nothing,
// and a lookup costs a probe or two of a small flat array, with the tests
// found in the slots themselves. A filter of four bits per slot, a
// sixteenth of the slots' size, answers most lookups that find nothing.
class ChainTests {
public:
    ChainTests() : slots_(16, {Empty, Dropped}), filter_(1, 0) {}

    void add(int attribute, int node) {
        if (2 * (used_ + 1) > slots_.size())
            rehash();
        place(attribute, node);
        ++used_;
    }
    // Calls visit(node) for each test of attribute listed, with node the
    // test's place in the table: drop(node) drops it. Concurrent calls are
    // safe while nothing is added or dropped.
    template <class Visit> void forEach(int attribute, Visit visit) {
        const std::size_t bit = bitOf(attribute);
        if (!(filter_[bit / 64] >> (bit % 64) & 1))
            return;
        for (std::size_t at = slotOf(attribute); slots_[at].attribute != Empty;
             at = (at + 1) & (slots_.size() - 1)) {
            Slot &slot = slots_[at];
            if (slot.attribute == attribute && slot.node != Dropped)
                visit(slot.node);
        }
    }
    static void drop(int &node) { node = Dropped; }
    static bool dropped(int node) { return node == Dropped; }

private:
    static constexpr int Empty = -1;
    static constexpr int Dropped = -1;
    struct Slot {
        int attribute; // Empty if the slot was never used
        int node;      // Dropped once stale
    };

    static std::size_t hashOf(int attribute) {
        return static_cast<std::size_t>(
            (static_cast<std::uint32_t>(attribute) * 0x9E3779B97F4A7C15ull) >> 32);
    }
    std::size_t slotOf(int attribute) const { return hashOf(attribute) & (slots_.size() - 1); }
    std::size_t bitOf(int attribute) const { return hashOf(attribute) & (4 * slots_.size() - 1); }
    void place(int attribute, int node) {
        const std::size_t bit = bitOf(attribute);
        filter_[bit / 64] |= std::uint64_t{1} << (bit % 64);
        std::size_t at = slotOf(attribute);
        while (slots_[at].attribute != Empty)
            at = (at + 1) & (slots_.size() - 1);
        slots_[at] = {attribute, node};
    }
    // Leaves the dropped tests behind, in a table at most a quarter full.
    void rehash() {
        std::vector<Slot> slots;
        slots.swap(slots_);
        used_ = 0;
        for (const Slot &slot : slots)
            used_ += slot.attribute != Empty && slot.node != Dropped;
        std::size_t size = 16;
        while (size < 4 * (used_ + 1))
            size *= 2;
        slots_.assign(size, {Empty, Dropped});
        filter_.assign(size / 16, 0);
        for (const Slot &slot : slots)
            if (slot.attribute != Empty && slot.node != Dropped)
                place(slot.attribute, slot.node);
    }

    std::vector<Slot> slots_;           // size a power of 2, at most half used
    std::vector<std::uint64_t> filter_; // a bit per 4 * slots_.size() hashes; set if placed
    std::size_t used_ = 0;              // slots holding a test, dropped or not
};

// The zero paths of a tree. From a two-way test, the branch a value of 0
// takes leads to the next test of a chain that ends at a leaf or at a test of
// a discrete attribute; in text trees these "word <= 0" chains run hundreds
// of tests deep. A case leaves a chain only at a test of one of its non-zero
// values, so a walk looks those tests up instead of stepping through the
// chain, and the nodes walks pass are known per chain from the deepest
// position reached. Tests are listed per chain and attribute, in a table of
// the chain's own: a word is tested in thousands of chains of a large tree,
// of which a walk needs one, and the walks of a pruning decision look up
// one chain's tests many times over.
class ZeroChains {
public:
    ZeroChains(const Tree &tree, const std::vector<PackedCut> &cuts, const Dataset &data)
        : tree_(tree), cuts_(cuts), data_(data), place_(tree.nodes.size(), {Gone, 0}),
          end_(tree.nodes.size()), reach_(tree.nodes.size()), reachStamp_(tree.nodes.size(), 0),
          listedUnder_(tree.nodes.size(), Unlisted), tableOf_(tree.nodes.size(), -1) {
        label(0, 0, 0);
    }

    // Labels the subtree at node anew after it changed; node keeps its place.
    void relabel(int node) { label(node, place_[node].head, place_[node].position); }
    // Takes the subtree at node out of the chains.
    void bury(int node);
    // Takes node alone out of the chains (its branches have moved).
    void drop(int node) { place_[node].head = Gone; }
    // The subtree at node has become a leaf.
    void collapse(int node) {
        for (const int child : tree_.nodes[node].children)
            bury(child);
        end_[place_[node].head] = node;
    }

    // What the walks of one thread need and find: the walking case's
    // values by attribute, 0 between walks; the deepest positions passed,
    // by chain head; the stale tests met, by their places in the tables.
    struct Walker {
        std::vector<float> values;
        std::vector<std::pair<int, int>> reached;
        std::vector<std::pair<int *, std::uint64_t>> stale;
    };
    Walker walker() const { return {std::vector<float>(data_.attributes(), 0.0f), {}, {}}; }
    // The leaf a case reaches from node, or -1 when it meets a discrete
    // test of a value the tree does not know (a test case's value that no
    // training case had), which sends it down every branch. It changes
    // nothing but walker, so that threads can walk side by side.
    int walk(int node, std::size_t item, Walker &walker);
    // The leaf a case reaches from the root, as walk, of a tree that does
    // not change meanwhile, recording nothing.
    int leafOf(std::size_t item, Walker &walker) {
        const int leaf = walk(0, item, walker);
        walker.reached.clear();
        return leaf;
    }
    // Records the nodes the walker's walks passed under stamp, and drops the
    // stale tests they met.
    void settle(Walker &walker, unsigned stamp);
    // Whether a walk recorded under stamp passed node.
    bool passed(int node, unsigned stamp) const {
        const Place &at = place_[node];
        return reachStamp_[at.head] == stamp && at.position <= reach_[at.head];
    }

private:
    void label(int node, int head, int position);

    const Tree &tree_;
    const std::vector<PackedCut> &cuts_;
    const Dataset &data_;
    static constexpr int Gone = -1;
    struct Place {
        int head;     // first node of the node's chain; Gone once out of the tree
        int position; // in the chain, from 0
    };
    std::vector<Place> place_;
    std::vector<int> end_;   // per head: the last node of its chain
    std::vector<int> reach_; // per head: the deepest position passed
    std::vector<unsigned> reachStamp_;
    static std::uint64_t key(int head, int attribute) {
        return static_cast<std::uint64_t>(static_cast<std::uint32_t>(head)) << 32 |
               static_cast<std::uint32_t>(attribute);
    }
    static constexpr std::uint64_t Unlisted = ~std::uint64_t{0};
    std::vector<std::uint64_t> listedUnder_; // key of the list holding the node, or Unlisted
    // Per chain head, its table in tables_ or -1; per attribute there, the
    // two-way tests of the attribute in the chain, perhaps stale.
    std::vector<int> tableOf_;
    std::vector<ChainTests> tables_;
};
