#include "window6.h"

#include "TableLayout.h"
#include "c45/DecisionTreeText.h"

window6::window6(const std::vector<std::string> &outputLines, bool simplified) {
    treeview->remove_all_columns();
    store = Gtk::TreeStore::create(columns);
    appendColumn(*treeview, "...", columns.text, true);
    treeview->set_model(store);
    treeview->set_headers_visible(true);

    std::vector<Gtk::TreeModel::iterator> rows;
    for (const TreeRow &row : parseDecisionTree(outputLines, simplified)) {
        const Gtk::TreeModel::iterator added =
            row.parent < 0 ? store->append() : store->append(rows[row.parent]->children());
        (*added)[columns.text] = row.label;
        rows.push_back(added);
    }
}
