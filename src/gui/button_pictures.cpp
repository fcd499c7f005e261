// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/button_pictures.h"

#include "platform/files.h"
#include "platform/jpeg_image.h"

#include <QImage>

namespace kestrane {

QPixmap loadButtonPicture(const std::filesystem::path& imagesDirectory, const std::string& name)
{
    auto bytes = readWholeFile(imagesDirectory / (name + ".jpg"));
    if (!bytes)
        return {};
    auto picture = decodeJpeg(*bytes);
    if (!picture)
        return {};
    QImage image(picture->pixels.data(), picture->width, picture->height, picture->width * 3,
                 QImage::Format_RGB888);
    // The image only borrows the pixels: copy them before they go.
    return QPixmap::fromImage(image.copy());
}

} // namespace kestrane
