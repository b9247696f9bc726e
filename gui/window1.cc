#include "window1.h"

#include "corpus/FileError.h"
#include "dialog1.h"
#include "dialog2.h"
#include "dialog3.h"
#include "window9.h"

#include <gdkmm/cursor.h>
#include <glibmm/main.h>
#include <glibmm/miscutils.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/stock.h>

#include <stdexcept>

namespace {

const int textProcessingPageNumber = 0;
const int c45PageNumber = 1;

} // namespace

window1::window1()
    : textPage(*this, *this,
               {train_count_label, test_count_label, category_count_label, word_count_label,
                selected_word_count_label, df_scale, df_spinbutton, stop_words_checkbutton,
                corpus_label, selection_label}),
      c45Page(*this, *this,
              {file_set_label, c45_train_count_label, c45_test_count_label,
               c45_category_count_label, attribute_count_label, tree_size_bp_label,
               tree_size_ap_label, train_estimate_label, train_size_bp_label, train_size_ap_label,
               train_errors_bp_label, train_errors_ap_label, test_estimate_label,
               test_size_bp_label, test_size_ap_label, test_errors_bp_label,
               test_errors_ap_label, category_f1_label}) {
    restorePreferences();
    updateSensitivity(textProcessingPageNumber);
}

// A job still reading or writing the engine, or running C4.5, ends before
// the engine goes; the series windows' jobs end too, their learners with them.
window1::~window1() {
    savePreferences();
    jobs.service().shutdown();
}

std::string window1::askForPath(const PathRequest &request) {
    Gtk::FileChooserDialog chooser(*this, request.title, request.action);
    chooser.add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    if (request.action == Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER)
        chooser.add_button("Select", Gtk::RESPONSE_OK);
    else if (request.action == Gtk::FILE_CHOOSER_ACTION_SAVE)
        chooser.add_button(Gtk::Stock::SAVE, Gtk::RESPONSE_OK);
    else
        chooser.add_button(Gtk::Stock::OPEN, Gtk::RESPONSE_OK);
    chooser.set_current_folder(Glib::get_current_dir());
    chooser.set_do_overwrite_confirmation(true);
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

// An invalid value keeps the dialog open with its message, so the loop
// ends only with valid options or a cancel.
std::optional<C45Options> window1::askC45Options(const C45Options &current) {
    dialog2 dialog;
    dialog.set_transient_for(*this);
    dialog.setOptions(current);
    while (dialog.run() == Gtk::RESPONSE_OK)
        if (const std::optional<C45Options> accepted = dialog.acceptedOptions())
            return accepted;
    return std::nullopt;
}

std::optional<window1::TextOptions> window1::askTextOptions(const TextOptions &current) {
    dialog3 dialog;
    dialog.set_transient_for(*this);
    dialog.setOptions(current);
    if (dialog.run() != Gtk::RESPONSE_OK)
        return std::nullopt;
    return dialog.getOptions();
}

bool window1::askConfirmation(const std::string &question) {
    Gtk::MessageDialog dialog(*this, question, false, Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_YES_NO,
                              true);
    dialog.set_title("Pitanje");
    return dialog.run() == Gtk::RESPONSE_YES;
}

void window1::showError(const std::string &message) {
    Gtk::MessageDialog dialog(*this, message, false, Gtk::MESSAGE_ERROR, Gtk::BUTTONS_CLOSE, true);
    dialog.set_title("Greška");
    dialog.run();
}

void window1::presentWindow(Gtk::Window *window) {
    window->signal_hide().connect(
        [window] { Glib::signal_idle().connect_once([window] { delete window; }); });
    window->present();
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

// Tables go to NAME.csv (and the measures to NAME-mjere.csv) whether or not
// the chosen name ends in ".csv".
void window1::on_export_activate() {
    if (busy())
        return;
    const std::string path = askForPath({Gtk::FILE_CHOOSER_ACTION_SAVE,
                                         "Izvezi tablicu (CSV)",
                                         {{"CSV files", "*.csv"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    const std::string base = withoutEnding(path, ".csv");
    if (notebook->get_current_page() == textProcessingPageNumber)
        textPage.exportCategories(base);
    else
        c45Page.exportResults(base);
}

void window1::on_options_activate() {
    if (busy())
        return;
    if (notebook->get_current_page() == textProcessingPageNumber)
        textPage.editOptions();
    else
        c45Page.editOptions();
    savePreferences();
}

void window1::on_series_activate() {
    SeriesSettings settings;
    settings.directory = textProcessor.directory;
    settings.stem = textProcessor.fileStem;
    settings.minDf = {static_cast<int>(df_scale->get_value())};
    settings.stemming = {textProcessor.useStemming};
    settings.stopWords = {stop_words_checkbutton->get_active()};
    settings.stemStopWords = stemStopWords;
    settings.multiCategory = multiCategory;
    if (c45Options.minCases)
        settings.minCases = {static_cast<int>(*c45Options.minCases)};
    settings.confidence = {c45Options.confidence};
    settings.discreteGroups = c45Options.discreteGroups;
    settings.c45Program = Glib::build_filename(Glib::get_current_dir(), "c4.5.exe");
    presentWindow(
        new window9(settings, jobs.service(),
                    [this](const std::string &path, const std::vector<std::string> &lines) {
                        if (!c45Page.showSavedRun(path, lines))
                            return false;
                        notebook->set_current_page(c45PageNumber);
                        present();
                        return true;
                    }));
}

void window1::on_quit_activate() {
    hide();
}

void window1::on_about_activate() {
    presentWindow(new dialog1());
}

void window1::on_open_clicked() {
    if (notebook->get_current_page() == c45PageNumber) {
        on_choose_names_clicked();
        return;
    }
    textPage.chooseFolder();
    savePreferences();
}

void window1::on_execute_clicked() {
    if (notebook->get_current_page() == c45PageNumber)
        on_run_c45_clicked();
    else
        textPage.parseChosenFolder();
}

void window1::on_parse_clicked() {
    textPage.parseXmlFolder();
}

void window1::on_save_clicked() {
    textPage.saveFileSet();
}

void window1::on_save_as_clicked() {
    textPage.saveFileSetAs();
}

void window1::on_write_c45_files_clicked() {
    textPage.writeDefaultFileSet();
}

void window1::fileSetWritten(const std::string &stem, const FileSetLayout &layout) {
    c45Page.chooseFileSet(stem, layout);
}

void window1::on_load_settings_clicked() {
    if (notebook->get_current_page() == textProcessingPageNumber)
        textPage.loadState();
    else
        c45Page.openRun();
}

void window1::on_save_settings_clicked() {
    if (notebook->get_current_page() == textProcessingPageNumber)
        textPage.saveState();
    else
        c45Page.saveRun();
}

void window1::on_df_spinbutton_value_changed() {
    textPage.followDfSpinButton();
}

void window1::on_df_scale_value_changed() {
    textPage.followDfScale();
}

void window1::on_select_words_clicked() {
    textPage.selectWords();
}

void window1::on_stop_words_toggled() {
    textPage.showSelection();
}

void window1::on_edit_stop_words_clicked() {
    textPage.editStopWords();
}

void window1::on_distribution_clicked() {
    textPage.showDistribution();
}

void window1::on_important_words_clicked() {
    textPage.showImportantWords();
}

void window1::on_choose_names_clicked() {
    c45Page.chooseNames();
}

void window1::on_run_c45_clicked() {
    c45Page.run();
}

void window1::on_show_tree_clicked() {
    c45Page.showTree(false);
}

void window1::on_show_pruned_tree_clicked() {
    c45Page.showTree(true);
}

void window1::on_draw_tree_clicked() {
    c45Page.showDrawnTree(false);
}

void window1::on_draw_pruned_tree_clicked() {
    c45Page.showDrawnTree(true);
}

void window1::on_classify_text_clicked() {
    c45Page.showClassifier();
}

void window1::on_show_log_clicked() {
    c45Page.showLog();
}

void window1::on_confusion_matrix_clicked() {
    c45Page.showConfusionMatrix();
}

void window1::on_measures_clicked() {
    c45Page.showMeasures();
}

// The handler runs before the notebook changes page; pageNumber is the page
// being shown.
void window1::on_notebook_switch_page(GtkNotebookPage *, guint pageNumber) {
    updateSensitivity(static_cast<int>(pageNumber));
}

// The pulse shows the window is alive while a job gives no progress.
bool window1::onBusyPulse() {
    run_progressbar->pulse();
    return true;
}

void window1::on_cancel_clicked() {
    if (!currentJob)
        return;
    jobs.service().cancel(*currentJob);
    run_progressbar->set_text(run_progressbar->get_text() + " (prekidam...)");
    cancel_button->set_sensitive(false);
}

void window1::startWork(const std::string &progressText, Work work, std::function<void()> succeeded,
                        std::function<void(const JobEnd &)> failed) {
    startBusyFeedback(progressText);
    currentJob = jobs.service().submit(
        progressText,
        [work = std::move(work)](JobControl &control) {
            try {
                work(control.cancelFlag());
            } catch (const FileError &error) {
                throw std::runtime_error(error.messageWithReason());
            }
        },
        [this, succeeded = std::move(succeeded), failed = std::move(failed)](const JobEnd &end) {
            currentJob.reset();
            stopBusyFeedback();
            if (end.succeeded()) {
                succeeded();
            } else {
                if (failed)
                    failed(end);
                if (!end.cancelled)
                    reportError(end.error);
            }
            updateSensitivity();
        });
    updateSensitivity();
}

// While the engine works or C4.5 runs the commands that would start other
// work or change the data are unavailable; the window keeps redrawing.
void window1::startBusyFeedback(const std::string &text) {
    if (Glib::RefPtr<Gdk::Window> window = get_window())
        window->set_cursor(Gdk::Cursor(Gdk::WATCH));
    run_progressbar->set_text(text);
    run_progressbar->show();
    cancel_button->set_sensitive(true);
    cancel_button->show();
    busyPulse = Glib::signal_timeout().connect(sigc::mem_fun(*this, &window1::onBusyPulse), 100);
    updateSensitivity();
}

void window1::stopBusyFeedback() {
    busyPulse.disconnect();
    run_progressbar->hide();
    cancel_button->hide();
    if (Glib::RefPtr<Gdk::Window> window = get_window())
        window->set_cursor();
    updateSensitivity();
}

void window1::updateSensitivity() {
    updateSensitivity(notebook->get_current_page());
}

void window1::updateSensitivity(int page) {
    const bool idle = !busy();
    const bool corpus =
        !textProcessor.trainDocuments.empty() || !textProcessor.testDocuments.empty();
    const bool result = !c45Result.outputLines.empty();
    const bool matrix = !c45Result.confusionMatrix.empty();
    // A run with one tree per category keeps no confusion matrix.
    const bool perCategory = isPerCategoryRun(c45Result.outputLines);
    const bool fileSetWritable = idle && wordsSelected;
    const bool onCorpusPage = page == textProcessingPageNumber;
    const std::pair<Gtk::Widget *, bool> states[] = {
        {toolbar, idle},
        {open_menuitem, idle},
        {execute_toolbutton, onCorpusPage || !fileSet.empty()},
        {save_toolbutton, onCorpusPage && fileSetWritable},
        {save_as_toolbutton, onCorpusPage && fileSetWritable},
        {save_as_menuitem, fileSetWritable},
        {write_c45_button, fileSetWritable},
        {load_settings_menuitem, idle},
        {save_settings_toolbutton, onCorpusPage ? corpus : result},
        {save_settings_menuitem, idle && (onCorpusPage ? corpus : result)},
        {export_menuitem, idle && (onCorpusPage ? corpus : matrix)},
        {options_menuitem, idle},
        {parse_button, idle},
        {distribution_button, corpus},
        {select_words_button, idle && corpus},
        {important_words_button, wordsSelected},
        {choose_names_button, idle},
        {run_c45_button, idle && !fileSet.empty()},
        {cm_button, matrix},
        {measures_button, matrix || perCategory},
        {show_log_button, result},
        {show_tree_button, result},
        {show_pruned_tree_button, result},
        {draw_tree_button, result},
        {draw_pruned_tree_button, result},
        {classify_text_button, result},
    };
    for (const auto &[widget, sensitive] : states)
        widget->set_sensitive(sensitive);
    showPageTooltips(page);
}

void window1::showPageTooltips(int page) {
    const bool corpusPage = page == textProcessingPageNumber;
    open_toolbutton->set_tooltip_text(corpusPage ? "Odaberi mapu s dokumentima"
                                                 : "Odaberi skup C4.5 fajlova (.names)");
    execute_toolbutton->set_tooltip_text(corpusPage ? "Parsiraj dokumente odabrane mape"
                                                    : "Pokreni C4.5 na skupu fajlova");
    save_toolbutton->set_tooltip_text("Snimi skup C4.5 fajlova pod imenom " +
                                      textProcessor.fileStem);
    save_as_toolbutton->set_tooltip_text("Snimi skup C4.5 fajlova pod novim imenom");
    load_settings_toolbutton->set_tooltip_text(corpusPage ? "Otvori stanje korpusa (.tpp)"
                                                          : "Otvori C4.5 rezultat (.c45p)");
    save_settings_toolbutton->set_tooltip_text(corpusPage ? "Snimi stanje korpusa (.tpp)"
                                                          : "Snimi C4.5 rezultat (.c45p)");
}
