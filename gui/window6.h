// The decision-tree window: the tree C4.5 printed before or after pruning as
// an expandable tree with one row per node. For a run with one tree per
// category it shows the tree of the category chosen above the tree, the
// first at the start.
#pragma once

#include "window6_glade.h"

#include "c45/CategoryReport.h"
#include "c45/DecisionTreeText.h"

#include <gtkmm/treestore.h>

#include <string>
#include <vector>

class window6 : public window6_glade {
public:
    struct ModelColumns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> text;
        ModelColumns() { add(text); }
    };

    // simplified false shows the tree under "Decision Tree:", true the one
    // under "Simplified Decision Tree:"; title and header say which:
    // "Prikaz stabla prije podrezivanja" or "Prikaz stabla nakon podrezivanja".
    window6(const std::vector<std::string> &outputLines, bool simplified);

    const ModelColumns columns;
    Glib::RefPtr<Gtk::TreeStore> store;

protected:
    void on_treeview_row_activated(const Gtk::TreeModel::Path &, Gtk::TreeViewColumn *) override {}
    void on_category_changed() override;

private:
    // Replaces the rows by those of the tree text; returns them.
    std::vector<TreeRow> showRows(const std::vector<std::string> &lines, bool simplified);

    const bool simplified;
    std::vector<CategorySection> categories;
};
