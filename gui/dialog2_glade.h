// Layout of the C4.5 options dialog: the -s, -m, -c and -t switches with
// their values.
#pragma once

#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/dialog.h>
#include <gtkmm/label.h>
#include <gtkmm/spinbutton.h>

class dialog2_glade : public Gtk::Dialog {
public:
    dialog2_glade();

protected:
    Gtk::Button *cancel_button;
    Gtk::Button *ok_button;
    Gtk::CheckButton *s_checkbutton;
    Gtk::CheckButton *m_checkbutton;
    Gtk::CheckButton *c_checkbutton;
    Gtk::CheckButton *t_checkbutton;
    Gtk::SpinButton *t_spinbutton;
    Gtk::SpinButton *c_spinbutton;
    Gtk::SpinButton *m_spinbutton;
    // Says why OK did not accept the values; hidden until then.
    Gtk::Label *message_label;

    virtual void on_cancel_clicked() = 0;
    virtual void on_ok_clicked() = 0;
    virtual void on_s_checkbutton_toggled() = 0;
    virtual void on_m_checkbutton_toggled() = 0;
    virtual void on_c_checkbutton_toggled() = 0;
    virtual void on_t_checkbutton_toggled() = 0;

private:
    // The confidence's text as readDecimal reads it; the old value stays
    // when the text is not a number.
    int on_c_spinbutton_input(double *value);
    // Shows the confidence as numberToString writes it.
    bool on_c_spinbutton_output();
};
