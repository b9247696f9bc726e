// Layout of the stop-word editor: a Save/Add/Delete toolbar above the list and
// a note line under it.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/toolbar.h>
#include <gtkmm/toolbutton.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

class window7_glade : public Gtk::Window {
public:
    window7_glade();

    // The widgets the behaviour fills; public so that tests and the screenshot
    // driver can read what the window shows.
    Gtk::ToolButton *save_toolbutton;
    Gtk::ToolButton *add_toolbutton;
    Gtk::ToolButton *delete_toolbutton;
    Gtk::Toolbar *toolbar;
    Gtk::TreeView *treeview;
    Gtk::ScrolledWindow *scrolledwindow;
    // Hidden until there is something to tell about an edit.
    Gtk::Label *note_label;
    Gtk::VBox *vbox;

protected:
    virtual void on_save_clicked() = 0;
    virtual void on_add_clicked() = 0;
    virtual void on_delete_clicked() = 0;
    virtual void on_treeview_row_activated(const Gtk::TreeModel::Path &path,
                                           Gtk::TreeViewColumn *column) = 0;
};
