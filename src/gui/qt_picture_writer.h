// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/picture_writer.h"

namespace kestrane {

// Pictures of the drawing painted with the desktop's own canvas into PNG
// files. Needs a QGuiApplication while it paints.
class QtPictureWriter final : public PictureWriter {
public:
    bool writePng(const std::filesystem::path& path, const PictureArea& area, int width,
                  const std::function<void(Canvas&)>& paint) override;
};

} // namespace kestrane
