// SPDX-License-Identifier: GPL-3.0-or-later
// The picture module of kestrane-cli: PNG and PDF files painted with the
// desktop's own canvas. Only this module links the toolkit.
#include "cli/picture_module.h"
#include "gui/picture_export.h"
#include "gui/qt_canvas.h"
#include "gui/qt_picture_writer.h"

#include <QGuiApplication>
#include <QImage>

#include <clocale>
#include <cstdlib>
#include <memory>
#include <string>

namespace kestrane::cli {

namespace {

// 96 dots per inch, so point sizes give the pixels of the screen and of the
// SVG export.
constexpr int kDotsPerMeter = 3780;

// A painter needs an application; without a display it draws offscreen. It
// ends with the caller's scope, before the program's static objects go.
std::unique_ptr<QGuiApplication> ensureApplication()
{
    if (QGuiApplication::instance())
        return {};
    // Standard error carries the message boxes only, not the toolkit's notes.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "kestrane-cli";
    static char* argv[] = {name, nullptr};
    // The toolkit sets the C library's locale from the environment; the
    // program's own (numbers with '.', messages in the chosen language even
    // where LANG is C) must stay for what it prints after the picture.
    std::string locale = std::setlocale(LC_ALL, nullptr);
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    std::setlocale(LC_ALL, locale.c_str());
    return application;
}

std::string writeImage(int width, int height, const std::function<void(Canvas&)>& paint,
                       const std::string& path)
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
    if (!image.save(QString::fromStdString(path), "PNG"))
        // Untranslated: this code also runs in kestrane-cli's picture module,
        // which has no catalogue of its own.
        return "cannot write " + path;
    return {};
}

std::string writePng(int width, int height, const std::function<void(Canvas&)>& paint,
                     const std::string& path)
{
    std::unique_ptr<QGuiApplication> application = ensureApplication();
    return writeImage(width, height, paint, path);
}

std::string writePngs(int width, int height, std::span<const PngPicture> pictures)
{
    std::unique_ptr<QGuiApplication> application = ensureApplication();
    for (const PngPicture& picture : pictures) {
        std::string error = writeImage(width, height, picture.paint, picture.path);
        if (!error.empty())
            return error;
    }
    return {};
}

bool writeAreaPng(const std::filesystem::path& path, const PictureArea& area, int width,
                  const std::function<void(Canvas&)>& paint)
{
    std::unique_ptr<QGuiApplication> application = ensureApplication();
    return QtPictureWriter().writePng(path, area, width, paint);
}

std::string writePdf(int width, int height, const std::function<void(Canvas&)>& paint,
                     const std::string& path)
{
    std::unique_ptr<QGuiApplication> application = ensureApplication();
    return writePicture(PictureFormat::Pdf, path, width, height, paint);
}

} // namespace

} // namespace kestrane::cli

extern "C" __attribute__((visibility("default"))) const kestrane::cli::PictureModule*
kestrane_picture_module()
{
    static const kestrane::cli::PictureModule module{
        kestrane::cli::writePng, kestrane::cli::writePngs, kestrane::cli::writeAreaPng,
        kestrane::cli::writePdf};
    return &module;
}
