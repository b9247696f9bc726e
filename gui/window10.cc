#include "window10.h"

#include "Messages.h"
#include "TableLayout.h"


#include <algorithm>
#include <cmath>

namespace {

constexpr double zoomStep = 1.25;
constexpr double smallestScale = 0.02;
constexpr double largestScale = 4;
// A tree opens as deep as fits the window at this scale or more.
constexpr double openingScale = 0.6;

std::string trimmedLowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    const std::size_t first = text.find_first_not_of(" \t");
    const std::size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

} // namespace

window10::window10(const std::vector<std::string> &outputLines, bool unpruned)
    : perCategory_(isPerCategoryRun(outputLines)), measure_(cairoTextMeasure()) {
    if (perCategory_) {
        try {
            // The window opened for the trees before pruning shows those.
            for (CategoryTree &categoryTree : readCategoryTrees(outputLines, !unpruned)) {
                titles_.push_back(std::string(unpruned ? "Nacrtano stablo prije podrezivanja"
                                                       : "Nacrtano stablo nakon podrezivanja") +
                                  ", kategorija " + categoryTree.category);
                category_combo->append_text(categoryTree.category);
                trees_.push_back(std::move(categoryTree.tree));
            }
        } catch (const std::exception &error) {
            titles_.assign(1, "Nacrtano stablo");
            trees_.assign(1, DecisionTree());
            treeErrors_.assign(1, error.what());
        }
    } else {
        titles_ = {"Nacrtano stablo nakon podrezivanja", "Nacrtano stablo prije podrezivanja"};
        trees_.resize(2);
        for (std::size_t which = 0; which < 2; ++which) {
            try {
                trees_[which] = readDecisionTree(outputLines, which == 0);
            } catch (const TreeError &error) {
                treeErrors_.resize(2);
                treeErrors_[which] = error.what();
            }
        }
    }
    treeErrors_.resize(trees_.size());
    const auto [width, height] = areaSize();
    for (const DecisionTree &tree : trees_)
        collapsed_.push_back(
            collapsedBelow(tree, depthThatFits(tree, measure_, width, height, openingScale)));
    unpruned_checkbutton->set_visible(!perCategory_);
    category_combo->set_visible(perCategory_);
    current_ = !perCategory_ && unpruned ? 1 : 0;
    unpruned_checkbutton->set_active(!perCategory_ && unpruned);
    if (perCategory_ && !category_combo->get_model()->children().empty())
        category_combo->set_active(0);
    switchTo(current_);
}

std::pair<int, int> window10::areaSize() const {
    const Gtk::Allocation area = tree_area->get_allocation();
    if (tree_area->get_window() && area.get_width() > 1 && area.get_height() > 1)
        return {area.get_width(), area.get_height()};
    return {880, 560};
}

void window10::relayout() {
    layout_ = layoutTree(tree(), collapsed_[current_], measure_);
    showStatus();
    tree_area->queue_draw();
}

void window10::fit() {
    const auto [width, height] = areaSize();
    // The legend stands at the right; the fitted tree keeps clear of it.
    const double legend = legend_checkbutton->get_active() ? legendWidth(tree(), height) : 0;
    view_ = fitView(layout_, std::max(1.0, width - legend), height);
    showStatus();
    tree_area->queue_draw();
}

void window10::centreOn(int node) {
    const int box = layout_.boxOf[static_cast<std::size_t>(node)];
    if (box < 0)
        return;
    const auto [width, height] = areaSize();
    const NodeBox &b = layout_.boxes[static_cast<std::size_t>(box)];
    view_.scale = std::max(view_.scale, 0.8);
    view_.originX = b.centreX() - width / 2.0 / view_.scale;
    view_.originY = b.y + b.height / 2 - height / 2.0 / view_.scale;
    tree_area->queue_draw();
}

void window10::showStatus(const std::string &note) {
    if (!treeErrors_[current_].empty()) {
        status_label->set_text(croatianMessage(treeErrors_[current_]));
        return;
    }
    std::string text = "Prikazano " + std::to_string(layout_.boxes.size()) + " od " +
                       std::to_string(tree().nodes.size()) + " čvorova, mjerilo " +
                       std::to_string(std::lround(view_.scale * 100)) + " %";
    status_label->set_text(note.empty() ? text : text + " — " + note);
}

void window10::switchTo(std::size_t tree) {
    current_ = tree;
    set_title(titles_[current_]);
    selected_ = -1;
    marked_.clear();
    found_.clear();
    foundWord_.clear();
    relayout();
    fit();
}

void window10::showNode(std::size_t tree, int node, const std::vector<int> &path) {
    if (tree >= trees_.size())
        return;
    if (perCategory_)
        category_combo->set_active(static_cast<int>(tree));
    else
        unpruned_checkbutton->set_active(tree == 1);
    if (node < 0 || static_cast<std::size_t>(node) >= this->tree().nodes.size())
        return;
    reveal(this->tree(), node, collapsed_[current_]);
    marked_ = path;
    selected_ = node;
    relayout();
    centreOn(node);
    showStatus();
}

void window10::expandAll() {
    collapsed_[current_].assign(tree().nodes.size(), false);
    relayout();
}

void window10::panBy(double dx, double dy) {
    view_.originX -= dx / view_.scale;
    view_.originY -= dy / view_.scale;
    tree_area->queue_draw();
}

void window10::zoomAt(double factor, double x, double y) {
    const double layoutX = view_.originX + x / view_.scale;
    const double layoutY = view_.originY + y / view_.scale;
    view_.scale = std::clamp(view_.scale * factor, smallestScale, largestScale);
    view_.originX = layoutX - x / view_.scale;
    view_.originY = layoutY - y / view_.scale;
    showStatus();
    tree_area->queue_draw();
}

void window10::clickAt(double x, double y) {
    const int box =
        boxAt(layout_, view_.originX + x / view_.scale, view_.originY + y / view_.scale);
    if (box < 0)
        return;
    const NodeBox before = layout_.boxes[static_cast<std::size_t>(box)];
    selected_ = before.node;
    if (!tree().nodes[static_cast<std::size_t>(before.node)].isLeaf()) {
        std::vector<bool> &collapsed = collapsed_[current_];
        collapsed.resize(tree().nodes.size(), false);
        collapsed[static_cast<std::size_t>(before.node)] =
            !collapsed[static_cast<std::size_t>(before.node)];
        relayout();
        // The clicked box stays under the pointer.
        const NodeBox &after = layout_.boxes[static_cast<std::size_t>(
            layout_.boxOf[static_cast<std::size_t>(before.node)])];
        view_.originX += after.x - before.x;
        view_.originY += after.y - before.y;
    }
    showStatus();
    tree_area->queue_draw();
}

void window10::on_zoom_in_clicked() {
    const auto [width, height] = areaSize();
    zoomAt(zoomStep, width / 2.0, height / 2.0);
}

void window10::on_zoom_out_clicked() {
    const auto [width, height] = areaSize();
    zoomAt(1 / zoomStep, width / 2.0, height / 2.0);
}

void window10::on_fit_clicked() {
    fit();
}

void window10::on_unpruned_toggled() {
    const std::size_t tree = unpruned_checkbutton->get_active() ? 1 : 0;
    if (!perCategory_ && tree != current_)
        switchTo(tree);
}

void window10::on_legend_toggled() {
    tree_area->queue_draw();
}

void window10::on_category_changed() {
    const int row = category_combo->get_active_row_number();
    if (perCategory_ && row >= 0 && static_cast<std::size_t>(row) != current_)
        switchTo(static_cast<std::size_t>(row));
}

void window10::on_find_clicked() {
    const std::string word = trimmedLowerCase(find_entry->get_text().raw());
    if (word.empty())
        return;
    if (word != foundWord_) {
        foundWord_ = word;
        found_ = nodesTesting(tree(), word);
        foundIndex_ = 0;
        for (const int node : found_)
            reveal(tree(), node, collapsed_[current_]);
        relayout();
    }
    if (found_.empty()) {
        selected_ = -1;
        showStatus("riječ „" + word + "” nije u stablu");
        tree_area->queue_draw();
        return;
    }
    const int node = found_[foundIndex_ % found_.size()];
    selected_ = node;
    marked_ = found_;
    centreOn(node);
    showStatus("riječ „" + word + "”: " + std::to_string(foundIndex_ % found_.size() + 1) +
               ". od " + std::to_string(found_.size()));
    ++foundIndex_;
}

std::string window10::askExportPath() {
    return askSavePath(*this, "Spremi sliku stabla (.svg ili .png)", "stablo.svg");
}

void window10::on_export_clicked() {
    const std::string path = askExportPath();
    if (path.empty())
        return;
    const std::string extension = fileExtension(path);
    if (extension != "svg" && extension != "png") {
        showStatus("slika nije spremljena: ime fajla mora završavati s .svg ili .png");
        return;
    }
    const auto [width, height] = areaSize();
    try {
        writeTreePicture(path, tree(), layout_, view_, width, height,
                         drawOptions());
        showStatus("slika spremljena u " + path);
    } catch (const std::exception &error) {
        showStatus(croatianMessage(error.what()));
    }
}

DrawOptions window10::drawOptions() const {
    return DrawOptions{marked_, selected_, legend_checkbutton->get_active()};
}

bool window10::on_tree_area_expose_event(GdkEventExpose *event) {
    const Cairo::RefPtr<Cairo::Context> cr = exposedContext(*tree_area, event);
    if (!cr)
        return false;
    const auto [width, height] = areaSize();
    drawTree(cr, tree(), layout_, view_, width, height, drawOptions());
    return true;
}

bool window10::on_tree_area_button_press_event(GdkEventButton *event) {
    if (event->button != 1)
        return false;
    const int box = boxAt(layout_, view_.originX + event->x / view_.scale,
                          view_.originY + event->y / view_.scale);
    if (box >= 0) {
        clickAt(event->x, event->y);
        return true;
    }
    dragging_ = true;
    dragX_ = event->x;
    dragY_ = event->y;
    return true;
}

bool window10::on_tree_area_button_release_event(GdkEventButton *) {
    dragging_ = false;
    return true;
}

bool window10::on_tree_area_motion_notify_event(GdkEventMotion *event) {
    if (!dragging_)
        return false;
    panBy(event->x - dragX_, event->y - dragY_);
    dragX_ = event->x;
    dragY_ = event->y;
    return true;
}

bool window10::on_tree_area_scroll_event(GdkEventScroll *event) {
    if (event->direction == GDK_SCROLL_UP)
        zoomAt(zoomStep, event->x, event->y);
    else if (event->direction == GDK_SCROLL_DOWN)
        zoomAt(1 / zoomStep, event->x, event->y);
    return true;
}
