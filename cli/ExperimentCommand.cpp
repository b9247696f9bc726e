// tcw experiment: a whole experiment, from a document folder to the measures.
#include "Command.h"
#include "CorpusSteps.h"
#include "Options.h"
#include "RunReport.h"

#include "series/Experiment.h"

#include <iostream>

int runExperiment(const Arguments &arguments) {
    Arguments rest = arguments;
    C45RunRequest request;
    request.optionText = optionText(takeC45Options(rest));
    std::string directory;
    std::string stem;
    int minDf = 50;
    int topIg = 0;
    bool stemming = false;
    bool multiCategory = false;
    bool stemStopWords = false;
    std::string stopWords;
    std::string saveAs;
    std::string format = "c45";
    OptionParser parser("experiment --dir DIR --stem STEM [options] [-s] [-m N] [-c CF] [-t N]",
                        "Parses the folder, selects the attribute words, writes the C4.5 file "
                        "set STEM.*, runs\nC4.5 on it and prints the C4.5 page, the confusion "
                        "matrix and the measures.\nC4.5's options -s, -m N, -c CF and -t N are "
                        "passed on in that order.");
    parser.text("dir", "DIR", directory, "folder of .xml document files");
    parser.text("stem", "STEM", stem, "path stem of the C4.5 file set to write and run");
    parser.number("min-df", "N", minDf,
                  "keep words found in at least N training documents (default 50, as the "
                  "workbench)");
    parser.number("top-ig", "K", topIg, "then keep only the K words of highest information gain");
    parser.flag("stemming", stemming, "reduce words to their Porter stems");
    parser.flag("multi-category", multiCategory,
                "keep every category word of a document (sparse cases only) and grow one "
                "tree per category");
    parser.text("stop-words", "FILE", stopWords, "leave out the words listed in FILE");
    parser.flag("stem-stop-words", stemStopWords,
                "with --stemming, stem the listed words too before leaving them out");
    parser.text("format", "c45|libsvm", format,
                "dense C4.5 cases (default) or sparse LIBSVM cases, which C4.5 reads with -L");
    parser.text("c45", "PATH", request.program, "the C4.5 program (default ./c4.5.exe)");
    parser.text("save", "FILE", saveAs, "save C4.5's output as a .c45p file (name used as given)");
    if (!parser.parse(rest, std::cout))
        return 0;
    if (!parser.given("dir") || !parser.given("stem"))
        throw UsageError("--dir and --stem are required");
    // The runner cuts a path at its first ".names", as the workbench's chooser does.
    if (stem.find(".names") != std::string::npos)
        throw UsageError("the stem must not contain \".names\"");
    checkMinDf(minDf);
    if (stemStopWords && !stemming)
        throw UsageError("--stem-stop-words applies only with --stemming");
    const std::optional<int> top = topIgOption(parser, topIg);

    request.sparse = fileSetLayout(parser, format, multiCategory);
    request.perCategory = multiCategory;
    checkSavePath(saveAs);
    TextProcessor engine;
    engine.setFileStem(stem);
    engine.multiCategory = multiCategory;
    parseFolder(engine, directory, stemming);
    selectAttributes(engine, {minDf, top, parser.given("stop-words"), stopWords, stemStopWords});
    engine.printSelectedWordCount();
    if (request.sparse)
        engine.writeSparseFiles();
    else
        engine.writeC45Files();
    request.namesPath = stem + ".names";
    return runAndReport(request, saveAs, std::cout);
}
