// What the pages of the main window ask of the window: the modal steps
// (choosers, option dialogs, questions, error boxes), secondary windows, the
// one job at a time with its busy feedback, and the commands' sensitivity.
// window1 implements it; the modal steps are its virtual seams, so that a
// subclass of window1 answers them for both pages.
#pragma once

#include "c45/C45Runner.h"
#include "jobs/JobService.h"

#include <gtkmm/filechooser.h>
#include <gtkmm/window.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class PageHost {
public:
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
        bool stemStopWords = false; // with stemming, the stop words are stemmed too
        bool multiCategory = false; // documents keep every category word (sparse sets only)
    };

    // The chosen path, or empty when the user cancelled. The chooser is gone
    // when this returns.
    virtual std::string askForPath(const PathRequest &request) = 0;
    // The options dialogs open with current; the result is what OK accepted,
    // nothing on cancel.
    virtual std::optional<C45Options> askC45Options(const C45Options &current) = 0;
    virtual std::optional<TextOptions> askTextOptions(const TextOptions &current) = 0;
    // A yes/no question; true for yes.
    virtual bool askConfirmation(const std::string &question) = 0;
    // Shows message in an error box.
    virtual void showError(const std::string &message) = 0;
    // Shows a newly built secondary window and takes ownership of it; it is
    // freed once hidden.
    virtual void presentWindow(Gtk::Window *window) = 0;

    // True while the engine works in the background or C4.5 runs.
    virtual bool busy() const = 0;
    // Runs work as the window's job; then, on the GUI thread, succeeded when
    // it succeeded, or failed (if given) and, unless it was cancelled, the
    // message of what it threw.
    using Work = std::function<void(const std::atomic<bool> &cancel)>;
    virtual void startWork(const std::string &progressText, Work work,
                           std::function<void()> succeeded,
                           std::function<void(const JobEnd &)> failed) = 0;
    // Sets every command's sensitivity from the state, for the current page.
    virtual void updateSensitivity() = 0;
    // The file set under stem was just written: the "C4.5" page runs it now.
    virtual void fileSetWritten(const std::string &stem, const FileSetLayout &layout) = 0;

    // Writes message to standard error and shows it, in Croatian, in an
    // error box.
    void reportError(const std::string &message);
    // Runs operation; a FileError or exhausted memory goes to reportError.
    // Returns whether the operation completed.
    bool attempt(const std::function<void()> &operation);

protected:
    ~PageHost() = default;
};

// path without a trailing end; an end elsewhere in it is kept.
std::string withoutEnding(const std::string &path, const std::string &end);
// path with extension appended unless it already ends in it.
std::string withExtension(const std::string &path, const std::string &extension);
// The file-set stem of a path chosen for a ".names" file: the path without
// a trailing ".names"; any other ".names" in it is kept.
std::string namesStem(const std::string &path);
