// The stop-word editor: the words of the stop-word file in a sorted, editable
// list that can be written back, one word per line.
#pragma once

#include "window7_glade.h"

#include <gtkmm/liststore.h>

#include <functional>
#include <iostream>
#include <string>

class window7 : public window7_glade {
public:
    struct ModelColumns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> word;
        ModelColumns() { add(word); }
    };

    // Reads the white-space separated words of path; a missing or unreadable
    // file gives an empty list. reportError receives the message when Save
    // cannot write the file.
    explicit window7(std::function<void(const std::string &)> reportError,
                     const std::string &path = "ceste_rijeci", std::ostream &trace = std::cout);

    const ModelColumns columns;
    Glib::RefPtr<Gtk::ListStore> store;

    // The entry that Add puts in the list for the user to overwrite.
    static const char *const newWordText;

protected:
    // Writes every word in list order, one per line, in the locale's encoding.
    void on_save_clicked() override;
    void on_add_clicked() override;
    // Writes "pritisnuh obrisi"; with a selected row also "jer sam ikad tu?" and
    // removes the row.
    void on_delete_clicked() override;
    void on_treeview_row_activated(const Gtk::TreeModel::Path &, Gtk::TreeViewColumn *) override {}

private:
    const std::function<void(const std::string &)> reportError;
    const std::string path;
    std::ostream &trace;
};
