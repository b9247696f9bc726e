#include "window5.h"

#include <gtkmm/textbuffer.h>

window5::window5(const std::vector<std::string> &outputLines) {
    std::string text;
    for (const std::string &line : outputLines) {
        if (line == "<CM>")
            break;
        text += line;
        text += '\n';
    }
    Glib::RefPtr<Gtk::TextBuffer> buffer = Gtk::TextBuffer::create();
    buffer->set_text(text);
    textview->set_buffer(buffer);
}
