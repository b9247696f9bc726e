// The drawn-tree window: the tree of a run after pruning (or, switched,
// before it), or of a per-category run each category's tree, as boxes and
// edges, zoomed, panned and fitted; a click on a
// test node collapses or expands its subtree; a word is found and shown;
// what is shown is saved as SVG or PNG. A big tree opens collapsed below the
// depth that fits the window, and only the boxes in view are drawn.
#pragma once

#include "window10_glade.h"

#include "classify/DecisionTree.h"
#include "treeview/TreeDrawing.h"

#include <string>
#include <vector>

class window10 : public window10_glade {
public:
    // unpruned chooses the tree before pruning; a per-category run opens
    // with its first category's, and its trees are all before or all after
    // pruning as unpruned says.
    window10(const std::vector<std::string> &outputLines, bool unpruned);

    // Switches to tree number tree (of a run of one tree 0 is the tree after
    // pruning, 1 before it; of a per-category run, the category's place),
    // expands the ancestors of node, marks the nodes of path, selects node
    // and centres it.
    void showNode(std::size_t tree, int node, const std::vector<int> &path = {});

    const DecisionTree &tree() const { return trees_[current_]; }
    const TreeLayout &layout() const { return layout_; }
    const TreeView &view() const { return view_; }
    int selected() const { return selected_; }
    // The picture's size: the drawing area's, or the size it opens with
    // before it is shown.
    std::pair<int, int> areaSize() const;

    // Shows every node of the tree, keeping the scale.
    void expandAll();
    // Moves the picture by (dx, dy) pixels, as dragging it does.
    void panBy(double dx, double dy);
    // Zooms by factor about the point (x, y) of the area.
    void zoomAt(double factor, double x, double y);
    // A click of the first button at (x, y) of the area: a test node's
    // subtree collapses or expands and the node stays where it was.
    void clickAt(double x, double y);

protected:
    // The file to save the picture to, or empty when the user cancelled.
    virtual std::string askExportPath();

    void on_zoom_in_clicked() override;
    void on_zoom_out_clicked() override;
    void on_fit_clicked() override;
    void on_unpruned_toggled() override;
    void on_legend_toggled() override;
    void on_category_changed() override;
    void on_find_clicked() override;
    void on_export_clicked() override;
    bool on_tree_area_expose_event(GdkEventExpose *event) override;
    bool on_tree_area_button_press_event(GdkEventButton *event) override;
    bool on_tree_area_button_release_event(GdkEventButton *event) override;
    bool on_tree_area_motion_notify_event(GdkEventMotion *event) override;
    bool on_tree_area_scroll_event(GdkEventScroll *event) override;

private:
    void relayout();
    void fit();
    void centreOn(int node);
    void showStatus(const std::string &note = "");
    // What the area and a saved picture draw besides the boxes.
    DrawOptions drawOptions() const;
    // Shows tree number tree as it was last left, fitted.
    void switchTo(std::size_t tree);

    // After pruning and before it, or one per category.
    std::vector<DecisionTree> trees_;
    std::vector<std::string> treeErrors_; // why a tree could not be read
    std::vector<std::vector<bool>> collapsed_;
    std::vector<std::string> titles_;
    std::size_t current_ = 0;
    bool perCategory_ = false;
    TextMeasure measure_;
    TreeLayout layout_;
    TreeView view_;
    int selected_ = -1;
    std::vector<int> marked_;
    std::vector<int> found_;
    std::size_t foundIndex_ = 0;
    std::string foundWord_;
    bool dragging_ = false;
    double dragX_ = 0, dragY_ = 0;
};
