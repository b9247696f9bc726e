// Layout of the text-classification window: the file set it applies, the
// text to classify, its buttons, and the table of documents with their paths.
#pragma once

#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/label.h>
#include <gtkmm/textview.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

class window11_glade : public Gtk::Window {
public:
    window11_glade();

    // The widgets the behaviour uses; public so that tests and the screenshot
    // driver can read what the window shows.
    Gtk::Label *file_set_label;
    Gtk::TextView *textview;
    Gtk::Button *open_button;
    Gtk::Button *classify_button;
    Gtk::CheckButton *unpruned_checkbutton;
    Gtk::TreeView *treeview;
    Gtk::Label *status_label;

protected:
    virtual void on_open_clicked() = 0;
    virtual void on_classify_clicked() = 0;
    virtual void on_treeview_row_activated(const Gtk::TreeModel::Path &path,
                                           Gtk::TreeViewColumn *column) = 0;
};
