// The decision-tree text parser on any lines: every row's parent must come
// before it. The rows are printed when their text stays within bounds: a
// deep chain of subtrees makes an indented text quadratic in the input.
#include "c45/DecisionTreeText.h"
#include "fuzz/FuzzInput.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::vector<std::string> lines = splitLines(data, size);
    for (bool simplified : {false, true}) {
        const std::vector<TreeRow> rows = parseDecisionTree(lines, simplified);
        std::vector<std::size_t> depth(rows.size(), 0);
        std::size_t textSize = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].parent < -1 || rows[i].parent >= static_cast<int>(i))
                __builtin_trap();
            if (rows[i].parent >= 0)
                depth[i] = depth[static_cast<std::size_t>(rows[i].parent)] + 1;
            textSize += 2 * depth[i] + rows[i].label.size() + 1;
        }
        if (textSize > (std::size_t(1) << 24))
            continue;
        std::ostringstream text;
        writeIndentedTree(rows, text);
        if (text.str().size() != textSize)
            __builtin_trap();
    }
    return 0;
}
