// The decision-tree text parser on any lines: every row's parent must come
// before it.
#include "c45/DecisionTreeText.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::vector<std::string> lines = splitLines(data, size);
    for (bool simplified : {false, true}) {
        const std::vector<TreeRow> rows = parseDecisionTree(lines, simplified);
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].parent < -1 || rows[i].parent >= static_cast<int>(i))
                __builtin_trap();
        indentedTreeText(rows);
    }
    return 0;
}
