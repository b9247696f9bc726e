#include "window6.h"

#include "TableLayout.h"
#include "c45/DecisionTreeText.h"

window6::window6(const std::vector<std::string> &outputLines, bool simplified) {
    // The two trees of a run look alike; the title and the header tell them apart.
    const char *const which =
        simplified ? "Prikaz stabla nakon podrezivanja" : "Prikaz stabla prije podrezivanja";
    set_title(which);
    header_label->set_text(which);

    treeview->remove_all_columns();
    appendColumn(*treeview, "...", columns.text, true);

    // Filled before the view listens, which would otherwise follow every
    // inserted row down its whole path.
    store = Gtk::TreeStore::create(columns);
    std::vector<Gtk::TreeModel::iterator> rows;
    for (const TreeRow &row : parseDecisionTree(outputLines, simplified)) {
        const Gtk::TreeModel::iterator added =
            row.parent < 0 ? store->append() : store->append(rows[row.parent]->children());
        (*added)[columns.text] = row.label;
        rows.push_back(added);
    }
    treeview->set_model(store);
    treeview->set_headers_visible(true);
}
