#include "dialog2.h"

#include "c45/C45Runner.h"

void dialog2::on_cancel_clicked() {
    hide();
}

void dialog2::on_ok_clicked() {
    buildOptionString();
    hide();
}

void dialog2::buildOptionString() {
    C45Options options;
    options.discreteGroups = s_checkbutton->get_active();
    if (m_checkbutton->get_active())
        options.minCases = static_cast<float>(m_spinbutton->get_value());
    if (c_checkbutton->get_active())
        options.confidence = static_cast<float>(c_spinbutton->get_value());
    if (t_checkbutton->get_active())
        options.trials = static_cast<float>(t_spinbutton->get_value());
    optionString = optionText(options);
}
