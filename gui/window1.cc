#include "window1.h"

#include "c45/C45OutputFile.h"
#include "c45/NumberText.h"
#include "corpus/FileError.h"
#include "dialog1.h"
#include "dialog2.h"
#include "dialog3.h"
#include "measures/ResultsExport.h"
#include "window3.h"
#include "window4.h"
#include "window5.h"
#include "window6.h"
#include "window7.h"
#include "window8.h"

#include <gdkmm/cursor.h>
#include <glibmm/main.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/stock.h>

#include <fstream>
#include <iostream>

namespace {

const int textProcessingPage = 0;
const int c45Page = 1;

std::string countMarkup(int count) {
    return smallBoldMarkup(std::to_string(count));
}

} // namespace

window1::window1() : textProcessor("xml", "bla") {
    textProcessor.setFileStem("bla");
    textProcessor.useStemming = false;
    for (Gtk::Widget *widget : std::initializer_list<Gtk::Widget *>{
             distribution_button, select_words_button, important_words_button, save_toolbutton,
             save_as_toolbutton, cm_button, show_log_button, show_tree_button,
             show_pruned_tree_button})
        widget->set_sensitive(false);
}

std::string window1::askForPath(const PathRequest &request) {
    const bool folder = request.action == Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER;
    Gtk::FileChooserDialog chooser(
        *this, folder ? "Please choose a folder" : "Please choose a file", request.action);
    chooser.add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    if (folder)
        chooser.add_button("Select", Gtk::RESPONSE_OK);
    else if (request.action == Gtk::FILE_CHOOSER_ACTION_SAVE)
        chooser.add_button(Gtk::Stock::SAVE, Gtk::RESPONSE_OK);
    else
        chooser.add_button(Gtk::Stock::OPEN, Gtk::RESPONSE_OK);
    for (const auto &[name, pattern] : request.filters) {
        Gtk::FileFilter *filter = Gtk::manage(new Gtk::FileFilter());
        filter->set_name(name);
        filter->add_pattern(pattern);
        chooser.add_filter(*filter);
    }
    if (chooser.run() != Gtk::RESPONSE_OK)
        return {};
    return chooser.get_filename();
}

std::optional<std::string> window1::askC45Options() {
    dialog2 dialog;
    dialog.set_transient_for(*this);
    if (dialog.run() != Gtk::RESPONSE_OK)
        return std::nullopt;
    return dialog.getOptionString();
}

std::optional<window1::TextOptions> window1::askTextOptions() {
    dialog3 dialog;
    dialog.set_transient_for(*this);
    if (dialog.run() != Gtk::RESPONSE_OK)
        return std::nullopt;
    return TextOptions{dialog.getUseStemming(), dialog.getComputeInformationGain()};
}

void window1::showError(const std::string &message) {
    Gtk::MessageDialog dialog(*this, message, false, Gtk::MESSAGE_ERROR, Gtk::BUTTONS_CLOSE, true);
    dialog.run();
}

void window1::presentWindow(Gtk::Window *window) {
    window->signal_hide().connect(
        [window] { Glib::signal_idle().connect_once([window] { delete window; }); });
    window->present();
}

void window1::reportError(const std::string &message) {
    std::cerr << message << std::endl;
    showError(message);
}

bool window1::attempt(const std::function<void()> &operation) {
    try {
        operation();
        return true;
    } catch (const FileError &error) {
        reportError(error.what());
        return false;
    }
}

void window1::drainPendingEvents() {
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
}

void window1::on_open_activate() {
    on_open_clicked();
}

void window1::on_save_as_activate() {
    on_save_as_clicked();
}

void window1::on_load_settings_activate() {
    on_load_settings_clicked();
}

void window1::on_save_settings_activate() {
    on_save_settings_clicked();
}

void window1::on_export_activate() {
    const std::string path = askForPath({Gtk::FILE_CHOOSER_ACTION_SAVE, {{"Any files", "*"}}});
    if (path.empty())
        return;
    chosenFile = path;
    const int page = notebook->get_current_page();
    if (page == textProcessingPage) {
        const std::map<std::string, int> categories = textProcessor.categoryTable();
        attempt([&] { exportCategoryDistribution(categories, chosenFile); });
    } else if (page == c45Page) {
        attempt([&] { exportRunResults(c45Result.confusionMatrix, chosenFile); });
    }
}

void window1::on_options_activate() {
    if (notebook->get_current_page() == c45Page) {
        if (const std::optional<std::string> options = askC45Options())
            c45Options = *options;
        return;
    }
    if (const std::optional<TextOptions> options = askTextOptions()) {
        textProcessor.useStemming = options->useStemming;
        computeInformationGain = options->computeInformationGain;
    }
}

void window1::on_quit_activate() {
    hide();
}

void window1::on_about_activate() {
    presentWindow(new dialog1());
}

void window1::on_open_clicked() {
    if (notebook->get_current_page() == c45Page) {
        on_choose_names_clicked();
        return;
    }
    const std::string folder = askForPath({Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER, {}});
    if (folder.empty())
        return;
    documentFolder = folder;
    textProcessor.setDirectory(documentFolder);
}

bool window1::parseAndCount() {
    const bool parsed = attempt([this] {
        textProcessor.parseDocuments();
        if (computeInformationGain)
            textProcessor.computeInformationGain();
    });
    if (!parsed)
        return false;
    textProcessor.printWordCount();
    textProcessor.printTrainDocumentCount();
    textProcessor.printTestDocumentCount();
    textProcessor.printCategoryCount();
    return true;
}

void window1::on_execute_clicked() {
    if (notebook->get_current_page() == c45Page) {
        on_run_c45_clicked();
        return;
    }
    drainPendingEvents();
    if (!parseAndCount())
        return;
    selected_word_count_label->set_markup(smallBoldMarkup("n/a"));
    train_count_label->set_markup(countMarkup(textProcessor.printTrainDocumentCount()));
    test_count_label->set_markup(countMarkup(textProcessor.printTestDocumentCount()));
    category_count_label->set_markup(countMarkup(textProcessor.printCategoryCount()));
    word_count_label->set_markup(countMarkup(textProcessor.printWordCount()));
    for (Gtk::Widget *widget : std::initializer_list<Gtk::Widget *>{
             distribution_button, select_words_button, save_toolbutton, save_as_toolbutton})
        widget->set_sensitive(true);
}

void window1::on_parse_clicked() {
    const std::string previousDirectory = textProcessor.directory;
    textProcessor.setDirectory("xml");
    drainPendingEvents();
    if (!parseAndCount()) {
        textProcessor.setDirectory(previousDirectory);
        return;
    }
    train_count_label->set_text(std::to_string(textProcessor.printTrainDocumentCount()));
    test_count_label->set_text(std::to_string(textProcessor.printTestDocumentCount()));
    category_count_label->set_text(std::to_string(textProcessor.printCategoryCount()));
    word_count_label->set_text(std::to_string(textProcessor.printWordCount()));
    distribution_button->set_sensitive(true);
    select_words_button->set_sensitive(true);
}

void window1::writeC45Files() {
    attempt([this] { textProcessor.writeC45Files(); });
}

void window1::on_save_clicked() {
    if (c45Running())
        return;
    writeC45Files();
}

void window1::on_save_as_clicked() {
    if (c45Running())
        return;
    const std::string path = askForPath(
        {Gtk::FILE_CHOOSER_ACTION_SAVE, {{"Names files", "*.names"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    chosenFile = path;
    textProcessor.setFileStem(chosenFile);
    writeC45Files();
}

void window1::on_write_c45_files_clicked() {
    if (c45Running())
        return;
    textProcessor.setFileStem("bla");
    writeC45Files();
}

void window1::on_load_settings_clicked() {
    if (c45Running())
        return;
    const int page = notebook->get_current_page();
    PathRequest request{Gtk::FILE_CHOOSER_ACTION_OPEN, {}};
    if (page == textProcessingPage)
        request.filters.emplace_back("tpp files", "*.tpp");
    else
        request.filters.emplace_back("c45p files", "*.c45p");
    request.filters.emplace_back("Any files", "*");
    const std::string path = askForPath(request);
    if (path.empty())
        return;
    chosenFile = path;

    if (page == textProcessingPage) {
        const bool loaded = attempt([this] {
            textProcessor.loadTextProcessingState(chosenFile);
            if (computeInformationGain)
                textProcessor.computeInformationGain();
        });
        if (!loaded)
            return;
        train_count_label->set_markup(countMarkup(textProcessor.printTrainDocumentCount()));
        test_count_label->set_markup(countMarkup(textProcessor.printTestDocumentCount()));
        category_count_label->set_markup(countMarkup(textProcessor.printCategoryCount()));
        word_count_label->set_markup(countMarkup(textProcessor.printWordCount()));
        distribution_button->set_sensitive(true);
        select_words_button->set_sensitive(true);
        return;
    }

    std::vector<std::string> lines;
    if (!attempt([&] { lines = loadC45Output(chosenFile); }))
        return;
    resetRunResult();
    c45Result.outputLines = std::move(lines);
    showPageTexts(pageTexts(parseC45Output(c45Result, true)));
    for (Gtk::Widget *widget : std::initializer_list<Gtk::Widget *>{
             cm_button, show_log_button, show_tree_button, show_pruned_tree_button})
        widget->set_sensitive(true);
}

void window1::on_save_settings_clicked() {
    if (c45Running())
        return;
    const std::string path = askForPath({Gtk::FILE_CHOOSER_ACTION_SAVE, {{"Any files", "*"}}});
    if (path.empty())
        return;
    chosenFile = path;
    if (notebook->get_current_page() == textProcessingPage)
        attempt([this] { textProcessor.saveTextProcessingState(chosenFile + ".tpp"); });
    else
        attempt([this] { saveC45Output(c45Result.outputLines, chosenFile + ".c45p"); });
}

void window1::on_df_spinbutton_value_changed() {
    df_scale->set_value(df_spinbutton->get_value());
}

void window1::on_df_scale_value_changed() {
    df_spinbutton->set_value(df_scale->get_value());
}

void window1::on_select_words_clicked() {
    const int minDf = static_cast<int>(df_scale->get_value());
    const bool useStopWords = stop_words_checkbutton->get_active();
    if (!attempt([&] { textProcessor.selectWordsDefault(minDf, useStopWords); }))
        return;
    selected_word_count_label->set_markup(countMarkup(textProcessor.printSelectedWordCount()));
    important_words_button->set_sensitive(true);
}

void window1::on_stop_words_toggled() {}

void window1::on_edit_stop_words_clicked() {
    presentWindow(new window7([this](const std::string &message) { reportError(message); }));
}

void window1::on_distribution_clicked() {
    presentWindow(new window3(textProcessor.categoryTable(), false));
}

void window1::on_important_words_clicked() {
    const std::map<std::string, int> words = textProcessor.selectedWordsTable();
    const std::map<std::string, float> gains = textProcessor.selectedGainTable();
    if (textProcessor.printSelectedInformationGainCount() == 0)
        presentWindow(new window3(words, true));
    else
        presentWindow(new window3(words, true, gains));
}

void window1::on_show_tree_clicked() {
    presentWindow(new window6(c45Result.outputLines, false));
}

void window1::on_show_pruned_tree_clicked() {
    presentWindow(new window6(c45Result.outputLines, true));
}

void window1::on_show_log_clicked() {
    presentWindow(new window5(c45Result.outputLines));
}

void window1::on_confusion_matrix_clicked() {
    const ConfusionMatrix &matrix = c45Result.confusionMatrix;
    presentWindow(new window4(matrix.counts, matrix.categoryNames));
}

void window1::on_measures_clicked() {
    const ConfusionMatrix &matrix = c45Result.confusionMatrix;
    presentWindow(new window8(matrix.counts, matrix.categoryNames));
}

// Runs before the notebook changes page, so the current page is the one being
// left: leaving the "C4.5" page makes the file-set Save buttons available.
void window1::on_notebook_switch_page(GtkNotebookPage *, guint) {
    const bool leavingC45Page = notebook->get_current_page() == c45Page;
    save_toolbutton->set_sensitive(leavingC45Page);
    save_as_toolbutton->set_sensitive(leavingC45Page);
}

void window1::on_choose_names_clicked() {
    if (c45Running())
        return;
    const std::string path = askForPath(
        {Gtk::FILE_CHOOSER_ACTION_OPEN, {{"Names files", "*.names"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    chosenFile = path;
    textProcessor.setFileStem(chosenFile);
    resetRunResult();

    std::ifstream info(stemOfNamesPath(chosenFile) + ".info");
    for (Gtk::Label *label : {c45_train_count_label, c45_test_count_label, c45_category_count_label,
                              attribute_count_label}) {
        std::string line;
        if (!std::getline(info, line))
            break;
        label->set_markup(smallBoldMarkup(line));
    }
}

void window1::resetRunResult() {
    ::resetRunResult(c45Result);
    for (Gtk::Label *label :
         {c45_train_count_label, train_size_bp_label, tree_size_bp_label, train_errors_bp_label,
          train_size_ap_label, tree_size_ap_label, train_errors_ap_label, attribute_count_label,
          c45_test_count_label, test_size_bp_label, test_errors_bp_label, test_size_ap_label,
          test_errors_ap_label, c45_category_count_label})
        label->set_markup(smallBoldMarkup("n/a"));
}

void window1::showPageTexts(const C45PageTexts &texts) {
    c45_train_count_label->set_markup(texts.trainCount);
    train_size_bp_label->set_markup(texts.trainSizeBefore);
    tree_size_bp_label->set_markup(texts.trainSizeBefore);
    train_errors_bp_label->set_markup(texts.trainErrorsBefore);
    train_size_ap_label->set_markup(texts.trainSizeAfter);
    tree_size_ap_label->set_markup(texts.trainSizeAfter);
    train_errors_ap_label->set_markup(texts.trainErrorsAfter);
    train_estimate_label->set_text(texts.trainEstimate);
    attribute_count_label->set_markup(texts.attributeCount);
    c45_test_count_label->set_markup(texts.testCount);
    test_size_bp_label->set_markup(texts.testSizeBefore);
    test_errors_bp_label->set_markup(texts.testErrorsBefore);
    test_size_ap_label->set_markup(texts.testSizeAfter);
    test_errors_ap_label->set_markup(texts.testErrorsAfter);
    if (texts.testEstimate)
        test_estimate_label->set_text(*texts.testEstimate);
    c45_category_count_label->set_markup(texts.categoryCount);
}

void window1::on_run_c45_clicked() {
    if (c45Running() || chosenFile.empty())
        return;
    resetRunResult();
    run = std::make_unique<C45Process>(C45RunRequest{chosenFile, c45Options});
    startRunFeedback();
    const int output = run->outputDescriptor();
    if (output < 0) {
        finishRun();
        return;
    }
    Glib::signal_io().connect(sigc::mem_fun(*this, &window1::onRunOutput), output,
                              Glib::IO_IN | Glib::IO_HUP | Glib::IO_ERR);
}

bool window1::onRunOutput(Glib::IOCondition) {
    if (!run->readAvailable())
        return true;
    finishRun();
    return false;
}

bool window1::onRunPulse() {
    run_progressbar->pulse();
    return true;
}

void window1::finishRun() {
    C45Process::Outcome outcome = run->finish();
    c45Result = std::move(outcome.result);
    showPageTexts(pageTexts(outcome.summary));
    for (Gtk::Widget *widget : std::initializer_list<Gtk::Widget *>{
             cm_button, show_log_button, show_tree_button, show_pruned_tree_button})
        widget->set_sensitive(true);
    run.reset();
    stopRunFeedback();
}

// While C4.5 runs the commands that would start another run or change the
// data set it reads are unavailable; the window keeps redrawing.
void window1::startRunFeedback() {
    for (Gtk::Widget *widget : lockedDuringRun())
        widget->set_sensitive(false);
    if (Glib::RefPtr<Gdk::Window> window = get_window())
        window->set_cursor(Gdk::Cursor(Gdk::WATCH));
    run_progressbar->set_text("C4.5 radi...");
    run_progressbar->show();
    runPulse = Glib::signal_timeout().connect(sigc::mem_fun(*this, &window1::onRunPulse), 100);
}

void window1::stopRunFeedback() {
    runPulse.disconnect();
    run_progressbar->hide();
    if (Glib::RefPtr<Gdk::Window> window = get_window())
        window->set_cursor();
    for (Gtk::Widget *widget : lockedDuringRun())
        widget->set_sensitive(true);
}

std::vector<Gtk::Widget *> window1::lockedDuringRun() {
    return {toolbar,
            open_menuitem,
            save_as_menuitem,
            load_settings_menuitem,
            save_settings_menuitem,
            write_c45_button,
            choose_names_button,
            run_c45_button};
}
