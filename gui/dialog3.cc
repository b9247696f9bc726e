#include "dialog3.h"

void dialog3::setOptions(bool useStemming, bool computeInformationGain, bool sparseFileSet,
                         bool stemStopWords) {
    stemming_checkbutton->set_active(useStemming);
    stem_stop_words_checkbutton->set_active(stemStopWords);
    information_gain_checkbutton->set_active(computeInformationGain);
    sparse_checkbutton->set_active(sparseFileSet);
}

void dialog3::on_stemming_toggled() {
    stem_stop_words_checkbutton->set_sensitive(stemming_checkbutton->get_active());
}

void dialog3::on_cancel_clicked() {
    hide();
}

void dialog3::on_ok_clicked() {
    hide();
}
