// The main window's controller. It wires the layout of window1_glade to the
// behaviour of its two pages, each a plain class in its own file pair:
// TextProcessingPage ("Text Processing": the corpus, word selection and
// writing the C4.5 file set) and C45Page ("C4.5": the file set it runs, the
// run and its result). The 33 handlers stay here and delegate to the pages;
// open, execute, the settings files, export and options, on the toolbar and
// in the "File" menu, act on the current page. What spans both pages stays
// here too: the state both read (a WorkbenchState, kept as a base so that
// its members keep their names in the window), the commands' sensitivity
// and tooltips, the export's chooser, the experiment series, the busy
// feedback and the job service of every window.
//
// Parsing, information gain, loading a ".tpp" file, writing the file set and
// a C4.5 run are jobs of the window's job service, one at a time; meanwhile
// the window redraws, shows a progress bar with "Prekini" (which cancels the
// job) and greys out the commands that would change the data. The series
// windows run their series on the same service; destroying the window
// cancels and joins every job.
//
// Every modal step (file choosers, option dialogs, questions, error boxes)
// and the presentation of secondary windows go through the small virtual
// operations of PageHost, so that a subclass can answer them without a user.
#pragma once

#include "window1_glade.h"

#include "C45Page.h"
#include "GuiJobs.h"
#include "PageHost.h"
#include "Preferences.h"
#include "TextProcessingPage.h"
#include "WorkbenchState.h"

#include <functional>
#include <optional>
#include <string>

class window1 : public window1_glade, protected PageHost, protected WorkbenchState {
public:
    window1();
    ~window1() override;

    using PageHost::PathRequest;
    using PageHost::TextOptions;

    // True while a C4.5 run is under way.
    bool c45Running() const { return busy() && c45Page.running(); }
    // True while the engine works in the background or C4.5 runs.
    bool busy() const override { return currentJob.has_value(); }

protected:
    // The modal steps as the user answers them.
    std::string askForPath(const PathRequest &request) override;
    std::optional<C45Options> askC45Options(const C45Options &current) override;
    std::optional<TextOptions> askTextOptions(const TextOptions &current) override;
    bool askConfirmation(const std::string &question) override;
    void showError(const std::string &message) override;
    void presentWindow(Gtk::Window *window) override;

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
    void on_draw_tree_clicked() override;
    void on_draw_pruned_tree_clicked() override;
    void on_classify_text_clicked() override;
    void on_choose_names_clicked() override;
    void on_run_c45_clicked() override;
    void on_show_log_clicked() override;
    void on_confusion_matrix_clicked() override;
    void on_measures_clicked() override;
    void on_notebook_switch_page(GtkNotebookPage *page, guint pageNumber) override;
    // Cancels the engine's work or the C4.5 run; the window stays as it was
    // before the work started.
    void on_cancel_clicked() override;

private:
    // The choices kept from one start to the next (window1_preferences.cc).
    void restorePreferences();
    void savePreferences() const;
    Preferences shownPreferences() const;

    // Sets every command's sensitivity from the state, for the given page.
    void updateSensitivity(int page);
    void updateSensitivity() override;
    void showPageTooltips(int page);

    void startWork(const std::string &progressText, Work work, std::function<void()> succeeded,
                   std::function<void(const JobEnd &)> failed) override;
    void fileSetWritten(const std::string &stem, const FileSetLayout &layout) override;

    void startBusyFeedback(const std::string &text);
    void stopBusyFeedback();
    bool onBusyPulse();

protected:
    // The job service of this window and of the series windows it opens.
    GuiJobs jobs;

private:
    TextProcessingPage textPage;
    C45Page c45Page;
    std::optional<JobId> currentJob;
    sigc::connection busyPulse;
};
