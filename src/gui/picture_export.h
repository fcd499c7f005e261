// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QPainter;

namespace kestrane {

class Canvas;

// The picture formats the construction can be exported to.
enum class PictureFormat { Png, Svg, Pdf, Tikz };

// The format a file name asks for by its extension; none for others.
std::optional<PictureFormat> pictureFormatOf(std::string_view path);

// A PNG image of the drawing (white ground) of the given size, as file bytes.
std::string pngBytes(int width, int height, const std::function<void(Canvas&)>& paint);

// Paints the drawing on a page (a PDF writer's, a printer's): scaled to fit
// the painter's viewport with its aspect kept, centred, on white and clipped
// to the drawing, with texts at the drawing's sizes.
void paintOnPage(QPainter& painter, int width, int height,
                 const std::function<void(Canvas&)>& paint);

// A one-page vector PDF, A4 landscape, with the drawing of the given size
// scaled to fit the page with its aspect kept, as file bytes.
std::string pdfBytes(int width, int height, const std::function<void(Canvas&)>& paint);

// Writes the drawing in the format to the file, atomically (the old file
// stays whole when writing fails); returns an error text, empty on success.
std::string writePicture(PictureFormat format, const std::string& path, int width, int height,
                         const std::function<void(Canvas&)>& paint);

} // namespace kestrane
