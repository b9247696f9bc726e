// The commands of tcw. Each command lives in its own source file and is
// listed once in the table of main.cpp; it receives the arguments after its
// name, writes its trace to standard output and returns the exit status.
// It reports a bad command line by throwing UsageError (exit 2) and a file
// that cannot be used by letting FileError through (exit 1); main prints both.
#pragma once

#include <string>
#include <vector>

using Arguments = std::vector<std::string>;

struct Command {
    const char *name;
    const char *summary;
    int (*run)(const Arguments &arguments);
};

int runExport(const Arguments &arguments);
int runSaveState(const Arguments &arguments);
int runRunC45(const Arguments &arguments);
int runShow(const Arguments &arguments);
int runTrees(const Arguments &arguments);
int runDraw(const Arguments &arguments);
int runClassify(const Arguments &arguments);
int runExportCsv(const Arguments &arguments);
int runExperiment(const Arguments &arguments);
int runExperimentSeries(const Arguments &arguments);
