// tcw export-csv: the comma-separated files of the workbench's Export.
#include "Command.h"
#include "CorpusSteps.h"
#include "Options.h"
#include "RunReport.h"

#include "measures/ResultsExport.h"

#include <iostream>

int runExportCsv(const Arguments &arguments) {
    std::string c45p;
    std::string directory;
    std::string state;
    std::string base;
    bool stemming = false;
    OptionParser parser("export-csv (--c45p FILE | --dir DIR | --state FILE.tpp) --out BASE",
                        "From a saved C4.5 output writes BASE.csv (documents and share "
                        "classified correctly\nper category) and BASE-mjere.csv (the measures); "
                        "from a corpus folder or state file\nwrites BASE.csv with the training "
                        "documents per category.");
    parser.text("c45p", "FILE", c45p, "saved C4.5 output");
    parser.text("dir", "DIR", directory, "folder of .xml document files to parse");
    parser.text("state", "FILE.tpp", state, "text-processing state file");
    parser.flag("stemming", stemming, "reduce words to their Porter stems (with --dir)");
    parser.text("out", "BASE", base, "base name; the suffixes are appended as they are");
    if (!parser.parse(arguments, std::cout))
        return 0;
    if (parser.given("c45p") + parser.given("dir") + parser.given("state") != 1)
        throw UsageError("give exactly one of --c45p, --dir and --state");
    if (!parser.given("out"))
        throw UsageError("--out is required");
    if (parser.given("c45p")) {
        C45Summary summary;
        exportRunResults(loadRun(c45p, summary).confusionMatrix, base);
        return 0;
    }
    TextProcessor engine;
    if (parser.given("dir"))
        parseFolder(engine, directory, stemming);
    else
        loadState(engine, state);
    exportCategoryDistribution(engine.categoryTable(), base);
    return 0;
}
