#include "window5_glade.h"

window5_glade::window5_glade() {
    set_title("Log");
    set_default_size(400, 600);
    set_modal(false);
    set_resizable(true);

    textview = Gtk::manage(new Gtk::TextView());
    textview->set_editable(true);
    textview->set_cursor_visible(true);
    textview->set_wrap_mode(Gtk::WRAP_WORD);
    textview->set_pixels_above_lines(0);
    textview->set_pixels_below_lines(0);
    textview->set_pixels_inside_wrap(0);
    textview->set_left_margin(0);
    textview->set_right_margin(0);
    textview->set_indent(0);
    textview->set_justification(Gtk::JUSTIFY_LEFT);
    textview->get_buffer()->set_text("-- c4.5 nije pokrenut");

    scrolledwindow = Gtk::manage(new Gtk::ScrolledWindow());
    scrolledwindow->set_shadow_type(Gtk::SHADOW_NONE);
    scrolledwindow->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    viewport = Gtk::manage(
        new Gtk::Viewport(*scrolledwindow->get_hadjustment(), *scrolledwindow->get_vadjustment()));
    viewport->set_shadow_type(Gtk::SHADOW_IN);
    viewport->add(*textview);
    scrolledwindow->add(*viewport);
    add(*scrolledwindow);
    show_all_children();
}
