#include "window5_glade.h"

#include <pangomm/fontdescription.h>

window5_glade::window5_glade() {
    set_title("Log");
    set_default_size(400, 600);
    set_modal(false);
    set_resizable(true);

    // C4.5 lays its trees and error tables out in columns of characters: they
    // line up only in a fixed-width font and on unbroken lines.
    textview = Gtk::manage(new Gtk::TextView());
    textview->set_editable(true);
    textview->set_cursor_visible(true);
    textview->set_wrap_mode(Gtk::WRAP_NONE);
    textview->modify_font(Pango::FontDescription("monospace"));
    textview->set_pixels_above_lines(0);
    textview->set_pixels_below_lines(0);
    textview->set_pixels_inside_wrap(0);
    textview->set_left_margin(0);
    textview->set_right_margin(0);
    textview->set_indent(0);
    textview->set_justification(Gtk::JUSTIFY_LEFT);
    textview->get_buffer()->set_text("-- c4.5 nije pokrenut");

    // The text view scrolls itself; a viewport around it would let the
    // scroll bars move only over the part of the text it has laid out.
    scrolledwindow = Gtk::manage(new Gtk::ScrolledWindow());
    scrolledwindow->set_shadow_type(Gtk::SHADOW_IN);
    scrolledwindow->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    scrolledwindow->add(*textview);
    add(*scrolledwindow);
    show_all_children();
}
