// Builds the text-processing options dialog.
#include "dialog3_glade.h"

#include <gtkmm/alignment.h>
#include <gtkmm/box.h>
#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/stock.h>

dialog3_glade::dialog3_glade() {
    set_title("Opcije");
    set_modal(false);
    set_resizable(true);
    property_destroy_with_parent() = false;
    set_has_separator(true);

    stemming_checkbutton = Gtk::manage(new Gtk::CheckButton("Koristi stemming algoritam"));
    stem_stop_words_checkbutton =
        Gtk::manage(new Gtk::CheckButton("Stemiraj i stop riječi (usporedi ih s ključevima)"));
    information_gain_checkbutton = Gtk::manage(new Gtk::CheckButton("Računaj informacijsku dobit"));
    sparse_checkbutton =
        Gtk::manage(new Gtk::CheckButton("Rijetki skup fajlova (LIBSVM: .data.svm, .test.svm)"));
    multi_category_checkbutton = Gtk::manage(new Gtk::CheckButton(
        "Više kategorija po dokumentu (rijetki skup, jedno stablo po kategoriji)"));
    Gtk::VBox *box = Gtk::manage(new Gtk::VBox(false, 2));
    box->set_border_width(6);
    box->pack_start(*stemming_checkbutton, Gtk::PACK_SHRINK);
    Gtk::Alignment *indented = Gtk::manage(new Gtk::Alignment(0, 0.5, 0, 0));
    indented->set_padding(0, 0, 20, 0);
    indented->add(*stem_stop_words_checkbutton);
    box->pack_start(*indented, Gtk::PACK_SHRINK);
    box->pack_start(*information_gain_checkbutton, Gtk::PACK_SHRINK);
    box->pack_start(*sparse_checkbutton, Gtk::PACK_SHRINK);
    box->pack_start(*multi_category_checkbutton, Gtk::PACK_SHRINK);

    Gtk::Frame *frame = Gtk::manage(new Gtk::Frame());
    Gtk::Label *title = Gtk::manage(new Gtk::Label());
    title->set_markup("<b>Opcije TP</b>");
    frame->set_label_widget(*title);
    frame->set_label_align(0.0, 0.5);
    frame->set_shadow_type(Gtk::SHADOW_NONE);
    frame->add(*box);
    get_vbox()->pack_start(*frame, Gtk::PACK_EXPAND_WIDGET);

    cancel_button = Gtk::manage(new Gtk::Button(Gtk::Stock::CANCEL));
    ok_button = Gtk::manage(new Gtk::Button(Gtk::Stock::OK));
    for (Gtk::Button *button : {cancel_button, ok_button}) {
        button->set_can_focus(true);
        button->set_can_default(true);
    }
    add_action_widget(*cancel_button, Gtk::RESPONSE_CANCEL);
    add_action_widget(*ok_button, Gtk::RESPONSE_OK);
    stemming_checkbutton->signal_toggled().connect(
        sigc::mem_fun(*this, &dialog3_glade::on_stemming_toggled), false);
    multi_category_checkbutton->signal_toggled().connect(
        sigc::mem_fun(*this, &dialog3_glade::on_multi_category_toggled), false);
    cancel_button->signal_clicked().connect(sigc::mem_fun(*this, &dialog3_glade::on_cancel_clicked),
                                            false);
    ok_button->signal_clicked().connect(sigc::mem_fun(*this, &dialog3_glade::on_ok_clicked), false);
    show_all_children();
    stem_stop_words_checkbutton->set_sensitive(false);
}
