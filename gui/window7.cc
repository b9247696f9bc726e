#include "window7.h"

#include "TableLayout.h"
#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"

#include <glibmm/convert.h>
#include <gtkmm/messagedialog.h>

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

namespace {

Glib::ustring toDisplayText(const std::string &word) {
    try {
        return Glib::locale_to_utf8(word);
    } catch (const Glib::ConvertError &) {
        gchar *valid = g_utf8_make_valid(word.c_str(), static_cast<gssize>(word.size()));
        const Glib::ustring text(valid);
        g_free(valid);
        return text;
    }
}

// The words of text as the stop-word reader separates them.
std::vector<Glib::ustring> splitWords(const Glib::ustring &text) {
    static const char blanks[] = " \t\n\v\f\r";
    const std::string &raw = text.raw();
    std::vector<Glib::ustring> words;
    std::string::size_type start = raw.find_first_not_of(blanks);
    while (start != std::string::npos) {
        const std::string::size_type end = raw.find_first_of(blanks, start);
        words.emplace_back(raw.substr(start, end - start));
        start = raw.find_first_not_of(blanks, end);
    }
    return words;
}

} // namespace

const char *const window7::newWordText = " upisite novu rijec ";
const char *const window7::closeQuestion =
    "Izmjene stop riječi nisu spremljene. Zatvoriti prozor bez spremanja?";

window7::window7(const std::string &path, std::ostream &trace)
    : wordColumn("Ceste rijeci", wordCell), path(path), trace(trace) {
    treeview->remove_all_columns();
    store = Gtk::ListStore::create(columns);
    store->set_sort_column(columns.word, Gtk::SORT_ASCENDING);

    wordCell.property_editable() = true;
    wordCell.signal_edited().connect(sigc::mem_fun(*this, &window7::on_word_edited), false);
    wordCell.signal_editing_started().connect(
        sigc::mem_fun(*this, &window7::on_word_editing_started), false);
    wordCell.signal_editing_canceled().connect(
        sigc::mem_fun(*this, &window7::on_word_editing_canceled), false);
    wordColumn.add_attribute(wordCell.property_text(), columns.word);
    wordColumn.set_resizable(true);
    wordColumn.set_sort_column(columns.word);
    treeview->append_column(wordColumn);
    treeview->set_model(store);
    treeview->set_headers_visible(true);
    treeview->set_headers_clickable(true);

    // A device or pipe in the file's place could be read without end.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    std::ifstream in(path);
    std::string word;
    while (in >> word)
        (*store->append())[columns.word] = toDisplayText(word);
}

void window7::on_word_edited(const Glib::ustring &rowPath, const Glib::ustring &text) {
    const Gtk::TreeModel::iterator row = store->get_iter(rowPath);
    if (!row || text == newWordText)
        return;
    const std::vector<Glib::ustring> words = splitWords(text);
    if (words.empty()) {
        showNote("Prazan unos nije spremljen.");
        return;
    }
    unsaved = true;
    (*row)[columns.word] = words.front();
    // The sorted list has moved the row; the word stays in view.
    treeview->scroll_to_row(store->get_path(row));
    if (words.size() == 1) {
        note_label->hide();
        return;
    }
    Glib::ustring list = words.front();
    for (std::size_t i = 1; i < words.size(); ++i) {
        (*store->append())[columns.word] = words[i];
        list += ", " + words[i];
    }
    showNote("Unos s razmacima podijeljen je na " + std::to_string(words.size()) +
             " riječi: " + list + ".");
}

void window7::on_word_editing_started(Gtk::CellEditable *, const Glib::ustring &rowPath) {
    editedPath = rowPath;
}

void window7::on_word_editing_canceled() {
    const Gtk::TreeModel::iterator row = store->get_iter(editedPath);
    if (row && (*row)[columns.word] == newWordText)
        store->erase(row);
}

bool window7::askConfirmation(const std::string &question) {
    return askYesNo(*this, question);
}

bool window7::on_delete_event(GdkEventAny *event) {
    if (unsaved && !askConfirmation(closeQuestion))
        return true;
    return window7_glade::on_delete_event(event);
}

void window7::showNote(const Glib::ustring &text) {
    note_label->set_text(text);
    note_label->show();
}

void window7::on_save_clicked() {
    std::string content;
    for (const Gtk::TreeModel::Row &row : store->children()) {
        const Glib::ustring word = row[columns.word];
        if (word == newWordText)
            continue;
        try {
            content += Glib::locale_from_utf8(word);
        } catch (const Glib::ConvertError &) {
            content += word.raw();
        }
        content += '\n';
    }
    try {
        AtomicFile file(path);
        file.stream() << content;
        file.commit();
        unsaved = false;
    } catch (const FileError &error) {
        const std::string message = error.messageWithReason();
        Gtk::MessageDialog dialog(*this, "Stop riječi nisu spremljene.", false, Gtk::MESSAGE_ERROR,
                                  Gtk::BUTTONS_CLOSE, true);
        dialog.set_title("Greška");
        dialog.set_secondary_text(message);
        dialog.run();
    }
}

void window7::on_add_clicked() {
    const Gtk::TreeModel::iterator added = store->prepend();
    (*added)[columns.word] = newWordText;
    treeview->set_cursor(store->get_path(added), wordColumn, true);
}

void window7::on_delete_clicked() {
    trace << "pritisnuh obrisi" << std::endl;
    const Gtk::TreeModel::iterator selected = treeview->get_selection()->get_selected();
    if (!selected)
        return;
    trace << "jer sam ikad tu?" << std::endl;
    // An entry that Add put in the list is not in the file.
    unsaved = unsaved || (*selected)[columns.word] != newWordText;
    store->erase(selected);
}
