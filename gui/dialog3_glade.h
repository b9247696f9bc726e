// Layout of the text-processing options dialog.
#pragma once

#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/dialog.h>

class dialog3_glade : public Gtk::Dialog {
public:
    dialog3_glade();

protected:
    Gtk::Button *cancel_button;
    Gtk::Button *ok_button;
    Gtk::CheckButton *stemming_checkbutton;
    // Sensitive only while stemming is on.
    Gtk::CheckButton *stem_stop_words_checkbutton;
    Gtk::CheckButton *information_gain_checkbutton;
    // Sensitive only while the multi-category mode is off.
    Gtk::CheckButton *sparse_checkbutton;
    Gtk::CheckButton *multi_category_checkbutton;

    virtual void on_stemming_toggled() = 0;
    virtual void on_multi_category_toggled() = 0;
    virtual void on_cancel_clicked() = 0;
    virtual void on_ok_clicked() = 0;
};
