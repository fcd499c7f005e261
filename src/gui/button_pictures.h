// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

#include <filesystem>
#include <string>

namespace kestrane {

// The picture of an image button: images/<name>.jpg decoded with libjpeg.
// A missing or damaged file gives a null pixmap, and the button shows its
// text instead.
QPixmap loadButtonPicture(const std::filesystem::path& imagesDirectory, const std::string& name);

} // namespace kestrane
