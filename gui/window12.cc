#include "window12.h"

#include "Messages.h"
#include "TableLayout.h"
#include "c45/NumberText.h"
#include "corpus/FileError.h"
#include "measures/ResultsExport.h"

#include <gtkmm/messagedialog.h>

namespace {

std::string rateMarkup(const std::optional<double> &rate) {
    return smallBoldMarkup(rateText(rate));
}

// A rate column shows its text and sorts by its value.
void appendRateColumn(Gtk::TreeView &view, const Glib::ustring &title,
                      const Gtk::TreeModelColumn<Glib::ustring> &text,
                      const Gtk::TreeModelColumn<double> &value) {
    appendColumn(view, title, text, false);
    view.get_column(view.get_columns().size() - 1)->set_sort_column(value);
}

} // namespace

window12::window12(ParsedCategoryReport parsed) : run(std::move(parsed)) {
    appendColumn(*treeview, "Kategorija", columns.name, true);
    appendColumn(*treeview, "Train", columns.training, true);
    appendColumn(*treeview, "Test", columns.test, true);
    appendColumn(*treeview, "TP", columns.tp, true);
    appendColumn(*treeview, "FP", columns.fp, true);
    appendColumn(*treeview, "FN", columns.fn, true);
    appendColumn(*treeview, "TN", columns.tn, true);
    appendRateColumn(*treeview, "Preciznost", columns.precision, columns.precisionValue);
    appendRateColumn(*treeview, "Odziv", columns.recall, columns.recallValue);
    appendRateColumn(*treeview, "F1", columns.f1, columns.f1Value);
    appendColumn(*treeview, "Veličina AP", columns.sizeAfter, true);

    store = Gtk::ListStore::create(columns);
    // The widest text of each column, so that the window opens showing them
    // all: a view measures only the rows it has drawn.
    std::vector<Glib::ustring> widest(treeview->get_columns().size(), "0.0000");
    const auto widen = [&widest](std::size_t column, const std::string &text) {
        if (text.size() > widest[column].size())
            widest[column] = text;
    };
    for (const CategorySection &c : run.report.categories) {
        widen(0, c.name);
        for (const auto &[column, count] :
             {std::pair{1, std::int64_t{c.trainingCases}}, {2, c.testCases}, {3, c.table.tp},
              {4, c.table.fp}, {5, c.table.fn}, {6, c.table.tn}, {10, c.prunedSize}})
            widen(static_cast<std::size_t>(column), std::to_string(count));
        const Averages rates = binaryAverages(c.table);
        Gtk::TreeModel::Row row = *store->append();
        row[columns.name] = c.name;
        row[columns.training] = c.trainingCases;
        row[columns.test] = c.testCases;
        // A table counts the cases of one category, which fit an int.
        row[columns.tp] = static_cast<int>(c.table.tp);
        row[columns.fp] = static_cast<int>(c.table.fp);
        row[columns.fn] = static_cast<int>(c.table.fn);
        row[columns.tn] = static_cast<int>(c.table.tn);
        row[columns.precision] = rateText(rates.precision);
        row[columns.recall] = rateText(rates.recall);
        row[columns.f1] = rateText(rates.f1);
        row[columns.precisionValue] = rates.precision.value_or(-1);
        row[columns.recallValue] = rates.recall.value_or(-1);
        row[columns.f1Value] = rates.f1.value_or(-1);
        row[columns.sizeAfter] = c.prunedSize;
    }
    fixColumnWidths(*treeview, widest);
    sorted = Gtk::TreeModelSort::create(store);
    treeview->set_model(sorted);
    treeview->set_headers_visible(true);
    treeview->set_headers_clickable(true);

    const CategorySummary &s = run.summary;
    micro_precision_label->set_markup(rateMarkup(s.micro.precision));
    micro_recall_label->set_markup(rateMarkup(s.micro.recall));
    micro_f1_label->set_markup(rateMarkup(s.micro.f1));
    macro_precision_label->set_markup(rateMarkup(s.macro.precision));
    macro_recall_label->set_markup(rateMarkup(s.macro.recall));
    macro_f1_label->set_markup(rateMarkup(s.macro.f1));
    macro_categories_label->set_text("(kategorija s test dokumentima: " +
                                     std::to_string(s.macroCategories) + " od " +
                                     std::to_string(run.report.categories.size()) + ")");
    openWideEnough(*this, *treeview);
}

std::string window12::askCsvPath() {
    return askSavePath(*this, "Izvezi rezultate po kategorijama (.csv)");
}

void window12::on_export_clicked() {
    const std::string path = askCsvPath();
    if (path.empty())
        return;
    try {
        exportCategoryTable(run, path);
    } catch (const FileError &error) {
        Gtk::MessageDialog box(*this, croatianMessage(error.messageWithReason()), false, Gtk::MESSAGE_ERROR,
                               Gtk::BUTTONS_OK, true);
        box.run();
    }
}
