// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>

namespace kestrane {

class Canvas;

// A part of the drawing area, in model pixels.
struct PictureArea {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
};

// Writes pictures of the drawing as image files. Only a host with a painter
// that makes images has one (the desktop program, and kestrane-cli built
// with it).
class PictureWriter {
public:
    virtual ~PictureWriter() = default;

    // Paints `paint` (drawing coordinates, on white) cut to `area` and scaled
    // to `width` pixels wide, keeping the area's proportions, into a PNG
    // file that replaces `path`. False when it cannot be written.
    virtual bool writePng(const std::filesystem::path& path, const PictureArea& area, int width,
                          const std::function<void(Canvas&)>& paint) = 0;
};

} // namespace kestrane
