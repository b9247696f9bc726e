// Writing a cairo drawing to an SVG or PNG file, as the series chart and the
// drawn tree are saved. The picture is rendered into memory first, so that a
// cairo failure happens before any file exists, and is then written as every
// file of the workbench is replaced (AtomicFile).
#pragma once

#include <cairomm/context.h>

#include <functional>
#include <stdexcept>
#include <string>

// The part of path's last name after its last '.', lower-cased; "" without
// one.
std::string fileExtension(const std::string &path);

// "Could not write " + what + " " + path + ": " + reason.
std::runtime_error pictureError(const std::string &what, const std::string &path,
                                const std::string &reason);

// Throws pictureError (what, path, "the name must end in .svg or .png")
// unless the extension is svg or png.
void checkPictureName(const std::string &what, const std::string &path);

// Renders draw into a picture of width x height pixels, SVG or PNG as
// path's extension says (checked by checkPictureName), and writes it to
// path. Throws pictureError with cairo's or the file's reason.
void writePicture(const std::string &what, const std::string &path, int width, int height,
                  const std::function<void(const Cairo::RefPtr<Cairo::Context> &)> &draw);
