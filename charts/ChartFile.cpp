// Writing the series chart to a file.
#include "charts/SeriesChart.h"

#include "charts/PictureFile.h"

void writeSeriesChart(const SeriesChart &chart, const std::string &path, int width, int height) {
    checkPictureName("chart", path);
    if (width <= 0 || height <= 0)
        throw pictureError("chart", path,
                           "the size must be positive, not " + std::to_string(width) + "x" +
                               std::to_string(height));
    writePicture("chart", path, width, height, [&](const Cairo::RefPtr<Cairo::Context> &cr) {
        drawSeriesChart(cr, chart, width, height);
    });
}
