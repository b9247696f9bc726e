// The word and category distribution window: categories with their numbers
// of training documents, or selected words with their document frequency and,
// when given, their information gain. Built once from copies; never refreshed.
#pragma once

#include "window3_glade.h"

#include <gtkmm/liststore.h>
#include <gtkmm/treemodelsort.h>

#include <iostream>
#include <map>
#include <string>

class window3 : public window3_glade {
public:
    struct ModelColumns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> name;
        Gtk::TreeModelColumn<int> documents;
        Gtk::TreeModelColumn<Glib::ustring> informationGain;
        ModelColumns() {
            add(name);
            add(documents);
            add(informationGain);
        }
    };

    // Two columns: name and count. words tells whether the names are words
    // (true) or categories (false). Rows start in order of count, ascending
    // (equal counts by name); a click on a header sorts by that column.
    window3(const std::map<std::string, int> &counts, bool words, std::ostream &trace = std::cout);
    // Three columns, for words: the gain of each word is shown with "%.4f".
    window3(const std::map<std::string, int> &counts, bool words,
            const std::map<std::string, float> &gains, std::ostream &trace = std::cout);

    const ModelColumns columns;
    Glib::RefPtr<Gtk::ListStore> store;
    Glib::RefPtr<Gtk::TreeModelSort> sorted;

protected:
    // Writes "pritisnut je redak..." and "redak broj " with the row's position
    // in the sorted view.
    void on_treeview_row_activated(const Gtk::TreeModel::Path &path,
                                   Gtk::TreeViewColumn *column) override;

private:
    void build(const std::map<std::string, int> &counts, bool words,
               const std::map<std::string, float> *gains);

    std::ostream &trace;
};
