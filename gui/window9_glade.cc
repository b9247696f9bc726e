// Builds the experiment-series window's widget tree. Every widget the
// behaviour does not touch is owned by its container.
#include "window9_glade.h"

#include "TableLayout.h"

#include <gtkmm/adjustment.h>
#include <gtkmm/buttonbox.h>
#include <gtkmm/table.h>

namespace {

void attachCaption(Gtk::Table &grid, const Glib::ustring &text, int row, int column) {
    Gtk::Label *label = Gtk::manage(new Gtk::Label(text));
    label->set_alignment(0.0, 0.5);
    grid.attach(*label, column, column + 1, row, row + 1, Gtk::FILL, Gtk::SHRINK);
}

void attachField(Gtk::Table &grid, Gtk::Widget &field, int row, int column) {
    grid.attach(field, column, column + 1, row, row + 1, Gtk::FILL | Gtk::EXPAND, Gtk::SHRINK);
}

Gtk::Entry *listEntry(const Glib::ustring &text) {
    Gtk::Entry *entry = Gtk::manage(new Gtk::Entry());
    entry->set_text(text);
    entry->set_width_chars(16);
    return entry;
}

Gtk::ComboBoxText *choiceCombo() {
    Gtk::ComboBoxText *combo = Gtk::manage(new Gtk::ComboBoxText());
    combo->append_text("isključeno");
    combo->append_text("uključeno");
    combo->append_text("oboje");
    combo->set_active(0);
    return combo;
}

} // namespace

window9_glade::window9_glade() {
    set_title("Serija pokusa");
    set_default_size(860, 860);
    set_modal(false);
    set_resizable(true);

    treeview = Gtk::manage(new Gtk::TreeView());
    chart_area = Gtk::manage(new Gtk::DrawingArea());
    chart_area->set_size_request(-1, 320);
    paned = Gtk::manage(new Gtk::VPaned());
    paned->pack1(scrolledTable(*treeview), true, false);
    paned->pack2(*chart_area, true, false);
    // Room for about eight runs above the chart.
    paned->set_position(230);

    Gtk::VBox *vbox = Gtk::manage(new Gtk::VBox(false, 4));
    vbox->set_border_width(6);
    vbox->pack_start(buildSettings(), Gtk::PACK_SHRINK);
    vbox->pack_start(buildRunRow(), Gtk::PACK_SHRINK);
    vbox->pack_start(*paned, Gtk::PACK_EXPAND_WIDGET);
    vbox->pack_start(buildExportRow(), Gtk::PACK_SHRINK);
    add(*vbox);

    start_button->signal_clicked().connect(sigc::mem_fun(*this, &window9_glade::on_start_clicked),
                                           false);
    cancel_button->signal_clicked().connect(sigc::mem_fun(*this, &window9_glade::on_cancel_clicked),
                                            false);
    export_csv_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window9_glade::on_export_csv_clicked), false);
    save_svg_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window9_glade::on_save_svg_clicked), false);
    save_png_button->signal_clicked().connect(
        sigc::mem_fun(*this, &window9_glade::on_save_png_clicked), false);
    chart_area->signal_expose_event().connect(
        sigc::mem_fun(*this, &window9_glade::on_chart_area_expose_event), false);
    treeview->signal_row_activated().connect(
        sigc::mem_fun(*this, &window9_glade::on_treeview_row_activated), false);
    show_all_children();
}

Gtk::Widget &window9_glade::buildSettings() {
    Gtk::Table *grid = Gtk::manage(new Gtk::Table(6, 4));
    grid->set_col_spacings(8);
    grid->set_row_spacings(3);

    attachCaption(*grid, "Mapa s dokumentima:", 0, 0);
    folder_label = Gtk::manage(new Gtk::Label());
    folder_label->set_alignment(0.0, 0.5);
    folder_label->set_ellipsize(Pango::ELLIPSIZE_START);
    grid->attach(*folder_label, 1, 4, 0, 1, Gtk::FILL | Gtk::EXPAND, Gtk::SHRINK);

    min_df_entry = listEntry("1");
    top_ig_entry = listEntry("");
    m_entry = listEntry("");
    c_entry = listEntry("");
    attachCaption(*grid, "Najmanji df (min-df):", 1, 0);
    attachField(*grid, *min_df_entry, 1, 1);
    attachCaption(*grid, "Najboljih po IG (top-IG):", 2, 0);
    attachField(*grid, *top_ig_entry, 2, 1);
    attachCaption(*grid, "Najmanje slučajeva (-m):", 3, 0);
    attachField(*grid, *m_entry, 3, 1);
    attachCaption(*grid, "Pouzdanost (-c):", 4, 0);
    attachField(*grid, *c_entry, 4, 1);

    stemming_combo = choiceCombo();
    stop_words_combo = choiceCombo();
    s_checkbutton = Gtk::manage(new Gtk::CheckButton("Grupiranje vrijednosti (-s)"));
    Gtk::Adjustment *jobs = Gtk::manage(new Gtk::Adjustment(0, 0, 64, 1, 4, 0));
    jobs_spinbutton = Gtk::manage(new Gtk::SpinButton(*jobs, 1, 0));
    jobs_spinbutton->set_numeric(true);
    attachCaption(*grid, "Stemiranje:", 1, 2);
    attachField(*grid, *stemming_combo, 1, 3);
    attachCaption(*grid, "Stop riječi:", 2, 2);
    attachField(*grid, *stop_words_combo, 2, 3);
    attachField(*grid, *s_checkbutton, 3, 3);
    attachCaption(*grid, "Istodobnih pokretanja (0: broj jezgri):", 4, 2);
    attachField(*grid, *jobs_spinbutton, 4, 3);

    Gtk::Label *hint = Gtk::manage(new Gtk::Label());
    // The series builds one tree per run: the main options' -t is not
    // carried over, and the form says so rather than leave it to a guess.
    hint->set_markup("<small>Liste su cijeli brojevi odvojeni zarezima (npr. 1,2,5,10; -c i s "
                     "decimalnom točkom); prazno polje izostavlja tu opciju. Serija pokreće "
                     "svaku kombinaciju. Opcija -t (više stabala) iz glavnih opcija ne "
                     "koristi se: svako pokretanje gradi jedno stablo.</small>");
    hint->set_alignment(0.0, 0.5);
    hint->set_line_wrap(true);
    grid->attach(*hint, 0, 4, 5, 6, Gtk::FILL | Gtk::EXPAND, Gtk::SHRINK);
    return *grid;
}

Gtk::Widget &window9_glade::buildRunRow() {
    start_button = Gtk::manage(new Gtk::Button("Pokreni"));
    cancel_button = Gtk::manage(new Gtk::Button("Prekini"));
    progressbar = Gtk::manage(new Gtk::ProgressBar());
    progressbar->set_text(" ");
    Gtk::HBox *box = Gtk::manage(new Gtk::HBox(false, 6));
    box->pack_start(*start_button, Gtk::PACK_SHRINK);
    box->pack_start(*cancel_button, Gtk::PACK_SHRINK);
    box->pack_start(*progressbar, Gtk::PACK_EXPAND_WIDGET);
    return *box;
}

Gtk::Widget &window9_glade::buildExportRow() {
    export_csv_button = Gtk::manage(new Gtk::Button("Izvezi CSV"));
    save_svg_button = Gtk::manage(new Gtk::Button("Snimi graf (SVG)"));
    save_png_button = Gtk::manage(new Gtk::Button("Snimi graf (PNG)"));
    Gtk::HButtonBox *box = Gtk::manage(new Gtk::HButtonBox(Gtk::BUTTONBOX_END, 6));
    box->pack_start(*export_csv_button);
    box->pack_start(*save_svg_button);
    box->pack_start(*save_png_button);
    return *box;
}
