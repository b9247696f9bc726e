#include "TableLayout.h"

#include <cstdio>

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
    Gtk::VBox *box = Gtk::manage(new Gtk::VBox(false, 0));
    box->pack_start(header, Gtk::PACK_SHRINK);
    box->pack_start(scrolledTable(view), Gtk::PACK_EXPAND_WIDGET);
    return *box;
}

std::string formatFixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}
