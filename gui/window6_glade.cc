#include "window6_glade.h"

#include "TableLayout.h"

window6_glade::window6_glade() {
    set_title("Prikaz stabla");
    set_default_size(400, 600);
    set_modal(false);
    set_resizable(true);

    header_label = Gtk::manage(new Gtk::Label("Prikaz stabla"));
    treeview = Gtk::manage(new Gtk::TreeView());
    vbox = &headedTable(*header_label, *treeview);
    add(*vbox);
    treeview->signal_row_activated().connect(
        sigc::mem_fun(*this, &window6_glade::on_treeview_row_activated), false);
    show_all_children();
}
