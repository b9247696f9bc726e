#include "window8_glade.h"

#include "TableLayout.h"

#include <gtkmm/table.h>

window8_glade::window8_glade() {
    set_title("Mjere");
    set_default_size(400, 600);
    set_modal(false);
    set_resizable(true);

    Gtk::Table *grid = Gtk::manage(new Gtk::Table(3, 4));
    grid->set_border_width(5);
    grid->set_col_spacings(8);
    grid->set_row_spacings(2);
    gridLabel(*grid, 0, 1, "F1");
    gridLabel(*grid, 0, 2, "Preciznost");
    gridLabel(*grid, 0, 3, "Odaziv");
    gridLabel(*grid, 1, 0, "Mikroprosjek:");
    gridLabel(*grid, 2, 0, "Makroprosjek:");
    micro_f1_label = valueLabel(*grid, 1, 1);
    micro_precision_label = valueLabel(*grid, 1, 2);
    micro_recall_label = valueLabel(*grid, 1, 3);
    macro_f1_label = valueLabel(*grid, 2, 1);
    macro_precision_label = valueLabel(*grid, 2, 2);
    macro_recall_label = valueLabel(*grid, 2, 3);

    treeview = Gtk::manage(new Gtk::TreeView());
    vbox = Gtk::manage(new Gtk::VBox(false, 0));
    vbox->pack_start(*grid, Gtk::PACK_SHRINK);
    vbox->pack_start(scrolledTable(*treeview), Gtk::PACK_EXPAND_WIDGET);
    add(*vbox);
    show_all_children();
}
