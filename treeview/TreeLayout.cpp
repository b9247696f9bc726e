// Each visible subtree gets a column as wide as its widest part: its own box
// or its children's columns side by side. A parent is centred over its
// children, kept inside its column; columns of siblings never share a pixel,
// so boxes of different subtrees cannot overlap, whatever their depth.
#include "treeview/TreeLayout.h"

#include <algorithm>

int nodesBelow(const DecisionTree &tree, int node) {
    int count = 0;
    std::vector<int> pending(tree.nodes[static_cast<std::size_t>(node)].children);
    while (!pending.empty()) {
        const int next = pending.back();
        pending.pop_back();
        ++count;
        const auto &children = tree.nodes[static_cast<std::size_t>(next)].children;
        pending.insert(pending.end(), children.begin(), children.end());
    }
    return count;
}

std::vector<std::string> boxLines(const DecisionTree &tree, int node, int hidden) {
    const TreeNode &n = tree.nodes[static_cast<std::size_t>(node)];
    if (n.isLeaf())
        return {n.category, n.figures};
    if (hidden > 0)
        return {n.attribute, "+" + std::to_string(hidden)};
    return {n.attribute};
}

TreeLayout layoutTree(const DecisionTree &tree, const std::vector<bool> &collapsed,
                      const TextMeasure &measure, const LayoutStyle &style) {
    TreeLayout layout;
    layout.boxOf.assign(tree.nodes.size(), -1);
    if (tree.nodes.empty())
        return layout;
    const auto isCollapsed = [&collapsed](int node) {
        return static_cast<std::size_t>(node) < collapsed.size() && collapsed[node];
    };
    // Boxes in pre-order; a box's visible children are its kids.
    std::vector<std::vector<int>> kids;
    std::vector<std::pair<int, int>> pending{{0, 0}};
    while (!pending.empty()) {
        const auto [node, depth] = pending.back();
        pending.pop_back();
        const TreeNode &n = tree.nodes[static_cast<std::size_t>(node)];
        NodeBox box;
        box.node = node;
        box.depth = depth;
        box.hidden = !n.isLeaf() && isCollapsed(node) ? nodesBelow(tree, node) : 0;
        const std::vector<std::string> lines = boxLines(tree, node, box.hidden);
        double textWidth = 0;
        for (const std::string &line : lines)
            textWidth = std::max(textWidth, measure(line));
        box.width = std::max(style.smallestWidth, textWidth + 2 * style.padding);
        box.height = static_cast<double>(lines.size()) * style.lineHeight + 2 * style.padding;
        const int index = static_cast<int>(layout.boxes.size());
        layout.boxOf[static_cast<std::size_t>(node)] = index;
        layout.boxes.push_back(box);
        kids.emplace_back();
        if (n.parent >= 0)
            kids[static_cast<std::size_t>(layout.boxOf[static_cast<std::size_t>(n.parent)])]
                .push_back(index);
        if (box.hidden == 0)
            for (auto child = n.children.rbegin(); child != n.children.rend(); ++child)
                pending.emplace_back(*child, depth + 1);
    }
    const std::size_t count = layout.boxes.size();
    // Column widths bottom-up: children come after their parent in box order.
    std::vector<double> column(count, 0);
    std::vector<double> childSpan(count, 0);
    int deepest = 0;
    for (std::size_t b = count; b-- > 0;) {
        for (const int kid : kids[b])
            childSpan[b] += column[static_cast<std::size_t>(kid)];
        if (!kids[b].empty())
            childSpan[b] += style.columnGap * static_cast<double>(kids[b].size() - 1);
        column[b] = std::max(layout.boxes[b].width, childSpan[b]);
        deepest = std::max(deepest, layout.boxes[b].depth);
    }
    // Row heights: the tallest box of each depth.
    std::vector<double> rowTop(static_cast<std::size_t>(deepest) + 2, 0);
    std::vector<double> rowHeight(static_cast<std::size_t>(deepest) + 1, 0);
    for (const NodeBox &box : layout.boxes)
        rowHeight[static_cast<std::size_t>(box.depth)] =
            std::max(rowHeight[static_cast<std::size_t>(box.depth)], box.height);
    for (std::size_t d = 0; d < rowHeight.size(); ++d)
        rowTop[d + 1] = rowTop[d] + rowHeight[d] + style.rowGap;
    // Left edges top-down; a parent is placed once its children are, so the
    // positions are set in reverse box order after the columns' edges.
    std::vector<double> left(count, 0);
    for (std::size_t b = 0; b < count; ++b) {
        double x = left[b] + (column[b] - childSpan[b]) / 2;
        for (const int kid : kids[b]) {
            left[static_cast<std::size_t>(kid)] = x;
            x += column[static_cast<std::size_t>(kid)] + style.columnGap;
        }
    }
    for (std::size_t b = count; b-- > 0;) {
        NodeBox &box = layout.boxes[b];
        double centre = left[b] + column[b] / 2;
        if (!kids[b].empty()) {
            const NodeBox &first = layout.boxes[static_cast<std::size_t>(kids[b].front())];
            const NodeBox &last = layout.boxes[static_cast<std::size_t>(kids[b].back())];
            centre = std::clamp((first.centreX() + last.centreX()) / 2, left[b] + box.width / 2,
                                left[b] + column[b] - box.width / 2);
        }
        box.x = centre - box.width / 2;
        box.y = rowTop[static_cast<std::size_t>(box.depth)] +
                (rowHeight[static_cast<std::size_t>(box.depth)] - box.height) / 2;
    }
    layout.width = column[0];
    layout.height = rowTop[static_cast<std::size_t>(deepest) + 1] - style.rowGap;
    return layout;
}

std::vector<bool> collapsedBelow(const DecisionTree &tree, int depth) {
    std::vector<bool> collapsed(tree.nodes.size(), false);
    std::vector<int> depths(tree.nodes.size(), 0);
    for (std::size_t n = 1; n < tree.nodes.size(); ++n)
        depths[n] = depths[static_cast<std::size_t>(tree.nodes[n].parent)] + 1;
    for (std::size_t n = 0; n < tree.nodes.size(); ++n)
        collapsed[n] = depths[n] >= depth && !tree.nodes[n].isLeaf();
    return collapsed;
}

int depthThatFits(const DecisionTree &tree, const TextMeasure &measure, double width, double height,
                  double minimumScale) {
    int depth = 1;
    for (int next = 2;; ++next) {
        const std::vector<bool> collapsed = collapsedBelow(tree, next);
        const TreeLayout layout = layoutTree(tree, collapsed, measure);
        if (layout.width * minimumScale > width || layout.height * minimumScale > height)
            return depth;
        depth = next;
        if (std::none_of(collapsed.begin(), collapsed.end(), [](bool c) { return c; }))
            return depth;
    }
}

void reveal(const DecisionTree &tree, int node, std::vector<bool> &collapsed) {
    collapsed.resize(tree.nodes.size(), false);
    for (int n = tree.nodes[static_cast<std::size_t>(node)].parent; n >= 0;
         n = tree.nodes[static_cast<std::size_t>(n)].parent)
        collapsed[static_cast<std::size_t>(n)] = false;
}

std::vector<int> nodesTesting(const DecisionTree &tree, const std::string &word) {
    std::vector<int> found;
    for (std::size_t n = 0; n < tree.nodes.size(); ++n)
        if (!tree.nodes[n].isLeaf() && tree.nodes[n].attribute == word)
            found.push_back(static_cast<int>(n));
    return found;
}

int boxAt(const TreeLayout &layout, double x, double y) {
    for (std::size_t b = 0; b < layout.boxes.size(); ++b) {
        const NodeBox &box = layout.boxes[b];
        if (x >= box.x && x <= box.x + box.width && y >= box.y && y <= box.y + box.height)
            return static_cast<int>(b);
    }
    return -1;
}

std::string describeBoxes(const TreeLayout &layout) {
    std::string text;
    for (const NodeBox &box : layout.boxes) {
        text +=
            (text.empty() ? "" : " ") + std::to_string(box.node) + "@" + std::to_string(box.depth);
        if (box.hidden > 0)
            text += "+" + std::to_string(box.hidden);
    }
    return text;
}
