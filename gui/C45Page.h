// The behaviour of the main window's "C4.5" page: the file set it runs (its
// ".names" file chosen here or the set just written on the "Text
// Processing" page), C4.5 run as a job of the window, the run's figures,
// the run file (".c45p"), the C4.5 options, the tree, log, confusion-matrix
// and measures windows and the CSV export of a run's results.
#pragma once

#include "PageHost.h"
#include "WorkbenchState.h"

#include <gtkmm/label.h>

#include <optional>
#include <string>
#include <vector>

class C45Page {
public:
    // The page's labels.
    struct Widgets {
        Gtk::Label *file_set_label;
        Gtk::Label *c45_train_count_label;
        Gtk::Label *c45_test_count_label;
        Gtk::Label *c45_category_count_label;
        Gtk::Label *attribute_count_label;
        Gtk::Label *tree_size_bp_label;
        Gtk::Label *tree_size_ap_label;
        Gtk::Label *train_estimate_label;
        Gtk::Label *train_size_bp_label;
        Gtk::Label *train_size_ap_label;
        Gtk::Label *train_errors_bp_label;
        Gtk::Label *train_errors_ap_label;
        Gtk::Label *test_estimate_label;
        Gtk::Label *test_size_bp_label;
        Gtk::Label *test_size_ap_label;
        Gtk::Label *test_errors_bp_label;
        Gtk::Label *test_errors_ap_label;
        Gtk::Label *category_f1_label;
    };

    C45Page(PageHost &host, WorkbenchState &state, const Widgets &widgets);
    C45Page(const C45Page &) = delete;
    C45Page &operator=(const C45Page &) = delete;

    // True from the start of a C4.5 run until its job has ended.
    bool running() const { return runningC45; }

    // These four do nothing while the window is busy; run also without a
    // file set.
    void chooseNames();
    void run();
    void openRun();
    void saveRun();
    // Not guarded: the window checks busy before asking.
    void editOptions();
    void exportResults(const std::string &base);

    void showTree(bool pruned);
    void showDrawnTree(bool pruned);
    // Applies the run to new text with the page's file set, or for a run
    // file opened without one, the file set its output names.
    void showClassifier();
    void showLog();
    void showConfusionMatrix();
    void showMeasures();

    // Names stem as the file set of the page, with the sizes of its ".info"
    // file, and clears the run figures. The set is read and learnt as layout
    // says, or when not given, as fileSetLayout finds it on disk.
    void chooseFileSet(const std::string &stem,
                       std::optional<FileSetLayout> layout = std::nullopt);
    // Makes the lines of the run file path the current result and shows
    // its figures; false, changing nothing, while busy.
    bool showSavedRun(const std::string &path, const std::vector<std::string> &lines);

private:
    void clearRunFigures();
    void showPageTexts(const C45PageTexts &texts);
    // The figures of the run in state.c45Result: a normal run's, or for a
    // run with one tree per category its summed ones and its averages.
    void showRunFigures(const C45Summary &summary);
    // The page's figures as shown, to put back when a run is cancelled.
    struct LabelState {
        Gtk::Label *label;
        std::string text; // markup when markup is set
        bool markup;
    };
    std::vector<LabelState> runFigures() const;

    PageHost &host;
    WorkbenchState &state;
    const Widgets widgets;
    bool runningC45 = false;
};
