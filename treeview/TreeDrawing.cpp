// Text uses cairo's own font selection, as the series chart does, so the
// picture needs nothing beyond cairo on screen and in files alike.
#include "treeview/TreeDrawing.h"


#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <unordered_map>

namespace {

using Context = Cairo::RefPtr<Cairo::Context>;

constexpr double boxFontSize = 12;
constexpr double edgeFontSize = 10;
constexpr double legendFontSize = 11;
constexpr double legendRow = 16;
constexpr double margin = 10;
// Below this many pixels a line of text cannot be read: boxes go without.
constexpr double smallestReadableLine = 6;
constexpr int largestPicture = 32767; // cairo's limit on a side

const LayoutStyle style;

void setFont(const Context &cr, double size) {
    cr->select_font_face("Sans", Cairo::FONT_SLANT_NORMAL, Cairo::FONT_WEIGHT_NORMAL);
    cr->set_font_size(size);
}

// Draws text centred on x with its vertical middle at y.
void centredText(const Context &cr, const std::string &text, double x, double y) {
    Cairo::TextExtents extents;
    cr->get_text_extents(text, extents);
    Cairo::FontExtents font;
    cr->get_font_extents(font);
    cr->move_to(x - extents.x_advance / 2, y + (font.ascent - font.descent) / 2);
    cr->show_text(text);
}

void setColour(const Context &cr, const TreeColour &colour) {
    cr->set_source_rgb(colour.red, colour.green, colour.blue);
}

// A colour from the hue circle, lightened so that black text reads on it.
TreeColour hueColour(std::size_t index) {
    const double hue = std::fmod(0.08 + 0.618034 * static_cast<double>(index), 1.0) * 6;
    const double value = index % 2 == 0 ? 0.95 : 0.82;
    const double saturation = index % 3 == 2 ? 0.35 : 0.5;
    const double f = hue - std::floor(hue);
    const double p = value * (1 - saturation);
    const double q = value * (1 - saturation * f);
    const double t = value * (1 - saturation * (1 - f));
    switch (static_cast<int>(hue)) {
    case 0:
        return {value, t, p};
    case 1:
        return {q, value, p};
    case 2:
        return {p, value, t};
    case 3:
        return {p, q, value};
    case 4:
        return {t, p, value};
    default:
        return {value, p, q};
    }
}

bool overlaps(double x0, double y0, double x1, double y1, double left, double top, double right,
              double bottom) {
    return x1 >= left && x0 <= right && y1 >= top && y0 <= bottom;
}

// The legend's entries go down in columns as high as the picture allows.
struct LegendShape {
    std::size_t rows = 0;
    double columnWidth = 0;
    double width = 0, height = 0;
};

LegendShape legendShape(const Context &cr, const CategoryColours &colours, double height) {
    LegendShape shape;
    if (colours.categories.empty())
        return shape;
    setFont(cr, legendFontSize);
    double textWidth = 0;
    for (const std::string &category : colours.categories) {
        Cairo::TextExtents extents;
        cr->get_text_extents(category, extents);
        textWidth = std::max(textWidth, extents.x_advance);
    }
    shape.rows = std::max<std::size_t>(
        1, std::min(colours.categories.size(),
                    static_cast<std::size_t>((height - 2 * margin - 8) / legendRow)));
    const std::size_t columns = (colours.categories.size() + shape.rows - 1) / shape.rows;
    shape.columnWidth = 14 + 6 + textWidth + 10;
    shape.width = static_cast<double>(columns) * shape.columnWidth + 8;
    shape.height = static_cast<double>(shape.rows) * legendRow + 8;
    return shape;
}

void drawLegend(const Context &cr, const CategoryColours &colours, double width, double height) {
    if (colours.categories.empty())
        return;
    const LegendShape shape = legendShape(cr, colours, height);
    const std::size_t rows = shape.rows;
    const double columnWidth = shape.columnWidth;
    const double boxWidth = shape.width;
    const double boxHeight = shape.height;
    const double left = width - margin - boxWidth;
    cr->rectangle(left, margin, boxWidth, boxHeight);
    cr->set_source_rgba(1, 1, 1, 0.92);
    cr->fill_preserve();
    cr->set_source_rgb(0.6, 0.6, 0.6);
    cr->set_line_width(1);
    cr->stroke();
    for (std::size_t i = 0; i < colours.categories.size(); ++i) {
        const double x = left + 4 + static_cast<double>(i / rows) * columnWidth;
        const double y = margin + 4 + static_cast<double>(i % rows) * legendRow;
        cr->rectangle(x, y + 2, 14, legendRow - 4);
        setColour(cr, colours.colours[i]);
        cr->fill_preserve();
        cr->set_source_rgb(0.3, 0.3, 0.3);
        cr->stroke();
        cr->set_source_rgb(0.1, 0.1, 0.1);
        Cairo::FontExtents font;
        cr->get_font_extents(font);
        cr->move_to(x + 20, y + legendRow / 2 + (font.ascent - font.descent) / 2);
        cr->show_text(colours.categories[i]);
    }
}

std::string dotEscaped(const std::string &text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '"' || c == '\\')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

std::string hexColour(const TreeColour &colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<int>(colour.red * 255 + 0.5),
                  static_cast<int>(colour.green * 255 + 0.5),
                  static_cast<int>(colour.blue * 255 + 0.5));
    return text;
}

} // namespace


CategoryColours::CategoryColours(const DecisionTree &tree) {
    for (const TreeNode &node : tree.nodes)
        if (node.isLeaf())
            categories.push_back(node.category);
    std::sort(categories.begin(), categories.end());
    categories.erase(std::unique(categories.begin(), categories.end()), categories.end());
    for (std::size_t i = 0; i < categories.size(); ++i)
        colours.push_back(hueColour(i));
}

TreeColour CategoryColours::of(const std::string &category) const {
    const auto found = std::lower_bound(categories.begin(), categories.end(), category);
    if (found == categories.end() || *found != category)
        return {1, 1, 1};
    return colours[static_cast<std::size_t>(found - categories.begin())];
}

// Words and categories recur all over a tree, so each text is measured once.
TextMeasure cairoTextMeasure() {
    const auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_A8, 1, 1);
    const Context cr = Cairo::Context::create(surface);
    setFont(cr, boxFontSize);
    auto widths = std::make_shared<std::unordered_map<std::string, double>>();
    return [cr, widths](const std::string &text) {
        const auto found = widths->find(text);
        if (found != widths->end())
            return found->second;
        Cairo::TextExtents extents;
        cr->get_text_extents(text, extents);
        return widths->emplace(text, extents.x_advance).first->second;
    };
}

double legendWidth(const DecisionTree &tree, double height) {
    const auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_A8, 1, 1);
    const LegendShape shape =
        legendShape(Cairo::Context::create(surface), CategoryColours(tree), height);
    return shape.width > 0 ? shape.width + margin : 0;
}

TreeView fitView(const TreeLayout &layout, double width, double height) {
    TreeView view;
    const double w = std::max(1.0, layout.width);
    const double h = std::max(1.0, layout.height);
    view.scale = std::min({1.0, (width - 2 * margin) / w, (height - 2 * margin) / h});
    view.scale = std::max(view.scale, 1e-6);
    view.originX = (w - width / view.scale) / 2;
    view.originY = -margin / view.scale;
    return view;
}

void drawTree(const Context &cr, const DecisionTree &tree, const TreeLayout &layout,
              const TreeView &view, double width, double height, const DrawOptions &options) {
    cr->save();
    cr->set_source_rgb(1, 1, 1);
    cr->paint();
    const CategoryColours colours(tree);
    const double left = view.originX, top = view.originY;
    const double right = left + width / view.scale, bottom = top + height / view.scale;
    const bool readable = style.lineHeight * view.scale >= smallestReadableLine;
    cr->save();
    cr->scale(view.scale, view.scale);
    cr->translate(-view.originX, -view.originY);
    cr->set_line_width(1 / std::max(view.scale, 0.2));

    // Edges, with their tests half-way down.
    setFont(cr, edgeFontSize);
    for (const NodeBox &box : layout.boxes) {
        const TreeNode &node = tree.nodes[static_cast<std::size_t>(box.node)];
        if (node.parent < 0)
            continue;
        const NodeBox &parent = layout.boxes[static_cast<std::size_t>(
            layout.boxOf[static_cast<std::size_t>(node.parent)])];
        const double x0 = parent.centreX(), y0 = parent.y + parent.height;
        const double x1 = box.centreX(), y1 = box.y;
        if (!overlaps(std::min(x0, x1), y0, std::max(x0, x1), y1, left, top, right, bottom))
            continue;
        cr->move_to(x0, y0);
        cr->line_to(x1, y1);
        cr->set_source_rgb(0.55, 0.55, 0.55);
        cr->stroke();
        if (readable) {
            cr->set_source_rgb(0.15, 0.15, 0.35);
            centredText(cr, node.test, x0 + (x1 - x0) * 0.6, y0 + (y1 - y0) * 0.6);
        }
    }

    setFont(cr, boxFontSize);
    std::vector<bool> marked(tree.nodes.size(), false);
    for (const int node : options.marked)
        if (node >= 0 && static_cast<std::size_t>(node) < marked.size())
            marked[static_cast<std::size_t>(node)] = true;
    for (const NodeBox &box : layout.boxes) {
        if (!overlaps(box.x, box.y, box.x + box.width, box.y + box.height, left, top, right,
                      bottom))
            continue;
        const TreeNode &node = tree.nodes[static_cast<std::size_t>(box.node)];
        cr->rectangle(box.x, box.y, box.width, box.height);
        if (node.isLeaf())
            setColour(cr, colours.of(node.category));
        else if (box.hidden > 0)
            cr->set_source_rgb(1.0, 0.95, 0.77);
        else
            cr->set_source_rgb(0.93, 0.93, 0.93);
        cr->fill_preserve();
        const bool selected = box.node == options.selected;
        if (selected)
            cr->set_source_rgb(0.85, 0.1, 0.1);
        else if (marked[static_cast<std::size_t>(box.node)])
            cr->set_source_rgb(0.1, 0.3, 0.85);
        else
            cr->set_source_rgb(0.35, 0.35, 0.35);
        const double frame = selected ? 4 : marked[static_cast<std::size_t>(box.node)] ? 3 : 1;
        cr->set_line_width(frame / std::max(view.scale, 0.2));
        cr->stroke();
        if (!readable)
            continue;
        cr->set_source_rgb(0.05, 0.05, 0.05);
        const std::vector<std::string> lines = boxLines(tree, box.node, box.hidden);
        for (std::size_t i = 0; i < lines.size(); ++i)
            centredText(cr, lines[i], box.centreX(),
                        box.y + style.padding + (static_cast<double>(i) + 0.5) * style.lineHeight);
    }
    cr->restore();
    if (options.legend)
        drawLegend(cr, colours, width, height);
    cr->restore();
}

void writeTreePicture(const std::string &path, const DecisionTree &tree, const TreeLayout &layout,
                      const TreeView &view, int width, int height, const DrawOptions &options) {
    checkPictureName("picture", path);
    if (width <= 0 || height <= 0 || width > largestPicture || height > largestPicture)
        throw pictureError("picture", path,
                           "the size must be from 1 to " + std::to_string(largestPicture) +
                               " pixels a side, not " + std::to_string(width) + "x" +
                               std::to_string(height));
    writePicture("picture", path, width, height, [&](const Cairo::RefPtr<Cairo::Context> &cr) {
        drawTree(cr, tree, layout, view, width, height, options);
    });
}

void writeTreeDot(std::ostream &out, const DecisionTree &tree, const std::vector<bool> &collapsed) {
    const CategoryColours colours(tree);
    out << "digraph tree {\n  node [shape=box, fontname=\"Sans\"];\n";
    if (tree.nodes.empty()) {
        out << "}\n";
        return;
    }
    std::vector<int> pending{0};
    while (!pending.empty()) {
        const int index = pending.back();
        pending.pop_back();
        const TreeNode &node = tree.nodes[static_cast<std::size_t>(index)];
        const bool hides = !node.isLeaf() && static_cast<std::size_t>(index) < collapsed.size() &&
                           collapsed[static_cast<std::size_t>(index)];
        std::string label;
        for (const std::string &line : boxLines(tree, index, hides ? nodesBelow(tree, index) : 0))
            label += (label.empty() ? "" : "\\n") + dotEscaped(line);
        out << "  n" << index << " [label=\"" << label << '"';
        if (node.isLeaf())
            out << ", style=filled, fillcolor=\"" << hexColour(colours.of(node.category)) << '"';
        out << "];\n";
        if (node.parent >= 0)
            out << "  n" << node.parent << " -> n" << index << " [label=\"" << dotEscaped(node.test)
                << "\"];\n";
        if (!hides)
            for (auto child = node.children.rbegin(); child != node.children.rend(); ++child)
                pending.push_back(*child);
    }
    out << "}\n";
}
