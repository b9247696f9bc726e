// The text-processing options dialog: stemming (and whether the stop words
// are stemmed too), information gain, the sparse (LIBSVM) file set and the
// multi-category mode, whose corpora are written only as sparse sets. It
// opens with all off unless given the options in effect.
#pragma once

#include "PageHost.h"
#include "dialog3_glade.h"

class dialog3 : public dialog3_glade {
public:
    void setOptions(const PageHost::TextOptions &options);
    PageHost::TextOptions getOptions() const;

protected:
    void on_stemming_toggled() override;
    void on_multi_category_toggled() override;
    void on_cancel_clicked() override;
    void on_ok_clicked() override;
};
