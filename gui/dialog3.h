// The text-processing options dialog: stemming, information gain and the
// sparse (LIBSVM) file set. It opens with all off unless given the options in
// effect.
#pragma once

#include "dialog3_glade.h"

class dialog3 : public dialog3_glade {
public:
    void setOptions(bool useStemming, bool computeInformationGain, bool sparseFileSet);
    bool getUseStemming() const { return stemming_checkbutton->get_active(); }
    bool getComputeInformationGain() const { return information_gain_checkbutton->get_active(); }
    bool getSparseFileSet() const { return sparse_checkbutton->get_active(); }

protected:
    void on_cancel_clicked() override;
    void on_ok_clicked() override;
};
