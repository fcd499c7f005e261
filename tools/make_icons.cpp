// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the program's icon as PNG files of the sizes a desktop looks for:
//   make_icons DIRECTORY
// writes DIRECTORY/NxN/apps/org.kestrane.Kestrane.png for N = 16, 22, 32,
// 48, 64, 128 and 256. The drawing is the one of data/desktop/kestrane.svg
// (a 128-unit square); 16 and 22 pixels get a simpler one that stays legible:
// the frame, the circle and the triangle, without the line and the crosses.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr int kSizes[] = {16, 22, 32, 48, 64, 128, 256};
// Below this size the crosses and the line would blur into the rest.
constexpr int kSimpleBelow = 32;

QPen pen(const char* colour, double width)
{
    QPen pen{QColor(colour)};
    pen.setWidthF(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

void drawIcon(QPainter& painter, bool simple)
{
    // Lines are thicker in the simple drawing so that they keep a pixel.
    double thick = simple ? 9 : 4;
    painter.setPen(pen("#3a4a6b", thick));
    painter.setBrush(QColor("#fdfdf8"));
    painter.drawRoundedRect(QRectF(4, 4, 120, 120), 18, 18);

    painter.setPen(pen("#2f6fd0", simple ? 9 : 5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(56, 70), 34, 34);

    QPainterPath triangle;
    triangle.moveTo(22, 104);
    triangle.lineTo(104, 104);
    triangle.lineTo(56, 36);
    triangle.closeSubpath();
    QColor fill("#f2c14e");
    fill.setAlphaF(simple ? 0.8f : 0.55f);
    painter.setBrush(fill);
    painter.setPen(pen("#1d1d1d", thick));
    painter.drawPath(triangle);
    if (simple)
        return;

    painter.setPen(pen("#c0392b", 4));
    painter.drawLine(QPointF(12, 52), QPointF(116, 88));
    painter.setPen(pen("#1d1d1d", 4));
    for (QPointF centre : {QPointF(104, 104), QPointF(56, 36), QPointF(22, 104)}) {
        painter.drawLine(centre + QPointF(-6, -6), centre + QPointF(6, 6));
        painter.drawLine(centre + QPointF(-6, 6), centre + QPointF(6, -6));
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make_icons DIRECTORY\n");
        return 2;
    }
    QGuiApplication application(argc, argv);
    std::filesystem::path directory = argv[1];
    for (int size : kSizes) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 128.0, size / 128.0);
        drawIcon(painter, size < kSimpleBelow);
        painter.end();
        std::string name = std::to_string(size) + "x" + std::to_string(size);
        std::filesystem::path folder = directory / name / "apps";
        std::filesystem::create_directories(folder);
        std::filesystem::path file = folder / "org.kestrane.Kestrane.png";
        if (!image.save(QString::fromStdString(file.string()), "PNG")) {
            std::fprintf(stderr, "make_icons: cannot write %s\n", file.string().c_str());
            return 1;
        }
    }
    return 0;
}
