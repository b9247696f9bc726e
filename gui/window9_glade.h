// Layout of the experiment-series window: the lists of settings to combine,
// Start and Cancel with a progress bar, the table of finished runs, the
// chart under it and the export buttons. The behaviour lives in window9.
#pragma once

#include <gtkmm/box.h>
#include <gtkmm/button.h>
#include <gtkmm/checkbutton.h>
#include <gtkmm/comboboxtext.h>
#include <gtkmm/drawingarea.h>
#include <gtkmm/entry.h>
#include <gtkmm/label.h>
#include <gtkmm/paned.h>
#include <gtkmm/progressbar.h>
#include <gtkmm/spinbutton.h>
#include <gtkmm/treeview.h>
#include <gtkmm/window.h>

class window9_glade : public Gtk::Window {
public:
    // Builds and shows the widget tree and connects the handlers, each
    // running before the signal's default handler.
    window9_glade();

    // Public so that tests and the screenshot driver can fill and read them.
    Gtk::Label *folder_label;
    Gtk::Entry *min_df_entry;
    Gtk::Entry *top_ig_entry;
    Gtk::Entry *m_entry;
    Gtk::Entry *c_entry;
    // Entries 0, 1, 2: off, on, both.
    Gtk::ComboBoxText *stemming_combo;
    Gtk::ComboBoxText *stop_words_combo;
    Gtk::CheckButton *s_checkbutton;
    // 0 runs as many learners at once as there are cores.
    Gtk::SpinButton *jobs_spinbutton;
    Gtk::Button *start_button;
    Gtk::Button *cancel_button;
    Gtk::ProgressBar *progressbar;
    Gtk::TreeView *treeview;
    Gtk::DrawingArea *chart_area;
    Gtk::Button *export_csv_button;
    Gtk::Button *save_svg_button;
    Gtk::Button *save_png_button;
    Gtk::VPaned *paned;

protected:
    virtual void on_start_clicked() = 0;
    virtual void on_cancel_clicked() = 0;
    virtual void on_export_csv_clicked() = 0;
    virtual void on_save_svg_clicked() = 0;
    virtual void on_save_png_clicked() = 0;
    virtual bool on_chart_area_expose_event(GdkEventExpose *event) = 0;
    virtual void on_treeview_row_activated(const Gtk::TreeModel::Path &path,
                                           Gtk::TreeViewColumn *column) = 0;

private:
    Gtk::Widget &buildSettings();
    Gtk::Widget &buildRunRow();
    Gtk::Widget &buildExportRow();
};
