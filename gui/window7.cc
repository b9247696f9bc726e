#include "window7.h"

#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"

#include <glibmm/convert.h>

#include <fstream>

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

} // namespace

const char *const window7::newWordText = " upisite novu rijec ";

window7::window7(std::function<void(const std::string &)> reportError, const std::string &path,
                 std::ostream &trace)
    : reportError(std::move(reportError)), path(path), trace(trace) {
    treeview->remove_all_columns();
    store = Gtk::ListStore::create(columns);
    store->set_sort_column(columns.word, Gtk::SORT_ASCENDING);

    const int count = treeview->append_column_editable("Ceste rijeci", columns.word);
    Gtk::TreeViewColumn *column = treeview->get_column(count - 1);
    column->set_resizable(true);
    column->set_sort_column(columns.word);
    treeview->set_model(store);
    treeview->set_headers_visible(true);
    treeview->set_headers_clickable(true);

    std::ifstream in(path);
    std::string word;
    while (in >> word)
        (*store->append())[columns.word] = toDisplayText(word);
}

void window7::on_save_clicked() {
    std::string content;
    for (const Gtk::TreeModel::Row &row : store->children()) {
        const Glib::ustring word = row[columns.word];
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
    } catch (const FileError &error) {
        reportError(error.what());
    }
}

void window7::on_add_clicked() {
    (*store->prepend())[columns.word] = newWordText;
}

void window7::on_delete_clicked() {
    trace << "pritisnuh obrisi" << std::endl;
    const Gtk::TreeModel::iterator selected = treeview->get_selection()->get_selected();
    if (!selected)
        return;
    trace << "jer sam ikad tu?" << std::endl;
    store->erase(selected);
}
