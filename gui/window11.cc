#include "window11.h"

#include "Messages.h"
#include "TableLayout.h"

#include "corpus/FileError.h"
#include "corpus/ReadFile.h"

#include <gtkmm/filechooserdialog.h>
#include <gtkmm/stock.h>

window11::window11(const std::vector<std::string> &outputLines, const std::string &stem)
    : outputLines_(outputLines) {
    treeview->remove_all_columns();
    appendColumn(*treeview, "Dokument i put", columns.text, false);
    appendColumn(*treeview, "Kategorija i test", columns.category, false);
    store = Gtk::TreeStore::create(columns);
    treeview->set_model(store);
    try {
        runs_[0] = loadRunClassifier(outputLines, true, stem);
        runs_[1] = loadRunClassifier(outputLines, false, stem);
        ready_ = true;
        file_set_label->set_text("Skup fajlova: " + stem + ", stemiranje " +
                                 (runs_[0].stemming ? "da" : "ne"));
        status_label->set_text("Zalijepite tekst ili otvorite fajl dokumenata.");
    } catch (const FileError &error) {
        showUnusable(stem, error.messageWithReason());
    } catch (const TreeError &error) {
        showUnusable(stem, error.what());
    }
    classify_button->set_sensitive(ready_);
    open_button->set_sensitive(ready_);
}

void window11::showUnusable(const std::string &stem, const std::string &problem) {
    file_set_label->set_text("Skup fajlova: " + (stem.empty() ? "nije odabran" : stem));
    status_label->set_text("Stablo se ne može primijeniti: " + croatianMessage(problem));
}

std::string window11::askTextPath() {
    Gtk::FileChooserDialog chooser(*this, "Otvori fajl dokumenata", Gtk::FILE_CHOOSER_ACTION_OPEN);
    chooser.add_button(Gtk::Stock::CANCEL, Gtk::RESPONSE_CANCEL);
    chooser.add_button(Gtk::Stock::OPEN, Gtk::RESPONSE_OK);
    chooser.set_current_folder(Glib::get_current_dir());
    if (chooser.run() != Gtk::RESPONSE_OK)
        return {};
    return chooser.get_filename();
}

void window11::on_open_clicked() {
    const std::string path = askTextPath();
    if (path.empty())
        return;
    std::string text;
    try {
        readWholeFile(path, text);
    } catch (const FileError &error) {
        status_label->set_text(croatianMessage(error.messageWithReason()));
        return;
    }
    // The view holds UTF-8 only; a file in another encoding is read as
    // Latin-1, which keeps its words, since the tokenizer's words are ASCII
    // letters and every other byte separates them.
    textview->get_buffer()->set_text(
        Glib::ustring(text).validate() ? text : Glib::convert(text, "UTF-8", "ISO-8859-1"));
    on_classify_clicked();
}

void window11::on_classify_clicked() {
    if (!ready_)
        return;
    shownUnpruned_ = unpruned_checkbutton->get_active();
    const RunClassifier &run = runs_[shownUnpruned_];
    std::size_t skipped = 0;
    const std::vector<TextDocument> documents =
        readTextDocuments(textview->get_buffer()->get_text().raw(), run.stemming, skipped);
    store->clear();
    paths_.clear();
    try {
        for (std::size_t d = 0; d < documents.size(); ++d) {
            const TreePath path = classifyCounts(run.tree, documents[d].counts);
            const std::string &category =
                run.tree.nodes[static_cast<std::size_t>(path.leaf)].category;
            const Gtk::TreeModel::Row row = *store->append();
            row[columns.text] = "Dokument " + std::to_string(d + 1);
            row[columns.category] = documents[d].category.empty()
                                        ? category
                                        : category + " (označeno: " + documents[d].category + ")";
            row[columns.document] = static_cast<int>(d);
            row[columns.node] = path.leaf;
            paths_.emplace_back();
            for (const PathStep &step : path.steps) {
                const Gtk::TreeModel::Row child = *store->append(row.children());
                const TreeNode &node = run.tree.nodes[static_cast<std::size_t>(step.node)];
                child[columns.text] = step.word + " = " + std::to_string(step.count);
                child[columns.category] =
                    run.tree
                        .nodes[static_cast<std::size_t>(
                            node.children[static_cast<std::size_t>(step.child)])]
                        .test;
                child[columns.document] = static_cast<int>(d);
                child[columns.node] = step.node;
                paths_.back().push_back(step.node);
            }
            paths_.back().push_back(path.leaf);
        }
    } catch (const TreeError &error) {
        status_label->set_text("Stablo se ne može primijeniti: " + croatianMessage(error.what()));
        return;
    }
    treeview->expand_all();
    std::string status = "Klasificirano dokumenata: " + std::to_string(documents.size());
    if (skipped > 0)
        status += ", izostavljeno bez <TEXT>: " + std::to_string(skipped);
    status_label->set_text(status);
}

void window11::on_treeview_row_activated(const Gtk::TreeModel::Path &path, Gtk::TreeViewColumn *) {
    const Gtk::TreeModel::iterator row = store->get_iter(path);
    if (!row)
        return;
    const int document = (*row)[columns.document];
    const int node = (*row)[columns.node];
    if (!treeWindow_)
        treeWindow_ = std::make_unique<window10>(outputLines_, shownUnpruned_);
    treeWindow_->showNode(shownUnpruned_, node, paths_.at(static_cast<std::size_t>(document)));
    treeWindow_->present();
}
