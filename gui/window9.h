// The experiment-series window: runs every combination of the listed corpus
// and C4.5 settings as a job of the workbench's job service while the
// workbench stays usable, fills the table and the chart as runs end, and
// exports both.
//
// Destroying the window during a series cancels its job and returns at once:
// the job stops its parse or its learners on its own thread and is joined by
// the service.
//
// The file choosers and the error box go through small virtual operations
// so that a subclass can answer them without a user.
#pragma once

#include "window9_glade.h"

#include "jobs/JobService.h"
#include "series/ExperimentSeries.h"

#include <gtkmm/liststore.h>
#include <gtkmm/treemodelsort.h>

#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class window9 : public window9_glade {
public:
    // The table shows the CSV's columns in its order, under Croatian captions.
    static const int columnCount = 16;
    static const int errorColumn = 14;

    // Each column has its text and a number it sorts by (an absent figure
    // sorts first). The switches read "da" or "ne" and the error column the
    // first line of the message; errorTooltip has the whole message, as
    // markup, and is unset for a run without an error. index is the row's
    // place in rows().
    struct ModelColumns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> text[columnCount];
        Gtk::TreeModelColumn<double> key[columnCount];
        Gtk::TreeModelColumn<std::string> runFile;
        Gtk::TreeModelColumn<Glib::ustring> errorTooltip;
        Gtk::TreeModelColumn<int> index;
        ModelColumns() {
            for (int column = 0; column < columnCount; ++column) {
                add(text[column]);
                add(key[column]);
            }
            add(runFile);
            add(errorTooltip);
            add(index);
        }
    };

    // Hands a loaded run (its ".c45p" path and lines) to whoever shows run
    // results; false when it cannot take the run now.
    using RunViewer =
        std::function<bool(const std::string &path, const std::vector<std::string> &lines)>;

    // base gives the folder, the file stem, the stop-word file and the
    // learner; the lists, the choices, -s and the number of parallel runs
    // open as base has them. The series runs on jobs, which must outlive the
    // window. Trace lines of the runs go to trace.
    window9(const SeriesSettings &base, JobService &jobs, RunViewer viewRun,
            std::ostream &trace = std::cerr);
    ~window9() override;

    bool running() const { return job.has_value(); }
    // The rows of the finished runs, in plan order once the series ends.
    const std::vector<SeriesRow> &rows() const { return finishedRows; }
    const SeriesChart &chart() const { return shownChart; }
    // The rows in the order the table shows them, as the user sorted it; the
    // CSV export writes them so.
    std::vector<SeriesRow> shownRows() const;

    const ModelColumns columns;
    Glib::RefPtr<Gtk::ListStore> store;
    Glib::RefPtr<Gtk::TreeModelSort> sorted;

    // The settings the fields describe. Throws std::invalid_argument with a
    // message for the user when a list is malformed or a value out of range.
    SeriesSettings shownSettings() const;

protected:
    // The path to save to, or empty when the user cancelled. The chooser has
    // this title, suggests name and confirms overwriting.
    virtual std::string askSavePath(const std::string &title, const std::string &name,
                                    const std::string &filterName, const std::string &pattern);
    // A yes/no question over this window; true for yes.
    virtual bool askConfirmation(const std::string &question);
    // Shows message in an error box over this window.
    virtual void showError(const std::string &message);

    // A malformed list is reported and nothing starts.
    void on_start_clicked() override;
    void on_cancel_clicked() override;
    void on_export_csv_clicked() override;
    void on_save_svg_clicked() override;
    void on_save_png_clicked() override;
    bool on_chart_area_expose_event(GdkEventExpose *event) override;
    // Loads the row's run and hands it to the run viewer.
    void on_treeview_row_activated(const Gtk::TreeModel::Path &path,
                                   Gtk::TreeViewColumn *column) override;

private:
    void onRunEnded(const SeriesRow &row, std::size_t done, std::size_t total);
    void onSeriesEnded(const JobEnd &end, std::vector<SeriesRow> rows, std::size_t planned);
    void showRows();
    void appendRow(const SeriesRow &row, std::size_t index);
    // "done/total", and the run that ended last with its settings.
    void showProgress(std::size_t done, std::size_t total, const SeriesRow *last = nullptr);
    void updateSensitivity();
    // path with extension; empty when path is empty or the user would not
    // replace the file the extension names.
    std::string completedPath(const std::string &path, const std::string &extension);
    void saveChart(const std::string &title, const std::string &extension,
                   const std::string &filterName);
    // Runs operation; an exception's message goes to the error box.
    bool attempt(const std::function<void()> &operation);

    const SeriesSettings base;
    const RunViewer viewRun;
    std::ostream &trace;
    std::vector<SeriesRow> finishedRows;
    SeriesChart shownChart;
    JobService &jobs;
    std::optional<JobId> job;
    bool cancelling = false;
};
