// Builds the text-classification window's widget tree. Every widget the
// behaviour does not touch is owned by its container.
#include "window11_glade.h"

#include "TableLayout.h"

#include <gtkmm/box.h>
#include <gtkmm/paned.h>
#include <gtkmm/scrolledwindow.h>

window11_glade::window11_glade() {
    set_title("Klasifikacija teksta");
    set_default_size(720, 640);
    set_modal(false);
    set_resizable(true);

    file_set_label = Gtk::manage(new Gtk::Label());
    file_set_label->set_alignment(0.0, 0.5);
    file_set_label->set_ellipsize(Pango::ELLIPSIZE_START);
    textview = Gtk::manage(new Gtk::TextView());
    textview->set_wrap_mode(Gtk::WRAP_WORD_CHAR);
    Gtk::ScrolledWindow *text = Gtk::manage(new Gtk::ScrolledWindow());
    text->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    text->set_shadow_type(Gtk::SHADOW_ETCHED_IN);
    text->add(*textview);

    open_button = Gtk::manage(new Gtk::Button("Otvori fajl…"));
    classify_button = Gtk::manage(new Gtk::Button("Klasificiraj"));
    unpruned_checkbutton = Gtk::manage(new Gtk::CheckButton("Stablo prije podrezivanja"));
    Gtk::HBox *buttons = Gtk::manage(new Gtk::HBox(false, 4));
    buttons->pack_start(*open_button, Gtk::PACK_SHRINK);
    buttons->pack_start(*unpruned_checkbutton, Gtk::PACK_SHRINK);
    buttons->pack_end(*classify_button, Gtk::PACK_SHRINK);

    treeview = Gtk::manage(new Gtk::TreeView());
    Gtk::VPaned *paned = Gtk::manage(new Gtk::VPaned());
    paned->pack1(*text, true, false);
    paned->pack2(scrolledTable(*treeview), true, false);
    paned->set_position(170);

    status_label = Gtk::manage(new Gtk::Label());
    status_label->set_alignment(0.0, 0.5);
    status_label->set_ellipsize(Pango::ELLIPSIZE_END);

    Gtk::VBox *vbox = Gtk::manage(new Gtk::VBox(false, 4));
    vbox->set_border_width(6);
    vbox->pack_start(*file_set_label, Gtk::PACK_SHRINK);
    vbox->pack_start(*buttons, Gtk::PACK_SHRINK);
    vbox->pack_start(*paned, Gtk::PACK_EXPAND_WIDGET);
    vbox->pack_start(*status_label, Gtk::PACK_SHRINK);
    add(*vbox);

    open_button->signal_clicked().connect(sigc::mem_fun(*this, &window11_glade::on_open_clicked),
                                          false);
    classify_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window11_glade::on_classify_clicked), false);
    treeview->signal_row_activated().connect(
        sigc::mem_fun(*this, &window11_glade::on_treeview_row_activated), false);
    show_all_children();
}
