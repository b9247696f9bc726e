// Layout of the About dialog: a question image beside two lines of text.
#pragma once

#include <gtkmm/button.h>
#include <gtkmm/dialog.h>

class dialog1_glade : public Gtk::Dialog {
public:
    dialog1_glade();

protected:
    Gtk::Button *close_button;

    virtual void on_close_clicked() = 0;
};
