// The per-category window of a run that grew one tree per category: per
// category its training and test documents, the 2x2 table on the test
// documents, precision, recall, F1 and the pruned tree's size, sortable by
// every column; the micro and macro averages above; a CSV export.
#pragma once

#include "window12_glade.h"

#include "c45/CategoryReport.h"

#include <gtkmm/liststore.h>
#include <gtkmm/treemodelsort.h>

#include <string>

class window12 : public window12_glade {
public:
    struct ModelColumns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> name;
        Gtk::TreeModelColumn<int> training, test, tp, fp, fn, tn, sizeAfter;
        // The rates as shown ("0.8333", "n/a") and as sorted (-1 for n/a).
        Gtk::TreeModelColumn<Glib::ustring> precision, recall, f1;
        Gtk::TreeModelColumn<double> precisionValue, recallValue, f1Value;
        ModelColumns() {
            for (Gtk::TreeModelColumnBase *column :
                 std::initializer_list<Gtk::TreeModelColumnBase *>{
                     &name, &training, &test, &tp, &fp, &fn, &tn, &precision, &recall, &f1,
                     &sizeAfter, &precisionValue, &recallValue, &f1Value})
                add(*column);
        }
    };

    explicit window12(ParsedCategoryReport run);

    const ModelColumns columns;
    Glib::RefPtr<Gtk::ListStore> store;
    Glib::RefPtr<Gtk::TreeModelSort> sorted;

protected:
    // Asks where the CSV goes; empty when the user cancelled. Tests answer
    // it themselves.
    virtual std::string askCsvPath();
    void on_export_clicked() override;

private:
    const ParsedCategoryReport run;
};
