// Layout of the effectiveness measures window: the six averages above the
// per-category table.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/label.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

class window8_glade : public Gtk::Window {
public:
    window8_glade();

    // The widgets the behaviour fills; public so that tests and the screenshot
    // driver can read what the window shows.
    Gtk::Label *micro_f1_label;
    Gtk::Label *micro_precision_label;
    Gtk::Label *micro_recall_label;
    Gtk::Label *macro_f1_label;
    Gtk::Label *macro_precision_label;
    Gtk::Label *macro_recall_label;
    Gtk::TreeView *treeview;
    Gtk::VBox *vbox;
};
