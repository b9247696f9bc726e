#include "window9.h"

#include "Messages.h"
#include "TableLayout.h"
#include "c45/C45OutputFile.h"
#include "c45/C45Runner.h"
#include "c45/NumberText.h"

#include <glibmm/markup.h>
#include <glibmm/miscutils.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/stock.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <new>
#include <stdexcept>
#include <sstream>

namespace {

// The CSV's columns in its order, under the names the series form uses; the
// CSV file keeps its own header.
const char *const columnTitles[window9::columnCount] = {"Najmanji df",
                                                        "Najboljih po IG",
                                                        "Stemiranje",
                                                        "Stop riječi",
                                                        "-c",
                                                        "-m",
                                                        "Atributa",
                                                        "Stablo prije",
                                                        "Stablo nakon",
                                                        "Pogreška prije (%)",
                                                        "Pogreška nakon (%)",
                                                        "Mikro F1",
                                                        "Makro F1",
                                                        "Sekunde",
                                                        "Greška",
                                                        "Fajl rezultata"};
// The error and run-file columns hold texts and sort by them.
const int numericColumns = window9::errorColumn;

// A cell: its text and the number it sorts by; an absent figure is empty
// and sorts before every figure, which are never negative.
struct Cell {
    std::string text;
    double key = -1;
};

Cell cell(int value) {
    return {std::to_string(value), static_cast<double>(value)};
}

Cell cell(bool value) {
    return {value ? "da" : "ne", value ? 1.0 : 0.0};
}

Cell cell(float value) {
    return {numberToString(value), value};
}

template <typename T> Cell cell(const std::optional<T> &value) {
    return value ? cell(*value) : Cell{};
}

// The first line of a learner's message, marked as cut when there is more;
// the table keeps one line per run.
std::string firstLine(const std::string &text) {
    const std::size_t end = text.find('\n');
    return end == std::string::npos ? text : text.substr(0, end) + " …";
}

std::vector<Cell> rowCells(const SeriesRow &row) {
    return {cell(row.minDf),
            cell(row.topIg),
            cell(row.stemming),
            cell(row.stopWords),
            cell(row.confidence),
            cell(row.minCases),
            cell(row.attributes),
            cell(row.sizeBefore),
            cell(row.sizeAfter),
            cell(row.testErrorBeforePercent),
            cell(row.testErrorAfterPercent),
            cell(row.microF1),
            cell(row.macroF1),
            {formatFixed(row.seconds, 2), row.seconds},
            {firstLine(row.error), 0},
            {row.runFile, 0}};
}

std::string withoutBlanks(const Glib::ustring &text) {
    std::string out = text.raw();
    out.erase(std::remove_if(out.begin(), out.end(),
                             [](unsigned char c) { return std::isspace(c) != 0; }),
              out.end());
    return out;
}

// The list of field, read by parse; an empty field gives nothing.
template <typename T>
std::vector<T> readList(const Gtk::Entry &field, const char *caption,
                        std::vector<T> (*parse)(const std::string &)) {
    const std::string text = withoutBlanks(field.get_text());
    if (text.empty())
        return {};
    try {
        return parse(text);
    } catch (const std::invalid_argument &) {
        throw std::invalid_argument(std::string("Polje \"") + caption + "\" nije ispravna lista " +
                                    "brojeva odvojenih zarezima: " + text);
    }
}

template <typename T> std::vector<std::optional<T>> optionalList(const std::vector<T> &values) {
    if (values.empty())
        return {std::nullopt};
    return {values.begin(), values.end()};
}

template <typename T> std::string listText(const std::vector<std::optional<T>> &values) {
    std::string text;
    for (const std::optional<T> &value : values)
        if (value)
            text += (text.empty() ? "" : ",") + cell(*value).text;
    return text;
}

// off, on, both: the entries of the choice boxes.
int choiceIndex(const std::vector<bool> &values) {
    const bool off = std::find(values.begin(), values.end(), false) != values.end();
    const bool on = std::find(values.begin(), values.end(), true) != values.end();
    return off && on ? 2 : on ? 1 : 0;
}

std::vector<bool> choiceValues(const Gtk::ComboBox &choice) {
    switch (choice.get_active_row_number()) {
    case 1:
        return {true};
    case 2:
        return {false, true};
    default:
        return {false};
    }
}

bool endsWithIgnoringCase(const std::string &text, const std::string &end) {
    return text.size() >= end.size() &&
           std::equal(end.rbegin(), end.rend(), text.rbegin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

} // namespace

window9::window9(const SeriesSettings &base, JobService &jobs, RunViewer viewRun,
                 std::ostream &trace)
    : base(base), viewRun(std::move(viewRun)), trace(trace), jobs(jobs) {
    treeview->remove_all_columns();
    for (int column = 0; column < columnCount; ++column) {
        Gtk::TreeViewColumn *viewColumn = treeview->get_column(
            treeview->append_column(columnTitles[column], columns.text[column]) - 1);
        viewColumn->set_resizable(true);
        if (column < numericColumns)
            viewColumn->set_sort_column(columns.key[column]);
        else
            viewColumn->set_sort_column(columns.text[column]);
    }
    store = Gtk::ListStore::create(columns);
    sorted = Gtk::TreeModelSort::create(store);
    treeview->set_model(sorted);
    treeview->set_headers_clickable(true);
    // A failed run's whole message shows over its row.
    treeview->set_tooltip_column(columns.errorTooltip.index());

    folder_label->set_text(base.directory);
    std::string minDf;
    for (const int value : base.minDf)
        minDf += (minDf.empty() ? "" : ",") + std::to_string(value);
    min_df_entry->set_text(minDf);
    top_ig_entry->set_text(listText(base.topIg));
    m_entry->set_text(listText(base.minCases));
    c_entry->set_text(listText(base.confidence));
    stemming_combo->set_active(choiceIndex(base.stemming));
    stop_words_combo->set_active(choiceIndex(base.stopWords));
    s_checkbutton->set_active(base.discreteGroups);
    jobs_spinbutton->set_value(base.jobs);

    shownChart = seriesChart({});
    updateSensitivity();
}

window9::~window9() {
    if (!job)
        return;
    jobs.cancel(*job);
    jobs.detach(*job);
}

SeriesSettings window9::shownSettings() const {
    SeriesSettings settings = base;
    settings.minDf = readList(*min_df_entry, "Najmanji df (min-df)", parseIntList);
    if (settings.minDf.empty())
        throw std::invalid_argument("Upišite barem jedan najmanji df (min-df).");
    if (std::any_of(settings.minDf.begin(), settings.minDf.end(), [](int v) { return v < 0; }))
        throw std::invalid_argument("Najmanji df (min-df) ne može biti negativan.");
    const std::vector<int> topIg =
        readList(*top_ig_entry, "Najboljih po IG (top-IG)", parseIntList);
    if (std::any_of(topIg.begin(), topIg.end(), [](int v) { return v < 1; }))
        throw std::invalid_argument("Najboljih po IG (top-IG) mora biti barem 1.");
    settings.topIg = optionalList(topIg);
    settings.minCases = optionalList(readList(*m_entry, "Najmanje slučajeva (-m)", parseIntList));
    settings.confidence = optionalList(readList(*c_entry, "Pouzdanost (-c)", parseFloatList));
    settings.discreteGroups = s_checkbutton->get_active();
    for (const std::optional<int> &minCases : settings.minCases)
        for (const std::optional<float> &confidence : settings.confidence) {
            C45Options options;
            options.discreteGroups = settings.discreteGroups;
            if (minCases)
                options.minCases = *minCases;
            options.confidence = confidence;
            if (const std::optional<std::string> problem = c45OptionsProblem(options))
                throw std::invalid_argument(*problem);
        }
    settings.stemming = choiceValues(*stemming_combo);
    settings.stopWords = choiceValues(*stop_words_combo);
    settings.jobs = jobs_spinbutton->get_value_as_int();
    return settings;
}

std::string window9::askSavePath(const std::string &title, const std::string &name,
                                 const std::string &filterName, const std::string &pattern) {
    Gtk::FileChooserDialog chooser(*this, title, Gtk::FILE_CHOOSER_ACTION_SAVE);
    chooser.add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    chooser.add_button(Gtk::Stock::SAVE, Gtk::RESPONSE_OK);
    chooser.set_current_folder(Glib::get_current_dir());
    chooser.set_current_name(name);
    chooser.set_do_overwrite_confirmation(true);
    Gtk::FileFilter *filter = Gtk::manage(new Gtk::FileFilter());
    filter->set_name(filterName);
    filter->add_pattern(pattern);
    chooser.add_filter(*filter);
    if (chooser.run() != Gtk::RESPONSE_OK)
        return {};
    return chooser.get_filename();
}

bool window9::askConfirmation(const std::string &question) {
    return askYesNo(*this, question);
}

void window9::showError(const std::string &message) {
    Gtk::MessageDialog dialog(*this, message, false, Gtk::MESSAGE_ERROR, Gtk::BUTTONS_CLOSE, true);
    dialog.set_title("Greška");
    dialog.run();
}

bool window9::attempt(const std::function<void()> &operation) {
    std::string problem;
    try {
        operation();
        return true;
    } catch (const std::bad_alloc &) {
        problem = "Out of memory";
    } catch (const std::exception &error) {
        problem = error.what();
    }
    showError(croatianMessage(problem));
    return false;
}

void window9::on_start_clicked() {
    if (running())
        return;
    jobs_spinbutton->update();
    SeriesSettings settings;
    std::size_t planned = 0;
    try {
        settings = shownSettings();
        planned = seriesRunCount(settings);
    } catch (const std::invalid_argument &problem) {
        showError(croatianMessage(problem.what()));
        return;
    }
    finishedRows.clear();
    showRows();
    showProgress(0, planned);

    // The job's work shares nothing with the window: what it finds reaches
    // the window through the closures it posts, which the service drops once
    // the window has gone.
    auto rows = std::make_shared<std::vector<SeriesRow>>();
    cancelling = false;
    job = jobs.submit(
        "series",
        [this, settings, rows](JobControl &control) {
            std::ostringstream runTrace;
            *rows = runSeries(
                settings,
                [this, &control, &runTrace](const SeriesRow &row, std::size_t done,
                                            std::size_t total) {
                    control.post([this, row, done, total, lines = runTrace.str()] {
                        trace << lines << std::flush;
                        onRunEnded(row, done, total);
                    });
                    runTrace.str("");
                },
                control.cancelFlag(), runTrace);
        },
        [this, rows, planned](const JobEnd &end) { onSeriesEnded(end, std::move(*rows), planned); });
    updateSensitivity();
}

// The runner stops its learners and returns the rows finished so far; the
// window is usable again once the job has ended.
void window9::on_cancel_clicked() {
    if (!job)
        return;
    jobs.cancel(*job);
    cancelling = true;
    progressbar->set_text(progressbar->get_text() + " (prekidam...)");
    updateSensitivity();
}

// Rows are shown as their runs end; at the end the runner's rows, in plan
// order, replace them.
void window9::onRunEnded(const SeriesRow &row, std::size_t done, std::size_t total) {
    appendRow(row, finishedRows.size());
    finishedRows.push_back(row);
    shownChart = seriesChart(finishedRows);
    chart_area->queue_draw();
    showProgress(done, total, &row);
}

void window9::onSeriesEnded(const JobEnd &end, std::vector<SeriesRow> rows, std::size_t planned) {
    job.reset();
    if (end.error.empty()) {
        finishedRows = std::move(rows);
        showRows();
    }
    showProgress(finishedRows.size(), planned);
    std::string text = progressbar->get_text();
    if (end.cancelled)
        text = "Prekinuto: " + text;
    const auto failed = std::count_if(finishedRows.begin(), finishedRows.end(),
                                      [](const SeriesRow &row) { return !row.error.empty(); });
    if (failed > 0)
        text += ", s greškom: " + std::to_string(failed);
    progressbar->set_text(text);
    updateSensitivity();
    if (!end.error.empty())
        showError(croatianMessage(end.error));
}

void window9::showRows() {
    store->clear();
    for (std::size_t index = 0; index < finishedRows.size(); ++index)
        appendRow(finishedRows[index], index);
    shownChart = seriesChart(finishedRows);
    chart_area->queue_draw();
}

void window9::appendRow(const SeriesRow &row, std::size_t index) {
    Gtk::TreeModel::Row line = *store->append();
    const std::vector<Cell> cells = rowCells(row);
    for (int column = 0; column < columnCount; ++column) {
        line[columns.text[column]] = cells[column].text;
        line[columns.key[column]] = cells[column].key;
    }
    line[columns.runFile] = row.runFile;
    line[columns.index] = static_cast<int>(index);
    // A row without an error has no tooltip at all, not an empty one.
    if (!row.error.empty())
        line[columns.errorTooltip] = Glib::Markup::escape_text(row.error);
}

std::vector<SeriesRow> window9::shownRows() const {
    std::vector<SeriesRow> shown;
    for (const Gtk::TreeModel::Row &row : sorted->children())
        shown.push_back(finishedRows.at(row[columns.index]));
    return shown;
}

void window9::showProgress(std::size_t done, std::size_t total, const SeriesRow *last) {
    progressbar->set_fraction(total == 0 ? 0.0 : static_cast<double>(done) / total);
    std::string text = std::to_string(done) + "/" + std::to_string(total);
    if (last)
        text += ", gotovo " + last->name + " (" +
                settingsText(*last, {"min df", "top IG", "stemiranje", "stop riječi", "da", "ne"}) +
                ")";
    progressbar->set_text(text);
}

void window9::updateSensitivity() {
    const bool idle = !running();
    const bool results = idle && !finishedRows.empty();
    for (Gtk::Widget *widget : std::initializer_list<Gtk::Widget *>{
             min_df_entry, top_ig_entry, m_entry, c_entry, stemming_combo, stop_words_combo,
             s_checkbutton, jobs_spinbutton, start_button})
        widget->set_sensitive(idle);
    cancel_button->set_sensitive(!idle && !cancelling);
    for (Gtk::Widget *widget :
         std::initializer_list<Gtk::Widget *>{export_csv_button, save_svg_button, save_png_button})
        widget->set_sensitive(results);
}

// A name chosen without the extension gets it; the chooser confirmed only
// the name as typed, so replacing a file under the completed name is asked
// about here.
std::string window9::completedPath(const std::string &path, const std::string &extension) {
    if (path.empty() || endsWithIgnoringCase(path, extension))
        return path;
    const std::string completed = path + extension;
    std::error_code error;
    if (std::filesystem::exists(completed, error) &&
        !askConfirmation("Fajl " + completed + " već postoji. Zamijeniti ga?"))
        return {};
    return completed;
}

void window9::on_export_csv_clicked() {
    if (running() || finishedRows.empty())
        return;
    const std::string path = completedPath(
        askSavePath("Izvezi seriju pokusa (CSV)", "serija.csv", "CSV files", "*.csv"), ".csv");
    if (!path.empty())
        attempt([&] { writeSeriesCsv(shownRows(), path); });
}

void window9::saveChart(const std::string &title, const std::string &extension,
                        const std::string &filterName) {
    if (running() || finishedRows.empty())
        return;
    const std::string path = completedPath(
        askSavePath(title, "serija" + extension, filterName, "*" + extension), extension);
    if (!path.empty())
        attempt([&] { writeSeriesChart(shownChart, path, 800, 600); });
}

void window9::on_save_svg_clicked() {
    saveChart("Snimi graf serije (SVG)", ".svg", "SVG files");
}

void window9::on_save_png_clicked() {
    saveChart("Snimi graf serije (PNG)", ".png", "PNG files");
}

bool window9::on_chart_area_expose_event(GdkEventExpose *event) {
    const Cairo::RefPtr<Cairo::Context> cr = exposedContext(*chart_area, event);
    if (!cr)
        return false;
    const Gtk::Allocation area = chart_area->get_allocation();
    drawSeriesChart(cr, shownChart, area.get_width(), area.get_height());
    return true;
}

void window9::on_treeview_row_activated(const Gtk::TreeModel::Path &path, Gtk::TreeViewColumn *) {
    const Gtk::TreeModel::iterator row = sorted->get_iter(path);
    if (!row || !viewRun)
        return;
    const std::string runFile = (*row)[columns.runFile];
    const Glib::ustring error = (*row)[columns.text[errorColumn]];
    if (runFile.empty() || !error.empty()) {
        showError("Ovo pokretanje nema rezultata: " + croatianMessage(error.raw()));
        return;
    }
    std::vector<std::string> lines;
    if (!attempt([&] { lines = loadC45Output(runFile); }))
        return;
    if (!viewRun(runFile, lines))
        showError("Glavni prozor je zauzet. Rezultat pokretanja otvorite kad završi.");
}
