#include "C45Page.h"

#include "c45/C45OutputFile.h"
#include "c45/NumberText.h"
#include "classify/Classifier.h"
#include "measures/ResultsExport.h"
#include "window4.h"
#include "window5.h"
#include "window6.h"
#include "window8.h"
#include "window10.h"
#include "window11.h"
#include "window12.h"

#include <glibmm/miscutils.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

// C4.5 runs in the file set's folder on the stem's last part, so that no
// folder name reaches the runner's stem rule, which cuts a path at its first
// ".names".
C45RunRequest runRequest(const std::string &fileSet, const C45Options &options,
                         const FileSetLayout &layout) {
    C45RunRequest request;
    request.optionText = optionText(options);
    request.sparse = layout.sparse;
    request.perCategory = layout.perCategory;
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

} // namespace

C45Page::C45Page(PageHost &host, WorkbenchState &state, const Widgets &widgets)
    : host(host), state(state), widgets(widgets) {}

void C45Page::chooseNames() {
    if (host.busy())
        return;
    const std::string path = host.askForPath({Gtk::FILE_CHOOSER_ACTION_OPEN,
                                              "Odaberite skup C4.5 fajlova (.names)",
                                              {{"Names files", "*.names"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    // C4.5 reads STEM.names first: a set without it would only fail to run.
    const std::string stem = namesStem(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(stem + ".names", error)) {
        host.showError("Skup fajlova " + stem + " nema fajl " + stem +
                       ".names. Odaberite fajl .names skupa.");
        return;
    }
    chooseFileSet(stem);
}

// A new file set has no run yet: its result, the run figures and the result
// commands go until it is run.
void C45Page::chooseFileSet(const std::string &stem, std::optional<FileSetLayout> layout) {
    state.fileSet = stem;
    state.fileSetLayout = layout ? *layout : fileSetLayout(stem);
    resetRunResult(state.c45Result);
    clearRunFigures();
    widgets.file_set_label->set_markup(smallBoldMarkup(state.fileSet));
    std::ifstream info(state.fileSet + ".info");
    for (Gtk::Label *label : {widgets.c45_train_count_label, widgets.c45_test_count_label,
                              widgets.c45_category_count_label, widgets.attribute_count_label}) {
        std::string line;
        label->set_markup(smallBoldMarkup(std::getline(info, line) ? line : "n/a"));
    }
    host.updateSensitivity();
}

void C45Page::clearRunFigures() {
    for (Gtk::Label *label :
         {widgets.tree_size_bp_label, widgets.tree_size_ap_label, widgets.train_size_bp_label,
          widgets.train_size_ap_label, widgets.train_errors_bp_label, widgets.train_errors_ap_label,
          widgets.test_size_bp_label, widgets.test_size_ap_label, widgets.test_errors_bp_label,
          widgets.test_errors_ap_label})
        label->set_markup(smallBoldMarkup("n/a"));
    widgets.train_estimate_label->set_text("n/a");
    widgets.test_estimate_label->set_text("n/a");
    widgets.category_f1_label->set_text("");
}

void C45Page::showRunFigures(const C45Summary &summary) {
    const std::vector<std::string> &lines = state.c45Result.outputLines;
    if (!isPerCategoryRun(lines)) {
        showPageTexts(pageTexts(summary));
        return;
    }
    const ParsedCategoryReport run = parseCategoryReport(lines);
    showPageTexts(pageTexts(summaryOfCategoryRun(run)));
    widgets.category_f1_label->set_markup(
        "F1 mikro " + smallBoldMarkup(rateText(run.summary.micro.f1)) + ", makro " +
        smallBoldMarkup(rateText(run.summary.macro.f1)));
}

void C45Page::showPageTexts(const C45PageTexts &texts) {
    widgets.c45_train_count_label->set_markup(texts.trainCount);
    widgets.train_size_bp_label->set_markup(texts.trainSizeBefore);
    widgets.tree_size_bp_label->set_markup(texts.trainSizeBefore);
    widgets.train_errors_bp_label->set_markup(texts.trainErrorsBefore);
    widgets.train_size_ap_label->set_markup(texts.trainSizeAfter);
    widgets.tree_size_ap_label->set_markup(texts.trainSizeAfter);
    widgets.train_errors_ap_label->set_markup(texts.trainErrorsAfter);
    widgets.train_estimate_label->set_text(texts.trainEstimate);
    widgets.attribute_count_label->set_markup(texts.attributeCount);
    widgets.c45_test_count_label->set_markup(texts.testCount);
    widgets.test_size_bp_label->set_markup(texts.testSizeBefore);
    widgets.test_errors_bp_label->set_markup(texts.testErrorsBefore);
    widgets.test_size_ap_label->set_markup(texts.testSizeAfter);
    widgets.test_errors_ap_label->set_markup(texts.testErrorsAfter);
    if (texts.testEstimate)
        widgets.test_estimate_label->set_text(*texts.testEstimate);
    widgets.c45_category_count_label->set_markup(texts.categoryCount);
}

// The run figures go at once; the previous result and its commands stay
// until the run gives a new one, and stay as they were when it fails. A
// cancelled run puts the figures back too.
void C45Page::run() {
    if (host.busy() || state.fileSet.empty())
        return;
    const std::vector<LabelState> previousFigures = runFigures();
    clearRunFigures();
    const C45RunRequest request = runRequest(state.fileSet, state.c45Options, state.fileSetLayout);
    auto outcome = std::make_shared<C45Process::Outcome>();
    runningC45 = true;
    host.startWork(
        "C4.5 radi...",
        [request, outcome](const std::atomic<bool> &cancel) {
            *outcome = C45Process(request).finish(&cancel);
        },
        [this, outcome] {
            runningC45 = false;
            if (const std::optional<std::string> problem = runFailure(*outcome)) {
                host.reportError(*problem);
                return;
            }
            state.c45Result = std::move(outcome->result);
            showRunFigures(outcome->summary);
        },
        [this, previousFigures](const JobEnd &end) {
            runningC45 = false;
            if (!end.cancelled)
                return;
            for (const LabelState &figure : previousFigures)
                if (figure.markup)
                    figure.label->set_markup(figure.text);
                else
                    figure.label->set_text(figure.text);
        });
}

std::vector<C45Page::LabelState> C45Page::runFigures() const {
    std::vector<LabelState> figures;
    for (Gtk::Label *label :
         {widgets.tree_size_bp_label, widgets.tree_size_ap_label, widgets.train_size_bp_label,
          widgets.train_size_ap_label, widgets.train_errors_bp_label, widgets.train_errors_ap_label,
          widgets.test_size_bp_label, widgets.test_size_ap_label, widgets.test_errors_bp_label,
          widgets.test_errors_ap_label, widgets.train_estimate_label, widgets.test_estimate_label,
          widgets.category_f1_label})
        figures.push_back({label, label->get_label(), label->get_use_markup()});
    return figures;
}

void C45Page::openRun() {
    if (host.busy())
        return;
    const std::string path = host.askForPath({Gtk::FILE_CHOOSER_ACTION_OPEN,
                                              "Otvori C4.5 rezultat (.c45p)",
                                              {{"c45p files", "*.c45p"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    std::vector<std::string> lines;
    if (host.attempt([&] { lines = loadC45Output(path); }))
        showSavedRun(path, lines);
}

bool C45Page::showSavedRun(const std::string &path, const std::vector<std::string> &lines) {
    if (host.busy())
        return false;
    state.runFile = path;
    resetRunResult(state.c45Result);
    clearRunFigures();
    state.c45Result.outputLines = lines;
    showRunFigures(parseC45Output(state.c45Result, true));
    host.updateSensitivity();
    return true;
}

void C45Page::saveRun() {
    if (host.busy())
        return;
    const std::string path = host.askForPath({Gtk::FILE_CHOOSER_ACTION_SAVE,
                                              "Snimi C4.5 rezultat (.c45p)",
                                              {{"c45p files", "*.c45p"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    const std::string file = withExtension(path, ".c45p");
    if (host.attempt([&] { saveC45Output(state.c45Result.outputLines, file); }))
        state.runFile = file;
}

void C45Page::editOptions() {
    if (const std::optional<C45Options> options = host.askC45Options(state.c45Options))
        state.c45Options = *options;
}

void C45Page::exportResults(const std::string &base) {
    host.attempt([&] { exportRunResults(state.c45Result.confusionMatrix, base); });
}

void C45Page::showTree(bool pruned) {
    host.presentWindow(new window6(state.c45Result.outputLines, pruned));
}

void C45Page::showDrawnTree(bool pruned) {
    host.presentWindow(new window10(state.c45Result.outputLines, !pruned));
}

void C45Page::showClassifier() {
    const std::string stem =
        state.fileSet.empty() ? echoedFileStem(state.c45Result.outputLines) : state.fileSet;
    host.presentWindow(new window11(state.c45Result.outputLines, stem));
}

void C45Page::showLog() {
    host.presentWindow(new window5(state.c45Result.outputLines));
}

void C45Page::showConfusionMatrix() {
    const ConfusionMatrix &matrix = state.c45Result.confusionMatrix;
    host.presentWindow(new window4(matrix.counts, matrix.categoryNames));
}

void C45Page::showMeasures() {
    const std::vector<std::string> &lines = state.c45Result.outputLines;
    if (isPerCategoryRun(lines)) {
        host.presentWindow(new window12(parseCategoryReport(lines)));
        return;
    }
    const ConfusionMatrix &matrix = state.c45Result.confusionMatrix;
    host.presentWindow(new window8(matrix.counts, matrix.categoryNames));
}
