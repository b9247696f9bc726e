#include "window6.h"

#include "TableLayout.h"
#include "c45/DecisionTreeText.h"

#include <algorithm>

namespace {

// The width of the widest row once the whole tree is expanded: each level
// indents by one expander, top-level rows included.
int expandedWidth(Gtk::TreeView &view, const std::vector<TreeRow> &rows) {
    // GTK+ 2 pads each expander by 4 pixels; the cell has its padding and
    // focus line on both sides.
    constexpr int expanderPadding = 4;
    constexpr int cellMargin = 16;
    view.ensure_style();
    int expanderSize = 0;
    gtk_widget_style_get(GTK_WIDGET(view.gobj()), "expander-size", &expanderSize, nullptr);
    std::vector<int> depth(rows.size());
    int widest = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        depth[i] = rows[i].parent < 0 ? 1 : depth[rows[i].parent] + 1;
        int width = 0;
        int height = 0;
        view.create_pango_layout(rows[i].label)->get_pixel_size(width, height);
        widest = std::max(widest, depth[i] * (expanderSize + expanderPadding) + width);
    }
    return widest + cellMargin;
}

} // namespace

window6::window6(const std::vector<std::string> &outputLines, bool simplified)
    : simplified(simplified) {
    // The two trees of a run look alike; the title and the header tell them apart.
    const char *const which =
        simplified ? "Prikaz stabla nakon podrezivanja" : "Prikaz stabla prije podrezivanja";
    set_title(which);
    header_label->set_text(which);

    treeview->remove_all_columns();
    appendColumn(*treeview, "Stablo odlučivanja", columns.text, true);
    store = Gtk::TreeStore::create(columns);
    if (!isPerCategoryRun(outputLines)) {
        const std::vector<TreeRow> treeRows = showRows(outputLines, simplified);
        // Wide enough for the tree as the user expands it.
        openWideEnough(*this, expandedWidth(*treeview, treeRows));
        return;
    }
    categories = parseCategoryReport(outputLines).report.categories;
    int widest = 0;
    for (const CategorySection &category : categories) {
        category_combo->append_text(category.name);
        widest = std::max(widest, expandedWidth(*treeview, parseDecisionTree(treeLines(category),
                                                                             simplified)));
    }
    category_combo->show();
    if (!categories.empty())
        category_combo->set_active(0);
    openWideEnough(*this, widest);
}

void window6::on_category_changed() {
    const int chosen = category_combo->get_active_row_number();
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= categories.size())
        return;
    header_label->set_text(std::string(simplified ? "Stablo nakon podrezivanja"
                                                  : "Stablo prije podrezivanja") +
                           ", kategorija " + categories[chosen].name);
    showRows(treeLines(categories[chosen]), simplified);
}

std::vector<TreeRow> window6::showRows(const std::vector<std::string> &lines, bool simplified) {
    // Filled before the view listens, which would otherwise follow every
    // inserted row down its whole path. Each row is inserted with its text,
    // so that the store works out the row's path (as long as the tree is
    // deep) once, not again for setting the text.
    treeview->unset_model();
    store->clear();
    const std::vector<TreeRow> treeRows = parseDecisionTree(lines, simplified);
    std::vector<GtkTreeIter> rows(treeRows.size());
    for (std::size_t i = 0; i < treeRows.size(); ++i) {
        const TreeRow &row = treeRows[i];
        gtk_tree_store_insert_with_values(store->gobj(), &rows[i],
                                          row.parent < 0 ? nullptr : &rows[row.parent], -1,
                                          columns.text.index(), row.label.c_str(), -1);
    }
    treeview->set_model(store);
    treeview->set_headers_visible(true);
    return treeRows;
}
