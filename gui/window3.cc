#include "window3.h"

#include "TableLayout.h"

#include <algorithm>
#include <vector>

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
    appendColumn(*treeview, words ? "Rijec" : "Kategorija", columns.name, true);
    appendColumn(*treeview, "Broj dokumenata", columns.documents, true);
    if (gains)
        appendColumn(*treeview, "Information Gain", columns.informationGain, true);

    // The rows go into the store in their opening order (by documents, ties
    // by name) before any sorted model or view listens: a row inserted under
    // them is placed on its own, which grows with the square of the rows, and
    // a sorted model compares rows through the store, which takes seconds for
    // a hundred thousand of them. The user's first click on a header sorts.
    std::vector<const std::pair<const std::string, int> *> order;
    order.reserve(counts.size());
    for (const auto &entry : counts)
        order.push_back(&entry);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto *a, const auto *b) { return a->second < b->second; });

    std::vector<Glib::ustring> widest(gains ? 3 : 2);
    const auto keepWidest = [&widest](std::size_t column, const Glib::ustring &text) {
        if (text.bytes() > widest[column].bytes())
            widest[column] = text;
    };
    store = Gtk::ListStore::create(columns);
    for (const auto *entry : order) {
        const Glib::ustring name = entry->first;
        Gtk::TreeModel::Row row = *store->append();
        row[columns.name] = name;
        row[columns.documents] = entry->second;
        keepWidest(0, name);
        keepWidest(1, std::to_string(entry->second));
        if (gains) {
            const auto gain = gains->find(entry->first);
            if (gain != gains->end()) {
                const Glib::ustring gainText = formatFixed(gain->second, 4);
                row[columns.informationGain] = gainText;
                keepWidest(2, gainText);
            }
        }
    }
    sorted = Gtk::TreeModelSort::create(store);
    treeview->set_model(sorted);
    treeview->set_headers_visible(true);
    treeview->set_headers_clickable(true);
    fixColumnWidths(*treeview, widest);
    openWideEnough(*this, *treeview);
}

void window3::on_treeview_row_activated(const Gtk::TreeModel::Path &path, Gtk::TreeViewColumn *) {
    trace << "pritisnut je redak..." << std::endl;
    trace << "redak broj " << path.front() << std::endl;
}
