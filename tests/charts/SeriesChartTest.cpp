#include "charts/SeriesChart.h"
#include "CroatianLocale.h"
#include "TestFiles.h"
#include "charts/ChartLayout.h"

#include <cairomm/surface.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

constexpr double nan = NAN;

// A drawn chart and the layout it was drawn with.
struct Picture {
    Cairo::RefPtr<Cairo::ImageSurface> surface;
    SeriesChartLayout layout;

    // Red, green and blue of the pixel at (x, y), each 0 to 255.
    std::uint32_t pixel(double x, double y) const {
        const auto *row = reinterpret_cast<const std::uint32_t *>(
            surface->get_data() + static_cast<int>(y) * surface->get_stride());
        return row[static_cast<int>(x)] & 0xFFFFFF;
    }
};

Picture draw(const SeriesChart &chart, int width = 800, int height = 600) {
    Picture picture{Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, width, height), {}};
    const auto cr = Cairo::Context::create(picture.surface);
    drawSeriesChart(cr, chart, width, height);
    picture.layout = layoutSeriesChart(cr, chart, width, height);
    picture.surface->flush();
    return picture;
}

// Antialiased edges mix a colour with its surroundings; the inside of a
// marker or a line keeps it.
bool near(std::uint32_t pixel, const ChartColour &colour) {
    const double channels[] = {colour.red, colour.green, colour.blue};
    for (int i = 0; i < 3; ++i) {
        const int value = (pixel >> (16 - 8 * i)) & 0xFF;
        if (std::abs(value - static_cast<int>(std::lround(255 * channels[i]))) > 24)
            return false;
    }
    return true;
}

bool nearAround(const Picture &picture, double x, double y, const ChartColour &colour) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
            if (near(picture.pixel(x + dx, y + dy), colour))
                return true;
    return false;
}

ChartRectangle grown(const ChartRectangle &r, double by) {
    return {r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by};
}

// Where a value of the point lands on a panel, from the axes' definitions:
// the ends of an axis lie plotInset inside the frame.
double xOf(const ChartRectangle &plot, const AxisTicks &ticks, double attributes) {
    return plot.x + plotInset +
           std::log10(attributes / ticks.low) / std::log10(ticks.high / ticks.low) *
               (plot.width - 2 * plotInset);
}

double yOf(const ChartRectangle &plot, const AxisTicks &ticks, double value) {
    return plot.y + plotInset +
           (plot.height - 2 * plotInset) * (ticks.high - value) / (ticks.high - ticks.low);
}

SeriesChart twoLines() {
    return {"Dvije crte",
            {{"prva", {{100, 40, 100}, {1, 0, 0}, {10, 30, 50}}},
             {"druga", {{3, 35, 90}, {50, 30, 60}}}}};
}

TEST(SeriesChart, PointsAreDrawnInTheirLineColourOnlyInThePlotsAndTheLegend) {
    const SeriesChart chart = twoLines();
    const Picture picture = draw(chart);
    const SeriesChartLayout &layout = picture.layout;
    ASSERT_EQ(1, layout.attributeTicks.low);
    ASSERT_EQ(100, layout.attributeTicks.high);
    ASSERT_EQ(50, layout.errorTicks.high);
    ASSERT_EQ(120, layout.sizeTicks.high);
    EXPECT_LT(layout.errorPlot.y + layout.errorPlot.height, layout.sizePlot.y);

    for (std::size_t line = 0; line < chart.lines.size(); ++line)
        for (const SeriesPoint &point : chart.lines[line].points) {
            SCOPED_TRACE("line " + std::to_string(line) + " at " +
                         std::to_string(point.attributes));
            const double x = xOf(layout.errorPlot, layout.attributeTicks, point.attributes);
            EXPECT_TRUE(near(
                picture.pixel(x, yOf(layout.errorPlot, layout.errorTicks, point.testErrorPercent)),
                seriesColour(line)));
            EXPECT_TRUE(
                near(picture.pixel(x, yOf(layout.sizePlot, layout.sizeTicks, point.treeSize)),
                     seriesColour(line)));
        }
    // The first line runs from 1 to 100 attributes through 10, whatever the order given:
    // on from 10 to 100, and not straight from 100 to 1.
    const double x10 = xOf(layout.errorPlot, layout.attributeTicks, 10);
    const double x100 = xOf(layout.errorPlot, layout.attributeTicks, 100);
    EXPECT_TRUE(nearAround(picture, (x10 + x100) / 2, yOf(layout.errorPlot, layout.errorTicks, 35),
                           seriesColour(0)));
    EXPECT_FALSE(
        nearAround(picture, x10, yOf(layout.errorPlot, layout.errorTicks, 20), seriesColour(0)));

    ASSERT_EQ(2u, layout.legendSwatches.size());
    EXPECT_EQ((std::vector<std::string>{"prva", "druga"}), layout.legendLabels);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            for (std::size_t line = 0; line < 2; ++line) {
                if (!near(picture.pixel(x, y), seriesColour(line)))
                    continue;
                const bool inPlot = grown(layout.errorPlot, 7).contains(x, y) ||
                                    grown(layout.sizePlot, 7).contains(x, y);
                const bool inSwatch = grown(layout.legendSwatches[line], 1).contains(x, y);
                ASSERT_TRUE(inPlot || inSwatch) << "line " << line << " at " << x << "," << y;
            }
    for (std::size_t line = 0; line < 2; ++line) {
        const ChartRectangle &s = layout.legendSwatches[line];
        for (const double x : {s.x + 2, s.x + s.width / 2})
            EXPECT_TRUE(near(picture.pixel(x, s.y + s.height / 2), seriesColour(line))) << x;
    }
}

TEST(SeriesChart, OddPointsAreLeftOutOrKeptOnTheAxesAndNoLinesMeansNoColour) {
    const SeriesChart chart{
        "", {{"a", {{1, 10, 5}, {10, nan, 50}, {100, 30, 100}, {0, 80, 900}, {nan, 90, 1}}}}};
    const Picture picture = draw(chart);
    const SeriesChartLayout &layout = picture.layout;
    EXPECT_EQ(2u, layout.pointsWithoutAttributes);
    ASSERT_EQ(40, layout.errorTicks.high);
    ASSERT_EQ(120, layout.sizeTicks.high);
    const double x10 = xOf(layout.errorPlot, layout.attributeTicks, 10);
    // Joining the known errors at 1 and 100 would pass here.
    EXPECT_FALSE(
        nearAround(picture, x10, yOf(layout.errorPlot, layout.errorTicks, 20), seriesColour(0)));
    EXPECT_TRUE(
        near(picture.pixel(x10, yOf(layout.sizePlot, layout.sizeTicks, 50)), seriesColour(0)));

    // All errors zero: the axis still has a height and the points lie at its
    // floor, inside the frame's corners.
    const Picture zeros = draw({"", {{"z", {{1, 0, 3}, {100, 0, 7}}}}});
    ASSERT_EQ(1, zeros.layout.errorTicks.high);
    const ChartRectangle &plot = zeros.layout.errorPlot;
    const double floor = plot.y + plot.height - plotInset;
    EXPECT_TRUE(near(zeros.pixel(plot.x + plotInset, floor), seriesColour(0)));
    EXPECT_TRUE(near(zeros.pixel(plot.x + plot.width - plotInset, floor), seriesColour(0)));
    EXPECT_FALSE(nearAround(zeros, plot.x + 1, plot.y + plot.height - 1, seriesColour(0)));
    EXPECT_FALSE(
        nearAround(zeros, plot.x + plot.width - 1, plot.y + plot.height - 1, seriesColour(0)));

    // One point, and so one number of attributes: a marker inside the axis.
    const Picture single = draw({"", {{"a", {}}, {"b", {{20, 5, 9}}}}});
    ASSERT_EQ(10, single.layout.attributeTicks.low);
    ASSERT_EQ(50, single.layout.attributeTicks.high);
    const double x = xOf(single.layout.sizePlot, single.layout.attributeTicks, 20);
    EXPECT_TRUE(near(single.pixel(x, yOf(single.layout.sizePlot, single.layout.sizeTicks, 9)),
                     seriesColour(1)));
    EXPECT_EQ(2u, single.layout.legendSwatches.size());

    // No lines: axes, but no colour.
    const Picture empty = draw({"Prazno", {}}, 400, 300);
    EXPECT_TRUE(empty.layout.legendSwatches.empty());
    EXPECT_GT(empty.layout.errorPlot.width, 100);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const std::uint32_t p = empty.pixel(x, y);
            const int red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF, blue = p & 0xFF;
            ASSERT_TRUE(std::abs(red - green) <= 4 && std::abs(green - blue) <= 4) << x << "," << y;
        }
}

// Errors a few points apart fill their panel instead of a sliver of 0 to
// 100; the heading then says where the axis starts. Sizes spread from near 0
// keep 0. No marker of the outermost points touches a frame.
TEST(SeriesChart, AxesFitTheirValuesAndEndPointsStayOffTheFrame) {
    const SeriesChart chart{"",
                            {{"a", {{171, 56.8, 655}, {951, 45.6, 1320}, {14210, 41.2, 1873}}},
                             {"b", {{90, 55.9, 588}, {9690, 39.5, 1701}}}}};
    const Picture picture = draw(chart);
    const SeriesChartLayout &layout = picture.layout;
    EXPECT_EQ("35..60: 35 40 45 50 55 60", ::testing::PrintToString(layout.errorTicks));
    EXPECT_EQ(0, layout.sizeTicks.low);
    EXPECT_EQ("Pogreška na testnom skupu nakon podrezivanja (%) — os počinje od 35",
              layout.errorHeading);

    // On a low plot, as in the series window, the axis still keeps close to
    // the values rather than doubling their spread.
    const Picture low = draw(chart, 800, 260);
    ASSERT_LT(low.layout.errorPlot.height, 90);
    EXPECT_EQ("30..60: 30 40 50 60", ::testing::PrintToString(low.layout.errorTicks));

    // The markers of the first and last points, and of the highest and lowest
    // error, are clear of the frame around them.
    const ChartRectangle &plot = layout.errorPlot;
    const struct {
        std::size_t line;
        double attributes, error;
    } ends[] = {{1, 90, 55.9}, {0, 14210, 41.2}, {0, 171, 56.8}, {1, 9690, 39.5}};
    for (const auto &end : ends) {
        SCOPED_TRACE(end.attributes);
        const double x = xOf(plot, layout.attributeTicks, end.attributes);
        const double y = yOf(plot, layout.errorTicks, end.error);
        EXPECT_TRUE(near(picture.pixel(x, y), seriesColour(end.line)));
        for (const auto &[frameX, frameY] :
             {std::pair{plot.x, y}, std::pair{plot.x + plot.width, y}, std::pair{x, plot.y},
              std::pair{x, plot.y + plot.height}})
            EXPECT_FALSE(nearAround(picture, frameX, frameY, seriesColour(end.line)))
                << frameX << "," << frameY;
    }
}

TEST(SeriesChart, ManyLinesGetALegendEntryEachInsideThePicture) {
    SeriesChart chart;
    for (int i = 0; i < 30; ++i)
        chart.lines.push_back({"skupina " + std::to_string(i), {{10.0 + i, 40, 500}}});
    std::string longLabel;
    for (int i = 0; i < 100; ++i)
        longLabel += "č";
    chart.lines.push_back({longLabel, {}});
    const Picture picture = draw(chart);
    const SeriesChartLayout &layout = picture.layout;
    ASSERT_EQ(31u, layout.legendSwatches.size());
    for (std::size_t i = 0; i < layout.legendSwatches.size(); ++i) {
        const ChartRectangle &swatch = layout.legendSwatches[i];
        SCOPED_TRACE(i);
        EXPECT_GE(swatch.x, 0);
        EXPECT_LE(swatch.y + swatch.height, 600);
        EXPECT_GT(swatch.y, layout.sizePlot.y + layout.sizePlot.height);
        for (std::size_t j = 0; j < i; ++j) {
            const ChartRectangle &other = layout.legendSwatches[j];
            EXPECT_FALSE(other.contains(swatch.x + 1, swatch.y + 1) ||
                         swatch.contains(other.x + 1, other.y + 1))
                << "overlaps entry " << j;
        }
    }
    // The long label is cut between whole characters and marked as cut.
    const std::string &cut = layout.legendLabels.back();
    const std::string ellipsis = "…";
    ASSERT_GT(cut.size(), ellipsis.size());
    EXPECT_EQ(ellipsis, cut.substr(cut.size() - ellipsis.size()));
    const std::string kept = cut.substr(0, cut.size() - ellipsis.size());
    EXPECT_EQ(0, chart.lines.back().label.compare(0, kept.size(), kept));
    EXPECT_EQ(0u, kept.size() % 2);
    EXPECT_LT(kept.size(), chart.lines.back().label.size());
}

TEST(SeriesChart, DrawingLeavesTheContextAndIgnoresTheNumberLocale) {
    const SeriesChart chart{"Mali postoci", {{"a", {{3, 0.35, 3}, {30, 0.7, 11}}}}};
    const Picture before = draw(chart);
    const auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, 800, 600);
    const auto cr = Cairo::Context::create(surface);
    cr->set_line_width(7);
    cr->set_source_rgb(0, 1, 0);
    cr->translate(3, 4);
    {
        const CroatianLocale comma;
        ASSERT_TRUE(comma.active());
        drawSeriesChart(cr, chart, 800, 600);
    }

    EXPECT_EQ(7, cr->get_line_width());
    Cairo::Matrix matrix;
    cr->get_matrix(matrix);
    EXPECT_EQ(3, matrix.x0);
    EXPECT_EQ(4, matrix.y0);
    double red, green, blue, alpha;
    Cairo::RefPtr<Cairo::SolidPattern>::cast_dynamic(cr->get_source())
        ->get_rgba(red, green, blue, alpha);
    EXPECT_EQ(1, green);

    // The same picture, moved by the translation: the tick labels did not change.
    surface->flush();
    int differences = 0;
    for (int y = 4; y < 600; ++y)
        for (int x = 3; x < 800; ++x)
            differences += Picture{surface, {}}.pixel(x, y) != before.pixel(x - 3, y - 4);
    EXPECT_EQ(0, differences);
}

TEST(SeriesChartFile, FilesArePicturesOfTheRequestedSizeWithoutLeftovers) {
    const TempFolder temp, linkedTemp;
    const std::string folder = temp.path.string(), linked = linkedTemp.path.string();
    writeSeriesChart(twoLines(), folder + "/a.png");
    writeSeriesChart(twoLines(), folder + "/b.PNG", 640, 480);
    writeSeriesChart(twoLines(), folder + "/c.svg", 333, 777);
    writeSeriesChart(twoLines(), folder + "/c.svg", 500, 400); // over the first
    EXPECT_EQ("a.png b.PNG c.svg", folderEntries(folder));
    for (const auto &[name, width, height] :
         {std::tuple{"/a.png", 800, 600}, std::tuple{"/b.PNG", 640, 480}}) {
        const auto png = Cairo::ImageSurface::create_from_png(folder + name);
        EXPECT_EQ(width, png->get_width());
        EXPECT_EQ(height, png->get_height());
    }

    const std::string svg = fileText(folder + "/c.svg");
    const std::size_t start = svg.find("<svg ");
    ASSERT_NE(std::string::npos, start);
    const std::string element = svg.substr(start, svg.find('>', start) - start);
    EXPECT_NE(std::string::npos, element.find(" width=\"500px\" height=\"400px\""));
    EXPECT_NE(std::string::npos, element.find(" viewBox=\"0 0 500 400\""));
    EXPECT_EQ("</svg>\n", svg.substr(svg.size() - 7));

    // The same numbers in a comma locale; only Cairo's per-process surface id differs.
    const SeriesChart chart{"Mali postoci", {{"a", {{3, 0.35, 3}, {30, 0.7, 11}}}}};
    writeSeriesChart(chart, folder + "/c.svg", 801, 603);
    {
        const CroatianLocale comma;
        writeSeriesChart(chart, folder + "/a.png.svg", 801, 603);
    }
    const auto withoutId = [](std::string svg) {
        const std::size_t id = svg.find("<g id=\"surface");
        return id == std::string::npos ? svg : svg.erase(id, svg.find('>', id) - id);
    };
    EXPECT_NE(std::string::npos, fileText(folder + "/c.svg").find("<path "));
    EXPECT_EQ(withoutId(fileText(folder + "/c.svg")), withoutId(fileText(folder + "/a.png.svg")));

    // A link keeps pointing at the picture, which is written where it points.
    ASSERT_EQ(0, ::symlink((linked + "/target.svg").c_str(), (folder + "/link.svg").c_str()));
    writeSeriesChart(chart, folder + "/link.svg", 801, 603);
    EXPECT_EQ(linked + "/target.svg", linkTarget(folder + "/link.svg"));
    EXPECT_TRUE(withoutId(fileText(folder + "/c.svg")) ==
                withoutId(fileText(linked + "/target.svg")));
    EXPECT_EQ("target.svg", folderEntries(linked));
}

TEST(SeriesChartFile, FailuresNameThePathAndReasonAndLeaveNoFile) {
    const TempFolder temp;
    const std::string folder = temp.path.string();
    ::mkdir((folder + "/taken.png").c_str(), 0755);
    std::ofstream(folder + "/file") << "x";
    const struct {
        std::string path;
        int width;
        std::string reason;
    } cases[] = {
        {folder + "/chart.pdf", 800, "the name must end in .svg or .png"},
        {folder + "/chart", 800, "the name must end in .svg or .png"},
        {folder + "/chart.svg.txt", 800, "the name must end in .svg or .png"},
        {folder + "/chart.png", 0, "the size must be positive, not 0x600"},
        {folder + "/missing/chart.png", 800, "No such file or directory"},
        {folder + "/file/chart.svg", 800, "Not a directory"},
        {folder + "/taken.png", 800, "Is a directory"},
    };
    for (const auto &row : cases) {
        SCOPED_TRACE(row.path);
        EXPECT_EQ("Could not write chart " + row.path + ": " + row.reason,
                  thrownMessage<std::runtime_error>(
                      [&] { writeSeriesChart(twoLines(), row.path, row.width, 600); }));
    }
    EXPECT_EQ("file taken.png", folderEntries(folder));
    EXPECT_EQ("", folderEntries(folder + "/taken.png"));
}

} // namespace
