#include "ZeroChains.h"

#include <algorithm>
#include <limits>

void ZeroChains::label(int node, int head, int position) {
    struct Labelling {
        int node, head, position;
    };
    std::vector<Labelling> stack{{node, head, position}};
    while (!stack.empty()) {
        const Labelling at = stack.back();
        stack.pop_back();
        place_[at.node] = {at.head, at.position};
        const PackedCut &cut = cuts_[at.node];
        if (cut.attribute >= 0) {
            const std::uint64_t listKey = key(at.head, cut.attribute);
            if (listedUnder_[at.node] != listKey) {
                listedUnder_[at.node] = listKey;
                if (tableOf_[at.head] < 0) {
                    tableOf_[at.head] = static_cast<int>(tables_.size());
                    tables_.emplace_back();
                }
                tables_[tableOf_[at.head]].add(cut.attribute, at.node);
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
        place_[at].head = Gone;
        for (const int child : tree_.nodes[at].children)
            stack.push_back(child);
    }
}

void ZeroChains::settle(Walker &walker, unsigned stamp) {
    for (const auto &[head, position] : walker.reached) {
        if (reachStamp_[head] != stamp) {
            reachStamp_[head] = stamp;
            reach_[head] = position;
        } else {
            reach_[head] = std::max(reach_[head], position);
        }
    }
    walker.reached.clear();
    for (const auto &[node, listKey] : walker.stale) {
        if (ChainTests::dropped(*node))
            continue; // met by two walkers
        if (listedUnder_[*node] == listKey)
            listedUnder_[*node] = Unlisted;
        ChainTests::drop(*node);
    }
    walker.stale.clear();
}

int ZeroChains::walk(int node, std::size_t item, Walker &walker) {
    std::vector<float> &values = walker.values;
    const auto extend = [&walker](int head, int position) {
        walker.reached.emplace_back(head, position);
    };
    const Dataset::Entry *const rowBegin = data_.rowBegin(item);
    const Dataset::Entry *const rowEnd = data_.rowEnd(item);
    const std::ptrdiff_t rowLength = rowEnd - rowBegin;
    // The case's values are spread into values once a step needs them.
    bool spread = false;
    const auto spreadValues = [&] {
        if (spread)
            return;
        for (const Dataset::Entry *e = rowBegin; e != rowEnd; ++e)
            values[e->attribute] = e->value;
        spread = true;
    };
    int at = node;
    for (;;) {
        const PackedCut &cut = cuts_[at];
        const int head = place_[at].head;
        const int position = place_[at].position;
        if (cut.attribute < 0) {
            extend(head, position);
            const Node &n = tree_.nodes[at];
            if (n.kind == NodeKind::Leaf)
                break;
            const int branch = tree_.branchOf(n, data_, item);
            if (branch < 0) {
                at = -1;
                break;
            }
            at = n.children[branch];
            continue;
        }
        // What is left of a short chain is cheaper to step through than to
        // look the case's values up in.
        if (place_[end_[head]].position - position <= 4 * rowLength) {
            spreadValues();
            for (const PackedCut *t = &cut; t->attribute >= 0; t = &cuts_[at]) {
                const bool valueBelow = values[t->attribute] <= t->threshold;
                const bool leaves = valueBelow != (0.0f <= t->threshold);
                if (leaves)
                    extend(head, place_[at].position);
                at = valueBelow ? t->below : t->above;
                if (leaves)
                    break;
            }
            continue;
        }
        int exitPosition = std::numeric_limits<int>::max();
        int next = -1;
        ChainTests &tests = tables_[tableOf_[head]];
        for (const Dataset::Entry *e = rowBegin; e != rowEnd; ++e) {
            const std::uint64_t listKey = key(head, e->attribute);
            tests.forEach(e->attribute, [&](int &test) {
                const PackedCut &t = cuts_[test];
                const Place &p = place_[test];
                if (p.head != head || t.attribute != e->attribute) {
                    // Gone from the tree, moved to another chain or now
                    // testing another attribute.
                    walker.stale.emplace_back(&test, listKey);
                    return;
                }
                if (p.position < position || p.position >= exitPosition)
                    return;
                const bool valueBelow = e->value <= t.threshold;
                if (valueBelow != (0.0f <= t.threshold)) {
                    exitPosition = p.position;
                    next = valueBelow ? t.below : t.above;
                }
            });
        }
        if (next < 0) {
            at = end_[head];
            continue;
        }
        extend(head, exitPosition);
        at = next;
    }
    if (spread)
        for (const Dataset::Entry *e = rowBegin; e != rowEnd; ++e)
            values[e->attribute] = 0.0f;
    return at;
}
