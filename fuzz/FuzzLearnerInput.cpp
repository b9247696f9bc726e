// The learner's names and data readers, and growing, pruning and
// classifying with what they read. The input is the names file, a NUL byte,
// and the data file: a data part without a comma is read as LIBSVM lines.
#include "Classify.h"
#include "Dataset.h"
#include "FileError.h"
#include "Grow.h"
#include "InputError.h"
#include "Options.h"
#include "Prune.h"
#include "Schema.h"
#include "fuzz/FuzzInput.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The nodes of the tree reachable from its root.
std::vector<int> reachable(const Tree &tree) {
    std::vector<int> nodes{0};
    for (std::size_t i = 0; i < nodes.size(); ++i)
        for (const int child : tree.nodes[nodes[i]].children)
            nodes.push_back(child);
    return nodes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const char *text = reinterpret_cast<const char *>(data);
    const char *separator = static_cast<const char *>(std::memchr(text, '\0', size));
    const std::size_t namesSize = separator ? static_cast<std::size_t>(separator - text) : size;
    const std::string names = writeScratchFile("set.names", text, namesSize);
    const std::size_t dataOffset = separator ? namesSize + 1 : size;
    const bool sparse = !std::memchr(text + dataOffset, ',', size - dataOffset);
    const std::string cases = writeScratchFile("set.data", text + dataOffset, size - dataOffset);
    try {
        Schema schema = readNames(names);
        const Dataset dataset = sparse ? readSparseCases(cases, schema) : readCases(cases, schema);
        for (std::size_t i = 0; i < dataset.size(); ++i) {
            if (dataset.classOf(i) < 0 ||
                dataset.classOf(i) >= static_cast<int>(schema.classes.size()))
                __builtin_trap();
            // Rows hold each attribute once, ascending, and never a stored 0.
            int previous = -1;
            for (const Dataset::Entry *e = dataset.rowBegin(i); e != dataset.rowEnd(i); ++e) {
                if (e->attribute <= previous || e->attribute >= dataset.attributes() ||
                    e->value == 0.0f)
                    __builtin_trap();
                previous = e->attribute;
            }
        }
        if (dataset.size() == 0)
            return 0;
        Options options;
        options.valueSubsets = size % 2 == 1;
        Grower grower(dataset, schema, options);
        Tree tree = grower.grow(allCases(dataset));
        // Every test parts the cases reaching it: at least two branches hold some.
        for (const int n : reachable(tree)) {
            const Node &node = tree.nodes[n];
            if (node.kind != NodeKind::Leaf &&
                std::count_if(node.children.begin(), node.children.end(),
                              [&](int child) { return tree.nodes[child].items > 0; }) < 2)
                __builtin_trap();
        }
        float estimate = 0;
        pruneTree(tree, dataset, allCases(dataset), options.confidence, estimate);
        const int classes = static_cast<int>(schema.classes.size());
        if (assess(tree, dataset, classes).errors > static_cast<int>(dataset.size()))
            __builtin_trap();
    } catch (const FileError &) {
    } catch (const InputError &) {
    }
    return 0;
}
