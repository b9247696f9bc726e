// Pieces shared by the secondary table windows: the scrolled tree view under
// a header label, and the fixed-decimal cell texts.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/treeview.h>

#include <string>

// Sets the common tree-view properties (headers, alternating rows, reorderable,
// interactive search) and wraps it in a scrolled window with border width 5,
// an etched-in shadow and automatic scroll bars.
Gtk::ScrolledWindow &scrolledTable(Gtk::TreeView &view);

// A vertical box without spacing: the header at its natural height above the
// scrolled table, which takes the rest. The window owns none of it but the box.
Gtk::VBox &headedTable(Gtk::Label &header, Gtk::TreeView &view);

// Appends a resizable view column showing the model column; a sortable one
// sorts by that column when its header is clicked.
template <typename T>
void appendColumn(Gtk::TreeView &view, const Glib::ustring &title,
                  const Gtk::TreeModelColumn<T> &column, bool sortable) {
    Gtk::TreeViewColumn *viewColumn = view.get_column(view.append_column(title, column) - 1);
    viewColumn->set_resizable(true);
    if (sortable)
        viewColumn->set_sort_column(column);
}

// The value printed with "%.Nf", N = decimals.
std::string formatFixed(double value, int decimals);
