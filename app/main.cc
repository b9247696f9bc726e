// Entry point of the workbench: runs the main window until it is hidden.
#include "window1.h"

#include <gtkmm/main.h>

int main(int argc, char **argv) {
    Gtk::Main kit(argc, argv);
    window1 *window = new window1();
    Gtk::Main::run(*window);
    delete window;
    return 0;
}
