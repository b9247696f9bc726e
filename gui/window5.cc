#include "window5.h"

#include "TableLayout.h"

#include <gtkmm/textbuffer.h>

namespace {

// The columns a UTF-8 line takes in a fixed-width font, with tab stops every
// eight columns as the text view sets them by default. Continuation bytes
// take no column of their own.
std::size_t columnsOf(const std::string &line) {
    std::size_t columns = 0;
    for (const char c : line)
        if (c == '\t')
            columns = (columns / 8 + 1) * 8;
        else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++columns;
    return columns;
}

} // namespace

window5::window5(const std::vector<std::string> &outputLines) {
    std::string text;
    std::string widest;
    std::size_t widestColumns = 0;
    for (const std::string &line : outputLines) {
        if (line == "<CM>")
            break;
        text += line;
        text += '\n';
        if (const std::size_t columns = columnsOf(line); columns > widestColumns) {
            widest = line;
            widestColumns = columns;
        }
    }
    Glib::RefPtr<Gtk::TextBuffer> buffer = Gtk::TextBuffer::create();
    buffer->set_text(text);
    textview->set_buffer(buffer);

    // The lines are not wrapped: the window opens wide enough for the widest
    // one, or as wide as the screen allows and scrolls sideways.
    textview->ensure_style();
    int width = 0;
    int height = 0;
    textview->create_pango_layout(widest)->get_pixel_size(width, height);
    openWideEnough(*this, width + textview->get_left_margin() + textview->get_right_margin());
}
