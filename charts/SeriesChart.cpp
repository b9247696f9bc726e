// Layout and drawing of the series chart. Everything is placed from the
// rectangles of the two plots, so the picture on screen and in the files
// differs only in size. Text uses cairo's own font selection, which needs
// nothing beyond cairo and covers the Croatian letters with any common
// sans-serif font.
#include "charts/ChartLayout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <limits>

namespace {

struct Font {
    double size;
    bool bold;
};

constexpr Font titleFont{17, true};
constexpr Font headingFont{13, true};
constexpr Font axisFont{12, false};
constexpr Font tickFont{11, false};
constexpr Font noteFont{11, false};
constexpr double legendSize = 12;
constexpr double smallestLegendSize = 6;
constexpr double smallestHeadingSize = 8;

const char *const errorHeading = "Pogreška na testnom skupu nakon podrezivanja (%)";
const char *const sizeHeading = "Veličina stabla nakon podrezivanja";
const char *const attributeLabel = "Broj atributa";
const char *const noDataText = "Nema točaka za prikaz";
const char *const axisStartNote = " — os počinje od ";
const char *const omittedNote = "Izostavljene točke bez atributa: ";
const char *const ellipsis = "…";

constexpr double margin = 14;
constexpr double tickLength = 5;
constexpr double panelGap = 12;
constexpr double legendColumnGap = 24;
constexpr double legendSpace = 6;       // between the axis label and the legend
constexpr double legendShare = 1.0 / 3; // of the height, at most
constexpr double swatchLength = 30;
constexpr double swatchTextGap = 8;
constexpr double markerRadius = 4.5;
constexpr double dataLineWidth = 2;

// Text and frame greys, as shares of white.
constexpr double textGrey = 0.1;
constexpr double noteGrey = 0.4;
constexpr double frameGrey = 0.45;
constexpr double gridGrey = 0.88;

// A qualitative palette whose neighbours differ in hue and lightness.
constexpr std::array<ChartColour, 10> palette{{
    {0.122, 0.467, 0.706}, // blue
    {1.000, 0.498, 0.055}, // orange
    {0.173, 0.627, 0.173}, // green
    {0.839, 0.153, 0.157}, // red
    {0.580, 0.404, 0.741}, // purple
    {0.549, 0.337, 0.294}, // brown
    {0.890, 0.467, 0.761}, // pink
    {0.498, 0.498, 0.498}, // grey
    {0.737, 0.741, 0.133}, // olive
    {0.090, 0.745, 0.812}, // cyan
}};

enum class Marker { circle, square, triangle, diamond };
constexpr int markerKinds = 4;

using Context = Cairo::RefPtr<Cairo::Context>;

void setFont(const Context &cr, const Font &font) {
    cr->select_font_face("Sans", Cairo::FONT_SLANT_NORMAL,
                         font.bold ? Cairo::FONT_WEIGHT_BOLD : Cairo::FONT_WEIGHT_NORMAL);
    cr->set_font_size(font.size);
}

double textWidth(const Context &cr, const Font &font, const std::string &text) {
    setFont(cr, font);
    Cairo::TextExtents extents;
    cr->get_text_extents(text, extents);
    return extents.x_advance;
}

double lineHeight(const Context &cr, const Font &font) {
    setFont(cr, font);
    Cairo::FontExtents extents;
    cr->get_font_extents(extents);
    return extents.height;
}

// Draws one line of text whose vertical middle is at y; align is the share
// of its width left of x (0 starts it there, 0.5 centres it, 1 ends it).
void drawText(const Context &cr, const Font &font, const std::string &text, double x, double y,
              double align) {
    setFont(cr, font);
    Cairo::TextExtents extents;
    cr->get_text_extents(text, extents);
    Cairo::FontExtents fontExtents;
    cr->get_font_extents(fontExtents);
    cr->move_to(x - align * extents.x_advance, y + (fontExtents.ascent - fontExtents.descent) / 2);
    cr->show_text(text);
}

// The heights of the text rows around the plots, shared by layout and drawing.
struct Rows {
    double title;
    double heading;
    double ticks; // tick marks and their labels under a plot
    double axisLabel;
    double note;
};

Rows rowsFor(const Context &cr, const SeriesChart &chart, bool withNote) {
    Rows rows;
    rows.title = chart.title.empty() ? 0 : 1.6 * lineHeight(cr, titleFont);
    rows.heading = 1.5 * lineHeight(cr, headingFont);
    rows.ticks = tickLength + 3 + lineHeight(cr, tickFont);
    rows.axisLabel = 1.5 * lineHeight(cr, axisFont) + legendSpace;
    rows.note = withNote ? 1.4 * lineHeight(cr, noteFont) : 0;
    return rows;
}

bool onLogAxis(const SeriesPoint &point) {
    return point.attributes > 0 && std::isfinite(point.attributes);
}

bool drawable(double value) {
    return std::isfinite(value) && value >= 0;
}

// The points of a line that have a place on the logarithmic axis, left to right.
std::vector<SeriesPoint> placedPoints(const SeriesLine &line) {
    std::vector<SeriesPoint> points;
    std::copy_if(line.points.begin(), line.points.end(), std::back_inserter(points), onLogAxis);
    std::stable_sort(points.begin(), points.end(), [](const SeriesPoint &a, const SeriesPoint &b) {
        return a.attributes < b.attributes;
    });
    return points;
}

// Drops whole characters from the end of text until it and an ellipsis fit
// into width.
std::string shortened(const Context &cr, const Font &font, std::string text, double width) {
    if (textWidth(cr, font, text) <= width)
        return text;
    while (!text.empty()) {
        std::size_t end = text.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
        text.erase(end);
        if (textWidth(cr, font, text + ellipsis) <= width)
            break;
    }
    return text + ellipsis;
}

// Draws a title or heading within width: in a smaller font where it does
// not fit, and cut short where even that is too wide.
void drawFitted(const Context &cr, Font font, const std::string &text, double x, double y,
                double width, double align) {
    while (font.size > smallestHeadingSize && textWidth(cr, font, text) > width)
        --font.size;
    drawText(cr, font, shortened(cr, font, text, width), x, y, align);
}

// The legend's grid: entries in rows of equal columns, as many columns as the
// widest entry allows, spread over the rows evenly. When the rows would take
// more than a third of the height, more and narrower columns cut the labels
// short, and where that leaves too little of them the font shrinks.
struct Legend {
    Font font{legendSize, false};
    std::size_t columns = 1;
    std::size_t rows = 0;
    double rowHeight = 0;
    double columnWidth = 0;
    double textWidth = 0; // room for a label
};

Legend legendFor(const Context &cr, const SeriesChart &chart, double width, double height) {
    Legend legend;
    const std::size_t lines = chart.lines.size();
    if (lines == 0)
        return legend;
    const double entryExtra = swatchLength + swatchTextGap + legendColumnGap;
    for (double size = legendSize;; --size) {
        legend.font.size = size;
        legend.rowHeight = 1.5 * size;
        double widest = 0;
        for (const SeriesLine &line : chart.lines)
            widest = std::max(widest, textWidth(cr, legend.font, line.label));
        const auto maxRows = static_cast<std::size_t>(
            std::max(1.0, std::floor(height * legendShare / legend.rowHeight)));
        const auto fit = static_cast<std::size_t>(
            std::max(1.0, std::floor((width + legendColumnGap) / (widest + entryExtra))));
        const std::size_t columns = std::max(fit, (lines + maxRows - 1) / maxRows);
        legend.rows = (lines + columns - 1) / columns;
        legend.columns = (lines + legend.rows - 1) / legend.rows;
        legend.columnWidth =
            std::min(widest + entryExtra, (width + legendColumnGap) / legend.columns);
        legend.textWidth = std::max(0.0, legend.columnWidth - entryExtra);
        if (legend.textWidth >= std::min(widest, 8 * size) || size <= smallestLegendSize)
            return legend;
    }
}

struct Panel {
    const std::string &heading;
    double SeriesPoint::*value;
    const ChartRectangle &plot;
    const AxisTicks &ticks;
};

double xPosition(const ChartRectangle &plot, const AxisTicks &ticks, double value) {
    return plot.x + plotInset +
           std::log(value / ticks.low) / std::log(ticks.high / ticks.low) *
               (plot.width - 2 * plotInset);
}

double yPosition(const ChartRectangle &plot, const AxisTicks &ticks, double value) {
    return plot.y + plot.height - plotInset -
           (value - ticks.low) / (ticks.high - ticks.low) * (plot.height - 2 * plotInset);
}

// A panel's heading says where its axis starts when that is not 0, since
// the differences then look larger than they are.
std::string heading(const char *text, const AxisTicks &ticks) {
    return ticks.low > 0 ? text + std::string(axisStartNote) + tickLabel(ticks.low) : text;
}

// The middle of the pixel a one-pixel line at this coordinate should fill.
double crisp(double coordinate) {
    return std::floor(coordinate) + 0.5;
}

void setColour(const Context &cr, const ChartColour &colour) {
    cr->set_source_rgb(colour.red, colour.green, colour.blue);
}

void markerPath(const Context &cr, Marker marker, double x, double y) {
    switch (marker) {
    case Marker::circle:
        cr->arc(x, y, markerRadius, 0, 2 * M_PI);
        break;
    case Marker::square:
        cr->rectangle(x - 0.85 * markerRadius, y - 0.85 * markerRadius, 1.7 * markerRadius,
                      1.7 * markerRadius);
        break;
    case Marker::triangle:
        cr->move_to(x, y - 1.2 * markerRadius);
        cr->line_to(x + 1.1 * markerRadius, y + 0.75 * markerRadius);
        cr->line_to(x - 1.1 * markerRadius, y + 0.75 * markerRadius);
        break;
    case Marker::diamond:
        cr->move_to(x, y - 1.25 * markerRadius);
        cr->line_to(x + 1.1 * markerRadius, y);
        cr->line_to(x, y + 1.25 * markerRadius);
        cr->line_to(x - 1.1 * markerRadius, y);
        break;
    }
    cr->close_path();
}

// A filled marker with a thin white rim, so that markers on top of each
// other stay apart.
void drawMarker(const Context &cr, std::size_t line, double x, double y) {
    markerPath(cr, static_cast<Marker>(line % markerKinds), x, y);
    setColour(cr, seriesColour(line));
    cr->fill_preserve();
    cr->set_source_rgb(1, 1, 1);
    cr->set_line_width(1);
    cr->stroke();
}

void drawAxes(const Context &cr, const Panel &panel, const AxisTicks &xTicks) {
    const ChartRectangle &plot = panel.plot;
    const double bottom = plot.y + plot.height;
    const double right = plot.x + plot.width;
    cr->set_line_width(1);
    cr->set_source_rgb(gridGrey, gridGrey, gridGrey);
    for (const double value : xTicks.values) {
        const double x = crisp(xPosition(plot, xTicks, value));
        cr->move_to(x, plot.y);
        cr->line_to(x, bottom);
    }
    for (const double value : panel.ticks.values) {
        const double y = crisp(yPosition(plot, panel.ticks, value));
        cr->move_to(plot.x, y);
        cr->line_to(right, y);
    }
    cr->stroke();

    cr->set_source_rgb(frameGrey, frameGrey, frameGrey);
    cr->rectangle(crisp(plot.x), crisp(plot.y), std::round(plot.width), std::round(plot.height));
    for (const double value : xTicks.values) {
        const double x = crisp(xPosition(plot, xTicks, value));
        cr->move_to(x, crisp(bottom));
        cr->line_to(x, crisp(bottom) + tickLength);
    }
    for (const double value : panel.ticks.values) {
        const double y = crisp(yPosition(plot, panel.ticks, value));
        cr->move_to(crisp(plot.x), y);
        cr->line_to(crisp(plot.x) - tickLength, y);
    }
    cr->stroke();

    cr->set_source_rgb(textGrey, textGrey, textGrey);
    for (const double value : panel.ticks.values)
        drawText(cr, tickFont, tickLabel(value), plot.x - tickLength - 3,
                 yPosition(plot, panel.ticks, value), 1);
    // On a narrow plot a label that would run into the one before is left out.
    const double labelY = bottom + tickLength + 3 + lineHeight(cr, tickFont) / 2;
    double taken = -std::numeric_limits<double>::infinity();
    for (const double value : xTicks.values) {
        const std::string label = tickLabel(value);
        const double width = textWidth(cr, tickFont, label);
        const double x = xPosition(plot, xTicks, value);
        if (x - width / 2 < taken + 6)
            continue;
        drawText(cr, tickFont, label, x, labelY, 0.5);
        taken = x + width / 2;
    }
}

// Joins the points of each line where the panel's value is known and marks
// them; returns whether there was any point to draw.
bool drawLines(const Context &cr, const SeriesChart &chart, const Panel &panel,
               const AxisTicks &xTicks) {
    bool any = false;
    cr->set_line_join(Cairo::LINE_JOIN_ROUND);
    cr->set_line_cap(Cairo::LINE_CAP_ROUND);
    for (std::size_t line = 0; line < chart.lines.size(); ++line) {
        const std::vector<SeriesPoint> points = placedPoints(chart.lines[line]);
        bool joined = false;
        for (const SeriesPoint &point : points) {
            const double value = point.*panel.value;
            if (!drawable(value)) {
                joined = false;
                continue;
            }
            const double x = xPosition(panel.plot, xTicks, point.attributes);
            const double y = yPosition(panel.plot, panel.ticks, value);
            if (joined)
                cr->line_to(x, y);
            else
                cr->move_to(x, y);
            joined = true;
        }
        setColour(cr, seriesColour(line));
        cr->set_line_width(dataLineWidth);
        cr->stroke();
        for (const SeriesPoint &point : points) {
            const double value = point.*panel.value;
            if (!drawable(value))
                continue;
            drawMarker(cr, line, xPosition(panel.plot, xTicks, point.attributes),
                       yPosition(panel.plot, panel.ticks, value));
            any = true;
        }
    }
    return any;
}

void drawPanel(const Context &cr, const SeriesChart &chart, const Panel &panel,
               const AxisTicks &xTicks, const Rows &rows, double width) {
    cr->set_source_rgb(textGrey, textGrey, textGrey);
    drawFitted(cr, headingFont, panel.heading, panel.plot.x, panel.plot.y - rows.heading / 2,
               width - margin - panel.plot.x, 0);
    drawAxes(cr, panel, xTicks);
    if (drawLines(cr, chart, panel, xTicks))
        return;
    cr->set_source_rgb(noteGrey, noteGrey, noteGrey);
    drawText(cr, axisFont, noDataText, panel.plot.x + panel.plot.width / 2,
             panel.plot.y + panel.plot.height / 2, 0.5);
}

void drawLegend(const Context &cr, const SeriesChartLayout &layout) {
    const Font font{layout.legendFontSize, false};
    for (std::size_t line = 0; line < layout.legendSwatches.size(); ++line) {
        const ChartRectangle &swatch = layout.legendSwatches[line];
        const double y = swatch.y + swatch.height / 2;
        setColour(cr, seriesColour(line));
        cr->set_line_width(dataLineWidth);
        cr->move_to(swatch.x, y);
        cr->line_to(swatch.x + swatch.width, y);
        cr->stroke();
        drawMarker(cr, line, swatch.x + swatch.width / 2, y);
        cr->set_source_rgb(textGrey, textGrey, textGrey);
        drawText(cr, font, layout.legendLabels[line], swatch.x + swatch.width + swatchTextGap, y,
                 0);
    }
}

} // namespace

bool ChartRectangle::contains(double px, double py) const {
    return px >= x && px <= x + width && py >= y && py <= y + height;
}

ChartColour seriesColour(std::size_t index) {
    return palette[index % palette.size()];
}

SeriesChartLayout layoutSeriesChart(const Context &cr, const SeriesChart &chart, double width,
                                    double height) {
    SeriesChartLayout layout;
    double smallest = std::numeric_limits<double>::infinity();
    double largest = -smallest;
    double smallestError = std::numeric_limits<double>::infinity();
    double largestError = -smallestError;
    double smallestSize = smallestError;
    double largestSize = largestError;
    for (const SeriesLine &line : chart.lines)
        for (const SeriesPoint &point : line.points) {
            if (!onLogAxis(point)) {
                ++layout.pointsWithoutAttributes;
                continue;
            }
            smallest = std::min(smallest, point.attributes);
            largest = std::max(largest, point.attributes);
            if (drawable(point.testErrorPercent)) {
                smallestError = std::min(smallestError, point.testErrorPercent);
                largestError = std::max(largestError, point.testErrorPercent);
            }
            if (drawable(point.treeSize)) {
                smallestSize = std::min(smallestSize, point.treeSize);
                largestSize = std::max(largestSize, point.treeSize);
            }
        }
    layout.attributeTicks = logAxisTicks(smallest, largest);

    cr->save();
    const Rows rows = rowsFor(cr, chart, layout.pointsWithoutAttributes > 0);
    const Legend legend = legendFor(cr, chart, width - 2 * margin, height);
    layout.legendFontSize = legend.font.size;
    const double top = margin + rows.title + rows.heading;
    const double bothPlots = height - top - 2 * rows.ticks - panelGap - rows.heading -
                             rows.axisLabel - legend.rows * legend.rowHeight - rows.note - margin;
    const double plotHeight = std::max(1.0, bothPlots / 2);
    layout.errorPlot.y = top;
    layout.sizePlot.y = top + plotHeight + rows.ticks + panelGap + rows.heading;
    layout.errorPlot.height = layout.sizePlot.height = plotHeight;

    // A tick about every 30 pixels keeps the labels apart and the grid light;
    // on a low plot three steps still fit, and fewer would widen an axis
    // fitted to close values to several times their spread.
    const int intervals = std::max(3, static_cast<int>(plotHeight / 30));
    layout.errorTicks = linearAxisTicks(smallestError, largestError, intervals);
    layout.sizeTicks = linearAxisTicks(smallestSize, largestSize, intervals);
    layout.errorHeading = heading(errorHeading, layout.errorTicks);
    layout.sizeHeading = heading(sizeHeading, layout.sizeTicks);
    double labelWidth = 0;
    for (const AxisTicks *ticks : {&layout.errorTicks, &layout.sizeTicks})
        for (const double value : ticks->values)
            labelWidth = std::max(labelWidth, textWidth(cr, tickFont, tickLabel(value)));
    const double left = margin + labelWidth + tickLength + 3;
    // The last x label is centred plotInset inside the plot's right edge.
    const double right =
        width - margin -
        std::max(0.0,
                 textWidth(cr, tickFont, tickLabel(layout.attributeTicks.high)) / 2 - plotInset);
    layout.errorPlot.x = layout.sizePlot.x = left;
    layout.errorPlot.width = layout.sizePlot.width = std::max(1.0, right - left);

    // The legend lies under the axis label, centred under the plots where it fits.
    const double legendTop = layout.sizePlot.y + plotHeight + rows.ticks + rows.axisLabel;
    const double legendWidth = legend.columns * legend.columnWidth - legendColumnGap;
    const double legendLeft = std::max(
        margin, std::min(left + (right - left - legendWidth) / 2, width - margin - legendWidth));
    const double swatchHeight = std::min(2 * markerRadius + 3, legend.rowHeight);
    for (std::size_t line = 0; line < chart.lines.size(); ++line) {
        const double middle = legendTop + (line / legend.columns + 0.5) * legend.rowHeight;
        layout.legendSwatches.push_back({legendLeft + (line % legend.columns) * legend.columnWidth,
                                         middle - swatchHeight / 2, swatchLength, swatchHeight});
        layout.legendLabels.push_back(
            shortened(cr, legend.font, chart.lines[line].label, legend.textWidth));
    }
    cr->restore();
    return layout;
}

void drawSeriesChart(const Context &cr, const SeriesChart &chart, double width, double height) {
    const SeriesChartLayout layout = layoutSeriesChart(cr, chart, width, height);
    cr->save();
    cr->set_source_rgb(1, 1, 1);
    cr->paint();
    const Rows rows = rowsFor(cr, chart, layout.pointsWithoutAttributes > 0);
    cr->set_source_rgb(textGrey, textGrey, textGrey);
    if (!chart.title.empty())
        drawFitted(cr, titleFont, chart.title, width / 2, margin + rows.title / 2,
                   width - 2 * margin, 0.5);

    const Panel error{layout.errorHeading, &SeriesPoint::testErrorPercent, layout.errorPlot,
                      layout.errorTicks};
    const Panel size{layout.sizeHeading, &SeriesPoint::treeSize, layout.sizePlot, layout.sizeTicks};
    drawPanel(cr, chart, error, layout.attributeTicks, rows, width);
    drawPanel(cr, chart, size, layout.attributeTicks, rows, width);

    const ChartRectangle &lower = layout.sizePlot;
    const double below = lower.y + lower.height + rows.ticks;
    cr->set_source_rgb(textGrey, textGrey, textGrey);
    drawText(cr, axisFont, attributeLabel, lower.x + lower.width / 2,
             below + (rows.axisLabel - legendSpace) / 2, 0.5);
    if (layout.pointsWithoutAttributes > 0) {
        cr->set_source_rgb(noteGrey, noteGrey, noteGrey);
        drawText(cr, noteFont, omittedNote + std::to_string(layout.pointsWithoutAttributes),
                 lower.x, height - margin - rows.note / 2, 0);
    }
    drawLegend(cr, layout);
    cr->restore();
}
