// Times the two result windows that can hold very large tables: the word
// distribution window with N words (three columns, sorted by document
// count) and the decision-tree window with a tree of about N rows. For each
// size it prints the time to build the window and the time until the shown
// window has handled every pending event (its first drawing included).
//
//   table-windows-bench [words|tree] [N...]   (default: both, 2000 16000 100000)
#include "c45/DecisionTreeText.h"
#include "window3.h"
#include "window6.h"

#include <gtkmm/main.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void drainEvents() {
    while (Gtk::Main::events_pending())
        Gtk::Main::iteration(false);
}

// Builds the window, shows it, waits until it is idle, prints both times and
// closes it.
void timeWindow(const char *name, int size, const std::function<Gtk::Window *()> &build) {
    const Clock::time_point start = Clock::now();
    Gtk::Window *window = build();
    const double built = secondsSince(start);
    const Clock::time_point shown = Clock::now();
    window->show();
    drainEvents();
    const double drawn = secondsSince(shown);
    std::printf("%-8s %8d rows  built %7.3f s  shown %7.3f s  total %7.3f s\n", name, size, built,
                drawn, built + drawn);
    std::fflush(stdout);
    delete window;
    drainEvents();
}

// Words with document counts and gains in an order unrelated to the names,
// as a real selection has them.
std::map<std::string, int> wordCounts(int size) {
    std::map<std::string, int> counts;
    for (int i = 0; i < size; ++i)
        counts["w" + std::to_string(i)] = static_cast<int>((i * 7919L) % 1000) + 1;
    return counts;
}

std::map<std::string, float> wordGains(const std::map<std::string, int> &counts) {
    std::map<std::string, float> gains;
    for (const auto &[word, count] : counts)
        gains[word] = static_cast<float>(count) / 1000.0f;
    return gains;
}

// A tree as C4.5 prints it for text: every test splits off a small branch
// ("> 0", the word occurs) and the large rest goes on under "<= 0", so the
// tree is as deep as such trees get. About size lines under this test.
void appendSubtree(std::vector<std::string> &lines, int depth, int size, int &node) {
    std::string indent;
    for (int i = 0; i < depth; ++i)
        indent += "|   ";
    const std::string test = "w" + std::to_string(node++);
    const int rest = size - 2;
    const int large = rest * 9 / 10;
    const std::pair<const char *, int> branches[] = {{" <= 0 :", large}, {" > 0 :", rest - large}};
    for (const auto &[branch, branchSize] : branches) {
        if (branchSize <= 0) {
            lines.push_back(indent + test + branch + " c" + std::to_string(node % 20) +
                            " (3.0/1.0)");
            continue;
        }
        lines.push_back(indent + test + branch);
        appendSubtree(lines, depth + 1, branchSize, node);
    }
}

std::vector<std::string> treeOutput(int size) {
    std::vector<std::string> lines = {"Decision Tree:", ""};
    int node = 0;
    appendSubtree(lines, 0, size, node);
    lines.push_back("");
    return lines;
}

} // namespace

int main(int argc, char **argv) {
    Gtk::Main kit(argc, argv);
    int first = 1;
    const std::string only =
        argc > 1 && !std::isdigit(static_cast<unsigned char>(argv[1][0])) ? argv[first++] : "";
    std::vector<int> sizes;
    for (int i = first; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {2000, 16000, 100000};

    for (const int size : sizes) {
        if (only != "tree") {
            const std::map<std::string, int> counts = wordCounts(size);
            const std::map<std::string, float> gains = wordGains(counts);
            timeWindow("words", size, [&] { return new window3(counts, true, gains); });
        }
        if (only == "words")
            continue;

        const std::vector<std::string> lines = treeOutput(size);
        const Clock::time_point start = Clock::now();
        const std::size_t rows = parseDecisionTree(lines, false).size();
        std::printf("%-8s %8zu rows  tree text read in %7.3f s\n", "tree", rows,
                    secondsSince(start));
        timeWindow("tree", static_cast<int>(rows), [&] { return new window6(lines, false); });
    }
    return 0;
}
