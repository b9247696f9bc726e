#include "dialog3.h"

void dialog3::setOptions(bool useStemming, bool computeInformationGain) {
    stemming_checkbutton->set_active(useStemming);
    information_gain_checkbutton->set_active(computeInformationGain);
}

void dialog3::on_cancel_clicked() {
    hide();
}

void dialog3::on_ok_clicked() {
    hide();
}
