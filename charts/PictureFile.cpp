#include "charts/PictureFile.h"

#include "corpus/AtomicFile.h"
#include "corpus/FileError.h"

#include <cairo-svg.h>
#include <cairomm/surface.h>

#include <algorithm>
#include <cctype>

std::string fileExtension(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    std::string extension;
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::runtime_error pictureError(const std::string &what, const std::string &path,
                                const std::string &reason) {
    return std::runtime_error("Could not write " + what + " " + path + ": " + reason);
}

void checkPictureName(const std::string &what, const std::string &path) {
    const std::string extension = fileExtension(path);
    if (extension != "svg" && extension != "png")
        throw pictureError(what, path, "the name must end in .svg or .png");
}

void writePicture(const std::string &what, const std::string &path, int width, int height,
                  const std::function<void(const Cairo::RefPtr<Cairo::Context> &)> &draw) {
    checkPictureName(what, path);
    std::string bytes;
    const auto append = [&bytes](const unsigned char *data, unsigned int length) {
        bytes.append(reinterpret_cast<const char *>(data), length);
        return CAIRO_STATUS_SUCCESS;
    };
    try {
        if (fileExtension(path) == "svg") {
            const auto surface = Cairo::SvgSurface::create_for_stream(append, width, height);
            // Pixels rather than points, so that the picture shows at the size asked for.
            cairo_svg_surface_set_document_unit(surface->cobj(), CAIRO_SVG_UNIT_PX);
            draw(Cairo::Context::create(surface));
            surface->finish();
            const cairo_status_t status = cairo_surface_status(surface->cobj());
            if (status != CAIRO_STATUS_SUCCESS)
                throw std::runtime_error(cairo_status_to_string(status));
        } else {
            const auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_RGB24, width, height);
            draw(Cairo::Context::create(surface));
            surface->write_to_png_stream(append);
        }
    } catch (const std::exception &error) {
        throw pictureError(what, path, error.what());
    }
    try {
        AtomicFile file(path);
        file.stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.commit();
    } catch (const FileError &error) {
        throw pictureError(what, path,
                           error.reason().empty() ? "cannot be written" : error.reason());
    }
}
