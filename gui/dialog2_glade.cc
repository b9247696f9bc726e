// Builds the C4.5 options dialog.
#include "dialog2_glade.h"

#include "c45/NumberText.h"

#include <gtkmm/frame.h>
#include <gtkmm/label.h>
#include <gtkmm/stock.h>
#include <gtkmm/table.h>

#include <limits>

namespace {

// Values past the learner's limits stay as typed, up to the largest int,
// so that OK refuses them with a message instead of the spin button
// clamping them to a value the learner takes.
Gtk::SpinButton *optionSpinButton(double value, unsigned digits) {
    Gtk::Adjustment *adjustment =
        Gtk::manage(new Gtk::Adjustment(value, 0, std::numeric_limits<int>::max(), 1, 10, 0));
    Gtk::SpinButton *spin = Gtk::manage(new Gtk::SpinButton(*adjustment, 1, digits));
    spin->set_numeric(digits == 0);
    spin->set_wrap(false);
    spin->set_update_policy(Gtk::UPDATE_ALWAYS);
    return spin;
}

Gtk::Button *actionButton(Gtk::Dialog &dialog, const Gtk::StockID &stock, int response) {
    Gtk::Button *button = Gtk::manage(new Gtk::Button(stock));
    button->set_can_focus(true);
    button->set_can_default(true);
    dialog.add_action_widget(*button, response);
    return button;
}

} // namespace

dialog2_glade::dialog2_glade() {
    set_title("Opcije");
    set_modal(false);
    set_resizable(true);
    property_destroy_with_parent() = false;
    set_has_separator(true);

    s_checkbutton = Gtk::manage(new Gtk::CheckButton("-s"));
    m_checkbutton = Gtk::manage(new Gtk::CheckButton("-m weight"));
    c_checkbutton = Gtk::manage(new Gtk::CheckButton("-c CF"));
    t_checkbutton = Gtk::manage(new Gtk::CheckButton("-t trees"));
    m_spinbutton = optionSpinButton(2, 0);
    // The confidence takes decimals with a point or a comma whatever the
    // locale, and shows them with a point. The input handler runs after the
    // default one: the last handler's answer is the one the spin button uses.
    c_spinbutton = optionSpinButton(0, 3);
    c_spinbutton->signal_input().connect(
        sigc::mem_fun(*this, &dialog2_glade::on_c_spinbutton_input));
    c_spinbutton->signal_output().connect(
        sigc::mem_fun(*this, &dialog2_glade::on_c_spinbutton_output), false);
    c_spinbutton->set_value(25);
    t_spinbutton = optionSpinButton(10, 0);

    Gtk::Table *table = Gtk::manage(new Gtk::Table(4, 2));
    table->set_border_width(6);
    table->set_row_spacings(4);
    table->set_col_spacings(12);
    table->attach(*s_checkbutton, 0, 1, 0, 1);
    table->attach(*m_checkbutton, 0, 1, 1, 2);
    table->attach(*m_spinbutton, 1, 2, 1, 2);
    table->attach(*c_checkbutton, 0, 1, 2, 3);
    table->attach(*c_spinbutton, 1, 2, 2, 3);
    table->attach(*t_checkbutton, 0, 1, 3, 4);
    table->attach(*t_spinbutton, 1, 2, 3, 4);

    Gtk::Frame *frame = Gtk::manage(new Gtk::Frame());
    Gtk::Label *title = Gtk::manage(new Gtk::Label());
    title->set_markup("<b>Opcije C4.5</b>");
    frame->set_label_widget(*title);
    frame->set_label_align(0.0, 0.5);
    frame->set_shadow_type(Gtk::SHADOW_NONE);
    frame->add(*table);
    get_vbox()->pack_start(*frame, Gtk::PACK_EXPAND_WIDGET);

    message_label = Gtk::manage(new Gtk::Label());
    message_label->set_alignment(0.0, 0.5);
    message_label->set_line_wrap(true);
    message_label->set_padding(6, 4);
    message_label->set_no_show_all(true);
    get_vbox()->pack_start(*message_label, Gtk::PACK_SHRINK);

    cancel_button = actionButton(*this, Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    ok_button = actionButton(*this, Gtk::Stock::OK, Gtk::RESPONSE_OK);

    cancel_button->signal_clicked().connect(sigc::mem_fun(*this, &dialog2_glade::on_cancel_clicked),
                                            false);
    ok_button->signal_clicked().connect(sigc::mem_fun(*this, &dialog2_glade::on_ok_clicked), false);
    s_checkbutton->signal_toggled().connect(
        sigc::mem_fun(*this, &dialog2_glade::on_s_checkbutton_toggled), false);
    m_checkbutton->signal_toggled().connect(
        sigc::mem_fun(*this, &dialog2_glade::on_m_checkbutton_toggled), false);
    c_checkbutton->signal_toggled().connect(
        sigc::mem_fun(*this, &dialog2_glade::on_c_checkbutton_toggled), false);
    t_checkbutton->signal_toggled().connect(
        sigc::mem_fun(*this, &dialog2_glade::on_t_checkbutton_toggled), false);
    show_all_children();
}

int dialog2_glade::on_c_spinbutton_input(double *value) {
    const std::optional<double> typed = readDecimal(c_spinbutton->get_text());
    *value = typed.value_or(c_spinbutton->get_value());
    return typed ? 1 : Gtk::INPUT_ERROR;
}

bool dialog2_glade::on_c_spinbutton_output() {
    c_spinbutton->set_text(numberToString(static_cast<float>(c_spinbutton->get_value())));
    return true;
}
