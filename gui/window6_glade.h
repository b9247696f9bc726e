// Layout of the decision-tree window: a header label above a table.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/label.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

class window6_glade : public Gtk::Window {
public:
    window6_glade();

    // The widgets the behaviour fills; public so that tests and the screenshot
    // driver can read what the window shows.
    Gtk::Label *header_label;
    // Shown only for a run with one tree per category.
    Gtk::ComboBoxText *category_combo;
    Gtk::TreeView *treeview;
    Gtk::VBox *vbox;

protected:
    virtual void on_treeview_row_activated(const Gtk::TreeModel::Path &path,
                                           Gtk::TreeViewColumn *column) = 0;
    virtual void on_category_changed() = 0;
};
