#include "window3.h"

#include "TableLayout.h"

window3::window3(const std::map<std::string, int> &counts, bool words, std::ostream &trace)
    : trace(trace) {
    build(counts, words, nullptr);
}

window3::window3(const std::map<std::string, int> &counts, bool words,
                 const std::map<std::string, float> &gains, std::ostream &trace)
    : trace(trace) {
    build(counts, words, &gains);
}

void window3::build(const std::map<std::string, int> &counts, bool words,
                    const std::map<std::string, float> *gains) {
    header_label->set_text(words ? "Prikaz raspodijele rijeci po dokumentima"
                                 : "Prikaz raspodijele kategorija po dokumentima");

    treeview->remove_all_columns();
    store = Gtk::ListStore::create(columns);
    sorted = Gtk::TreeModelSort::create(store);
    sorted->set_sort_column(columns.documents, Gtk::SORT_ASCENDING);

    appendColumn(*treeview, words ? "Rijec" : "Kategorija", columns.name, true);
    appendColumn(*treeview, "Broj dokumenata", columns.documents, true);
    if (gains)
        appendColumn(*treeview, "Information Gain", columns.informationGain, true);
    treeview->set_model(sorted);
    treeview->set_headers_visible(true);
    treeview->set_headers_clickable(true);

    for (const auto &[name, count] : counts) {
        Gtk::TreeModel::Row row = *store->append();
        row[columns.name] = name;
        row[columns.documents] = count;
        if (gains) {
            const auto gain = gains->find(name);
            if (gain != gains->end())
                row[columns.informationGain] = formatFixed(gain->second, 4);
        }
    }
}

void window3::on_treeview_row_activated(const Gtk::TreeModel::Path &path, Gtk::TreeViewColumn *) {
    trace << "pritisnut je redak..." << std::endl;
    trace << "redak broj " << path.front() << std::endl;
}
