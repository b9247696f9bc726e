// Finding what a window cuts off.
#pragma once

#include <gtkmm/widget.h>

#include <string>
#include <vector>

// Every shown widget under top that was given less room than it asks for, as
// "TYPE \"label text\" GIVENxGIVEN < WANTEDxWANTED". The children of scrolled
// windows are left out: they scroll by design.
std::vector<std::string> squeezedWidgets(Gtk::Widget &top);
