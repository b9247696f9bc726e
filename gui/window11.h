// The text-classification window: the documents of a pasted text or an
// opened file (the workbench's markup, or plain text as one document), each
// with the category the run's tree gives it and every test on its path with
// the document's count, counted as the run's file set was; with a
// per-category run, the categories whose trees claim it and each tree's
// path. Activating a row shows its node in the drawn tree.
#pragma once

#include "window10.h"
#include "window11_glade.h"

#include "classify/Classifier.h"

#include <gtkmm/treestore.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

class window11 : public window11_glade {
public:
    struct ModelColumns : Gtk::TreeModelColumnRecord {
        Gtk::TreeModelColumn<Glib::ustring> text;     // "Dokument 1", a tree, a step's count
        Gtk::TreeModelColumn<Glib::ustring> category; // the category, or a step's test
        Gtk::TreeModelColumn<int> path;               // the path the row is on
        Gtk::TreeModelColumn<int> node;               // the node the row shows
        ModelColumns() {
            add(text);
            add(category);
            add(path);
            add(node);
        }
    };

    // The run's output lines and the stem of its file set. A file set that
    // cannot be read is named in the window, and nothing can be classified.
    window11(const std::vector<std::string> &outputLines, const std::string &stem);

    const ModelColumns columns;
    Glib::RefPtr<Gtk::TreeStore> store;
    // The drawn tree a step was last shown in; null before.
    window10 *treeWindow() { return treeWindow_.get(); }

protected:
    // The file of documents to open, or empty when the user cancelled.
    virtual std::string askTextPath();

    void on_open_clicked() override;
    void on_classify_clicked() override;
    void on_treeview_row_activated(const Gtk::TreeModel::Path &path,
                                   Gtk::TreeViewColumn *column) override;

private:
    void showUnusable(const std::string &stem, const std::string &problem);
    // Appends the steps of path in tree under row as path number paths_.size().
    void appendPath(const Gtk::TreeModel::Row &row, std::size_t tree, const DecisionTree &nodes,
                    const TreePath &path);

    std::vector<std::string> outputLines_;
    std::array<RunClassifier, 2> runs_; // after pruning, before it
    bool ready_ = false;
    bool shownUnpruned_ = false;
    struct ShownPath {
        std::size_t tree;       // for window10::showNode
        std::vector<int> nodes; // root to leaf
    };
    std::vector<ShownPath> paths_;
    std::unique_ptr<window10> treeWindow_;
};
