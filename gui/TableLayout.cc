#include "TableLayout.h"

#include "c45/NumberText.h"

#include <gdkmm/screen.h>
#include <glibmm/miscutils.h>
#include <gtkmm/filechooserdialog.h>
#include <gtkmm/messagedialog.h>
#include <gtkmm/stock.h>

#include <algorithm>
#include <cmath>

Gtk::ScrolledWindow &scrolledTable(Gtk::TreeView &view) {
    view.set_headers_visible(true);
    view.set_rules_hint(true);
    view.set_reorderable(true);
    view.set_enable_search(true);
    Gtk::ScrolledWindow *scroller = Gtk::manage(new Gtk::ScrolledWindow());
    scroller->set_border_width(5);
    scroller->set_shadow_type(Gtk::SHADOW_ETCHED_IN);
    scroller->set_policy(Gtk::POLICY_AUTOMATIC, Gtk::POLICY_AUTOMATIC);
    scroller->add(view);
    return *scroller;
}

Gtk::VBox &headedTable(Gtk::Label &header, Gtk::TreeView &view) {
    header.set_padding(5, 3);
    Gtk::VBox *box = Gtk::manage(new Gtk::VBox(false, 0));
    box->pack_start(header, Gtk::PACK_SHRINK);
    box->pack_start(scrolledTable(view), Gtk::PACK_EXPAND_WIDGET);
    return *box;
}

void openWideEnough(Gtk::Window &window, Gtk::TreeView &view) {
    // The scrolled window asks for the table's full width only while it may
    // not scroll sideways.
    auto *scroller = dynamic_cast<Gtk::ScrolledWindow *>(view.get_parent());
    if (!scroller)
        return;
    Gtk::PolicyType horizontal = Gtk::POLICY_AUTOMATIC;
    Gtk::PolicyType vertical = Gtk::POLICY_AUTOMATIC;
    scroller->get_policy(horizontal, vertical);
    scroller->set_policy(Gtk::POLICY_NEVER, Gtk::POLICY_ALWAYS);
    const int wanted = window.size_request().width;
    scroller->set_policy(horizontal, vertical);
    openWideEnough(window, wanted - window.size_request().width);
}

void openWideEnough(Gtk::Window &window, int contentWidth) {
    // A scrolled window that may scroll sideways asks only for its frame and
    // scroll bar, whatever its content's width.
    const int wanted = window.size_request().width + contentWidth;
    int width = 0;
    int height = 0;
    window.get_default_size(width, height);
    const int screenWidth = Gdk::Screen::get_default()->get_width();
    window.set_default_size(std::max(width, std::min(wanted, screenWidth * 9 / 10)), height);
}

void fixColumnWidths(Gtk::TreeView &view, const std::vector<Glib::ustring> &widestTexts) {
    // Room around the text: the cell's padding and focus line, and the
    // header button's frame and sort arrow.
    constexpr int cellMargin = 16;
    constexpr int headerMargin = 32;
    view.ensure_style();
    const std::vector<Gtk::TreeViewColumn *> viewColumns = view.get_columns();
    for (std::size_t i = 0; i < viewColumns.size(); ++i) {
        Gtk::TreeViewColumn &column = *viewColumns[i];
        int cellWidth = 0;
        int titleWidth = 0;
        int height = 0;
        if (i < widestTexts.size())
            view.create_pango_layout(widestTexts[i])->get_pixel_size(cellWidth, height);
        view.create_pango_layout(column.get_title())->get_pixel_size(titleWidth, height);
        column.set_sizing(Gtk::TREE_VIEW_COLUMN_FIXED);
        column.set_fixed_width(std::max(cellWidth + cellMargin, titleWidth + headerMargin));
    }
    view.set_fixed_height_mode(true);
}

Gtk::Label &gridLabel(Gtk::Table &grid, int row, int column, const Glib::ustring &text) {
    Gtk::Label *label = Gtk::manage(new Gtk::Label(text));
    label->set_alignment(0.0, 0.5);
    grid.attach(*label, column, column + 1, row, row + 1, Gtk::FILL | Gtk::EXPAND, Gtk::SHRINK);
    return *label;
}

Gtk::Label *valueLabel(Gtk::Table &grid, int row, int column) {
    Gtk::Label &label = gridLabel(grid, row, column, "");
    label.set_use_markup(true);
    label.set_label(smallBoldMarkup("n/a"));
    return &label;
}

std::string askSavePath(Gtk::Window &parent, const std::string &title,
                        const std::string &suggestedName) {
    Gtk::FileChooserDialog chooser(parent, title, Gtk::FILE_CHOOSER_ACTION_SAVE);
    chooser.add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    chooser.add_button(Gtk::Stock::SAVE, Gtk::RESPONSE_OK);
    if (!suggestedName.empty()) {
        chooser.set_current_folder(Glib::get_current_dir());
        chooser.set_current_name(suggestedName);
    }
    chooser.set_do_overwrite_confirmation(true);
    if (chooser.run() != Gtk::RESPONSE_OK)
        return {};
    return chooser.get_filename();
}

bool askYesNo(Gtk::Window &parent, const std::string &question) {
    Gtk::MessageDialog dialog(parent, question, false, Gtk::MESSAGE_QUESTION, Gtk::BUTTONS_YES_NO,
                              true);
    dialog.set_title("Pitanje");
    return dialog.run() == Gtk::RESPONSE_YES;
}

std::string formatFixed(double value, int decimals) {
    return std::isnan(value) ? "n/a" : fixedNumber(value, decimals);
}

Cairo::RefPtr<Cairo::Context> exposedContext(Gtk::DrawingArea &area, const GdkEventExpose *event) {
    const Glib::RefPtr<Gdk::Window> window = area.get_window();
    if (!window)
        return {};
    const Cairo::RefPtr<Cairo::Context> cr = window->create_cairo_context();
    if (event) {
        cr->rectangle(event->area.x, event->area.y, event->area.width, event->area.height);
        cr->clip();
    }
    return cr;
}
