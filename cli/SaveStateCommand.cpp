// tcw save-state: corpus folder to ".tpp" state file.
#include "Command.h"
#include "CorpusSteps.h"
#include "Options.h"

#include <iostream>

int runSaveState(const Arguments &arguments) {
    std::string directory;
    std::string out;
    bool stemming = false;
    bool informationGain = false;
    bool multiCategory = false;
    OptionParser parser("save-state --dir DIR --out FILE.tpp [options]",
                        "Parses a folder of .xml document files and saves the corpus as a "
                        "text-processing state\nfile that the workbench and tcw export --state "
                        "can open.");
    parser.text("dir", "DIR", directory, "folder of .xml document files to parse");
    parser.text("out", "FILE.tpp", out, "state file to write (the name is used as given)");
    parser.flag("stemming", stemming, "reduce words to their Porter stems");
    parser.flag("multi-category", multiCategory, "keep every category word of a document");
    parser.flag("ig", informationGain, "compute and save the information gain of every word");
    if (!parser.parse(arguments, std::cout))
        return 0;
    if (!parser.given("dir") || !parser.given("out"))
        throw UsageError("--dir and --out are required");

    TextProcessor engine;
    engine.multiCategory = multiCategory;
    parseFolder(engine, directory, stemming);
    if (informationGain)
        engine.computeInformationGain();
    engine.saveTextProcessingState(out);
    return 0;
}
