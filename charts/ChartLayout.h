// Where the series chart puts its parts, worked out once for drawing and
// exposed so that a caller can find a point or a legend entry on the picture.
#pragma once

#include "charts/AxisTicks.h"
#include "charts/SeriesChart.h"

#include <cstddef>
#include <string>
#include <vector>

struct ChartRectangle {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    bool contains(double px, double py) const;
};

struct ChartColour {
    double red = 0; // each 0 to 1
    double green = 0;
    double blue = 0;
};

// The values at the ends of an axis lie this many pixels inside the plot's
// frame, so that no point or its marker sits on the frame.
constexpr double plotInset = 8;

struct SeriesChartLayout {
    ChartRectangle errorPlot; // the axes' frame of the test-error panel
    ChartRectangle sizePlot;  // the same for the tree-size panel, below it
    AxisTicks attributeTicks; // shared by both panels, logarithmic
    AxisTicks errorTicks;     // fitted to the errors shown, from 0 or above it
    AxisTicks sizeTicks;      // the same for the tree sizes
    std::string errorHeading; // the panels' headings, each with where its axis
    std::string sizeHeading;  // starts when that is not 0
    std::vector<ChartRectangle> legendSwatches; // one per line, in line order
    std::vector<std::string> legendLabels;      // the lines' labels, cut short with "…" to fit
    double legendFontSize = 0;               // smaller than usual when many lines share the height
    std::size_t pointsWithoutAttributes = 0; // left out of both panels
};

// The layout drawSeriesChart uses for chart at this size; cr is only asked
// for text sizes and is left as it was.
SeriesChartLayout layoutSeriesChart(const Cairo::RefPtr<Cairo::Context> &cr,
                                    const SeriesChart &chart, double width, double height);

// The colour of line index, dark enough to stand out against the white
// background and the grey grid. Ten colours take turns; lines
// that share a colour differ in their marker up to the twentieth line.
ChartColour seriesColour(std::size_t index);
