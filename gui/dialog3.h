// The text-processing options dialog: stemming (and whether the stop words
// are stemmed too), information gain and the sparse (LIBSVM) file set. It
// opens with all off unless given the options in effect.
#pragma once

#include "dialog3_glade.h"

class dialog3 : public dialog3_glade {
public:
    void setOptions(bool useStemming, bool computeInformationGain, bool sparseFileSet,
                    bool stemStopWords = false);
    bool getUseStemming() const { return stemming_checkbutton->get_active(); }
    // Stop words are stemmed only on a stemmed corpus.
    bool getStemStopWords() const {
        return getUseStemming() && stem_stop_words_checkbutton->get_active();
    }
    bool getComputeInformationGain() const { return information_gain_checkbutton->get_active(); }
    bool getSparseFileSet() const { return sparse_checkbutton->get_active(); }

protected:
    void on_stemming_toggled() override;
    void on_cancel_clicked() override;
    void on_ok_clicked() override;
};
