#include "window4_glade.h"

#include "TableLayout.h"

window4_glade::window4_glade() {
    set_title("Prikaz kategorija/gresaka");
    set_default_size(400, 600);
    set_modal(false);
    set_resizable(true);

    header_label = Gtk::manage(new Gtk::Label("label38"));
    treeview = Gtk::manage(new Gtk::TreeView());
    vbox = &headedTable(*header_label, *treeview);
    add(*vbox);
    treeview->signal_row_activated().connect(
        sigc::mem_fun(*this, &window4_glade::on_treeview_row_activated), false);
    show_all_children();
}
