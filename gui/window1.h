// The main window's controller: owns the text-processing engine, the result
// of the latest C4.5 run and the user's choices, and implements the 31
// handlers of the layout.
//
// Every modal step (file choosers, option dialogs, error boxes) and the
// presentation of secondary windows go through the small virtual operations
// below, so that a subclass can answer them without a user.
#pragma once

#include "window1_glade.h"

#include "c45/C45Output.h"
#include "c45/C45Runner.h"
#include "corpus/TextProcessor.h"

#include <gtkmm/filechooser.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class window1 : public window1_glade {
public:
    window1();

    // A file or folder to ask the user for. The action decides the chooser's
    // title and buttons: select-folder "Please choose a folder" with "Select";
    // open and save "Please choose a file" with stock Open or Save.
    struct PathRequest {
        Gtk::FileChooserAction action = Gtk::FILE_CHOOSER_ACTION_OPEN;
        std::vector<std::pair<std::string, std::string>> filters; // name, pattern
    };

    // What the text-processing options dialog gives on OK.
    struct TextOptions {
        bool useStemming = false;
        bool computeInformationGain = false;
    };

    // True while a C4.5 run is under way.
    bool c45Running() const { return static_cast<bool>(run); }

protected:
    // The chosen path, or empty when the user cancelled. The chooser is gone
    // when this returns.
    virtual std::string askForPath(const PathRequest &request);
    // The option text of the C4.5 options dialog on OK; nothing on cancel.
    virtual std::optional<std::string> askC45Options();
    virtual std::optional<TextOptions> askTextOptions();
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

    // Empties c45Result and sets the fourteen result labels to "n/a"; the two
    // estimate labels keep their text.
    void resetRunResult();

    TextProcessor textProcessor;
    std::string chosenFile;
    std::string documentFolder;
    C45RunResult c45Result;
    std::string c45Options;
    // Set by the text-processing options: each parse and ".tpp" load is then
    // followed by the information-gain computation.
    bool computeInformationGain = false;

private:
    // Runs operation; a FileError is written to standard error and shown in an
    // error box. Returns whether the operation completed.
    bool attempt(const std::function<void()> &operation);
    void reportError(const std::string &message);

    void drainPendingEvents();
    // Shared by the two parse commands: parse, then the four count lines.
    bool parseAndCount();
    void writeC45Files();
    void showPageTexts(const C45PageTexts &texts);

    // Widgets whose own sensitivity is always on apart from a run, plus the
    // toolbar as a whole, so that the run can restore them exactly.
    std::vector<Gtk::Widget *> lockedDuringRun();
    void startRunFeedback();
    void stopRunFeedback();
    bool onRunOutput(Glib::IOCondition condition);
    bool onRunPulse();
    void finishRun();

    // The run and its two event sources end with the window: the process
    // stops its child, and the sources' slots are bound to this object.
    std::unique_ptr<C45Process> run;
    sigc::connection runPulse;
};
