// The main window's controller: owns the text-processing engine, the result
// of the latest C4.5 run, the user's choices and the job service of every
// window, and implements the 33 handlers of the layout.
//
// Three files are kept apart: the C4.5 file set that the "C4.5" page names
// and runs (chosen there or just written), the corpus state file (".tpp")
// and the run file (".c45p"). The engine's own file stem is only where the
// file set is written.
//
// Parsing, information gain, loading a ".tpp" file, writing the file set and
// a C4.5 run are jobs of the window's job service; meanwhile the window
// redraws, shows a progress bar with "Prekini" (which cancels the job) and
// greys out the commands that would change the data. A parse or a load
// builds a private engine that replaces the window's only when the job
// succeeded; writing a file set reads the window's engine in place (nothing
// changes it while a job runs). The series windows run their series on the
// same service; destroying the window cancels and joins every job.
//
// Every modal step (file choosers, option dialogs, questions, error boxes)
// and the presentation of secondary windows go through the small virtual
// operations below, so that a subclass can answer them without a user.
#pragma once

#include "window1_glade.h"

#include "GuiJobs.h"
#include "Preferences.h"

#include "c45/C45Output.h"
#include "c45/C45Runner.h"
#include "corpus/TextProcessor.h"

#include <gtkmm/filechooser.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class window1 : public window1_glade {
public:
    window1();
    ~window1() override;

    // A file or folder to ask the user for. The chooser has this title and
    // starts in the working folder; a save chooser confirms overwriting.
    struct PathRequest {
        Gtk::FileChooserAction action = Gtk::FILE_CHOOSER_ACTION_OPEN;
        std::string title;
        std::vector<std::pair<std::string, std::string>> filters; // name, pattern
    };

    // The text-processing options.
    struct TextOptions {
        bool useStemming = false;
        bool computeInformationGain = false;
        bool sparseFileSet = false; // the LIBSVM case files in place of ".data" and ".test"
    };

    // True while a C4.5 run is under way.
    bool c45Running() const { return busy() && runningC45; }
    // True while the engine works in the background or C4.5 runs.
    bool busy() const { return currentJob.has_value(); }

protected:
    // The chosen path, or empty when the user cancelled. The chooser is gone
    // when this returns.
    virtual std::string askForPath(const PathRequest &request);
    // The options dialogs open with current; the result is what OK accepted,
    // nothing on cancel.
    virtual std::optional<C45Options> askC45Options(const C45Options &current);
    virtual std::optional<TextOptions> askTextOptions(const TextOptions &current);
    // A yes/no question; true for yes.
    virtual bool askConfirmation(const std::string &question);
    // Shows message in an error box.
    virtual void showError(const std::string &message);
    // Shows a newly built secondary window and takes ownership of it; it is
    // freed once hidden.
    virtual void presentWindow(Gtk::Window *window);

    void on_open_activate() override;
    void on_save_as_activate() override;
    void on_load_settings_activate() override;
    void on_save_settings_activate() override;
    void on_export_activate() override;
    void on_options_activate() override;
    // Opens the experiment-series window on the current folder, file stem,
    // selection and C4.5 options; a run double-clicked there is shown here
    // as if its ".c45p" file had been opened.
    void on_series_activate() override;
    void on_quit_activate() override;
    void on_about_activate() override;
    void on_open_clicked() override;
    void on_execute_clicked() override;
    void on_save_clicked() override;
    void on_save_as_clicked() override;
    void on_load_settings_clicked() override;
    void on_save_settings_clicked() override;
    void on_parse_clicked() override;
    void on_write_c45_files_clicked() override;
    void on_df_spinbutton_value_changed() override;
    void on_df_scale_value_changed() override;
    void on_select_words_clicked() override;
    void on_stop_words_toggled() override;
    void on_edit_stop_words_clicked() override;
    void on_distribution_clicked() override;
    void on_important_words_clicked() override;
    void on_show_tree_clicked() override;
    void on_show_pruned_tree_clicked() override;
    void on_choose_names_clicked() override;
    void on_run_c45_clicked() override;
    void on_show_log_clicked() override;
    void on_confusion_matrix_clicked() override;
    void on_measures_clicked() override;
    void on_notebook_switch_page(GtkNotebookPage *page, guint pageNumber) override;
    // Cancels the engine's work or the C4.5 run; the window stays as it was
    // before the work started.
    void on_cancel_clicked() override;

    TextProcessor textProcessor;
    // The stem of the C4.5 file set that the "C4.5" page names and runs;
    // empty until one is chosen or written.
    std::string fileSet;
    // The corpus state file and the run file last opened or saved.
    std::string stateFile;
    std::string runFile;
    std::string documentFolder;
    C45RunResult c45Result;
    C45Options c45Options;
    // Each parse and ".tpp" load is then followed by the information-gain
    // computation.
    bool computeInformationGain = false;
    // File sets are written sparse (STEM.data.svm, STEM.test.svm).
    bool writeSparse = false;
    // The file set the page runs is sparse: C4.5 gets -L.
    bool fileSetSparse = false;
    // "Izbaci" was pressed on the current corpus.
    bool wordsSelected = false;

private:
    // Runs operation; a FileError or exhausted memory is written to standard
    // error and shown in an error box. Returns whether the operation
    // completed.
    bool attempt(const std::function<void()> &operation);
    // Writes message to standard error and shows it in Croatian (croatianMessage).
    void reportError(const std::string &message);

    // The choices kept from one start to the next (window1_preferences.cc).
    void restorePreferences();
    void savePreferences() const;
    Preferences shownPreferences() const;

    // Sets every command's sensitivity from the state, for the given page.
    void updateSensitivity(int page);
    void updateSensitivity();
    void showPageTooltips(int page);

    // Runs work as the window's job; then, on the GUI thread, succeeded when
    // it succeeded, or failed (if given) and, unless it was cancelled, the
    // message of what it threw.
    using Work = std::function<void(const std::atomic<bool> &cancel)>;
    void startWork(const std::string &progressText, Work work, std::function<void()> succeeded,
                   std::function<void(const JobEnd &)> failed);
    // startWork on a private engine: work runs on it, and on success adopt
    // receives it.
    using EngineStep = std::function<void(TextProcessor &, const std::atomic<bool> &cancel)>;
    void startEngineWork(const std::string &progressText, std::unique_ptr<TextProcessor> engine,
                         EngineStep work, std::function<void(TextProcessor &)> adopt,
                         std::function<void()> failed);
    // A fresh engine with the current folder, file stem and stemming.
    std::unique_ptr<TextProcessor> freshEngine() const;

    // Shared by the two parse commands: parses the folder in the background,
    // with the information gain when it is on; a folder without documents
    // fails. Then the four count lines and showCounts, or failed.
    void parseInBackground(const std::function<void()> &showCounts,
                           const std::function<void()> &failed);
    // Writes the file set under stem in the background, asking first when it
    // would have no attribute; the written set becomes the one the page runs.
    void writeFileSet(const std::string &stem);
    // Names stem as the file set of the page, with the sizes of its ".info"
    // file, and clears the run figures. The set is sparse when sparse says
    // so, or when not given, when STEM.data.svm is there and STEM.data is
    // not.
    void chooseFileSet(const std::string &stem, std::optional<bool> sparse = std::nullopt);
    void clearRunFigures();
    // Makes the lines of the run file path the current result and shows
    // its figures; false, changing nothing, while busy.
    bool showSavedRun(const std::string &path, const std::vector<std::string> &lines);
    void showPageTexts(const C45PageTexts &texts);

    void startBusyFeedback(const std::string &text);
    void stopBusyFeedback();
    bool onBusyPulse();
    // The C4.5 page's figures as shown, to put back when a run is cancelled.
    struct LabelState {
        Gtk::Label *label;
        std::string text; // markup when markup is set
        bool markup;
    };
    std::vector<LabelState> runFigures() const;

protected:
    // The job service of this window and of the series windows it opens.
    GuiJobs jobs;

private:
    std::optional<JobId> currentJob;
    bool runningC45 = false;
    sigc::connection busyPulse;
};
