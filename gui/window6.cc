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
    // inserted row down its whole path. Each row is inserted with its text,
    // so that the store works out the row's path (as long as the tree is
    // deep) once, not again for setting the text.
    store = Gtk::TreeStore::create(columns);
    const std::vector<TreeRow> treeRows = parseDecisionTree(outputLines, simplified);
    std::vector<GtkTreeIter> rows(treeRows.size());
    for (std::size_t i = 0; i < treeRows.size(); ++i) {
        const TreeRow &row = treeRows[i];
        gtk_tree_store_insert_with_values(store->gobj(), &rows[i],
                                          row.parent < 0 ? nullptr : &rows[row.parent], -1,
                                          columns.text.index(), row.label.c_str(), -1);
    }
    treeview->set_model(store);
    treeview->set_headers_visible(true);
}
