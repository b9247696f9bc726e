// Writing the series chart to a file. The picture is rendered into memory
// first, so that a cairo failure happens before any file exists, and is then
// written as every file of the workbench is replaced (AtomicFile).
#include "charts/SeriesChart.h"

#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"

#include <cairo-svg.h>
#include <cairomm/surface.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

namespace {

enum class Format { svg, png };

std::runtime_error chartError(const std::string &path, const std::string &reason) {
    return std::runtime_error("Could not write chart " + path + ": " + reason);
}

Format formatOf(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    std::string extension;
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "svg")
        return Format::svg;
    if (extension == "png")
        return Format::png;
    throw chartError(path, "the name must end in .svg or .png");
}

std::string render(const SeriesChart &chart, Format format, int width, int height) {
    std::string bytes;
    const auto append = [&bytes](const unsigned char *data, unsigned int length) {
        bytes.append(reinterpret_cast<const char *>(data), length);
        return CAIRO_STATUS_SUCCESS;
    };
    if (format == Format::svg) {
        const auto surface = Cairo::SvgSurface::create_for_stream(append, width, height);
        // Pixels rather than points, so that the picture shows at the size asked for.
        cairo_svg_surface_set_document_unit(surface->cobj(), CAIRO_SVG_UNIT_PX);
        drawSeriesChart(Cairo::Context::create(surface), chart, width, height);
        surface->finish();
        const cairo_status_t status = cairo_surface_status(surface->cobj());
        if (status != CAIRO_STATUS_SUCCESS)
            throw std::runtime_error(cairo_status_to_string(status));
        return bytes;
    }
    const auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, width, height);
    drawSeriesChart(Cairo::Context::create(surface), chart, width, height);
    surface->write_to_png_stream(append);
    return bytes;
}

} // namespace

void writeSeriesChart(const SeriesChart &chart, const std::string &path, int width, int height) {
    const Format format = formatOf(path);
    if (width <= 0 || height <= 0)
        throw chartError(path, "the size must be positive, not " + std::to_string(width) + "x" +
                                   std::to_string(height));
    std::string bytes;
    try {
        bytes = render(chart, format, width, height);
    } catch (const std::exception &error) {
        throw chartError(path, error.what());
    }
    try {
        AtomicFile file(path);
        file.stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.commit();
    } catch (const FileError &error) {
        throw chartError(path, error.reason().empty() ? "cannot be written" : error.reason());
    }
}
