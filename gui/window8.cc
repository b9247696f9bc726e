#include "window8.h"

#include "TableLayout.h"
#include "c45/NumberText.h"
#include "measures/Measures.h"

#include <cmath>

namespace {

// An average over no documents is undefined; it is not shown as a figure.
std::string averageMarkup(float value) {
    return smallBoldMarkup(std::isnan(value) ? "n/a" : numberToString(value));
}

// A category's recall, precision or F1 is -1 where it is undefined (nothing
// in the category, or nothing assigned to it); the CSV keeps the -1, the
// table says "n/a" as the averages do.
std::string measureText(float value) {
    return value == -1.0f ? "n/a" : formatFixed(value, 2);
}

} // namespace

window8::window8(const std::vector<std::int32_t> &counts, const std::vector<std::string> &names)
    : counts(counts), names(names) {
    treeview->remove_all_columns();
    appendColumn(*treeview, "Kategorija", columns.name, false);
    appendColumn(*treeview, "Broj dokumenata", columns.documents, false);
    appendColumn(*treeview, "f++", columns.fPlusPlus, false);
    appendColumn(*treeview, "f+-", columns.fPlusMinus, false);
    appendColumn(*treeview, "f-+", columns.fMinusPlus, false);
    appendColumn(*treeview, "Recall", columns.recall, false);
    appendColumn(*treeview, "Precision", columns.precision, false);
    appendColumn(*treeview, "F1", columns.f1, false);

    ConfusionMatrix matrix;
    matrix.counts = counts;
    matrix.categoryNames = names;
    const Measures measures = computeMeasures(matrix, true);
    store = Gtk::TreeStore::create(columns);
    for (const CategoryMeasures &category : measures.categories) {
        Gtk::TreeModel::Row row = *store->append();
        row[columns.name] = category.name;
        row[columns.documents] = category.documents;
        row[columns.fPlusPlus] = formatFixed(category.fPlusPlus, 2);
        row[columns.fPlusMinus] = formatFixed(category.fPlusMinus, 2);
        row[columns.fMinusPlus] = formatFixed(category.fMinusPlus, 2);
        row[columns.recall] = measureText(category.recall);
        row[columns.precision] = measureText(category.precision);
        row[columns.f1] = measureText(category.f1);
    }
    sorted = Gtk::TreeModelSort::create(store);
    sorted->set_sort_column(columns.name, Gtk::SORT_ASCENDING);
    treeview->set_model(sorted);
    treeview->set_headers_visible(true);
    treeview->set_headers_clickable(true);

    const MeasureSummary &summary = measures.summary;
    micro_f1_label->set_markup(averageMarkup(summary.microF1));
    micro_precision_label->set_markup(averageMarkup(summary.microPrecision));
    micro_recall_label->set_markup(averageMarkup(summary.microRecall));
    macro_f1_label->set_markup(averageMarkup(summary.macroF1));
    macro_precision_label->set_markup(averageMarkup(summary.macroPrecision));
    macro_recall_label->set_markup(averageMarkup(summary.macroRecall));
    openWideEnough(*this, *treeview);
}
