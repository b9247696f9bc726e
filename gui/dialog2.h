// The C4.5 options dialog. It opens with the options in effect; OK accepts
// them only when C4.5 takes every ticked value, and otherwise says in the
// dialog which value it refuses and stays open.
#pragma once

#include "dialog2_glade.h"

#include "c45/C45Runner.h"

#include <optional>
#include <string>

class dialog2 : public dialog2_glade {
public:
    // Ticks the boxes of the options present and shows their values; the
    // values of absent options stay at their defaults (2, 25, 10).
    void setOptions(const C45Options &options);
    // The options of the ticked boxes as OK last accepted them; nothing
    // before OK or after an OK that was refused.
    std::optional<C45Options> acceptedOptions() const { return accepted; }
    // Their option text (optionText), empty when none was accepted.
    std::string getOptionString() const { return accepted ? optionText(*accepted) : ""; }

protected:
    void on_cancel_clicked() override;
    void on_ok_clicked() override;
    // The boxes are read only on OK; the spin buttons stay usable throughout.
    void on_s_checkbutton_toggled() override {}
    void on_m_checkbutton_toggled() override {}
    void on_c_checkbutton_toggled() override {}
    void on_t_checkbutton_toggled() override {}

private:
    // The options of the ticked boxes, with the confidence read from its text.
    C45Options shownOptions(std::optional<double> confidence) const;

    std::optional<C45Options> accepted;
};
