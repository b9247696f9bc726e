#include "window8.h"

#include "TableLayout.h"
#include "c45/NumberText.h"
#include "measures/Measures.h"

window8::window8(const std::vector<std::int32_t> &counts, const std::vector<std::string> &names)
    : counts(counts), names(names) {
    treeview->remove_all_columns();
    store = Gtk::TreeStore::create(columns);
    sorted = Gtk::TreeModelSort::create(store);
    sorted->set_sort_column(columns.name, Gtk::SORT_ASCENDING);
    appendColumn(*treeview, "Kategorija", columns.name, false);
    appendColumn(*treeview, "Broj dokumenata", columns.documents, false);
    appendColumn(*treeview, "f++", columns.fPlusPlus, false);
    appendColumn(*treeview, "f+-", columns.fPlusMinus, false);
    appendColumn(*treeview, "f-+", columns.fMinusPlus, false);
    appendColumn(*treeview, "Recall", columns.recall, false);
    appendColumn(*treeview, "Precision", columns.precision, false);
    appendColumn(*treeview, "F1", columns.f1, false);
    treeview->set_model(sorted);
    treeview->set_headers_visible(true);
    treeview->set_headers_clickable(true);

    ConfusionMatrix matrix;
    matrix.counts = counts;
    matrix.categoryNames = names;
    const Measures measures = computeMeasures(matrix, true);
    for (const CategoryMeasures &category : measures.categories) {
        Gtk::TreeModel::Row row = *store->append();
        row[columns.name] = category.name;
        row[columns.documents] = category.documents;
        row[columns.fPlusPlus] = formatFixed(category.fPlusPlus, 2);
        row[columns.fPlusMinus] = formatFixed(category.fPlusMinus, 2);
        row[columns.fMinusPlus] = formatFixed(category.fMinusPlus, 2);
        row[columns.recall] = formatFixed(category.recall, 2);
        row[columns.precision] = formatFixed(category.precision, 2);
        row[columns.f1] = formatFixed(category.f1, 2);
    }

    const MeasureSummary &summary = measures.summary;
    micro_f1_label->set_markup(smallBoldMarkup(numberToString(summary.microF1)));
    micro_precision_label->set_markup(smallBoldMarkup(numberToString(summary.microPrecision)));
    micro_recall_label->set_markup(smallBoldMarkup(numberToString(summary.microRecall)));
    macro_f1_label->set_markup(smallBoldMarkup(numberToString(summary.macroF1)));
    macro_precision_label->set_markup(smallBoldMarkup(numberToString(summary.macroPrecision)));
    macro_recall_label->set_markup(smallBoldMarkup(numberToString(summary.macroRecall)));
}
