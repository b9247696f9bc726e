// The behaviour of the main window's "Text Processing" page: the document
// folder, parsing (with the information gain when it is on), the counts, the
// DF threshold and stop words of the word selection, writing the C4.5 file
// set, the corpus state file (".tpp"), the text-processing options and the
// category and selected-word windows.
//
// Parsing, loading a ".tpp" file and writing the file set are jobs of the
// window. A parse or a load builds a private engine that replaces the
// window's only when the job succeeded; writing a file set reads the
// window's engine in place (nothing changes it while a job runs).
#pragma once

#include "PageHost.h"
#include "WorkbenchState.h"

#include <gtkmm/checkbutton.h>
#include <gtkmm/label.h>
#include <gtkmm/scale.h>
#include <gtkmm/spinbutton.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>

class TextProcessingPage {
public:
    // The page's widgets whose content the page sets or reads.
    struct Widgets {
        Gtk::Label *train_count_label;
        Gtk::Label *test_count_label;
        Gtk::Label *category_count_label;
        Gtk::Label *word_count_label;
        Gtk::Label *selected_word_count_label;
        Gtk::HScale *df_scale;
        Gtk::SpinButton *df_spinbutton;
        Gtk::CheckButton *stop_words_checkbutton;
        Gtk::Label *corpus_label;
        Gtk::Label *selection_label;
    };

    TextProcessingPage(PageHost &host, WorkbenchState &state, const Widgets &widgets);
    TextProcessingPage(const TextProcessingPage &) = delete;
    TextProcessingPage &operator=(const TextProcessingPage &) = delete;

    // The commands down to selectWords do nothing while the window is busy.
    void chooseFolder();
    // Parses the chosen folder and shows the four counts as markup.
    void parseChosenFolder();
    // Parses "xml" and shows the four counts as plain text; the chosen
    // folder becomes current again only if that parse fails.
    void parseXmlFolder();
    // Writes the file set under the engine's file stem, under a chosen name
    // or under "bla"; only once words are selected.
    void saveFileSet();
    void saveFileSetAs();
    void writeDefaultFileSet();
    void loadState();
    void saveState();
    void selectWords();
    // Not guarded: the window checks busy before asking.
    void editOptions();
    void exportCategories(const std::string &base);

    void followDfSpinButton();
    void followDfScale();
    // Names the selection "Izbaci" made, marked as old when the threshold or
    // the stop-word box no longer match it: the file set would hold it.
    void showSelection();
    void editStopWords();
    void showDistribution();
    void showImportantWords();

private:
    // The window's job on a private engine: work runs on it, and on success
    // adopt receives it.
    using EngineStep = std::function<void(TextProcessor &, const std::atomic<bool> &cancel)>;
    void startEngineWork(const std::string &progressText, std::unique_ptr<TextProcessor> engine,
                         EngineStep work, std::function<void(TextProcessor &)> adopt,
                         std::function<void()> failed);
    // A fresh engine with the current folder, file stem and stemming.
    std::unique_ptr<TextProcessor> freshEngine() const;
    // Shared by the two parse commands: parses the folder in the background,
    // with the information gain when it is on; a folder without documents
    // fails. Then the four count lines and the counts in countForm, or
    // failed.
    void parseInBackground(TextForm countForm, const std::function<void()> &failed);
    // Shows the engine's four counts in form; the engine writes each count's
    // console line. The DF threshold then goes up to the number of training
    // documents, and a larger one is lowered to it.
    void showCounts(TextForm form);
    // Names where the corpus came from ("mapa PATH" or "stanje PATH") and the
    // stemming it was read with. A parsed multi-category corpus also says what its parse kept and
    // dropped; a loaded one only its mode.
    enum class CorpusSource { Folder, StateFile };
    void showCorpusSource(CorpusSource kind, const std::string &path);
    // Writes the file set under stem in the background, asking first when it
    // would have no attribute; the written set becomes the one the "C4.5"
    // page runs.
    void writeFileSet(const std::string &stem);

    PageHost &host;
    WorkbenchState &state;
    const Widgets widgets;
};
