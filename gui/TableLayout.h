// Pieces shared by the secondary windows: the scrolled tree view under a
// header label, the opening width, the fixed-decimal cell texts, the yes/no
// question and the context a drawing area draws with.
#pragma once

#include <cairomm/context.h>
#include <gtkmm/box.h>
#include <gtkmm/drawingarea.h>
#include <gtkmm/label.h>
#include <gtkmm/scrolledwindow.h>
#include <gtkmm/table.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

#include <string>
#include <vector>

// Sets the common tree-view properties (headers, alternating rows, reorderable,
// interactive search) and wraps it in a scrolled window with border width 5,
// an etched-in shadow and automatic scroll bars.
Gtk::ScrolledWindow &scrolledTable(Gtk::TreeView &view);

// A vertical box without spacing: the header, with the table's margin, at its
// natural height above the scrolled table, which takes the rest. The window
// owns none of it but the box.
Gtk::VBox &headedTable(Gtk::Label &header, Gtk::TreeView &view);

// Widens the window's default size, never beyond the screen, so that it opens
// showing every column of the table in view without scrolling sideways.
// Call once the model is attached.
void openWideEnough(Gtk::Window &window, Gtk::TreeView &view);

// Widens the window's default size so that a scrolled content of
// contentWidth pixels is in view beside everything else the window asks
// for; never beyond nine tenths of the screen, where the content scrolls.
void openWideEnough(Gtk::Window &window, int contentWidth);

// Gives each column a fixed width that fits its title and the widest of its
// cell texts (widestTexts[i] for column i) and lets the view measure one row
// for all: measuring every row, as a view does by default, takes seconds for
// a hundred thousand rows. For tables of one-line cells.
void fixColumnWidths(Gtk::TreeView &view, const std::vector<Glib::ustring> &widestTexts);

// Appends a resizable view column showing the model column; a sortable one
// sorts by that column when its header is clicked.
template <typename T>
void appendColumn(Gtk::TreeView &view, const Glib::ustring &title,
                  const Gtk::TreeModelColumn<T> &column, bool sortable) {
    Gtk::TreeViewColumn *viewColumn = view.get_column(view.append_column(title, column) - 1);
    viewColumn->set_resizable(true);
    if (sortable)
        viewColumn->set_sort_column(column);
}

// A left-aligned label of text in the grid's cell, growing with its column.
Gtk::Label &gridLabel(Gtk::Table &grid, int row, int column, const Glib::ustring &text);
// The same for a figure: small bold "n/a" until the window sets it.
Gtk::Label *valueLabel(Gtk::Table &grid, int row, int column);

// Asks for the path of a file to write in a modal chooser over parent that
// confirms overwriting; suggestedName, when given, is proposed in the working
// folder. Empty when the user cancelled.
std::string askSavePath(Gtk::Window &parent, const std::string &title,
                        const std::string &suggestedName = "");

// Asks question in a modal yes/no box titled "Pitanje" over parent; true
// for yes.
bool askYesNo(Gtk::Window &parent, const std::string &question);

// The value with exactly `decimals` digits after a decimal point, whatever the
// locale ("80.00", never "80,00"); not-a-number gives "n/a".
std::string formatFixed(double value, int decimals);

// A cairo context on the drawing area's window, clipped to what the expose
// event asks to be drawn (all of it without an event); null while the area
// has no window.
Cairo::RefPtr<Cairo::Context> exposedContext(Gtk::DrawingArea &area, const GdkEventExpose *event);
