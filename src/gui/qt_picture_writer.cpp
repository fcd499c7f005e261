// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_picture_writer.h"

#include "gui/qt_canvas.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <system_error>

namespace kestrane {

bool QtPictureWriter::writePng(const std::filesystem::path& path, const PictureArea& area,
                               int width, const std::function<void(Canvas&)>& paint)
{
    int areaWidth = std::max(1, area.x2 - area.x1);
    int areaHeight = std::max(1, area.y2 - area.y1);
    double scale = static_cast<double>(width) / areaWidth;
    int height = std::max(1, static_cast<int>(std::lround(areaHeight * scale)));
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        painter.translate(-area.x1, -area.y1);
        QtCanvas canvas(painter, &image);
        paint(canvas);
    }
    // Written beside the old file and renamed over it, so a failed write
    // keeps the old picture.
    std::filesystem::path partial = path;
    partial += ".partial";
    if (!image.save(QString::fromStdString(partial.string()), "PNG"))
        return false;
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::filesystem::remove(partial, error);
        return false;
    }
    return true;
}

} // namespace kestrane
