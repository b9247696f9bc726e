// The C4.5 options dialog. On OK it builds the option text that the runner
// appends to the C4.5 command line.
#pragma once

#include "dialog2_glade.h"

#include <string>

class dialog2 : public dialog2_glade {
public:
    // Empty, or in this fixed order any of " -s", " -m N", " -c N", " -t N" for
    // the ticked boxes; empty until OK is clicked.
    std::string getOptionString() const { return optionString; }

protected:
    void on_cancel_clicked() override;
    void on_ok_clicked() override;
    // The boxes are read only on OK; the spin buttons stay usable throughout.
    void on_s_checkbutton_toggled() override {}
    void on_m_checkbutton_toggled() override {}
    void on_c_checkbutton_toggled() override {}
    void on_t_checkbutton_toggled() override {}

private:
    void buildOptionString();

    std::string optionString;
};
