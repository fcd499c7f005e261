#include "cli/png_export.h"
#include "gui/qt_canvas.h"
#include "runtime/construction_window.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdlib>
#include <memory>

namespace kestrane::cli {

namespace {

// 96 dots per inch, so point sizes give the pixels of the screen and of the
// SVG export.
constexpr int kDotsPerMeter = 3780;

std::string writePicture(int width, int height, const std::function<void(Canvas&)>& paint,
                         const std::string& path)
{
    // A painter needs an application; without a display it draws offscreen.
    // It ends with this call, before the program's static objects go.
    // Standard error carries the program's messages only, not the toolkit's.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "kestrane-cli";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, &image);
        paint(canvas);
    }
    if (!image.save(QString::fromStdString(path), "PNG"))
        return "cannot write " + path;
    return {};
}

std::string writePng(const ConstructionWindow& window, const std::string& path)
{
    return writePicture(
        ConstructionWindow::kDrawingWidth, ConstructionWindow::kDrawingHeight,
        [&window](Canvas& canvas) { window.paint(canvas); }, path);
}

} // namespace

void registerQtPngWriter()
{
    setPngWriter(writePng);
    setPicturePngWriter(writePicture);
}

} // namespace kestrane::cli
