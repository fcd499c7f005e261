// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

namespace kestrane {
namespace {

// One-pixel strokes at whole coordinates fill exactly their row or column,
// as the window and the PNG export draw them.
class CrispStrokes : public ::testing::Test {
protected:
    CrispStrokes() : image(300, 200, QImage::Format_RGB32) { image.fill(Qt::white); }

    template<class Draw>
    void draw(Draw drawing)
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, &image);
        canvas.setPen(kBlack);
        drawing(canvas);
    }

    bool black(int x, int y) const { return image.pixelColor(x, y) == QColor(Qt::black); }
    bool white(int x, int y) const { return image.pixelColor(x, y) == QColor(Qt::white); }

    QImage image;
};

TEST_F(CrispStrokes, HorizontalAndVerticalLinesFallOnWholePixels)
{
    draw([](Canvas& canvas) {
        canvas.line(10, 100, 200, 100);
        canvas.line(250, 20, 250, 180);
        canvas.rectangle(0, 0, 299, 199);
    });
    // The frame's edges are the outermost pixels.
    EXPECT_TRUE(black(0, 50) && black(299, 50) && black(150, 199));
    EXPECT_TRUE(white(1, 50) && white(150, 198));
    for (int x = 20; x < 190; ++x) {
        EXPECT_TRUE(black(x, 100)) << x;
        EXPECT_TRUE(white(x, 99)) << x;
        EXPECT_TRUE(white(x, 101)) << x;
    }
    for (int y = 30; y < 170; ++y) {
        EXPECT_TRUE(black(250, y)) << y;
        EXPECT_TRUE(white(249, y)) << y;
        EXPECT_TRUE(white(251, y)) << y;
    }
}

} // namespace
} // namespace kestrane
