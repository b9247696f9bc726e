// Builds the drawn-tree window's widget tree. Every widget the behaviour does
// not touch is owned by its container.
#include "window10_glade.h"

#include <gtkmm/box.h>

window10_glade::window10_glade() {
    set_title("Nacrtano stablo");
    set_default_size(900, 640);
    set_modal(false);
    set_resizable(true);

    zoom_in_button = Gtk::manage(new Gtk::Button("Uvećaj"));
    zoom_out_button = Gtk::manage(new Gtk::Button("Umanji"));
    fit_button = Gtk::manage(new Gtk::Button("Cijelo stablo"));
    unpruned_checkbutton = Gtk::manage(new Gtk::CheckButton("Prije podrezivanja"));
    legend_checkbutton = Gtk::manage(new Gtk::CheckButton("Legenda"));
    legend_checkbutton->set_active(true);
    category_combo = Gtk::manage(new Gtk::ComboBoxText());
    find_entry = Gtk::manage(new Gtk::Entry());
    find_entry->set_width_chars(14);
    find_button = Gtk::manage(new Gtk::Button("Nađi riječ"));
    export_button = Gtk::manage(new Gtk::Button("Spremi sliku…"));
    Gtk::HBox *controls = Gtk::manage(new Gtk::HBox(false, 4));
    for (Gtk::Widget *widget : std::initializer_list<Gtk::Widget *>{
             zoom_in_button, zoom_out_button, fit_button, unpruned_checkbutton,
             legend_checkbutton, category_combo})
        controls->pack_start(*widget, Gtk::PACK_SHRINK);
    controls->pack_end(*export_button, Gtk::PACK_SHRINK);
    controls->pack_end(*find_button, Gtk::PACK_SHRINK);
    controls->pack_end(*find_entry, Gtk::PACK_SHRINK);

    tree_area = Gtk::manage(new Gtk::DrawingArea());
    tree_area->set_size_request(300, 200);
    tree_area->add_events(Gdk::BUTTON_PRESS_MASK | Gdk::BUTTON_RELEASE_MASK |
                          Gdk::POINTER_MOTION_MASK | Gdk::SCROLL_MASK);
    status_label = Gtk::manage(new Gtk::Label());
    status_label->set_alignment(0.0, 0.5);
    status_label->set_ellipsize(Pango::ELLIPSIZE_END);

    Gtk::VBox *vbox = Gtk::manage(new Gtk::VBox(false, 4));
    vbox->set_border_width(6);
    vbox->pack_start(*controls, Gtk::PACK_SHRINK);
    vbox->pack_start(*tree_area, Gtk::PACK_EXPAND_WIDGET);
    vbox->pack_start(*status_label, Gtk::PACK_SHRINK);
    add(*vbox);

    zoom_in_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window10_glade::on_zoom_in_clicked), false);
    zoom_out_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window10_glade::on_zoom_out_clicked), false);
    fit_button->signal_clicked().connect(sigc::mem_fun(*this, &window10_glade::on_fit_clicked),
                                         false);
    unpruned_checkbutton->signal_toggled().connect(
        sigc::mem_fun(*this, &window10_glade::on_unpruned_toggled), false);
    legend_checkbutton->signal_toggled().connect(
        sigc::mem_fun(*this, &window10_glade::on_legend_toggled), false);
    category_combo->signal_changed().connect(
        sigc::mem_fun(*this, &window10_glade::on_category_changed), false);
    find_button->signal_clicked().connect(sigc::mem_fun(*this, &window10_glade::on_find_clicked),
                                          false);
    find_entry->signal_activate().connect(sigc::mem_fun(*this, &window10_glade::on_find_clicked),
                                          false);
    export_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window10_glade::on_export_clicked), false);
    tree_area->signal_expose_event().connect(
        sigc::mem_fun(*this, &window10_glade::on_tree_area_expose_event), false);
    tree_area->signal_button_press_event().connect(
        sigc::mem_fun(*this, &window10_glade::on_tree_area_button_press_event), false);
    tree_area->signal_button_release_event().connect(
        sigc::mem_fun(*this, &window10_glade::on_tree_area_button_release_event), false);
    tree_area->signal_motion_notify_event().connect(
        sigc::mem_fun(*this, &window10_glade::on_tree_area_motion_notify_event), false);
    tree_area->signal_scroll_event().connect(
        sigc::mem_fun(*this, &window10_glade::on_tree_area_scroll_event), false);
    show_all_children();
}
