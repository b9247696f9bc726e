#include "window12_glade.h"

#include "TableLayout.h"

#include <gtkmm/buttonbox.h>
#include <gtkmm/stock.h>
#include <gtkmm/table.h>

window12_glade::window12_glade() {
    set_title("Rezultati po kategorijama");
    set_default_size(600, 600);
    set_modal(false);
    set_resizable(true);

    Gtk::Table *grid = Gtk::manage(new Gtk::Table(3, 5));
    grid->set_border_width(5);
    grid->set_col_spacings(8);
    grid->set_row_spacings(2);
    gridLabel(*grid, 0, 1, "Preciznost");
    gridLabel(*grid, 0, 2, "Odziv");
    gridLabel(*grid, 0, 3, "F1");
    gridLabel(*grid, 1, 0, "Mikroprosjek:");
    gridLabel(*grid, 2, 0, "Makroprosjek:");
    micro_precision_label = valueLabel(*grid, 1, 1);
    micro_recall_label = valueLabel(*grid, 1, 2);
    micro_f1_label = valueLabel(*grid, 1, 3);
    macro_precision_label = valueLabel(*grid, 2, 1);
    macro_recall_label = valueLabel(*grid, 2, 2);
    macro_f1_label = valueLabel(*grid, 2, 3);
    macro_categories_label = &gridLabel(*grid, 2, 4, "");

    treeview = Gtk::manage(new Gtk::TreeView());
    export_button = Gtk::manage(new Gtk::Button("Izvezi CSV"));
    Gtk::HButtonBox *buttons = Gtk::manage(new Gtk::HButtonBox(Gtk::BUTTONBOX_END));
    buttons->set_border_width(5);
    buttons->pack_start(*export_button, Gtk::PACK_SHRINK);
    vbox = Gtk::manage(new Gtk::VBox(false, 0));
    vbox->pack_start(*grid, Gtk::PACK_SHRINK);
    vbox->pack_start(scrolledTable(*treeview), Gtk::PACK_EXPAND_WIDGET);
    vbox->pack_start(*buttons, Gtk::PACK_SHRINK);
    add(*vbox);
    export_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window12_glade::on_export_clicked), false);
    show_all_children();
}
