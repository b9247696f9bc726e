// What the tcw commands of the C4.5 side share: C4.5's own options on the
// command line, a run's report as the workbench's "C4.5" page, its
// confusion-matrix and measures windows would show it, and saved outputs.
#pragma once

#include "Command.h"

#include "c45/C45Output.h"
#include "c45/C45Runner.h"
#include "c45/CategoryReport.h"

#include <signal.h>

#include <array>
#include <optional>
#include <ostream>
#include <string>

// While it lives, SIGINT, SIGTERM and SIGHUP (those not ignored) are noted
// and handed to react, an async-signal-safe function. When it ends the
// previous dispositions come back and the first noted signal is raised
// again, so that tcw ends as it would have without the guard. One at a time.
class InterruptGuard {
public:
    explicit InterruptGuard(void (*react)(int));
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard &) = delete;
    InterruptGuard &operator=(const InterruptGuard &) = delete;

    // The first signal noted by the living guard; 0 before any.
    static int received();

private:
    std::array<struct sigaction, 3> previous_{};
};

// Removes C4.5's options "-s", "-m N", "-c CF" and "-t N" from arguments
// and returns them. Throws UsageError for a value that is missing, not a
// whole number (-m, -t) or not a number (-c), or that c45OptionsProblem
// refuses.
C45Options takeC45Options(Arguments &arguments);

// Removes and returns the first argument that does not start with "-" (a
// file name given without an option), if any.
std::optional<std::string> takeOperand(Arguments &arguments);

// The "C4.5" page's values, the confusion matrix, the measures table
// ("%.2f" like the measures window) and the six averages.
void printRunReport(const C45Summary &summary, const ConfusionMatrix &matrix, std::ostream &out);

// A per-category run as `tcw experiment --multi-category` prints it: the
// documents, the summed tree sizes, the pooled test errors, a row per
// category (cases in it, TP, FP, FN, TN, precision, recall, F1, size after
// pruning; "n/a" where undefined) and the micro and macro averages.
void printCategoryRunReport(const ParsedCategoryReport &run, std::ostream &out);

// Throws FileError when saveAs is not empty and a file of that name could
// not be written; nothing is written.
void checkSavePath(const std::string &saveAs);

// Runs C4.5 as the workbench's "Pokreni C4.5" does and prints the report
// (printCategoryRunReport for a per-category run, which prints nothing
// when the run failed);
// when the run succeeded (see runFailure) saves the output to saveAs, if
// not empty. Returns the exit status of tcw: 0, or 1 after the runFailure
// message on standard error, any old saveAs file left as it was. Checks
// saveAs before the run (checkSavePath); throws FileError when the output
// cannot be saved. SIGINT, SIGTERM and SIGHUP during the run are passed on
// to C4.5's process group; once it has ended tcw ends by the same signal.
int runAndReport(const C45RunRequest &request, const std::string &saveAs, std::ostream &out);

// The lines of a ".c45p" file, parsed as the workbench does after opening
// one (with the test evaluation). Throws FileError.
C45RunResult loadRun(const std::string &path, C45Summary &summary);

// The report of a loaded run: printCategoryRunReport for a per-category
// run, printRunReport for any other.
void printLoadedRun(const C45RunResult &run, const C45Summary &summary, std::ostream &out);
