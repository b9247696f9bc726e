// Finding what a window cuts off.
#pragma once

#include <gtkmm/widget.h>

#include <string>
#include <vector>

// Every shown widget under top that was given less room than it asks for, as
// "TYPE \"label text\" GIVENxGIVEN < WANTEDxWANTED". The children of scrolled
// windows that show scroll bars when needed are left out: they scroll by
// design. Those of a scrolled window without scroll bars must show whole.
std::vector<std::string> squeezedWidgets(Gtk::Widget &top);
