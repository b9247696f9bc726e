#include "window7_glade.h"

#include <gtkmm/stock.h>

window7_glade::window7_glade() {
    set_title("Stop rijeci");
    set_default_size(300, 500);
    set_modal(false);
    set_resizable(true);

    toolbar = Gtk::manage(new Gtk::Toolbar());
    toolbar->set_orientation(Gtk::ORIENTATION_HORIZONTAL);
    toolbar->set_toolbar_style(Gtk::TOOLBAR_BOTH);
    toolbar->set_tooltips(true);
    save_toolbutton = Gtk::manage(new Gtk::ToolButton(Gtk::Stock::SAVE));
    add_toolbutton = Gtk::manage(new Gtk::ToolButton(Gtk::Stock::ADD));
    delete_toolbutton = Gtk::manage(new Gtk::ToolButton(Gtk::Stock::DELETE));
    toolbar->append(*save_toolbutton);
    toolbar->append(*add_toolbutton);
    toolbar->append(*delete_toolbutton);

    treeview = Gtk::manage(new Gtk::TreeView());
    treeview->set_headers_visible(true);
    treeview->set_rules_hint(true);
    treeview->set_reorderable(false);
    treeview->set_enable_search(true);
    scrolledwindow = Gtk::manage(new Gtk::ScrolledWindow());
    scrolledwindow->set_shadow_type(Gtk::SHADOW_NONE);
    scrolledwindow->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    scrolledwindow->add(*treeview);

    note_label = Gtk::manage(new Gtk::Label());
    note_label->set_alignment(0.0, 0.5);
    note_label->set_padding(5, 3);
    // Wrapped to the editor's opening width, which a long note would
    // otherwise widen.
    note_label->set_line_wrap(true);
    note_label->set_size_request(280, -1);

    vbox = Gtk::manage(new Gtk::VBox(false, 0));
    vbox->pack_start(*toolbar, Gtk::PACK_SHRINK);
    vbox->pack_start(*scrolledwindow, Gtk::PACK_EXPAND_WIDGET);
    vbox->pack_start(*note_label, Gtk::PACK_SHRINK);
    add(*vbox);

    save_toolbutton->signal_clicked().connect(sigc::mem_fun(*this, &window7_glade::on_save_clicked),
                                              false);
    add_toolbutton->signal_clicked().connect(sigc::mem_fun(*this, &window7_glade::on_add_clicked),
                                             false);
    delete_toolbutton->signal_clicked().connect(
        sigc::mem_fun(*this, &window7_glade::on_delete_clicked), false);
    treeview->signal_row_activated().connect(
        sigc::mem_fun(*this, &window7_glade::on_treeview_row_activated), false);
    show_all_children();
    note_label->hide();
}
