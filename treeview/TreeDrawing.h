// Drawing a laid-out tree with cairo, on screen and into SVG and PNG files,
// and writing it in Graphviz's DOT language.
#pragma once

#include "charts/PictureFile.h"
#include "treeview/TreeLayout.h"

#include <cairomm/context.h>

#include <ostream>
#include <string>
#include <vector>

struct TreeColour {
    double red = 0, green = 0, blue = 0; // each 0 to 1
};

// The categories of the tree's leaves in name order, each with its colour:
// neighbours differ in hue and lightness.
struct CategoryColours {
    std::vector<std::string> categories;
    std::vector<TreeColour> colours;

    explicit CategoryColours(const DecisionTree &tree);
    TreeColour of(const std::string &category) const;
};

// The layout's text measure for the drawing's font.
TextMeasure cairoTextMeasure();

// The room the legend of the tree's categories takes at the right of a
// picture of this height, so that a picture can keep it free of the tree.
double legendWidth(const DecisionTree &tree, double height);

// How the layout maps onto the picture: picture = (layout - origin) * scale.
struct TreeView {
    double scale = 1;
    double originX = 0, originY = 0;
};

// The view that shows the whole layout in width x height, with a margin, at
// a scale of at most 1.
TreeView fitView(const TreeLayout &layout, double width, double height);

struct DrawOptions {
    std::vector<int> marked; // nodes drawn with a thick frame (a path, a word found)
    int selected = -1;       // a node drawn with a thicker, red frame
    bool legend = true;
};

// Draws the boxes of layout that fall into the picture (0, 0, width, height)
// on a white background, each edge with its test, leaves filled with their
// category's colour, and the legend of the categories in the top right
// corner. Boxes outside the picture are not drawn; below a scale at which
// text cannot be read, boxes are drawn without their text.
void drawTree(const Cairo::RefPtr<Cairo::Context> &cr, const DecisionTree &tree,
              const TreeLayout &layout, const TreeView &view, double width, double height,
              const DrawOptions &options = DrawOptions());


// Writes the picture drawTree makes as an SVG or PNG file of width x height
// pixels, by path's extension (".svg", ".png", any case), replaced as
// AtomicFile replaces a file. Throws std::runtime_error naming path and the
// reason for another extension, a size that is not positive (or too big
// for a picture) or a file that cannot be written.
void writeTreePicture(const std::string &path, const DecisionTree &tree, const TreeLayout &layout,
                      const TreeView &view, int width, int height,
                      const DrawOptions &options = DrawOptions());

// The visible part of the tree (collapsed as in the vector) as a DOT
// digraph: "n0 [label=\"wheat\"]", leaves filled with their category's
// colour, edges labelled with their tests; a collapsed node's label counts
// its hidden nodes.
void writeTreeDot(std::ostream &out, const DecisionTree &tree, const std::vector<bool> &collapsed);
