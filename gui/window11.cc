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
            const Gtk::TreeModel::Row row = *store->append();
            row[columns.text] = "Dokument " + std::to_string(d + 1);
            std::string categories;
            if (run.categoryTrees.empty()) {
                const TreePath path = classifyCounts(run.tree, documents[d].counts);
                categories = run.tree.nodes[static_cast<std::size_t>(path.leaf)].category;
                appendPath(row, shownUnpruned_ ? 1 : 0, run.tree, path);
            } else {
                const CategoryPaths result =
                    classifyByCategory(run.categoryTrees, documents[d].counts);
                for (const std::string &category : result.assigned)
                    categories += (categories.empty() ? "" : " ") + category;
                if (categories.empty())
                    categories = "bez kategorije";
                for (std::size_t t = 0; t < run.categoryTrees.size(); ++t) {
                    const DecisionTree &tree = run.categoryTrees[t].tree;
                    const Gtk::TreeModel::Row treeRow = *store->append(row.children());
                    treeRow[columns.text] = "Stablo " + run.categoryTrees[t].category;
                    treeRow[columns.category] =
                        tree.nodes[static_cast<std::size_t>(result.paths[t].leaf)].category;
                    appendPath(treeRow, t, tree, result.paths[t]);
                }
            }
            row[columns.category] = documents[d].category.empty()
                                        ? categories
                                        : categories + " (označeno: " + documents[d].category + ")";
            // A document row shows where its first path ends.
            const ShownPath &first =
                paths_[paths_.size() - std::max<std::size_t>(1, run.categoryTrees.size())];
            row[columns.path] = static_cast<int>(&first - paths_.data());
            row[columns.node] = first.nodes.back();
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

void window11::appendPath(const Gtk::TreeModel::Row &row, std::size_t tree,
                          const DecisionTree &nodes, const TreePath &path) {
    const int number = static_cast<int>(paths_.size());
    paths_.push_back(ShownPath{tree, {}});
    row[columns.path] = number;
    row[columns.node] = path.leaf;
    for (const PathStep &step : path.steps) {
        const Gtk::TreeModel::Row child = *store->append(row.children());
        const TreeNode &node = nodes.nodes[static_cast<std::size_t>(step.node)];
        child[columns.text] = step.word + " = " + std::to_string(step.count);
        child[columns.category] = nodes
                                      .nodes[static_cast<std::size_t>(
                                          node.children[static_cast<std::size_t>(step.child)])]
                                      .test;
        child[columns.path] = number;
        child[columns.node] = step.node;
        paths_.back().nodes.push_back(step.node);
    }
    paths_.back().nodes.push_back(path.leaf);
}

void window11::on_treeview_row_activated(const Gtk::TreeModel::Path &path, Gtk::TreeViewColumn *) {
    const Gtk::TreeModel::iterator row = store->get_iter(path);
    if (!row)
        return;
    const int number = (*row)[columns.path];
    const int node = (*row)[columns.node];
    const ShownPath &shown = paths_.at(static_cast<std::size_t>(number));
    if (!treeWindow_)
        treeWindow_ = std::make_unique<window10>(outputLines_, shownUnpruned_);
    treeWindow_->showNode(shown.tree, node, shown.nodes);
    treeWindow_->present();
}
