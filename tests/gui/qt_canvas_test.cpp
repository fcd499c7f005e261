// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_canvas.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <vector>

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

// A page lets labels wait while strokes that pass clear of them are drawn
// (fewer pen changes on the page). What it draws must look exactly as if
// everything had been drawn in the order asked for: rendered onto an image,
// a page canvas and a window canvas differ at most in the antialiased edges
// where strokes of one path cross (a path covers such a pixel once, two
// strokes twice), never by a label under a stroke that was drawn after it.
class WaitingTexts : public ::testing::Test {
protected:
    // A crowded figure: labelled lines, segments, circles, discs, boxes and a
    // polyline, in random places and sizes.
    static void figure(Canvas& canvas, bool textsLast)
    {
        std::mt19937 random(11);
        std::uniform_real_distribution<double> x(0, 400);
        std::uniform_real_distribution<double> y(0, 300);
        std::uniform_real_distribution<double> radius(2, 120);
        std::uniform_int_distribution<int> kind(0, 6);
        std::vector<std::function<void()>> texts;
        canvas.setTextColour(kBlue);
        for (int index = 0; index < 400; ++index) {
            double ax = x(random), ay = y(random), bx = x(random), by = y(random);
            switch (kind(random)) {
            case 0:
                canvas.setPen(kBlack, 1 + index % 3);
                canvas.line(ax, ay, bx, by);
                break;
            case 1:
                canvas.setPen(kRed);
                canvas.clearBrush();
                canvas.ellipse(ax - 40, ay - 25, ax + 40 + bx / 4, ay + 25);
                break;
            case 2: {
                double r = radius(random);
                canvas.setPen(kBlack);
                canvas.ellipse(ax - r, ay - r, ax + r, ay + r);
                break;
            }
            case 3:
                canvas.setPen(kBlack);
                canvas.setBrush(rgb(255, 230, 0));
                canvas.ellipse(ax - 6, ay - 6, ax + 6, ay + 6);
                canvas.clearBrush();
                break;
            case 4:
                canvas.fillRect(ax, ay, ax + 30, ay + 12, rgb(0, 160, 0));
                break;
            case 5: {
                const CanvasPoint points[] = {{ax, ay}, {bx, ay}, {bx, by}, {ax + 5, by}};
                canvas.setPen(kBlack);
                canvas.polyline(points);
                break;
            }
            default:
                canvas.setPen(kRed);
                canvas.rectangle(ax, ay, ax + radius(random), ay + 20);
                break;
            }
            canvas.setTextColour(index % 2 ? kBlue : kBlack);
            auto label = [&canvas, ax, ay, index] {
                canvas.setFont(CanvasFont{"Arial", 11, 0, false, false});
                canvas.text(ax + 3, ay + 2, "P" + std::to_string(index % 17));
                canvas.setFont(CanvasFont{"Arial", 8, 0, false, false});
                canvas.text(ax + 12, ay + 9, std::to_string(index % 7));
            };
            if (textsLast)
                texts.push_back([&canvas, label, index] {
                    canvas.setTextColour(index % 2 ? kBlue : kBlack);
                    label();
                });
            else
                label();
        }
        for (auto& text : texts)
            text();
    }

    static QImage render(PainterUse use, bool textsLast)
    {
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        {
            QtCanvas canvas(painter, nullptr, FontResolution::Device, use);
            figure(canvas, textsLast);
        }
        painter.end();
        return image;
    }

    // Pixels whose colours differ by more than the crossings of one path
    // can make them differ.
    static int clearlyDifferent(const QImage& first, const QImage& second)
    {
        int count = 0;
        for (int row = 0; row < first.height(); ++row)
            for (int column = 0; column < first.width(); ++column) {
                QColor a = first.pixelColor(column, row);
                QColor b = second.pixelColor(column, row);
                int difference =
                    std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                              std::abs(a.blue() - b.blue())});
                if (difference > 100)
                    ++count;
            }
        return count;
    }
};

TEST_F(WaitingTexts, APageLooksAsIfDrawnInOrder)
{
    QImage inOrder = render(PainterUse::Shared, false);
    EXPECT_EQ(clearlyDifferent(inOrder, render(PainterUse::Exclusive, false)), 0);
    // The comparison sees a label drawn in the wrong place of the order: in
    // this figure many are crossed by later drawings.
    EXPECT_GT(clearlyDifferent(inOrder, render(PainterUse::Shared, true)), 300);
}

} // namespace
} // namespace kestrane
