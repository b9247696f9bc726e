// Test doubles and helpers for driving the real windows: a main window whose
// choosers, dialogs and secondary windows are answered by the test, a
// temporary working folder, and canonical renderings of labels and models.
#pragma once

#include "CroatianLocale.h"
#include "window1.h"

#include <glibmm/main.h>
#include <gtkmm/menuitem.h>
#include <gtkmm/treemodel.h>

#include <functional>

#include <deque>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// Clicks a tool button as the user would.
void click(Gtk::ToolButton *button);

// Runs every pending event of the main loop.
void drainEvents();

// Runs the main loop until done() holds or ten seconds have passed; returns
// done().
bool runLoopUntil(const std::function<bool()> &done);

// Runs action while a timer waits for a visible Dialog, inspects it until
// ready accepts it (a chooser shows its folder a moment after it opens) or for
// two seconds, and closes it with response; false when none showed.
template <typename Dialog>
bool answerDialog(const std::function<void()> &action, const std::function<bool(Dialog &)> &ready,
                  int response) {
    bool answered = false;
    int ticks = 0;
    sigc::connection poll = Glib::signal_timeout().connect(
        [&] {
            for (Gtk::Window *top : Gtk::Window::list_toplevels())
                if (auto *dialog = dynamic_cast<Dialog *>(top); dialog && dialog->get_visible()) {
                    if (!ready(*dialog) && ++ticks < 100)
                        return true;
                    dialog->response(response);
                    answered = true;
                    return false;
                }
            return true;
        },
        20);
    action();
    poll.disconnect();
    return answered;
}

// A fresh folder under /tmp that is the working folder while the object lives.
class WorkingFolder {
public:
    WorkingFolder();
    ~WorkingFolder();
    // Copies a file or folder of the test data into the working folder.
    void copyData(const std::string &name) const;
    const std::string &path() const { return path_; }

private:
    std::string path_;
    std::string previous_;
};

// The markup of a value label: "<small><b>" + text + "</b></small>".
std::string bold(const std::string &text);
const std::string na = bold("n/a");

// The parts with separator between them.
std::string joined(const char *separator, std::initializer_list<std::string> parts);

// Whole file content; empty when the file cannot be read.
std::string readFile(const std::string &path);
bool fileExists(const std::string &path);
std::vector<std::string> fileLines(const std::string &path);
// A saved run: 20 training and 20 test cases, categories A and B told apart by
// wheat and corn.
const std::string savedRun = std::string(TEST_DATA_DIR) + "/run.c45p";

// The label as shown: its markup when it uses markup, else "plain:" + text.
std::string shown(const Gtk::Label &label);

// The first label, or menu item, under top (top itself and the submenus of
// menu items included) whose text is text; nullptr when there is none.
Gtk::Label *findLabel(Gtk::Widget &top, const std::string &text);
Gtk::MenuItem *findMenuItem(Gtk::Widget &top, const std::string &text);

// Writes an executable shell script of the given body at path.
void writeScript(const std::string &path, const std::string &body);

// The processes whose state ('Z' for a zombie), parent and group keep accepts.
int countProcesses(const std::function<bool(char state, pid_t parent, pid_t group)> &keep);

// Runs action and closes the message box it opens, as the user would; the box
// as "title|text|secondary text|over" (or "apart" when it does not stand
// over parent); "no message" when none opened.
std::string messageOf(const std::function<void()> &action, const Gtk::Window &parent);

// Delivers a key press to widget as the keyboard does.
void pressKey(Gtk::Widget &widget, guint keyval);

// Asks window to close as the window manager does for the title bar's button.
void closeFromTitleBar(Gtk::Window &window);

// Every row of model as "c0|c1|..." (integers in decimal), rows separated by
// " ", the children of a row in "[...]" after it.
std::string modelRows(const Glib::RefPtr<Gtk::TreeModel> &model);

// Captures console (std::cout: the engine's and the windows' trace; or
// std::cerr) while it lives.
class ConsoleCapture {
public:
    explicit ConsoleCapture(std::ostream &console = std::cout);
    ~ConsoleCapture();
    std::string text() const { return captured_.str(); }
    // Only the lines that start with prefix, each ended by "\n".
    std::string linesStartingWith(const std::string &prefix) const;

private:
    std::ostream &console_;
    std::ostringstream captured_;
    std::streambuf *previous_;
};

// window1 with every modal step answered from queues and every secondary
// window kept for inspection instead of shown.
class TestWindow : public window1 {
public:
    std::deque<std::string> pathAnswers; // an empty queue answers "cancel"
    std::vector<PathRequest> pathRequests;
    std::optional<C45Options> c45OptionsAnswer;
    std::vector<C45Options> c45OptionsShown; // what each C4.5 options dialog opened with
    std::optional<TextOptions> textOptionsAnswer;
    std::vector<TextOptions> textOptionsShown;
    bool confirmationAnswer = true;
    std::vector<std::string> questions;
    std::vector<std::string> errors;
    std::vector<std::unique_ptr<Gtk::Window>> presented;

    // Queues path as the answer to the next chooser: window.answer("x").on_...().
    TestWindow &answer(const std::string &path) {
        pathAnswers.push_back(path);
        return *this;
    }
    template <typename W> W &presentedAs(std::size_t index) {
        return dynamic_cast<W &>(*presented.at(index));
    }

    // The sensitivity of the widgets that change, as "name:0|1 ...".
    std::string sensitivity() const;
    // The five counts of the "Text Processing" page, shown().
    std::string textProcessingCounts() const;
    // The sixteen result labels of the "C4.5" page, shown().
    std::string c45PageLabels() const;
    void switchToPage(int page);
    // Runs the main loop until the engine's work or the C4.5 run has ended;
    // false when it did not within ten seconds.
    bool waitUntilIdle();

    using window1::c45Result, window1::documentFolder, window1::fileSet, window1::runFile,
        window1::stateFile, window1::textProcessor;

    using window1_glade::attribute_count_label, window1_glade::c45_category_count_label,
        window1_glade::category_f1_label, window1_glade::corpus_label,
        window1_glade::selection_label, window1_glade::choose_names_button,
        window1_glade::cm_button, window1_glade::classify_text_button,
        window1_glade::draw_tree_button, window1_glade::df_scale, window1_glade::df_spinbutton,
        window1_glade::distribution_button, window1_glade::execute_toolbutton,
        window1_glade::file_set_label, window1_glade::important_words_button,
        window1_glade::load_settings_toolbutton, window1_glade::measures_button,
        window1_glade::notebook, window1_glade::open_toolbutton, window1_glade::parse_button,
        window1_glade::run_c45_button, window1_glade::run_progressbar, window1_glade::cancel_button,
        window1_glade::save_as_menuitem, window1_glade::save_as_toolbutton,
        window1_glade::save_settings_menuitem, window1_glade::save_settings_toolbutton,
        window1_glade::save_toolbutton, window1_glade::select_words_button,
        window1_glade::selected_word_count_label, window1_glade::show_log_button,
        window1_glade::show_pruned_tree_button, window1_glade::show_tree_button,
        window1_glade::stop_words_checkbutton, window1_glade::write_c45_button;

    using window1::on_export_activate, window1::on_load_settings_clicked,
        window1::on_options_activate, window1::on_quit_activate, window1::on_series_activate,
        window1::on_save_settings_clicked;

protected:
    std::string askForPath(const PathRequest &request) override;
    std::optional<C45Options> askC45Options(const C45Options &current) override;
    std::optional<TextOptions> askTextOptions(const TextOptions &current) override;
    bool askConfirmation(const std::string &question) override;
    void showError(const std::string &message) override { errors.push_back(message); }
    void presentWindow(Gtk::Window *window) override { presented.emplace_back(window); }
};
