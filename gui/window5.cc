#include "window5.h"

#include <gtkmm/textbuffer.h>

window5::window5(const std::vector<std::string> &outputLines) {
    Glib::RefPtr<Gtk::TextBuffer> buffer = Gtk::TextBuffer::create();
    textview->set_buffer(buffer);
    for (const std::string &line : outputLines) {
        if (line == "<CM>")
            break;
        buffer->insert(buffer->end(), line + "\n");
    }
}
