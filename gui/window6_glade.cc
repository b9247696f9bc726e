#include "window6_glade.h"

#include "TableLayout.h"

window6_glade::window6_glade() {
    set_title("Prikaz stabla");
    set_default_size(400, 600);
    set_modal(false);
    set_resizable(true);

    header_label = Gtk::manage(new Gtk::Label("Prikaz stabla"));
    treeview = Gtk::manage(new Gtk::TreeView());
    category_combo = Gtk::manage(new Gtk::ComboBoxText());
    vbox = &headedTable(*header_label, *treeview);
    vbox->pack_start(*category_combo, Gtk::PACK_SHRINK);
    vbox->reorder_child(*category_combo, 1);
    add(*vbox);
    treeview->signal_row_activated().connect(
        sigc::mem_fun(*this, &window6_glade::on_treeview_row_activated), false);
    category_combo->signal_changed().connect(
        sigc::mem_fun(*this, &window6_glade::on_category_changed), false);
    show_all_children();
    category_combo->hide();
}
