// The decision-tree window: the tree C4.5 printed before or after pruning as
// an expandable tree with one row per node.
#pragma once

#include "window6_glade.h"

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
};
