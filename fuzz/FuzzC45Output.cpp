// C4.5's standard output as the workbench reads it: the summary values, the
// label texts, the confusion matrix and the measures computed on it.
#include "c45/C45Output.h"
#include "fuzz/FuzzInput.h"
#include "measures/Measures.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    C45RunResult result;
    result.outputLines = splitLines(data, size);
    for (bool hasTest : {false, true}) {
        const C45Summary summary = parseC45Output(result, hasTest);
        pageTexts(summary);
        if (result.confusionMatrix.counts.size() !=
            result.confusionMatrix.size() * result.confusionMatrix.size())
            __builtin_trap();
        std::ostringstream trace;
        computeMeasures(result.confusionMatrix, true, trace);
    }
    return 0;
}
