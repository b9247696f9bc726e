// The document markup parser on any file content.
#include "corpus/TextProcessor.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    std::ostringstream trace;
    for (bool stemming : {false, true}) {
        TextProcessor engine(trace);
        engine.useStemming = stemming;
        engine.parseFileText(std::string(reinterpret_cast<const char *>(data), size));
        if (engine.trainDocuments.size() != engine.trainTopics.size() ||
            engine.testDocuments.size() != engine.testTopics.size())
            __builtin_trap();
    }
    return 0;
}
