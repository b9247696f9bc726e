// Writing the series chart to a file. The picture is rendered into memory
// first, so that a cairo failure happens before any file exists, and is then
// written under a temporary name that is renamed over the target.
#include "charts/SeriesChart.h"

#include <cairo-svg.h>
#include <cairomm/surface.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <system_error>
#include <unistd.h>

namespace {

enum class Format { svg, png };

std::runtime_error chartError(const std::string &path, const std::string &reason) {
    return std::runtime_error("Could not write chart " + path + ": " + reason);
}

std::runtime_error systemError(const std::string &path, int error) {
    return chartError(path, std::generic_category().message(error));
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

// A name beside path that no other writer of this process or another one uses.
std::string temporaryName(const std::string &path, int attempt) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(attempt);
}

void writeAll(int fd, const std::string &bytes, const std::string &path) {
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            throw systemError(path, n < 0 ? errno : ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 && errno != EINVAL)
        throw systemError(path, errno);
}

void replaceFile(const std::string &path, const std::string &bytes) {
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = temporaryName(path, attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            throw systemError(path, errno);
    }
    try {
        writeAll(fd, bytes, path);
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    const bool closed = ::close(fd) == 0;
    const int closeError = errno;
    if (!closed || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = closed ? errno : closeError;
        ::unlink(temporary.c_str());
        throw systemError(path, error);
    }
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
    replaceFile(path, bytes);
}
