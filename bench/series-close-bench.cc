// Times closing the experiment-series window, and quitting the workbench,
// while a series prepares its first run on a large corpus (the parse and the
// file set): how long the close takes on the GUI thread, the longest pause of
// the GUI's main loop until the series' job has ended, and how long the job
// took to end. A series of DOCUMENTS is far longer than these figures.
//
//   series-close-bench CORPUS_FOLDER C45_PROGRAM [DELAY_SECONDS...]   (default 1 2 3)
#include "GuiJobs.h"
#include "window9.h"

#include <gtkmm/main.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs the main loop for the given time, or until done() holds; returns the
// longest time one iteration took.
double runLoop(double seconds, const std::function<bool()> &done = [] { return false; }) {
    const Clock::time_point end =
        Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    double longest = 0;
    while (Clock::now() < end && !done()) {
        const Clock::time_point start = Clock::now();
        while (Gtk::Main::events_pending())
            Gtk::Main::iteration(false);
        longest = std::max(longest, millisecondsSince(start));
        g_usleep(1000);
    }
    return longest;
}

// A series window on the corpus, started and left to run for delay seconds.
std::unique_ptr<window9> startedSeries(JobService &jobs, const SeriesSettings &settings,
                                       double delay, std::ostream &trace) {
    auto window = std::make_unique<window9>(
        settings, jobs, [](const std::string &, const std::vector<std::string> &) { return false; },
        trace);
    window->show();
    window->start_button->clicked();
    runLoop(delay);
    if (!window->running()) {
        std::fprintf(stderr, "the series ended within %.1f s: use a larger corpus\n", delay);
        std::exit(1);
    }
    return window;
}

} // namespace

int main(int argc, char **argv) {
    Gtk::Main kit(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: series-close-bench CORPUS_FOLDER C45_PROGRAM [DELAY...]\n");
        return 2;
    }
    SeriesSettings settings;
    settings.directory = argv[1];
    settings.stem = "close-bench";
    settings.c45Program = argv[2];
    std::vector<double> delays;
    for (int i = 3; i < argc; ++i)
        delays.push_back(std::atof(argv[i]));
    if (delays.empty())
        delays = {1, 2, 3};
    std::ostringstream trace;

    for (const double delay : delays) {
        GuiJobs jobs;
        std::unique_ptr<window9> window = startedSeries(jobs.service(), settings, delay, trace);
        const Clock::time_point closing = Clock::now();
        window.reset();
        const double closed = millisecondsSince(closing);
        const double longestPause =
            runLoop(30, [&] { return jobs.service().activeNames().empty(); });
        std::printf("series window closed %.0f s into its first run: close %.2f ms, longest GUI "
                    "pause %.2f ms, job ended after %.0f ms\n",
                    delay, closed, longestPause, millisecondsSince(closing));
        std::fflush(stdout);
    }
    for (const double delay : delays) {
        auto jobs = std::make_unique<GuiJobs>();
        std::unique_ptr<window9> window = startedSeries(jobs->service(), settings, delay, trace);
        const Clock::time_point quitting = Clock::now();
        window.reset();
        jobs.reset();
        std::printf("workbench quit %.0f s into a series' first run: windows and jobs gone after "
                    "%.0f ms\n",
                    delay, millisecondsSince(quitting));
        std::fflush(stdout);
    }
    return 0;
}
