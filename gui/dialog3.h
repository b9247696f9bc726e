// The text-processing options dialog: stemming and information gain. It
// opens with both off unless given the options in effect.
#pragma once

#include "dialog3_glade.h"

class dialog3 : public dialog3_glade {
public:
    void setOptions(bool useStemming, bool computeInformationGain);
    bool getUseStemming() const { return stemming_checkbutton->get_active(); }
    bool getComputeInformationGain() const { return information_gain_checkbutton->get_active(); }

protected:
    void on_cancel_clicked() override;
    void on_ok_clicked() override;
};
