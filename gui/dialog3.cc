#include "dialog3.h"

void dialog3::setOptions(bool useStemming, bool computeInformationGain, bool sparseFileSet) {
    stemming_checkbutton->set_active(useStemming);
    information_gain_checkbutton->set_active(computeInformationGain);
    sparse_checkbutton->set_active(sparseFileSet);
}

void dialog3::on_cancel_clicked() {
    hide();
}

void dialog3::on_ok_clicked() {
    hide();
}
