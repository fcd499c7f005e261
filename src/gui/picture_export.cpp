// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/picture_export.h"

#include "gui/qt_canvas.h"
#include "platform/files.h"
#include "platform/svg_canvas.h"
#include "platform/tikz_canvas.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>

#include <algorithm>
#include <cctype>

namespace kestrane {

namespace {

// 96 dots per inch, so point sizes give the pixels of the screen.
constexpr int kDotsPerMeter = 3780;
constexpr int kPdfResolution = 1200;

std::string lowerExtension(std::string_view path)
{
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.find('/', dot) != std::string_view::npos)
        return {};
    std::string extension(path.substr(dot + 1));
    for (char& character : extension)
        character = static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
    return extension;
}

std::string toBytes(const QByteArray& bytes)
{
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

std::optional<PictureFormat> pictureFormatOf(std::string_view path)
{
    std::string extension = lowerExtension(path);
    if (extension == "png")
        return PictureFormat::Png;
    if (extension == "svg")
        return PictureFormat::Svg;
    if (extension == "pdf")
        return PictureFormat::Pdf;
    if (extension == "tex" || extension == "tikz")
        return PictureFormat::Tikz;
    return {};
}

std::string pngBytes(int width, int height, const std::function<void(Canvas&)>& paint)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, &image);
        paint(canvas);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    return toBytes(bytes);
}

void paintOnPage(QPainter& painter, int width, int height,
                 const std::function<void(Canvas&)>& paint)
{
    // Fit the drawing to the printable area, aspect kept, centred.
    QRect page = painter.viewport();
    double scale = std::min(page.width() / static_cast<double>(width),
                            page.height() / static_cast<double>(height));
    painter.translate((page.width() - width * scale) / 2, (page.height() - height * scale) / 2);
    painter.scale(scale, scale);
    painter.setClipRect(QRectF(0, 0, width, height));
    painter.fillRect(QRectF(0, 0, width, height), Qt::white);
    QtCanvas canvas(painter, nullptr, FontResolution::Drawing, PainterUse::Exclusive);
    paint(canvas);
}

std::string pdfBytes(int width, int height, const std::function<void(Canvas&)>& paint)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        writer.setCreator("Kestrane");
        QPainter painter(&writer);
        paintOnPage(painter, width, height, paint);
    }
    return toBytes(bytes);
}

std::string writePicture(PictureFormat format, const std::string& path, int width, int height,
                         const std::function<void(Canvas&)>& paint)
{
    std::string bytes;
    switch (format) {
    case PictureFormat::Png:
        bytes = pngBytes(width, height, paint);
        break;
    case PictureFormat::Pdf:
        bytes = pdfBytes(width, height, paint);
        break;
    case PictureFormat::Svg: {
        SvgCanvas canvas(width, height);
        paint(canvas);
        bytes = canvas.document();
        break;
    }
    case PictureFormat::Tikz: {
        TikzCanvas canvas(width, height, TikzOptions{40, true});
        paint(canvas);
        bytes = canvas.document();
        break;
    }
    }
    if (bytes.empty() || !replaceFile(path, bytes))
        // Untranslated: this code also runs in kestrane-cli's picture module,
        // which has no catalogue of its own.
        return "cannot write " + path;
    return {};
}

} // namespace kestrane
