// Layout of the per-category window: the micro and macro averages above the
// per-category table, and the CSV export button below it.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/label.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

class window12_glade : public Gtk::Window {
public:
    window12_glade();

    // The widgets the behaviour fills; public so that tests and the screenshot
    // driver can read what the window shows.
    Gtk::Label *micro_precision_label;
    Gtk::Label *micro_recall_label;
    Gtk::Label *micro_f1_label;
    Gtk::Label *macro_precision_label;
    Gtk::Label *macro_recall_label;
    Gtk::Label *macro_f1_label;
    Gtk::Label *macro_categories_label;
    Gtk::TreeView *treeview;
    Gtk::Button *export_button;
    Gtk::VBox *vbox;

protected:
    virtual void on_export_clicked() = 0;
};
