// Tree growing. A node's continuous attributes are evaluated from the class
// counts of the distinct values its cases hold: each case's non-zero entries
// are gathered per attribute, counted by their precomputed rank in the
// attribute's value order, and the zero count is the node's total minus the
// rest. So no node sorts cases, and work follows the non-zero entries.
// Without unknown values every case weighs 1 and counts are whole: entries
// of equal rank and class are then merged, and the largest branch of a split
// inherits its parent's entries less those of the other branches' cases, so
// that long chains of "word <= 0" tests do not gather the same cases again.
#include "Grow.h"
#include "RegionFailure.h"

#include "CaseChains.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include <omp.h>

namespace {

constexpr float Epsilon = 1e-3f;

// x log2 x in single precision, with 0 log 0 = 0, and N log N - sum n log n
// over a distribution (N times its entropy). Whole counts, the usual case,
// come from a table of the same single-precision values.
class InfoTable {
public:
    explicit InfoTable(std::size_t items) : table_(items + 1) {
        for (std::size_t i = 0; i <= items; ++i)
            table_[i] = compute(static_cast<float>(i));
    }
    float nLogN(float x) const {
        const auto whole = static_cast<std::size_t>(x);
        if (x >= 0 && static_cast<float>(whole) == x && whole < table_.size())
            return table_[whole];
        return compute(x);
    }
    // The same over the listed entries only; the others must be 0.
    float totalInfo(const std::vector<float> &dist, const std::vector<int> &present) const {
        float sum = 0, total = 0;
        for (const int c : present) {
            sum += nLogN(dist[c]);
            total += dist[c];
        }
        return nLogN(total) - sum;
    }
    float totalInfo(const float *dist, int count) const {
        float sum = 0, total = 0;
        for (int c = 0; c < count; ++c) {
            sum += nLogN(dist[c]);
            total += dist[c];
        }
        return nLogN(total) - sum;
    }
    // totalInfo(below, count) + totalInfo(above, count) where above is
    // known - below, each sum kept in its own order: the two chains of
    // additions then overlap. With whole, every count is whole and within
    // the table, as with whole weights, and is looked up unchecked.
    template <bool whole> float splitInfo(const float *below, const float *known, int count) const {
        const auto term = [this](float x) {
            return whole ? table_[static_cast<std::size_t>(x)] : nLogN(x);
        };
        float sumBelow = 0, totalBelow = 0, sumAbove = 0, totalAbove = 0;
        for (int c = 0; c < count; ++c) {
            const float above = known[c] - below[c];
            sumBelow += term(below[c]);
            totalBelow += below[c];
            sumAbove += term(above);
            totalAbove += above;
        }
        return (term(totalBelow) - sumBelow) + (term(totalAbove) - sumAbove);
    }

private:
    static float compute(float x) {
        return x > 0 ? static_cast<float>(x * std::log2(static_cast<double>(x))) : 0.0f;
    }
    std::vector<float> table_;
};

// The midpoint of two neighbouring values in single precision, unless it
// rounds to the higher one (10000001 and 10000002) or overflows: then the
// lower value, so that the cut always parts the two.
float cutBetween(float low, float high) {
    const float middle = (low + high) / 2;
    return middle >= low && middle < high ? middle : low;
}

struct BucketEntry {
    int rank; // position in the attribute's value order; -1 if unknown
    int cls;
    float weight;
    bool operator<(const BucketEntry &other) const {
        return rank != other.rank ? rank < other.rank : cls < other.cls;
    }
};

// The bucket entries of a node's cases, for the attributes with entries
// there only, so that a node's work follows its own attributes, not all
// of them: attributes[k]'s entries are in [begin[k], end[k]).
struct Histogram {
    std::vector<int> attributes; // ascending
    std::vector<std::size_t> begin, end;
    std::vector<BucketEntry> entries;
    // Per slot: the weight of the entries with a known value, summed in
    // entry order, and whether any value is unknown.
    std::vector<float> known;
    std::vector<char> anyUnknown;
    // A large histogram inherited down a chain, which loses entries at every
    // level, keeps its map from attributes to slots (-1 if none), and its
    // slots left empty until they are many: a removal then costs what the
    // removed cases hold rather than what the slots number.
    std::vector<int> slotOfAttribute;
    std::size_t emptySlots = 0;
    const BucketEntry *first(std::size_t k) const { return entries.data() + begin[k]; }
    const BucketEntry *last(std::size_t k) const { return entries.data() + end[k]; }
};

struct Evaluation {
    bool usable = false;
    float gain = 0;
    float info = 0;
    float cut = 0;                  // continuous: midpoint of the best cut
    std::vector<int> branchOfValue; // discrete
    bool grouped = false;
};

// The class weights of a node and the classes with weight, ascending.
// Continuous attributes are evaluated over the present classes only, each
// at its place in present: sums skip only terms that are 0, so they come out
// as over all classes.
struct NodeClasses {
    const std::vector<float> &dist;
    std::vector<int> present;
    std::vector<int> placeOf;       // per class: its place in present, or -1
    std::vector<float> presentDist; // dist at each place
    float items;
    // With whole weights and no unknown values every attribute knows all
    // the node's cases: their sum over the present classes, in order, and
    // its information per case are then the node's own.
    float knownItems = 0;
    float baseInfo = 0;
    // Fewest non-zero known cases a continuous attribute needs for a cut,
    // with a margin that leaves borderline cases to the full count.
    float fewestNonZero = 0;
};

struct Scratch {
    std::vector<int> slotOfRank;
    std::vector<int> touched;
    std::vector<float> counts; // per touched slot, a row of weights by place
    std::vector<float> below, known, unknown;
};

} // namespace

struct Grower::Impl {
    const Dataset &data;
    const Schema &schema;
    const Options &options;
    int classes;
    InfoTable info;
    std::vector<std::vector<float>> values; // per attribute: distinct known values, ascending
    std::vector<int> zeroRank;              // per attribute: rank of 0, or -1 if no case has 0
    std::vector<int> entryRank;             // per entry of data: rank of its value
    std::vector<char> tested;               // discrete attributes tested on the current path
    std::vector<int> discrete;              // discrete attributes, ascending
    // Per attribute, between uses 0 and -1: entries counted, slot in a histogram.
    std::vector<std::size_t> entriesOf;
    std::vector<int> slotOf;
    std::vector<int> candidates;  // attributes evaluated at the node being split
    std::vector<Evaluation> eval; // per attribute, at the node being split
    // The usable attributes among each chunk of candidates, ascending: the
    // choice reads these alone, for most attributes of a node are not.
    std::vector<std::vector<int>> usableByChunk;
    bool merged; // entries merged, branches inherit (whole weights)
    std::vector<Scratch> scratch;
    int threads;
    CaseChains chains;

    Impl(const Dataset &d, const Schema &s, const Options &o);
    // Grows the subtree of cases; given, if not null, is their histogram,
    // which the subtree may change, and weights, if not null, their class
    // weights.
    int build(Tree &tree, NodeCases cases, Histogram *given, ClassWeights *weights);
    // cases are listed if there are discrete attributes.
    bool choose(const NodeCases &cases, const std::vector<float> &dist, float items,
                const Histogram &histogram, Node &node);
    void fill(Histogram &histogram, const std::vector<WeightedCase> &cases);
    // Takes the cases' entries out of a merged histogram holding them, and
    // the attributes left without entries: at once, or, from a large
    // histogram, once they are a quarter of its slots.
    void remove(Histogram &histogram, const std::vector<WeightedCase> &cases);
    // Whether the attribute's entries in the histogram's slot give a usable
    // cut; if so, result holds its gain, info and cut. Most attributes of a
    // node are not, and their results are left untouched.
    bool evalContinuous(int a, const Histogram &histogram, std::size_t slot,
                        const NodeClasses &node, Scratch &s, Evaluation &result) const;
    Evaluation evalDiscrete(int a, const std::vector<WeightedCase> &cases, float items) const;
    // Fewest known cases on each side of a cut: a tenth of the average per
    // class, at least MINOBJS and at most 25.
    float minSplitFor(float knownItems) const {
        const float minObjs = static_cast<float>(options.minObjs);
        const float minSplit = 0.1f * knownItems / static_cast<float>(classes);
        return minSplit <= minObjs ? minObjs : std::min(minSplit, 25.0f);
    }
    float groupGain(const std::vector<float> &table, int groups, float known, float items) const;
    float groupInfo(const std::vector<float> &table, int groups, float items) const;
};

Grower::Impl::Impl(const Dataset &d, const Schema &s, const Options &o)
    : data(d), schema(s), options(o), classes(static_cast<int>(s.classes.size())), info(d.size()),
      chains(d) {
    const std::size_t attributes = s.attributes.size();
    values.resize(attributes);
    zeroRank.assign(attributes, -1);
    std::vector<std::size_t> nonZero(attributes, 0);
    const Dataset::Entry *base = d.size() ? d.rowBegin(0) : nullptr;
    for (std::size_t i = 0; i < d.size(); ++i)
        for (const Dataset::Entry *e = d.rowBegin(i); e != d.rowEnd(i); ++e) {
            ++nonZero[e->attribute];
            if (!Dataset::isUnknown(e->value))
                values[e->attribute].push_back(e->value);
        }
    for (std::size_t a = 0; a < attributes; ++a) {
        if (nonZero[a] < d.size())
            values[a].push_back(0.0f);
        std::sort(values[a].begin(), values[a].end());
        values[a].erase(std::unique(values[a].begin(), values[a].end()), values[a].end());
        if (nonZero[a] < d.size())
            zeroRank[a] = static_cast<int>(
                std::lower_bound(values[a].begin(), values[a].end(), 0.0f) - values[a].begin());
    }
    entryRank.resize(d.entryCount());
    for (std::size_t i = 0; i < d.size(); ++i)
        for (const Dataset::Entry *e = d.rowBegin(i); e != d.rowEnd(i); ++e) {
            const std::vector<float> &v = values[e->attribute];
            entryRank[e - base] =
                Dataset::isUnknown(e->value)
                    ? -1
                    : static_cast<int>(std::lower_bound(v.begin(), v.end(), e->value) - v.begin());
        }
    std::size_t widest = 0;
    for (const auto &v : values)
        widest = std::max(widest, v.size());
    threads = threadBudget();
    scratch.resize(threads);
    for (Scratch &sc : scratch) {
        sc.slotOfRank.assign(widest, -1);
        for (std::vector<float> *v : {&sc.known, &sc.unknown, &sc.below})
            v->assign(classes, 0.0f);
    }
    tested.assign(attributes, 0);
    for (std::size_t a = 0; a < attributes; ++a)
        if (s.attributes[a].kind == AttributeKind::Discrete)
            discrete.push_back(static_cast<int>(a));
    entriesOf.assign(attributes, 0);
    slotOf.assign(attributes, -1);
    merged = !d.hasUnknowns();
    eval.resize(attributes);
}

void Grower::Impl::fill(Histogram &histogram, const std::vector<WeightedCase> &cases) {
    std::vector<int> &present = histogram.attributes;
    present.clear();
    for (const WeightedCase &c : cases)
        for (const Dataset::Entry *e = data.rowBegin(c.item); e != data.rowEnd(c.item); ++e)
            if (entriesOf[e->attribute]++ == 0)
                present.push_back(e->attribute);
    std::sort(present.begin(), present.end());
    const std::size_t k = present.size();
    std::vector<std::size_t> &begin = histogram.begin;
    begin.assign(k + 1, 0);
    for (std::size_t slot = 0; slot < k; ++slot) {
        begin[slot + 1] = begin[slot] + entriesOf[present[slot]];
        entriesOf[present[slot]] = 0;
        slotOf[present[slot]] = static_cast<int>(slot);
    }
    histogram.entries.resize(begin[k]);
    histogram.end.assign(begin.begin(), begin.end() - 1);
    const Dataset::Entry *base = data.rowBegin(0);
    for (const WeightedCase &c : cases) {
        const int cls = data.classOf(c.item);
        for (const Dataset::Entry *e = data.rowBegin(c.item); e != data.rowEnd(c.item); ++e)
            histogram.entries[histogram.end[slotOf[e->attribute]]++] = {entryRank[e - base], cls,
                                                                        c.weight};
    }
    for (const int a : present)
        slotOf[a] = -1;
    histogram.known.assign(k, 0.0f);
    histogram.anyUnknown.assign(k, 0);
    for (std::size_t slot = 0; slot < k; ++slot)
        for (const BucketEntry *e = histogram.first(slot); e != histogram.last(slot); ++e) {
            if (e->rank < 0)
                histogram.anyUnknown[slot] = 1;
            else
                histogram.known[slot] += e->weight;
        }
    if (!merged)
        return;
    for (std::size_t slot = 0; slot < k; ++slot) {
        BucketEntry *first = histogram.entries.data() + begin[slot];
        BucketEntry *last = histogram.entries.data() + histogram.end[slot];
        std::sort(first, last);
        BucketEntry *out = first;
        double weight = first->weight;
        for (BucketEntry *in = first + 1; in != last; ++in) {
            if (in->rank == out->rank && in->cls == out->cls) {
                weight += in->weight;
                continue;
            }
            out->weight = static_cast<float>(weight);
            *++out = *in;
            weight = in->weight;
        }
        out->weight = static_cast<float>(weight);
        histogram.end[slot] = static_cast<std::size_t>(out + 1 - histogram.entries.data());
    }
}

void Grower::Impl::remove(Histogram &histogram, const std::vector<WeightedCase> &cases) {
    const std::size_t k = histogram.attributes.size();
    const bool large = 8 * k > slotOf.size();
    std::vector<int> &slotMap = large ? histogram.slotOfAttribute : slotOf;
    if (!large || slotMap.empty()) {
        if (large)
            slotMap.assign(slotOf.size(), -1);
        for (std::size_t slot = 0; slot < k; ++slot)
            slotMap[histogram.attributes[slot]] = static_cast<int>(slot);
    }
    const Dataset::Entry *base = data.rowBegin(0);
    std::vector<int> touched;
    for (const WeightedCase &c : cases) {
        const int cls = data.classOf(c.item);
        for (const Dataset::Entry *e = data.rowBegin(c.item); e != data.rowEnd(c.item); ++e) {
            const int slot = slotMap[e->attribute];
            BucketEntry *first = histogram.entries.data() + histogram.begin[slot];
            BucketEntry *last = histogram.entries.data() + histogram.end[slot];
            BucketEntry *at =
                std::lower_bound(first, last, BucketEntry{entryRank[e - base], cls, 0});
            at->weight -= c.weight;
            histogram.known[slot] -= c.weight;
            if (at->weight == 0)
                touched.push_back(slot);
        }
    }
    for (const int slot : touched) {
        BucketEntry *first = histogram.entries.data() + histogram.begin[slot];
        BucketEntry *last = histogram.entries.data() + histogram.end[slot];
        if (first == last)
            continue; // met twice
        histogram.end[slot] = static_cast<std::size_t>(
            std::remove_if(first, last, [](const BucketEntry &b) { return b.weight == 0; }) -
            histogram.entries.data());
        histogram.emptySlots += histogram.end[slot] == histogram.begin[slot];
    }
    if (large && 4 * histogram.emptySlots <= k)
        return;
    std::size_t kept = 0;
    for (std::size_t slot = 0; slot < k; ++slot) {
        const int a = histogram.attributes[slot];
        if (histogram.end[slot] == histogram.begin[slot]) {
            slotMap[a] = -1;
            continue;
        }
        slotMap[a] = large ? static_cast<int>(kept) : -1;
        histogram.attributes[kept] = a;
        histogram.begin[kept] = histogram.begin[slot];
        histogram.end[kept] = histogram.end[slot];
        histogram.known[kept] = histogram.known[slot];
        histogram.anyUnknown[kept] = histogram.anyUnknown[slot];
        ++kept;
    }
    histogram.attributes.resize(kept);
    histogram.begin.resize(kept);
    histogram.end.resize(kept);
    histogram.known.resize(kept);
    histogram.anyUnknown.resize(kept);
    histogram.emptySlots = 0;
}

bool Grower::Impl::evalContinuous(int a, const Histogram &histogram, std::size_t slot,
                                  const NodeClasses &node, Scratch &s, Evaluation &result) const {
    const BucketEntry *first = histogram.first(slot);
    const BucketEntry *last = histogram.last(slot);
    // All cases 0 here: no cut.
    if (first == last)
        return false;
    // Every cut leaves only non-zero values on one side, and each side needs
    // MinSplit known cases (at least MINOBJS): most words of a text node are
    // dismissed here. The margin leaves borderline cases to the full count.
    const float minObjs = static_cast<float>(options.minObjs);
    if (histogram.known[slot] < (histogram.anyUnknown[slot] ? minObjs : node.fewestNonZero))
        return false;
    // The values are read once the entries are counted: asked for now, the
    // two loads overlap.
    const std::vector<float> &v = values[a];
    __builtin_prefetch(v.data());

    const int P = static_cast<int>(node.present.size());
    const std::vector<int> &placeOf = node.placeOf;
    std::fill_n(s.known.begin(), P, 0.0f);
    std::fill_n(s.unknown.begin(), P, 0.0f);
    s.touched.clear();
    for (const BucketEntry *entry = first; entry != last; ++entry) {
        const BucketEntry &e = *entry;
        // A class without weight here can only bring entries of weight 0.
        const int k = placeOf[e.cls];
        if (k < 0)
            continue;
        if (e.rank < 0) {
            s.unknown[k] += e.weight;
            continue;
        }
        int slot = s.slotOfRank[e.rank];
        if (slot < 0) {
            slot = static_cast<int>(s.touched.size());
            s.slotOfRank[e.rank] = slot;
            s.touched.push_back(e.rank);
            if (s.counts.size() < (slot + 1) * static_cast<std::size_t>(P))
                s.counts.resize((slot + 1) * static_cast<std::size_t>(P), 0.0f);
        }
        s.counts[slot * P + k] += e.weight;
        s.known[k] += e.weight;
    }
    if (zeroRank[a] >= 0) {
        const int slot = static_cast<int>(s.touched.size());
        s.counts.resize(std::max(s.counts.size(), (slot + 1) * static_cast<std::size_t>(P)), 0.0f);
        float *zeroRow = &s.counts[slot * P];
        float zeros = 0;
        for (int k = 0; k < P; ++k) {
            float z = node.presentDist[k] - s.known[k] - s.unknown[k];
            if (z < 1e-5f)
                z = 0;
            zeroRow[k] = z;
            s.known[k] += z;
            zeros += z;
        }
        if (zeros > 0) {
            s.slotOfRank[zeroRank[a]] = slot;
            s.touched.push_back(zeroRank[a]);
        } else {
            std::fill_n(zeroRow, P, 0.0f);
        }
    }
    std::sort(s.touched.begin(), s.touched.end());

    float knownItems = node.knownItems, unknownItems = 0;
    if (!merged) {
        knownItems = 0;
        for (int k = 0; k < P; ++k) {
            knownItems += s.known[k];
            unknownItems += s.unknown[k];
        }
    }
    bool usable = false;
    if (knownItems >= 2 * minObjs && s.touched.size() > 1) {
        const float minSplit = minSplitFor(knownItems);
        const float baseInfo =
            merged ? node.baseInfo : info.totalInfo(s.known.data(), P) / knownItems;
        const float knownFraction = 1 - unknownItems / node.items;
        std::fill_n(s.below.begin(), P, 0.0f);
        int tries = 0;
        float bestGain = -Epsilon;
        float belowItems = 0;
        for (std::size_t i = 0; i + 1 < s.touched.size(); ++i) {
            const float *row = &s.counts[s.slotOfRank[s.touched[i]] * P];
            for (int k = 0; k < P; ++k) {
                s.below[k] += row[k];
                belowItems += row[k];
            }
            const float low = v[s.touched[i]];
            const float high = v[s.touched[i + 1]];
            if (!(high > low + 1e-5f) || belowItems < minSplit ||
                knownItems - belowItems < minSplit)
                continue;
            ++tries;
            const float thisInfo = merged
                                       ? info.splitInfo<true>(s.below.data(), s.known.data(), P)
                                       : info.splitInfo<false>(s.below.data(), s.known.data(), P);
            const float gain = knownFraction * (baseInfo - thisInfo / knownItems);
            if (gain > bestGain) {
                bestGain = gain;
                result.cut = cutBetween(low, high);
                const float split[3] = {unknownItems, belowItems, knownItems - belowItems};
                result.info = info.totalInfo(split, 3) / node.items;
            }
        }
        if (tries > 0) {
            result.gain =
                bestGain - static_cast<float>(std::log2(static_cast<double>(tries))) / node.items;
            usable = result.gain > 0;
        }
    }
    for (const int rank : s.touched) {
        std::fill_n(s.counts.begin() + s.slotOfRank[rank] * P, P, 0.0f);
        s.slotOfRank[rank] = -1;
    }
    return usable;
}

float Grower::Impl::groupGain(const std::vector<float> &table, int groups, float known,
                              float items) const {
    const int C = classes;
    int reasonable = 0;
    float thisInfo = 0;
    std::vector<float> knownDist(C, 0.0f);
    for (int g = 1; g <= groups; ++g) {
        const float *row = &table[g * C];
        float n = 0;
        for (int c = 0; c < C; ++c) {
            n += row[c];
            knownDist[c] += row[c];
        }
        if (n >= static_cast<float>(options.minObjs))
            ++reasonable;
        thisInfo += info.totalInfo(row, C);
    }
    if (reasonable < 2)
        return -Epsilon;
    const float baseInfo = info.totalInfo(knownDist.data(), C) / known;
    return (1 - (items - known) / items) * (baseInfo - thisInfo / known);
}

float Grower::Impl::groupInfo(const std::vector<float> &table, int groups, float items) const {
    std::vector<float> sizes(groups + 1, 0.0f);
    for (int g = 0; g <= groups; ++g)
        for (int c = 0; c < classes; ++c)
            sizes[g] += table[g * classes + c];
    return info.totalInfo(sizes.data(), groups + 1) / items;
}

Evaluation Grower::Impl::evalDiscrete(int a, const std::vector<WeightedCase> &cases,
                                      float items) const {
    const int C = classes;
    const int n = static_cast<int>(schema.attributes[a].values.size());
    // Row 0 holds the unknown values, row v value v.
    std::vector<float> table((n + 1) * C, 0.0f);
    for (const WeightedCase &c : cases)
        table[data.discreteValue(c.item, a) * C + data.classOf(c.item)] += c.weight;
    float unknown = 0;
    for (int c = 0; c < C; ++c)
        unknown += table[c];
    const float known = items - unknown;

    Evaluation result;
    result.branchOfValue.resize(n + 1);
    for (int v = 1; v <= n; ++v)
        result.branchOfValue[v] = v - 1;
    result.gain = known > 0 ? groupGain(table, n, known, items) : -Epsilon;
    result.info = groupInfo(table, n, items);
    result.usable = result.gain > -Epsilon;
    if (!options.valueSubsets || n <= 2 || known <= 0)
        return result;

    // Greedy merging of value groups: each step merges the pair giving the
    // highest gain ratio; the best grouping met is kept. Merging two groups
    // changes only their own terms in the sums behind the gain and the split
    // information, so trial merges are weighed from those terms; the merge
    // chosen is then measured afresh.
    std::vector<std::vector<int>> groups;
    for (int v = 1; v <= n; ++v)
        groups.push_back({v});
    auto tableOf = [&](const std::vector<std::vector<int>> &g) {
        std::vector<float> t((g.size() + 1) * C, 0.0f);
        std::copy(table.begin(), table.begin() + C, t.begin());
        for (std::size_t k = 0; k < g.size(); ++k)
            for (const int v : g[k])
                for (int c = 0; c < C; ++c)
                    t[(k + 1) * C + c] += table[v * C + c];
        return t;
    };
    const float minObjs = static_cast<float>(options.minObjs);
    const float knownFraction = 1 - (items - known) / items;
    std::vector<float> knownDist(C, 0.0f);
    for (int v = 1; v <= n; ++v)
        for (int c = 0; c < C; ++c)
            knownDist[c] += table[v * C + c];
    const float baseInfo = info.totalInfo(knownDist.data(), C) / known;
    float bestRatio = result.usable && result.info > Epsilon ? result.gain / result.info : -Epsilon;
    std::vector<std::vector<int>> best = groups;
    std::vector<float> rows = tableOf(groups);
    std::vector<float> merged(C);
    while (groups.size() > 2) {
        const std::size_t k = groups.size();
        std::vector<float> size(k, 0.0f), rowInfo(k);
        float infoSum = 0, sizeNLogN = 0, total = unknown;
        int reasonable = 0;
        for (std::size_t g = 0; g < k; ++g) {
            const float *row = &rows[(g + 1) * C];
            for (int c = 0; c < C; ++c)
                size[g] += row[c];
            rowInfo[g] = info.totalInfo(row, C);
            infoSum += rowInfo[g];
            sizeNLogN += info.nLogN(size[g]);
            total += size[g];
            reasonable += size[g] >= minObjs;
        }
        float stepRatio = -1e30f;
        std::size_t bi = 0, bj = 1;
        for (std::size_t i = 0; i < k; ++i)
            for (std::size_t j = i + 1; j < k; ++j) {
                for (int c = 0; c < C; ++c)
                    merged[c] = rows[(i + 1) * C + c] + rows[(j + 1) * C + c];
                const float mergedSize = size[i] + size[j];
                const int groupsReasonable = reasonable - (size[i] >= minObjs) -
                                             (size[j] >= minObjs) + (mergedSize >= minObjs);
                const float thisInfo =
                    infoSum - rowInfo[i] - rowInfo[j] + info.totalInfo(merged.data(), C);
                const float gain =
                    groupsReasonable < 2 ? -Epsilon : knownFraction * (baseInfo - thisInfo / known);
                const float split =
                    (info.nLogN(total) - info.nLogN(unknown) - sizeNLogN + info.nLogN(size[i]) +
                     info.nLogN(size[j]) - info.nLogN(mergedSize)) /
                    items;
                // Merges equal in exact arithmetic (as of values no case
                // holds) go to the first pair, whatever the rounding; so
                // does the choice of grouping below.
                const float ratio = split > Epsilon ? gain / split : -Epsilon;
                if (ratio > stepRatio + 1e-6f * std::fabs(stepRatio)) {
                    stepRatio = ratio;
                    bi = i;
                    bj = j;
                }
            }
        groups[bi].insert(groups[bi].end(), groups[bj].begin(), groups[bj].end());
        groups.erase(groups.begin() + bj);
        rows = tableOf(groups);
        const int kept = static_cast<int>(groups.size());
        const float stepGain = groupGain(rows, kept, known, items);
        const float stepInfo = groupInfo(rows, kept, items);
        stepRatio = stepInfo > Epsilon ? stepGain / stepInfo : -Epsilon;
        if (stepGain > -Epsilon && stepRatio > bestRatio + 1e-6f * std::fabs(bestRatio)) {
            bestRatio = stepRatio;
            best = groups;
            result.gain = stepGain;
            result.info = stepInfo;
            result.usable = true;
        }
    }
    result.grouped = best.size() < static_cast<std::size_t>(n);
    for (std::size_t k = 0; k < best.size(); ++k)
        for (const int v : best[k])
            result.branchOfValue[v] = static_cast<int>(k);
    return result;
}

bool Grower::Impl::choose(const NodeCases &cases, const std::vector<float> &dist, float items,
                          const Histogram &histogram, Node &node) {
    // Only the continuous attributes with entries here can have a cut, and
    // only discrete ones are tested otherwise; both in attribute order, on
    // which ties depend.
    candidates.clear();
    std::merge(histogram.attributes.begin(), histogram.attributes.end(), discrete.begin(),
               discrete.end(), std::back_inserter(candidates));
    const int count = static_cast<int>(candidates.size());
    NodeClasses here{dist, {}, std::vector<int>(classes, -1), {}, items};
    here.fewestNonZero = 0.999f * minSplitFor(items);
    for (int c = 0; c < classes; ++c)
        if (dist[c] > 0) {
            here.placeOf[c] = static_cast<int>(here.present.size());
            here.present.push_back(c);
            here.presentDist.push_back(dist[c]);
            here.knownItems += dist[c];
        }
    if (merged && here.knownItems > 0)
        here.baseInfo = info.totalInfo(dist, here.present) / here.knownItems;
    constexpr int chunk = 256;
    const int chunks = (count + chunk - 1) / chunk;
    if (usableByChunk.size() < static_cast<std::size_t>(chunks))
        usableByChunk.resize(chunks);
    auto work = [&](int first, int last, Scratch &s, std::vector<int> &usable) {
        usable.clear();
        std::size_t slot = static_cast<std::size_t>(
            std::lower_bound(histogram.attributes.begin(), histogram.attributes.end(),
                             first < last ? candidates[first] : 0) -
            histogram.attributes.begin());
        for (int i = first; i < last; ++i) {
            const int a = candidates[i];
            if (slot < histogram.attributes.size() && histogram.attributes[slot] == a) {
                if (evalContinuous(a, histogram, slot, here, s, eval[a]))
                    usable.push_back(a);
                ++slot;
            } else if (!tested[a]) {
                eval[a] = evalDiscrete(a, cases.list, items);
                if (eval[a].usable)
                    usable.push_back(a);
            }
        }
    };
    // The budget's threads share a large node's attributes, taking chunks of
    // them in turn as they finish: the work of an attribute follows its
    // entries, which vary widely. A node of less work is done by one thread:
    // waking and waiting for the other costs more than it saves, and a deep
    // tree has thousands of such nodes.
    constexpr std::size_t perAttribute = 8;
    std::size_t effort = cases.count + perAttribute * count;
    for (std::size_t slot = 0; slot < histogram.attributes.size(); ++slot)
        effort += histogram.end[slot] - histogram.begin[slot];
    RegionFailure failure;
#pragma omp parallel for num_threads(threads)                                                      \
    schedule(dynamic, 1) if (threads > 1 && effort > 50000)
    for (int k = 0; k < chunks; ++k)
        failure.run([&] {
            work(k * chunk, std::min((k + 1) * chunk, count), scratch[omp_get_thread_num()],
                 usableByChunk[k]);
        });
    failure.rethrow();

    // Average gain over the usable attributes, leaving out discrete ones with
    // very many values unless nothing else is usable.
    const float manyValues = 0.3f * static_cast<float>(data.size());
    double sum = 0, sumAll = 0;
    int counted = 0, usable = 0;
    const auto forEachUsable = [&](auto visit) {
        for (int k = 0; k < chunks; ++k)
            for (const int a : usableByChunk[k])
                visit(a);
    };
    forEachUsable([&](int a) {
        ++usable;
        sumAll += eval[a].gain;
        const Attribute &attribute = schema.attributes[a];
        if (attribute.kind == AttributeKind::Discrete && !options.valueSubsets &&
            static_cast<float>(attribute.values.size()) >= manyValues)
            return;
        ++counted;
        sum += eval[a].gain;
    });
    if (usable == 0)
        return false;
    const float average = static_cast<float>(counted ? sum / counted : sumAll / usable);

    int best = -1;
    float bestValue = -Epsilon;
    forEachUsable([&](int a) {
        const Evaluation &e = eval[a];
        float value;
        if (options.gainCriterion) {
            if (!(e.info > 0))
                return;
            value = e.gain;
        } else {
            if (!(e.gain >= average - Epsilon && e.info > Epsilon))
                return;
            value = e.gain / e.info;
        }
        // Ratios equal in exact arithmetic can differ in the last bits of
        // single precision; they must still go to the attribute listed first.
        if (value > bestValue + 1e-6f * std::fabs(bestValue)) {
            bestValue = value;
            best = a;
        }
    });
    if (best < 0)
        return false;

    Evaluation &e = eval[best];
    node.attribute = best;
    if (schema.attributes[best].kind == AttributeKind::Continuous) {
        node.kind = NodeKind::Cut;
        const std::vector<float> &v = values[best];
        node.threshold = *(std::upper_bound(v.begin(), v.end(), e.cut) - 1);
        node.children.resize(2);
    } else {
        node.kind = e.grouped ? NodeKind::Subsets : NodeKind::Values;
        node.branchOfValue = std::move(e.branchOfValue);
        node.children.resize(
            *std::max_element(node.branchOfValue.begin() + 1, node.branchOfValue.end()) + 1);
    }
    return true;
}

int Grower::Impl::build(Tree &tree, NodeCases cases, Histogram *given, ClassWeights *weights) {
    const int C = classes;
    Node node;
    if (weights) {
        node.classDist = std::move(weights->dist);
        node.items = weights->items;
    } else {
        node.classDist.assign(C, 0.0f);
        addClassWeights(data, chains.listOf(cases), node.classDist, node.items);
    }
    node.bestClass = static_cast<int>(
        std::max_element(node.classDist.begin(), node.classDist.end()) - node.classDist.begin());
    node.errors = node.items - node.classDist[node.bestClass];
    const int index = static_cast<int>(tree.nodes.size());
    const bool pure = node.errors <= 1e-6f * std::max(1.0f, node.items);
    if (pure || node.items < 2.0f * options.minObjs) {
        tree.nodes.push_back(std::move(node));
        return index;
    }
    Histogram own;
    Histogram &histogram = given ? *given : own;
    if (!given)
        fill(histogram, chains.listOf(cases));
    if (!discrete.empty())
        chains.listOf(cases);
    if (!choose(cases, node.classDist, node.items, histogram, node)) {
        tree.nodes.push_back(std::move(node));
        return index;
    }
    std::vector<NodeCases> parts = chains.split(tree, node, std::move(cases));
    // A test that leaves all the weight on one branch would grow the same
    // node again. The cases of a chain weigh 1 each.
    const auto holdsWeight = [](const NodeCases &part) {
        return part.chain != 0 ? !part.empty()
                               : std::any_of(part.list.begin(), part.list.end(),
                                             [](const WeightedCase &c) { return c.weight > 0; });
    };
    if (std::count_if(parts.begin(), parts.end(), holdsWeight) < 2) {
        node.kind = NodeKind::Leaf;
        node.attribute = -1;
        node.children.clear();
        node.branchOfValue.clear();
        tree.nodes.push_back(std::move(node));
        return index;
    }
    // The largest branch inherits the histogram; the others gather their own.
    std::size_t heir = parts.size();
    std::vector<ClassWeights> partWeights;
    if (merged) {
        heir = partClassWeights(data, parts, node.classDist, node.items, partWeights);
        for (std::size_t b = 0; b < parts.size(); ++b)
            if (b != heir)
                remove(histogram, parts[b].list);
    } else {
        Histogram().entries.swap(histogram.entries);
    }
    const bool discrete = node.kind != NodeKind::Cut;
    tree.nodes.push_back(std::move(node));
    if (discrete)
        tested[tree.nodes[index].attribute] = 1;
    float subtreeErrors = 0;
    for (std::size_t b = 0; b < parts.size(); ++b) {
        int child;
        if (parts[b].empty()) {
            child = static_cast<int>(tree.nodes.size());
            Node empty;
            empty.bestClass = tree.nodes[index].bestClass;
            empty.classDist.assign(C, 0.0f);
            tree.nodes.push_back(std::move(empty));
        } else {
            child = build(tree, std::move(parts[b]), b == heir ? &histogram : nullptr,
                          merged ? &partWeights[b] : nullptr);
        }
        if (b == heir)
            Histogram().entries.swap(own.entries);
        tree.nodes[index].children[b] = child;
        subtreeErrors += tree.nodes[child].errors;
    }
    if (discrete)
        tested[tree.nodes[index].attribute] = 0;
    Node &self = tree.nodes[index];
    if (subtreeErrors >= self.errors - Epsilon) {
        self.kind = NodeKind::Leaf;
        self.attribute = -1;
        self.children.clear();
        self.branchOfValue.clear();
        tree.nodes.resize(index + 1);
    } else {
        self.errors = subtreeErrors;
    }
    return index;
}

Grower::Grower(const Dataset &data, const Schema &schema, const Options &options)
    : impl_(std::make_unique<Impl>(data, schema, options)) {}

Grower::~Grower() = default;

Tree Grower::grow(const std::vector<WeightedCase> &cases) {
    Tree tree;
    impl_->build(tree, NodeCases(cases), nullptr, nullptr);
    return tree;
}

std::vector<WeightedCase> allCases(const Dataset &data) {
    std::vector<WeightedCase> cases(data.size());
    for (std::size_t i = 0; i < cases.size(); ++i)
        cases[i] = {static_cast<int>(i), 1.0f};
    return cases;
}

int threadBudget() {
    return std::max(1, std::min(2, omp_get_max_threads()));
}
