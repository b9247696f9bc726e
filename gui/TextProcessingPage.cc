#include "TextProcessingPage.h"

#include <glibmm/markup.h>

#include "c45/NumberText.h"
#include "measures/ResultsExport.h"
#include "window3.h"
#include "window7.h"

#include <filesystem>
#include <map>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace {

std::string countMarkup(int count) {
    return smallBoldMarkup(std::to_string(count));
}

// Why a folder cannot be listed, in the system's words.
std::string folderProblem(const std::string &folder) {
    std::error_code error;
    std::filesystem::directory_iterator listing(folder, error);
    return error ? error.message() : "unknown error";
}

} // namespace

TextProcessingPage::TextProcessingPage(PageHost &host, WorkbenchState &state,
                                       const Widgets &widgets)
    : host(host), state(state), widgets(widgets) {}

void TextProcessingPage::chooseFolder() {
    if (host.busy())
        return;
    const std::string folder = host.askForPath(
        {Gtk::FILE_CHOOSER_ACTION_SELECT_FOLDER, "Odaberite mapu s dokumentima", {}});
    if (folder.empty())
        return;
    state.documentFolder = folder;
    state.textProcessor.setDirectory(state.documentFolder);
}

std::unique_ptr<TextProcessor> TextProcessingPage::freshEngine() const {
    const TextProcessor &current = state.textProcessor;
    auto engine = std::make_unique<TextProcessor>(current.directory, current.fileStem);
    engine->useStemming = current.useStemming;
    engine->multiCategory = state.multiCategory;
    return engine;
}

void TextProcessingPage::startEngineWork(const std::string &progressText,
                                         std::unique_ptr<TextProcessor> engine, EngineStep work,
                                         std::function<void(TextProcessor &)> adopt,
                                         std::function<void()> failed) {
    const std::shared_ptr<TextProcessor> staged(std::move(engine));
    host.startWork(
        progressText, [staged, work](const std::atomic<bool> &cancel) { work(*staged, cancel); },
        [staged, adopt] { adopt(*staged); },
        [failed](const JobEnd &) {
            if (failed)
                failed();
        });
}

void TextProcessingPage::parseInBackground(TextForm countForm,
                                           const std::function<void()> &failed) {
    const bool withGain = state.computeInformationGain;
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
        [this, countForm](TextProcessor &engine) {
            TextProcessor &textProcessor = state.textProcessor;
            textProcessor = std::move(engine);
            state.wordsSelected = false;
            textProcessor.printWordCount();
            textProcessor.printTrainDocumentCount();
            textProcessor.printTestDocumentCount();
            textProcessor.printCategoryCount();
            widgets.selected_word_count_label->set_markup(smallBoldMarkup("n/a"));
            showCounts(countForm);
            showCorpusSource(CorpusSource::Folder, textProcessor.directory);
            showSelection();
        },
        failed);
}

void TextProcessingPage::parseChosenFolder() {
    if (host.busy())
        return;
    parseInBackground(TextForm::Markup, {});
}

void TextProcessingPage::showCounts(TextForm form) {
    const TextProcessor &engine = state.textProcessor;
    // A braced list is evaluated in order, so the console lines come in this order.
    const std::pair<Gtk::Label *, int> counts[] = {
        {widgets.train_count_label, engine.printTrainDocumentCount()},
        {widgets.test_count_label, engine.printTestDocumentCount()},
        {widgets.category_count_label, engine.printCategoryCount()},
        {widgets.word_count_label, engine.printWordCount()},
    };
    for (const auto &[label, count] : counts)
        if (form == TextForm::Markup)
            label->set_markup(countMarkup(count));
        else
            label->set_text(std::to_string(count));
    const double upper = static_cast<double>(engine.trainDocuments.size());
    widgets.df_scale->get_adjustment()->set_upper(upper);
    widgets.df_spinbutton->get_adjustment()->set_upper(upper);
    if (widgets.df_scale->get_value() > upper)
        widgets.df_scale->set_value(upper);
    if (widgets.df_spinbutton->get_value() > upper)
        widgets.df_spinbutton->set_value(upper);
}

void TextProcessingPage::parseXmlFolder() {
    if (host.busy())
        return;
    const std::string previousDirectory = state.textProcessor.directory;
    state.textProcessor.setDirectory("xml");
    parseInBackground(TextForm::Plain, [this, previousDirectory] {
        state.textProcessor.setDirectory(previousDirectory);
    });
}

void TextProcessingPage::writeFileSet(const std::string &stem) {
    if (host.busy() || !state.wordsSelected)
        return;
    if (state.textProcessor.selectedWords.empty() &&
        !host.askConfirmation("Nijedna riječ nije izabrana, pa skup fajlova " + stem +
                              " neće imati nijedan atribut. Svejedno ga snimiti?"))
        return;
    const TextProcessor &engine = state.textProcessor;
    // Several categories per case need the sparse layout.
    const FileSetLayout layout{state.writeSparse || engine.multiCategory, engine.multiCategory};
    host.startWork(
        "Snimam C4.5 fajlove...",
        [&engine, stem, layout](const std::atomic<bool> &cancel) {
            engine.writeFileSetAs(stem, layout.sparse, &cancel);
        },
        [this, stem, layout] {
            state.textProcessor.setFileStem(stem);
            host.fileSetWritten(stem, layout);
        },
        {});
}

void TextProcessingPage::saveFileSet() {
    writeFileSet(state.textProcessor.fileStem);
}

void TextProcessingPage::saveFileSetAs() {
    if (host.busy() || !state.wordsSelected)
        return;
    const std::string path =
        host.askForPath({Gtk::FILE_CHOOSER_ACTION_SAVE,
                         "Snimi skup C4.5 fajlova (.names, .data, .test, .info)",
                         {{"Names files", "*.names"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    writeFileSet(namesStem(path));
}

void TextProcessingPage::writeDefaultFileSet() {
    writeFileSet("bla");
}

void TextProcessingPage::loadState() {
    if (host.busy())
        return;
    const std::string path = host.askForPath({Gtk::FILE_CHOOSER_ACTION_OPEN,
                                              "Otvori stanje korpusa (.tpp)",
                                              {{"tpp files", "*.tpp"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    const bool withGain = state.computeInformationGain;
    startEngineWork(
        "Učitavam stanje korpusa...", freshEngine(),
        [path, withGain](TextProcessor &engine, const std::atomic<bool> &cancel) {
            engine.loadTextProcessingState(path);
            if (withGain)
                engine.computeInformationGain(&cancel);
        },
        [this, path](TextProcessor &engine) {
            state.textProcessor = std::move(engine);
            state.stateFile = path;
            state.wordsSelected = false;
            showCounts(TextForm::Markup);
            widgets.selected_word_count_label->set_markup(smallBoldMarkup("n/a"));
            showCorpusSource(CorpusSource::StateFile, path);
            showSelection();
        },
        {});
}

void TextProcessingPage::saveState() {
    if (host.busy())
        return;
    const std::string path = host.askForPath({Gtk::FILE_CHOOSER_ACTION_SAVE,
                                              "Snimi stanje korpusa (.tpp)",
                                              {{"tpp files", "*.tpp"}, {"Any files", "*"}}});
    if (path.empty())
        return;
    const std::string file = withExtension(path, ".tpp");
    if (host.attempt([&] { state.textProcessor.saveTextProcessingState(file); }))
        state.stateFile = file;
}

void TextProcessingPage::selectWords() {
    if (host.busy())
        return;
    const int minDf = static_cast<int>(widgets.df_scale->get_value());
    const bool useStopWords = widgets.stop_words_checkbutton->get_active();
    state.textProcessor.stemStopWords = state.stemStopWords;
    if (!host.attempt([&] { state.textProcessor.selectWordsDefault(minDf, useStopWords); }))
        return;
    state.wordsSelected = true;
    state.selectedMinDf = minDf;
    state.selectedStopWords = useStopWords;
    showSelection();
    widgets.selected_word_count_label->set_markup(
        countMarkup(state.textProcessor.printSelectedWordCount()));
    host.updateSensitivity();
}

void TextProcessingPage::editOptions() {
    if (const std::optional<PageHost::TextOptions> options =
            host.askTextOptions({state.textProcessor.useStemming, state.computeInformationGain,
                                 state.writeSparse, state.stemStopWords, state.multiCategory})) {
        state.textProcessor.useStemming = options->useStemming;
        state.computeInformationGain = options->computeInformationGain;
        state.writeSparse = options->sparseFileSet;
        state.stemStopWords = options->stemStopWords;
        state.multiCategory = options->multiCategory;
    }
}

void TextProcessingPage::exportCategories(const std::string &base) {
    const std::map<std::string, int> categories = state.textProcessor.categoryTable();
    host.attempt([&] { exportCategoryDistribution(categories, base); });
}

void TextProcessingPage::followDfSpinButton() {
    widgets.df_scale->set_value(widgets.df_spinbutton->get_value());
}

void TextProcessingPage::followDfScale() {
    widgets.df_spinbutton->set_value(widgets.df_scale->get_value());
    showSelection();
}

void TextProcessingPage::showCorpusSource(CorpusSource kind, const std::string &path) {
    const TextProcessor &engine = state.textProcessor;
    std::string text = (kind == CorpusSource::Folder ? "mapa " : "stanje ") + path +
                       ", stemiranje " + (engine.useStemming ? "da" : "ne");
    if (engine.multiCategory && kind == CorpusSource::StateFile)
        text += ", više kategorija po dokumentu";
    if (engine.multiCategory && kind == CorpusSource::Folder) {
        const TextProcessor::CategoryCounts &counts = engine.categoryCounts;
        // The counts on a line of their own, so that the folder's cut
        // never hides them.
        text += ", više kategorija po dokumentu\ns više kategorija: " +
                std::to_string(counts.severalCategories) +
                "; odbačeno test: " + std::to_string(counts.droppedTestDocuments) + " dok., " +
                std::to_string(counts.droppedTestCategories) + " kat.";
    }
    widgets.corpus_label->set_markup("<small>" + Glib::Markup::escape_text(text) + "</small>");
    widgets.corpus_label->set_tooltip_text(text);
}

void TextProcessingPage::showSelection() {
    if (!state.wordsSelected) {
        widgets.selection_label->set_markup("<small>n/a</small>");
        widgets.selection_label->set_tooltip_text("");
        return;
    }
    std::string text = "Izbor: DF " + std::to_string(state.selectedMinDf) + ", stop riječi " +
                       (state.selectedStopWords ? "da" : "ne");
    const bool stale =
        static_cast<int>(widgets.df_scale->get_value()) != state.selectedMinDf ||
        widgets.stop_words_checkbutton->get_active() != state.selectedStopWords;
    if (stale)
        text += " (zastario: pritisnite Izbaci)";
    widgets.selection_label->set_markup("<small>" + Glib::Markup::escape_text(text) + "</small>");
    widgets.selection_label->set_tooltip_text(text);
}

void TextProcessingPage::editStopWords() {
    host.presentWindow(new window7());
}

void TextProcessingPage::showDistribution() {
    host.presentWindow(new window3(state.textProcessor.categoryTable(), false));
}

void TextProcessingPage::showImportantWords() {
    const TextProcessor &textProcessor = state.textProcessor;
    const std::map<std::string, int> words = textProcessor.selectedWordsTable();
    const std::map<std::string, float> gains = textProcessor.selectedGainTable();
    if (textProcessor.printSelectedInformationGainCount() == 0)
        host.presentWindow(new window3(words, true));
    else
        host.presentWindow(new window3(words, true, gains));
}
