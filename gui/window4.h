// The category and error window: per true category of the test documents,
// its number of documents and the share classified correctly, with one child
// row per category that received some of them.
#pragma once

#include "window4_glade.h"

#include <gtkmm/treemodelsort.h>
#include <gtkmm/treestore.h>

#include <iostream>
#include <string>
#include <vector>

class window4 : public window4_glade {
public:
    struct ModelColumns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> name;
        Gtk::TreeModelColumn<int> documents;
        Gtk::TreeModelColumn<Glib::ustring> percentage;
        ModelColumns() {
            add(name);
            add(documents);
            add(percentage);
        }
    };

    // counts are row-major, one row per name; rows beyond the counts given are
    // shown with what is there.
    window4(const std::vector<int> &counts, const std::vector<std::string> &names,
            std::ostream &trace = std::cout);

    const ModelColumns columns;
    Glib::RefPtr<Gtk::TreeStore> store;
    Glib::RefPtr<Gtk::TreeModelSort> sorted;

protected:
    // Writes "pritisnut je redak..." and "redak broj " with the top-level index
    // of the activated row.
    void on_treeview_row_activated(const Gtk::TreeModel::Path &path,
                                   Gtk::TreeViewColumn *column) override;

private:
    const std::vector<int> counts;
    const std::vector<std::string> names;
    std::ostream &trace;
};
