// The chart of an experiment series: how the test error and the tree size
// after pruning change with the number of attributes, one line per group of
// the other settings. One routine draws it on any cairo context, so the
// workbench window, the SVG and the PNG files show the same picture.
#pragma once

#include <cairomm/context.h>
#include <string>
#include <vector>

// One run of a series, all figures after pruning.
struct SeriesPoint {
    double attributes = 0;       // words selected as attributes
    double testErrorPercent = 0; // error on the test set, 0 to 100
    double treeSize = 0;         // nodes of the pruned tree
};

struct SeriesLine {
    std::string label;               // UTF-8, shown in the legend
    std::vector<SeriesPoint> points; // any order: they are joined by attributes
};

struct SeriesChart {
    std::string title; // UTF-8; an empty title leaves its room to the panels
    std::vector<SeriesLine> lines;
};

// Draws the chart into the rectangle (0, 0, width, height) of cr on a white
// background, leaving the context's state as it was: a panel of the test
// error (%) above a panel of the tree size, both against the number of
// attributes on a logarithmic axis, with the legend under them. The error
// and size axes are fitted to the values shown; a panel whose axis does not
// start at 0 says so in its heading ("... — os počinje od 35"). The values
// at the axes' ends lie inside the frame, never on it.
//
// Points are joined in order of attributes, each marked. A point without a
// positive number of attributes has no place on the logarithmic axis and is
// left out of both panels; a note under the panels counts such points. A
// value that is not a finite non-negative number is left out of its own
// panel only, and the line is broken there. A chart without points draws
// its axes and says that there is nothing to show.
void drawSeriesChart(const Cairo::RefPtr<Cairo::Context> &cr, const SeriesChart &chart,
                     double width, double height);

// Writes the chart as a picture of width x height pixels, as SVG or PNG by
// the extension of path (".svg" or ".png", in any case). The file is
// replaced as AtomicFile replaces one: written under a temporary name and
// renamed over the file once complete, so a failure never leaves a partial
// file, and a link keeps pointing at the new picture. Throws
// std::runtime_error naming path and the reason for any other extension, a
// size that is not positive, or a file that cannot be written.
void writeSeriesChart(const SeriesChart &chart, const std::string &path, int width = 800,
                      int height = 600);
