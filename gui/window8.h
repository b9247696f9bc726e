// The effectiveness measures window: micro and macro averages of F1,
// precision and recall, and one row of counts and measures per category.
#pragma once

#include "window8_glade.h"

#include <gtkmm/treemodelsort.h>
#include <gtkmm/treestore.h>

#include <cstdint>
#include <string>
#include <vector>

class window8 : public window8_glade {
public:
    struct ModelColumns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> name;
        Gtk::TreeModelColumn<int> documents;
        Gtk::TreeModelColumn<Glib::ustring> fPlusPlus;
        Gtk::TreeModelColumn<Glib::ustring> fPlusMinus;
        Gtk::TreeModelColumn<Glib::ustring> fMinusPlus;
        Gtk::TreeModelColumn<Glib::ustring> recall;
        Gtk::TreeModelColumn<Glib::ustring> precision;
        Gtk::TreeModelColumn<Glib::ustring> f1;
        ModelColumns() {
            add(name);
            add(documents);
            add(fPlusPlus);
            add(fPlusMinus);
            add(fMinusPlus);
            add(recall);
            add(precision);
            add(f1);
        }
    };

    // Computes the measures of the matrix with the trace on (running totals
    // and the six summary lines on standard output).
    window8(const std::vector<std::int32_t> &counts, const std::vector<std::string> &names);

    const ModelColumns columns;
    Glib::RefPtr<Gtk::TreeStore> store;
    Glib::RefPtr<Gtk::TreeModelSort> sorted;

private:
    const std::vector<std::int32_t> counts;
    const std::vector<std::string> names;
};
