// Builds the About dialog.
#include "dialog1_glade.h"

#include <gtkmm/box.h>
#include <gtkmm/image.h>
#include <gtkmm/label.h>
#include <gtkmm/stock.h>

dialog1_glade::dialog1_glade() {
    set_title("O programu");
    set_modal(false);
    set_resizable(true);
    property_destroy_with_parent() = false;
    set_has_separator(true);

    Gtk::HBox *box = Gtk::manage(new Gtk::HBox(false, 0));
    box->set_border_width(12);
    box->pack_start(
        *Gtk::manage(new Gtk::Image(Gtk::Stock::DIALOG_QUESTION, Gtk::ICON_SIZE_DIALOG)),
        Gtk::PACK_SHRINK, 15);
    Gtk::Label *text = Gtk::manage(new Gtk::Label(
        "Kategorizacija teksta stablima odluke C4.5\nRadna okolina za pokuse, prosinac 2026."));
    text->set_justify(Gtk::JUSTIFY_LEFT);
    text->set_line_wrap(false);
    box->pack_start(*text, Gtk::PACK_SHRINK, 6);
    get_vbox()->pack_start(*box, Gtk::PACK_EXPAND_WIDGET);

    close_button = Gtk::manage(new Gtk::Button(Gtk::Stock::CLOSE));
    close_button->set_can_focus(true);
    close_button->set_can_default(true);
    add_action_widget(*close_button, Gtk::RESPONSE_CLOSE);
    close_button->signal_clicked().connect(sigc::mem_fun(*this, &dialog1_glade::on_close_clicked),
                                           false);
    show_all_children();
}
