// Drives the real windows through one experiment in a prepared working folder
// (document folder "xml", "ceste_rijeci", "c4.5.exe") and saves a PNG of every
// window and dialog into an output folder. Prints each window's size next to
// the size its contents ask for, and every shown widget that got less room
// than it asks for (a label or button cut off, a page that needs scrolling);
// fails when there is any.
//
//   gui_screenshots WORKING_FOLDER OUTPUT_FOLDER [MIN_DF]
#include "dialog1.h"
#include "dialog2.h"
#include "dialog3.h"
#include "window1.h"
#include "window10.h"
#include "window11.h"
#include "window4.h"
#include "window6.h"
#include "window9.h"

#include "LayoutCheck.h"

#include <gdkmm/pixbuf.h>
#include <glibmm/main.h>
#include <gtkmm/main.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <thread>
#include <vector>

namespace {

void settle() {
    for (int i = 0; i < 30; ++i) {
        while (Gtk::Main::events_pending())
            Gtk::Main::iteration(false);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

class Capturer {
public:
    explicit Capturer(std::filesystem::path folder) : folder_(std::move(folder)) {}

    // Shows the window alone on the screen, saves it as name.png and hides it
    // again unless keep.
    void capture(Gtk::Window &window, const std::string &name, bool keep = false) {
        window.move(0, 0);
        window.show();
        settle();
        int width = 0;
        int height = 0;
        window.get_window()->get_size(width, height);
        const Gtk::Requisition wanted = window.size_request();
        const Glib::RefPtr<Gdk::Pixbuf> picture = Gdk::Pixbuf::create(
            Glib::RefPtr<Gdk::Drawable>(window.get_window()), 0, 0, width, height);
        picture->save((folder_ / (name + ".png")).string(), "png");
        const std::vector<std::string> squeezed = squeezedWidgets(window);
        const bool fits = wanted.width <= width && wanted.height <= height && squeezed.empty();
        std::cout << name << ".png " << width << "x" << height << " (asks for " << wanted.width
                  << "x" << wanted.height << ")" << (fits ? "" : " CUT OFF") << std::endl;
        for (const std::string &widget : squeezed)
            std::cout << "  " << widget << std::endl;
        allFit_ = allFit_ && fits;
        if (!keep)
            window.hide();
    }
    bool allFit() const { return allFit_; }

private:
    std::filesystem::path folder_;
    bool allFit_ = true;
};

// The main window with the choosers answered by the driver and every
// secondary window kept for capturing.
class DrivenWindow : public window1 {
public:
    std::vector<std::unique_ptr<Gtk::Window>> opened;
    int errors = 0;

    void run(Capturer &capturer, int minDf) {
        move(0, 0);
        show();
        settle();
        capturer.capture(*this, "window1-start", true);

        computeInformationGain = true;
        click(execute_toolbutton);
        settle();
        if (busy())
            capturer.capture(*this, "window1-parsing", true);
        waitUntilIdle();
        df_scale->set_value(minDf);
        stop_words_checkbutton->set_active(true);
        select_words_button->clicked();
        capturer.capture(*this, "window1-text-processing", true);

        distribution_button->clicked();
        capture(capturer, "window3-categories");
        important_words_button->clicked();
        capture(capturer, "window3-words");
        edit_button->clicked();
        capture(capturer, "window7-stop-words");

        write_c45_button->clicked();
        waitUntilIdle();
        notebook->set_current_page(1);
        capturer.capture(*this, "window1-c45-file-set", true);
        // A first, slower run with ten trials shows the window while C4.5 works.
        c45Options.trials = 10;
        run_c45_button->clicked();
        settle();
        if (c45Running())
            capturer.capture(*this, "window1-c45-running", true);
        else
            std::cout << "window1-c45-running.png not taken: the run ended too soon" << std::endl;
        waitUntilIdle();
        c45Options = C45Options{};
        run_c45_button->clicked();
        waitUntilIdle();
        capturer.capture(*this, "window1-c45", true);

        cm_button->clicked();
        capture(capturer, "window4-categories-errors");
        measures_button->clicked();
        capture(capturer, "window8-measures");
        show_tree_button->clicked();
        capture(capturer, "window6-tree");
        show_pruned_tree_button->clicked();
        capture(capturer, "window6-simplified-tree");
        draw_pruned_tree_button->clicked();
        capture(capturer, "window10-drawn-tree");
        // Two texts of the corpus' kind, one marked with its category; the
        // first one's leaf is then shown in the drawn tree, its path marked.
        classify_text_button->clicked();
        auto &classifier = dynamic_cast<window11 &>(*opened.back());
        classifier.textview->get_buffer()->set_text(
            "<DATA><TOPIC>noun-animal</TOPIC><TEXT>a small carnivorous mammal of the genus "
            "Mustela that lives in trees</TEXT></DATA>\n"
            "<DATA><TEXT>move quickly on foot; run with long steps</TEXT></DATA>\n");
        classifier.classify_button->clicked();
        capturer.capture(classifier, "window11-classify", true);
        classifier.treeview->row_activated(Gtk::TreePath("0"), *classifier.treeview->get_column(0));
        capturer.capture(*classifier.treeWindow(), "window10-step");
        classifier.hide();
        show_log_button->clicked();
        capture(capturer, "window5-log");
        on_about_activate();
        capture(capturer, "dialog1-about");

        // A series of ten runs around the selection above, with and without
        // stemming; the window is taken while it runs and once it is done.
        on_series_activate();
        auto &series = dynamic_cast<window9 &>(*opened.back());
        series.min_df_entry->set_text("10,20,30,50,100");
        series.stemming_combo->set_active(2);
        series.start_button->clicked();
        while (series.running() && series.rows().empty())
            Gtk::Main::iteration(true);
        if (series.running())
            capturer.capture(series, "window9-series-running", true);
        while (series.running())
            Gtk::Main::iteration(true);
        capturer.capture(series, "window9-series");
        hide();
    }

    // The multi-category mode on the corpus in folder "multi": the C4.5 page
    // of a run with one tree per category, its per-category window and the
    // tree window with its category chooser.
    void runMultiCategory(Capturer &capturer) {
        move(0, 0);
        show();
        multiCategory = true;
        textProcessor.setDirectory("multi");
        click(execute_toolbutton);
        waitUntilIdle();
        df_scale->set_value(3);
        stop_words_checkbutton->set_active(true);
        select_words_button->clicked();
        capturer.capture(*this, "window1-text-processing-multi", true);
        write_c45_button->clicked();
        waitUntilIdle();
        notebook->set_current_page(1);
        run_c45_button->clicked();
        waitUntilIdle();
        settle();
        capturer.capture(*this, "window1-c45-multi", true);
        measures_button->clicked();
        capture(capturer, "window12-categories");
        show_pruned_tree_button->clicked();
        capture(capturer, "window6-category-tree");
        hide();
    }

protected:
    // Every file the run needs is where it is looked for; no chooser opens.
    std::string askForPath(const PathRequest &) override { return {}; }
    void showError(const std::string &message) override {
        std::cerr << message << std::endl;
        ++errors;
    }
    void presentWindow(Gtk::Window *window) override { opened.emplace_back(window); }

private:
    void waitUntilIdle() {
        while (busy())
            Gtk::Main::iteration(true);
    }
    static void click(Gtk::ToolButton *button) { g_signal_emit_by_name(button->gobj(), "clicked"); }
    // Opens the first rows of the trees, as a user looking at them would.
    void capture(Capturer &capturer, const std::string &name) {
        Gtk::Window &window = *opened.back();
        if (auto *tree = dynamic_cast<window6 *>(&window))
            tree->treeview->expand_all();
        if (auto *errors = dynamic_cast<window4 *>(&window))
            errors->treeview->expand_row(Gtk::TreePath("0"), false);
        capturer.capture(window, name);
    }
};

// The C4.5 options dialog after OK with "-m 0", which C4.5 refuses.
struct RefusingOptionsDialog : dialog2 {
    void refuseMinCasesZero() {
        m_checkbutton->set_active(true);
        m_spinbutton->set_value(0);
        ok_button->clicked();
    }
};

} // namespace

int main(int argc, char **argv) {
    Gtk::Main kit(argc, argv);
    if (argc < 3) {
        std::cerr << "usage: gui_screenshots WORKING_FOLDER OUTPUT_FOLDER [MIN_DF]" << std::endl;
        return 2;
    }
    const std::filesystem::path output = std::filesystem::absolute(argv[2]);
    std::filesystem::create_directories(output);
    std::filesystem::current_path(argv[1]);
    const int minDf = argc > 3 ? std::atoi(argv[3]) : 30;

    Capturer capturer(output);
    DrivenWindow main;
    main.run(capturer, minDf);
    DrivenWindow multi;
    if (std::filesystem::is_directory("multi"))
        multi.runMultiCategory(capturer);

    dialog2 c45Options;
    capturer.capture(c45Options, "dialog2-c45-options");
    RefusingOptionsDialog refusing;
    refusing.refuseMinCasesZero();
    capturer.capture(refusing, "dialog2-c45-options-refused");
    dialog3 textOptions;
    capturer.capture(textOptions, "dialog3-text-options");

    const int errors = main.errors + multi.errors;
    if (errors > 0)
        std::cerr << errors << " error boxes were shown" << std::endl;
    return capturer.allFit() && errors == 0 ? 0 : 1;
}
