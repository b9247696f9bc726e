// Layout of the log window: a text view in a scrolled window.
#pragma once

#include <gtkmm/scrolledwindow.h>
#include <gtkmm/textview.h>
#include <gtkmm/window.h>

class window5_glade : public Gtk::Window {
public:
    window5_glade();

    // The widgets the behaviour fills; public so that tests and the screenshot
    // driver can read what the window shows.
    Gtk::TextView *textview;
    Gtk::ScrolledWindow *scrolledwindow;
};
