#include "window4.h"

#include "TableLayout.h"

window4::window4(const std::vector<int> &counts, const std::vector<std::string> &names,
                 std::ostream &trace)
    : counts(counts), names(names), trace(trace) {
    header_label->set_text("Prikaz raspodijele kategorija i gresaka po test dokumentima");

    treeview->remove_all_columns();
    appendColumn(*treeview, "Kategorija", columns.name, false);
    appendColumn(*treeview, "Broj dokumenata", columns.documents, false);
    appendColumn(*treeview, "Posto", columns.percentage, false);

    store = Gtk::TreeStore::create(columns);
    const std::size_t n = names.size();
    for (std::size_t i = 0; i < n && (i + 1) * n <= counts.size(); ++i) {
        const int *rowCounts = &counts[i * n];
        int total = 0;
        for (std::size_t j = 0; j < n; ++j)
            total += rowCounts[j];

        Gtk::TreeModel::Row top = *store->append();
        top[columns.name] = names[i];
        top[columns.documents] = total;
        top[columns.percentage] = "0";
        for (std::size_t j = 0; j < n; ++j) {
            if (rowCounts[j] == 0)
                continue;
            const float share =
                100.0f * (static_cast<float>(rowCounts[j]) / static_cast<float>(total));
            const std::string shareText = formatFixed(share, 2);
            if (names[j] == names[i])
                top[columns.percentage] = shareText;
            Gtk::TreeModel::Row child = *store->append(top.children());
            child[columns.name] = names[j];
            child[columns.documents] = rowCounts[j];
            child[columns.percentage] = shareText;
        }
    }
    sorted = Gtk::TreeModelSort::create(store);
    sorted->set_sort_column(columns.name, Gtk::SORT_ASCENDING);
    treeview->set_model(sorted);
    treeview->set_headers_visible(true);
    treeview->set_headers_clickable(true);
    openWideEnough(*this, *treeview);
}

void window4::on_treeview_row_activated(const Gtk::TreeModel::Path &path, Gtk::TreeViewColumn *) {
    trace << "pritisnut je redak..." << std::endl;
    trace << "redak broj " << path.front() << std::endl;
}
