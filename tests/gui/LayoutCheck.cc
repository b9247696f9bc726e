#include "LayoutCheck.h"

#include <gtkmm/container.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>

namespace {

void collect(Gtk::Widget &widget, std::vector<std::string> &squeezed) {
    if (!widget.is_drawable())
        return;
    const Gtk::Requisition wanted = widget.size_request();
    const Gtk::Allocation given = widget.get_allocation();
    const bool scrolled = dynamic_cast<Gtk::ScrolledWindow *>(widget.get_parent()) != nullptr;
    if (!scrolled && (wanted.width > given.get_width() || wanted.height > given.get_height())) {
        const auto *label = dynamic_cast<Gtk::Label *>(&widget);
        squeezed.push_back(std::string(G_OBJECT_TYPE_NAME(widget.gobj())) +
                           (label ? " \"" + label->get_text() + "\"" : "") + " " +
                           std::to_string(given.get_width()) + "x" +
                           std::to_string(given.get_height()) + " < " +
                           std::to_string(wanted.width) + "x" + std::to_string(wanted.height));
    }
    if (auto *container = dynamic_cast<Gtk::Container *>(&widget))
        for (Gtk::Widget *child : container->get_children())
            collect(*child, squeezed);
}

} // namespace

std::vector<std::string> squeezedWidgets(Gtk::Widget &top) {
    std::vector<std::string> squeezed;
    collect(top, squeezed);
    return squeezed;
}
