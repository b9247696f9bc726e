#include "dialog3.h"

void dialog3::setOptions(const PageHost::TextOptions &options) {
    stemming_checkbutton->set_active(options.useStemming);
    stem_stop_words_checkbutton->set_active(options.stemStopWords);
    information_gain_checkbutton->set_active(options.computeInformationGain);
    sparse_checkbutton->set_active(options.sparseFileSet);
    multi_category_checkbutton->set_active(options.multiCategory);
}

// Stop words are stemmed only on a stemmed corpus; the multi-category mode
// writes sparse sets whatever the sparse box says.
PageHost::TextOptions dialog3::getOptions() const {
    const bool stemming = stemming_checkbutton->get_active();
    return {stemming, information_gain_checkbutton->get_active(), sparse_checkbutton->get_active(),
            stemming && stem_stop_words_checkbutton->get_active(),
            multi_category_checkbutton->get_active()};
}

void dialog3::on_stemming_toggled() {
    stem_stop_words_checkbutton->set_sensitive(stemming_checkbutton->get_active());
}

void dialog3::on_multi_category_toggled() {
    sparse_checkbutton->set_sensitive(!multi_category_checkbutton->get_active());
}

void dialog3::on_cancel_clicked() {
    hide();
}

void dialog3::on_ok_clicked() {
    hide();
}
