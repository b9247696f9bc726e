#include "dialog2.h"

#include "Messages.h"
#include "c45/NumberText.h"

#include <limits>

void dialog2::setOptions(const C45Options &options) {
    s_checkbutton->set_active(options.discreteGroups);
    m_checkbutton->set_active(options.minCases.has_value());
    if (options.minCases)
        m_spinbutton->set_value(*options.minCases);
    c_checkbutton->set_active(options.confidence.has_value());
    if (options.confidence)
        c_spinbutton->set_value(*options.confidence);
    t_checkbutton->set_active(options.trials.has_value());
    if (options.trials)
        t_spinbutton->set_value(*options.trials);
}

void dialog2::on_cancel_clicked() {
    hide();
}

void dialog2::on_ok_clicked() {
    // The confidence is read as typed: the update puts the last value back
    // over a text that is no number.
    const std::optional<double> confidence = readDecimal(c_spinbutton->get_text());
    for (Gtk::SpinButton *spin : {m_spinbutton, c_spinbutton, t_spinbutton})
        spin->update();
    const C45Options options = shownOptions(confidence);
    if (const std::optional<std::string> problem = c45OptionsProblem(options)) {
        accepted.reset();
        message_label->set_text(croatianMessage(*problem));
        message_label->show();
        return;
    }
    accepted = options;
    message_label->hide();
    hide();
}

C45Options dialog2::shownOptions(std::optional<double> confidence) const {
    C45Options options;
    options.discreteGroups = s_checkbutton->get_active();
    if (m_checkbutton->get_active())
        options.minCases = m_spinbutton->get_value_as_int();
    // A confidence that is no number is refused as one out of range.
    if (c_checkbutton->get_active())
        options.confidence =
            static_cast<float>(confidence.value_or(std::numeric_limits<double>::quiet_NaN()));
    if (t_checkbutton->get_active())
        options.trials = t_spinbutton->get_value_as_int();
    return options;
}
