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

std::string writePng(const ConstructionWindow& window, const std::string& path)
{
    // A painter needs an application; without a display it draws offscreen.
    // It ends with this call, before the program's static objects go.
    std::unique_ptr<QGuiApplication> application;
    if (!QGuiApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // Standard error carries only the message boxes: the toolkit's own
        // diagnostics (a missing XDG_RUNTIME_DIR and the like) are dropped.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        static int argc = 1;
        static char name[] = "kestrane-cli";
        static char* argv[] = {name, nullptr};
        application = std::make_unique<QGuiApplication>(argc, argv);
    }
    QImage image(ConstructionWindow::kDrawingWidth, ConstructionWindow::kDrawingHeight,
                 QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, &image);
        window.paint(canvas);
    }
    if (!image.save(QString::fromStdString(path), "PNG"))
        return "cannot write " + path;
    return {};
}

} // namespace

void registerQtPngWriter()
{
    setPngWriter(writePng);
}

} // namespace kestrane::cli
