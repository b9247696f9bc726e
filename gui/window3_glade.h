// Layout of the word and category distribution window: a header label above a table.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

class window3_glade : public Gtk::Window {
public:
    window3_glade();

    // The widgets the behaviour fills; public so that tests and the screenshot
    // driver can read what the window shows.
    Gtk::Label *header_label;
    Gtk::TreeView *treeview;
    Gtk::VBox *vbox;

protected:
    virtual void on_treeview_row_activated(const Gtk::TreeModel::Path &path,
                                           Gtk::TreeViewColumn *column) = 0;
};
