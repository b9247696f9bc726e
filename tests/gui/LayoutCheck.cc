#include "LayoutCheck.h"

#include <gtkmm/container.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/viewport.h>

namespace {

// A scrolled window that shows no scroll bars must show its child whole.
bool scrollsByDesign(const Gtk::Widget &widget) {
    const auto *scroller = dynamic_cast<const Gtk::ScrolledWindow *>(widget.get_parent());
    if (scroller == nullptr)
        return false;
    Gtk::PolicyType horizontal = Gtk::POLICY_NEVER;
    Gtk::PolicyType vertical = Gtk::POLICY_NEVER;
    scroller->get_policy(horizontal, vertical);
    return horizontal != Gtk::POLICY_NEVER || vertical != Gtk::POLICY_NEVER;
}

std::string sizes(const Gtk::Widget &widget, int givenWidth, int givenHeight, int wantedWidth,
                  int wantedHeight) {
    const auto *label = dynamic_cast<const Gtk::Label *>(&widget);
    return std::string(G_OBJECT_TYPE_NAME(widget.gobj())) +
           (label ? " \"" + label->get_text() + "\"" : "") + " " + std::to_string(givenWidth) +
           "x" + std::to_string(givenHeight) + " < " + std::to_string(wantedWidth) + "x" +
           std::to_string(wantedHeight);
}

void collect(Gtk::Widget &widget, std::vector<std::string> &squeezed) {
    if (!widget.is_drawable())
        return;
    const Gtk::Requisition wanted = widget.size_request();
    const Gtk::Allocation given = widget.get_allocation();
    const bool scrolled = scrollsByDesign(widget);
    if (!scrolled && (wanted.width > given.get_width() || wanted.height > given.get_height()))
        squeezed.push_back(
            sizes(widget, given.get_width(), given.get_height(), wanted.width, wanted.height));
    // A viewport lays its child out at full size however little it shows:
    // what it shows is its own room less its border.
    const auto *viewport = dynamic_cast<Gtk::Viewport *>(&widget);
    if (!scrolled && viewport != nullptr && viewport->get_child() != nullptr) {
        const Gtk::Requisition inner = viewport->get_child()->size_request();
        const int border = 2 * static_cast<int>(viewport->get_border_width());
        if (inner.width + border > given.get_width() || inner.height + border > given.get_height())
            squeezed.push_back(sizes(*viewport->get_child(), given.get_width() - border,
                                     given.get_height() - border, inner.width, inner.height));
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
