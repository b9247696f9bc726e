#include "window1.h"

#include "Messages.h"
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
#include "window9.h"

#include <gdkmm/cursor.h>
#include <glibmm/main.h>
#include <glibmm/miscutils.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/stock.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <new>
#include <stdexcept>
#include <system_error>

namespace {

const int textProcessingPage = 0;
const int c45Page = 1;

std::string countMarkup(int count) {
    return smallBoldMarkup(std::to_string(count));
}

bool endsWith(const std::string &text, const std::string &end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string withoutEnding(const std::string &text, const std::string &end) {
    return endsWith(text, end) ? text.substr(0, text.size() - end.size()) : text;
}

// Why a folder cannot be listed, in the system's words.
std::string folderProblem(const std::string &folder) {
    std::error_code error;
    std::filesystem::directory_iterator listing(folder, error);
    return error ? error.message() : "unknown error";
}

// C4.5 runs in the file set's folder on the stem's last part, so that no
// folder name reaches the runner's stem rule, which cuts a path at its first
// ".names".
C45RunRequest runRequest(const std::string &fileSet, const C45Options &options, bool sparse) {
    C45RunRequest request;
    request.optionText = optionText(options);
    request.sparse = sparse;
    const std::filesystem::path stem(fileSet);
    if (!stem.has_parent_path()) {
        request.namesPath = fileSet + ".names";
        return request;
    }
    request.namesPath = stem.filename().string() + ".names";
    request.workingDirectory = stem.parent_path().string();
    request.program = Glib::build_filename(Glib::get_current_dir(), "c4.5.exe");
    return request;
}

// The file-set stem of a path chosen for a ".names" file: the path without
// a trailing ".names"; any other ".names" in it is kept.
std::string namesStem(const std::string &path) {
    return withoutEnding(path, ".names");
}

std::string withExtension(const std::string &path, const std::string &extension) {
    return endsWith(path, extension) ? path : path + extension;
}

} // namespace

window1::window1() : textProcessor("xml", "bla") {
    textProcessor.setFileStem("bla");
    textProcessor.useStemming = false;
    restorePreferences();
    updateSensitivity(textProcessingPage);
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
    dialog.setOptions(current.useStemming, current.computeInformationGain, current.sparseFileSet);
    if (dialog.run() != Gtk::RESPONSE_OK)
        return std::nullopt;
    return TextOptions{dialog.getUseStemming(), dialog.getComputeInformationGain(),
                       dialog.getSparseFileSet()};
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

void window1::reportError(const std::string &message) {
    std::cerr << message << std::endl;
    showError(croatianMessage(message));
}

bool window1::attempt(const std::function<void()> &operation) {
    try {
        operation();
        return true;
    } catch (const FileError &error) {
        reportError(error.messageWithReason());
    } catch (const std::bad_alloc &) {
        reportError("Out of memory");
    }
    return false;
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
    if (notebook->get_current_page() == textProcessingPage) {
        const std::map<std::string, int> categories = textProcessor.categoryTable();
        attempt([&] { exportCategoryDistribution(categories, base); });
    } else {
        attempt([&] { exportRunResults(c45Result.confusionMatrix, base); });
    }
}

void window1::on_options_activate() {
    if (busy())
        return;
    if (notebook->get_current_page() == c45Page) {
        if (const std::optional<C45Options> options = askC45Options(c45Options)) {
            c45Options = *options;
            savePreferences();
        }
        return;
    }
    if (const std::optional<TextOptions> options =
            askTextOptions({textProcessor.useStemming, computeInformationGain, writeSparse})) {
        textProcessor.useStemming = options->useStemming;
        computeInformationGain = options->computeInformationGain;
        writeSparse = options->sparseFileSet;
        savePreferences();
    }
}

void window1::on_series_activate() {
    SeriesSettings settings;
    settings.directory = textProcessor.directory;
    settings.stem = textProcessor.fileStem;
    settings.minDf = {static_cast<int>(df_scale->get_value())};
    settings.stemming = {textProcessor.useStemming};
    settings.stopWords = {stop_words_checkbutton->get_active()};
    if (c45Options.minCases)
        settings.minCases = {static_cast<int>(*c45Options.minCases)};
    settings.confidence = {c45Options.confidence};
    settings.discreteGroups = c45Options.discreteGroups;
    settings.c45Program = Glib::build_filename(Glib::get_current_dir(), "c4.5.exe");
    presentWindow(new window9(
        settings, jobs.service(),
        [this](const std::string &path, const std::vector<std::string> &lines) {
            if (!showSavedRun(path, lines))
                return false;
            notebook->set_current_page(c45Page);
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
    if (notebook->get_current_page() == c45Page) {
        on_choose_names_clicked();
        return;
    }
    if (busy())
        return;
    const std::string folder =
        askForPath({Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER, "Odaberite mapu s dokumentima", {}});
    if (folder.empty())
        return;
    documentFolder = folder;
    textProcessor.setDirectory(documentFolder);
    savePreferences();
}

std::unique_ptr<TextProcessor> window1::freshEngine() const {
    auto engine = std::make_unique<TextProcessor>(textProcessor.directory, textProcessor.fileStem);
    engine->useStemming = textProcessor.useStemming;
    return engine;
}

void window1::parseInBackground(const std::function<void()> &showCounts,
                                const std::function<void()> &failed) {
    const bool withGain = computeInformationGain;
    startEngineWork(
        "Parsiram dokumente...", freshEngine(),
        [withGain](TextProcessor &engine, const std::atomic<bool> &cancel) {
            if (!engine.parseDocuments(&cancel))
                throw std::runtime_error("Ne mogu otvoriti mapu " + engine.directory + ": " +
                                         folderProblem(engine.directory));
            if (engine.trainDocuments.empty() && engine.testDocuments.empty())
                throw std::runtime_error("U mapi " + engine.directory +
                                         " nije pronađen nijedan dokument.");
            if (withGain)
                engine.computeInformationGain(&cancel);
        },
        [this, showCounts](TextProcessor &engine) {
            textProcessor = std::move(engine);
            wordsSelected = false;
            textProcessor.printWordCount();
            textProcessor.printTrainDocumentCount();
            textProcessor.printTestDocumentCount();
            textProcessor.printCategoryCount();
            selected_word_count_label->set_markup(smallBoldMarkup("n/a"));
            showCounts();
        },
        failed);
}

void window1::on_execute_clicked() {
    if (notebook->get_current_page() == c45Page) {
        on_run_c45_clicked();
        return;
    }
    if (busy())
        return;
    parseInBackground(
        [this] {
            train_count_label->set_markup(countMarkup(textProcessor.printTrainDocumentCount()));
            test_count_label->set_markup(countMarkup(textProcessor.printTestDocumentCount()));
            category_count_label->set_markup(countMarkup(textProcessor.printCategoryCount()));
            word_count_label->set_markup(countMarkup(textProcessor.printWordCount()));
        },
        {});
}

// Always reads "xml"; the chosen folder becomes current again only if that
// parse fails.
void window1::on_parse_clicked() {
    if (busy())
        return;
    const std::string previousDirectory = textProcessor.directory;
    textProcessor.setDirectory("xml");
    parseInBackground(
        [this] {
            train_count_label->set_text(std::to_string(textProcessor.printTrainDocumentCount()));
            test_count_label->set_text(std::to_string(textProcessor.printTestDocumentCount()));
            category_count_label->set_text(std::to_string(textProcessor.printCategoryCount()));
            word_count_label->set_text(std::to_string(textProcessor.printWordCount()));
        },
        [this, previousDirectory] { textProcessor.setDirectory(previousDirectory); });
}

void window1::writeFileSet(const std::string &stem) {
    if (busy() || !wordsSelected)
        return;
    if (textProcessor.selectedWords.empty() &&
        !askConfirmation("Nijedna riječ nije izabrana, pa skup fajlova " + stem +
                         " neće imati nijedan atribut. Svejedno ga snimiti?"))
        return;
    const bool sparse = writeSparse;
    const TextProcessor &engine = textProcessor;
    startWork(
        "Snimam C4.5 fajlove...",
        [&engine, stem, sparse](const std::atomic<bool> &cancel) {
            engine.writeFileSetAs(stem, sparse, &cancel);
        },
        [this, stem, sparse] {
            textProcessor.setFileStem(stem);
            chooseFileSet(stem, sparse);
        },
        {});
}

void window1::on_save_clicked() {
    writeFileSet(textProcessor.fileStem);
}

void window1::on_save_as_clicked() {
    if (busy() || !wordsSelected)
        return;
    const std::string path = askForPath({Gtk::FILE_CHOOSER_ACTION_SAVE,
                                         "Snimi skup C4.5 fajlova (.names, .data, .test, .info)",
                                         {{"Names files", "*.names"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    writeFileSet(namesStem(path));
}

void window1::on_write_c45_files_clicked() {
    writeFileSet("bla");
}

void window1::on_load_settings_clicked() {
    if (busy())
        return;
    const int page = notebook->get_current_page();
    PathRequest request{Gtk::FILE_CHOOSER_ACTION_OPEN, {}, {}};
    if (page == textProcessingPage) {
        request.title = "Otvori stanje korpusa (.tpp)";
        request.filters.emplace_back("tpp files", "*.tpp");
    } else {
        request.title = "Otvori C4.5 rezultat (.c45p)";
        request.filters.emplace_back("c45p files", "*.c45p");
    }
    request.filters.emplace_back("Any files", "*");
    const std::string path = askForPath(request);
    if (path.empty())
        return;

    if (page == textProcessingPage) {
        const bool withGain = computeInformationGain;
        startEngineWork(
            "Učitavam stanje korpusa...", freshEngine(),
            [path, withGain](TextProcessor &engine, const std::atomic<bool> &cancel) {
                engine.loadTextProcessingState(path);
                if (withGain)
                    engine.computeInformationGain(&cancel);
            },
            [this, path](TextProcessor &engine) {
                textProcessor = std::move(engine);
                stateFile = path;
                wordsSelected = false;
                train_count_label->set_markup(countMarkup(textProcessor.printTrainDocumentCount()));
                test_count_label->set_markup(countMarkup(textProcessor.printTestDocumentCount()));
                category_count_label->set_markup(countMarkup(textProcessor.printCategoryCount()));
                word_count_label->set_markup(countMarkup(textProcessor.printWordCount()));
                selected_word_count_label->set_markup(smallBoldMarkup("n/a"));
            },
            {});
        return;
    }

    std::vector<std::string> lines;
    if (attempt([&] { lines = loadC45Output(path); }))
        showSavedRun(path, lines);
}

bool window1::showSavedRun(const std::string &path, const std::vector<std::string> &lines) {
    if (busy())
        return false;
    runFile = path;
    resetRunResult(c45Result);
    clearRunFigures();
    c45Result.outputLines = lines;
    showPageTexts(pageTexts(parseC45Output(c45Result, true)));
    updateSensitivity();
    return true;
}

void window1::on_save_settings_clicked() {
    if (busy())
        return;
    const bool corpusPage = notebook->get_current_page() == textProcessingPage;
    const std::string path =
        askForPath(corpusPage ? PathRequest{Gtk::FILE_CHOOSER_ACTION_SAVE,
                                            "Snimi stanje korpusa (.tpp)",
                                            {{"tpp files", "*.tpp"}, {"Any files", "*"}}}
                              : PathRequest{Gtk::FILE_CHOOSER_ACTION_SAVE,
                                            "Snimi C4.5 rezultat (.c45p)",
                                            {{"c45p files", "*.c45p"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    if (corpusPage) {
        const std::string file = withExtension(path, ".tpp");
        if (attempt([&] { textProcessor.saveTextProcessingState(file); }))
            stateFile = file;
        return;
    }
    const std::string file = withExtension(path, ".c45p");
    if (attempt([&] { saveC45Output(c45Result.outputLines, file); }))
        runFile = file;
}

void window1::on_df_spinbutton_value_changed() {
    df_scale->set_value(df_spinbutton->get_value());
}

void window1::on_df_scale_value_changed() {
    df_spinbutton->set_value(df_scale->get_value());
}

void window1::on_select_words_clicked() {
    if (busy())
        return;
    const int minDf = static_cast<int>(df_scale->get_value());
    const bool useStopWords = stop_words_checkbutton->get_active();
    if (!attempt([&] { textProcessor.selectWordsDefault(minDf, useStopWords); }))
        return;
    wordsSelected = true;
    selected_word_count_label->set_markup(countMarkup(textProcessor.printSelectedWordCount()));
    updateSensitivity();
}

void window1::on_stop_words_toggled() {}

void window1::on_edit_stop_words_clicked() {
    presentWindow(new window7());
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

// The handler runs before the notebook changes page; pageNumber is the page
// being shown.
void window1::on_notebook_switch_page(GtkNotebookPage *, guint pageNumber) {
    updateSensitivity(static_cast<int>(pageNumber));
}

void window1::on_choose_names_clicked() {
    if (busy())
        return;
    const std::string path = askForPath({Gtk::FILE_CHOOSER_ACTION_OPEN,
                                         "Odaberite skup C4.5 fajlova (.names)",
                                         {{"Names files", "*.names"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    chooseFileSet(namesStem(path));
}

// A new file set has no run yet: its result, the run figures and the result
// commands go until it is run.
void window1::chooseFileSet(const std::string &stem, std::optional<bool> sparse) {
    fileSet = stem;
    fileSetSparse = sparse ? *sparse : isSparseFileSet(stem);
    resetRunResult(c45Result);
    clearRunFigures();
    file_set_label->set_markup(smallBoldMarkup(fileSet));
    std::ifstream info(fileSet + ".info");
    for (Gtk::Label *label : {c45_train_count_label, c45_test_count_label, c45_category_count_label,
                              attribute_count_label}) {
        std::string line;
        label->set_markup(smallBoldMarkup(std::getline(info, line) ? line : "n/a"));
    }
    updateSensitivity();
}

void window1::clearRunFigures() {
    for (Gtk::Label *label :
         {tree_size_bp_label, tree_size_ap_label, train_size_bp_label, train_size_ap_label,
          train_errors_bp_label, train_errors_ap_label, test_size_bp_label, test_size_ap_label,
          test_errors_bp_label, test_errors_ap_label})
        label->set_markup(smallBoldMarkup("n/a"));
    train_estimate_label->set_text("n/a");
    test_estimate_label->set_text("n/a");
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

// The run figures go at once; the previous result and its commands stay
// until the run gives a new one, and stay as they were when it fails. A
// cancelled run puts the figures back too.
void window1::on_run_c45_clicked() {
    if (busy() || fileSet.empty())
        return;
    const std::vector<LabelState> previousFigures = runFigures();
    clearRunFigures();
    const C45RunRequest request = runRequest(fileSet, c45Options, fileSetSparse);
    auto outcome = std::make_shared<C45Process::Outcome>();
    runningC45 = true;
    startWork(
        "C4.5 radi...",
        [request, outcome](const std::atomic<bool> &cancel) {
            *outcome = C45Process(request).finish(&cancel);
        },
        [this, outcome] {
            if (const std::optional<std::string> problem = runFailure(*outcome)) {
                reportError(*problem);
                return;
            }
            c45Result = std::move(outcome->result);
            showPageTexts(pageTexts(outcome->summary));
        },
        [previousFigures](const JobEnd &end) {
            if (!end.cancelled)
                return;
            for (const LabelState &figure : previousFigures)
                if (figure.markup)
                    figure.label->set_markup(figure.text);
                else
                    figure.label->set_text(figure.text);
        });
}

std::vector<window1::LabelState> window1::runFigures() const {
    std::vector<LabelState> figures;
    for (Gtk::Label *label :
         {tree_size_bp_label, tree_size_ap_label, train_size_bp_label, train_size_ap_label,
          train_errors_bp_label, train_errors_ap_label, test_size_bp_label, test_size_ap_label,
          test_errors_bp_label, test_errors_ap_label, train_estimate_label, test_estimate_label})
        figures.push_back({label, label->get_label(), label->get_use_markup()});
    return figures;
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

void window1::startWork(const std::string &progressText, Work work,
                        std::function<void()> succeeded,
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
            runningC45 = false;
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

void window1::startEngineWork(const std::string &progressText,
                              std::unique_ptr<TextProcessor> engine, EngineStep work,
                              std::function<void(TextProcessor &)> adopt,
                              std::function<void()> failed) {
    const std::shared_ptr<TextProcessor> staged(std::move(engine));
    startWork(
        progressText, [staged, work](const std::atomic<bool> &cancel) { work(*staged, cancel); },
        [staged, adopt] { adopt(*staged); },
        [failed](const JobEnd &) {
            if (failed)
                failed();
        });
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
    const bool fileSetWritable = idle && wordsSelected;
    const bool onCorpusPage = page == textProcessingPage;
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
        {measures_button, matrix},
        {show_log_button, result},
        {show_tree_button, result},
        {show_pruned_tree_button, result},
    };
    for (const auto &[widget, sensitive] : states)
        widget->set_sensitive(sensitive);
    showPageTooltips(page);
}

void window1::showPageTooltips(int page) {
    const bool corpusPage = page == textProcessingPage;
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
