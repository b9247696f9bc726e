// The stop-word editor: the words of the stop-word file in a sorted, editable
// list that can be written back, one word per line.
#pragma once

#include "window7_glade.h"

#include <gtkmm/cellrenderertext.h>
#include <gtkmm/liststore.h>

#include <iostream>
#include <string>

class window7 : public window7_glade {
public:
    struct ModelColumns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> word;
        ModelColumns() { add(word); }
    };

    // Reads the white-space separated words of path; a missing or unreadable
    // file, or anything but a regular file, gives an empty list.
    explicit window7(const std::string &path = "ceste_rijeci", std::ostream &trace = std::cout);

    const ModelColumns columns;
    Glib::RefPtr<Gtk::ListStore> store;

    // The entry that Add puts in the list for the user to overwrite; it is
    // never written to the file.
    static const char *const newWordText;

    // What closing with unsaved edits asks.
    static const char *const closeQuestion;

protected:
    // A yes/no question over this window; true for yes.
    virtual bool askConfirmation(const std::string &question);
    // With edits not yet saved, closing asks closeQuestion and the window
    // stays open unless the answer is yes.
    bool on_delete_event(GdkEventAny *event) override;

    // Writes every word in list order, one per line, in the locale's encoding,
    // replacing the file as a whole. A failure is shown in an error dialog
    // over this window, with the system's reason; the file is then unchanged.
    void on_save_clicked() override;
    // Puts newWordText in the list, scrolls to it and starts editing it;
    // Escape takes it out again.
    void on_add_clicked() override;
    // Writes "pritisnuh obrisi"; with a selected row also "jer sam ikad tu?" and
    // removes the row.
    void on_delete_clicked() override;
    void on_treeview_row_activated(const Gtk::TreeModel::Path &, Gtk::TreeViewColumn *) override {}

private:
    // Stores the edited text and scrolls to where the sorted list put it. A
    // stop word is one word: an entry with blanks becomes one row per word
    // and an empty one leaves the row as it was; the note line says which
    // happened.
    void on_word_edited(const Glib::ustring &path, const Glib::ustring &text);
    void on_word_editing_started(Gtk::CellEditable *editable, const Glib::ustring &path);
    // An entry that Add put in the list and that was never typed over goes.
    void on_word_editing_canceled();
    void showNote(const Glib::ustring &text);

    Gtk::CellRendererText wordCell;
    Gtk::TreeViewColumn wordColumn;
    const std::string path;
    std::ostream &trace;
    Glib::ustring editedPath;
    bool unsaved = false;
};
