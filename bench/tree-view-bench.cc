// Times the drawn-tree window on a synthesised tree of N nodes (default
// 60001): reading the learner's printed text, building and showing the
// window (it opens collapsed to the depth that fits), panning in steps of
// 25 pixels, the same with every node expanded, and saving what is shown and
// the whole tree as PNG and SVG. Each pan step is drawn before the next.
//
//   tree-view-bench [N]
#include "window10.h"

#include "classify/DecisionTree.h"
#include "treeview/TreeDrawing.h"

#include <gtkmm/main.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void drainEvents() {
    while (Gtk::Main::events_pending())
        Gtk::Main::iteration(false);
}

// The learner's printed text of a tree of about n nodes whose subtrees
// split unevenly, as a learner's do; words and categories repeat as in a
// corpus. Lines are as deep as the tree: the reader does not need the
// deferred sections the learner would print.
std::vector<std::string> printedTree(int n) {
    struct Node {
        int below = -1, above = -1;
        std::string word;
    };
    std::vector<Node> nodes(1);
    unsigned seed = 2024;
    const auto next = [&seed](unsigned range) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 8) % range);
    };
    std::vector<std::pair<int, int>> growing{{0, n | 1}};
    while (!growing.empty()) {
        const auto [index, size] = growing.back();
        growing.pop_back();
        if (size == 1)
            continue;
        const int left = 1 + 2 * next(static_cast<unsigned>((size - 1) / 2));
        nodes[static_cast<std::size_t>(index)].word = "word" + std::to_string(next(4000));
        const int below = static_cast<int>(nodes.size());
        nodes.resize(nodes.size() + 2);
        nodes[static_cast<std::size_t>(index)].below = below;
        nodes[static_cast<std::size_t>(index)].above = below + 1;
        growing.emplace_back(below, left);
        growing.emplace_back(below + 1, size - 1 - left);
    }
    std::vector<std::string> lines{"Decision Tree:", ""};
    struct Branch {
        int parent, child, depth;
        bool above;
    };
    std::vector<Branch> stack{{0, nodes[0].above, 0, true}, {0, nodes[0].below, 0, false}};
    while (!stack.empty()) {
        const Branch branch = stack.back();
        stack.pop_back();
        std::string line;
        for (int d = 0; d < branch.depth; ++d)
            line += "|   ";
        line += nodes[static_cast<std::size_t>(branch.parent)].word +
                (branch.above ? " > 1 :" : " <= 1 :");
        const Node &child = nodes[static_cast<std::size_t>(branch.child)];
        if (child.below < 0) {
            lines.push_back(line + " category" + std::to_string(branch.child % 40) + " (12.0/3.0)");
            continue;
        }
        lines.push_back(line);
        stack.push_back({branch.child, child.above, branch.depth + 1, true});
        stack.push_back({branch.child, child.below, branch.depth + 1, false});
    }
    lines.push_back("");
    return lines;
}

// Average milliseconds of one pan step, each drawn at once.
double panSteps(window10 &window, int steps) {
    const Clock::time_point start = Clock::now();
    for (int i = 0; i < steps; ++i) {
        window.panBy(i % 40 < 20 ? -25 : 25, 10);
        window.tree_area->get_window()->process_updates(true);
    }
    return millisecondsSince(start) / steps;
}

} // namespace

int main(int argc, char **argv) {
    Gtk::Main kit(argc, argv);
    const int n = argc > 1 ? std::atoi(argv[1]) : 60001;
    const std::vector<std::string> lines = printedTree(n);

    Clock::time_point start = Clock::now();
    const DecisionTree tree = readDecisionTree(lines, true);
    std::printf("tree: %zu nodes, %zu printed lines\n", tree.nodes.size(), lines.size());
    std::printf("read the printed tree       %8.1f ms\n", millisecondsSince(start));

    start = Clock::now();
    window10 window(lines, false);
    const double built = millisecondsSince(start);
    start = Clock::now();
    window.show();
    drainEvents();
    std::printf("open: build the window      %8.1f ms (both trees read, collapsed to fit)\n",
                built);
    std::printf("open: show and first draw   %8.1f ms, %zu of %zu nodes shown\n",
                millisecondsSince(start), window.layout().boxes.size(), tree.nodes.size());
    std::printf("pan, opened view            %8.2f ms a step\n", panSteps(window, 200));

    start = Clock::now();
    window.expandAll();
    window.tree_area->get_window()->process_updates(true);
    std::printf("expand all: relayout and draw %8.1f ms, %zu nodes laid out\n",
                millisecondsSince(start), window.layout().boxes.size());
    start = Clock::now();
    window.zoomAt(1 / window.view().scale, 0, 0);
    window.tree_area->get_window()->process_updates(true);
    std::printf("zoom to 100 %% and draw      %8.1f ms\n", millisecondsSince(start));
    std::printf("pan, all expanded, scale %.2f %6.2f ms a step\n", window.view().scale,
                panSteps(window, 200));
    window.zoomAt(0.02, 0, 0);
    std::printf("pan, all expanded, scale %.2f %6.2f ms a step (boxes without text)\n",
                window.view().scale, panSteps(window, 50));

    const std::string folder = std::filesystem::temp_directory_path() / "tree-view-bench";
    std::filesystem::create_directories(folder);
    const auto [width, height] = window.areaSize();
    for (const char *name : {"view.png", "view.svg"}) {
        start = Clock::now();
        writeTreePicture(folder + "/" + name, window.tree(), window.layout(), window.view(), width,
                         height);
        std::printf("save what is shown %-9s %8.1f ms, %ju bytes\n", name, millisecondsSince(start),
                    static_cast<std::uintmax_t>(std::filesystem::file_size(folder + "/" + name)));
    }
    const TreeLayout &layout = window.layout();
    for (const char *name : {"whole.png", "whole.svg"}) {
        start = Clock::now();
        writeTreePicture(folder + "/" + name, window.tree(), layout, fitView(layout, 8192, 8192),
                         8192, 8192);
        std::printf("save the whole tree %-8s %8.1f ms, %ju bytes (8192x8192)\n", name,
                    millisecondsSince(start),
                    static_cast<std::uintmax_t>(std::filesystem::file_size(folder + "/" + name)));
    }
    std::filesystem::remove_all(folder);
    return 0;
}
