// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/picture_export.h"
#include "pdf_content.h"
#include "platform/canvas.h"
#include "platform/files.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QImage>

namespace kestrane {
namespace {

void paintCross(Canvas& canvas)
{
    canvas.setPen(kRed);
    canvas.line(0, 0, 799, 549);
    canvas.line(0, 549, 799, 0);
}

TEST(PictureExport, FormatsFollowTheExtension)
{
    EXPECT_EQ(pictureFormatOf("a.png"), PictureFormat::Png);
    EXPECT_EQ(pictureFormatOf("dir.v2/A.PDF"), PictureFormat::Pdf);
    EXPECT_EQ(pictureFormatOf("sheet.tex"), PictureFormat::Tikz);
    EXPECT_EQ(pictureFormatOf("drawing.svg"), PictureFormat::Svg);
    EXPECT_EQ(pictureFormatOf("dir.v2/noextension"), std::nullopt);
    EXPECT_EQ(pictureFormatOf("picture.jpg"), std::nullopt);
}

TEST(PictureExport, PdfIsOneLandscapeA4Page)
{
    std::string pdf = pdfBytes(800, 550, paintCross);
    ASSERT_TRUE(pdf.starts_with("%PDF-"));
    EXPECT_NE(pdf.find("/MediaBox [0 0 842.000000 595.000000]"), std::string::npos)
        << "A4 is 842 x 595 points";
    EXPECT_EQ(pdf.find("/MediaBox", pdf.find("/MediaBox") + 1), std::string::npos) << "one page";
}

// The page may join lines drawn one after another with one pen into one
// path, and let a text wait while lines that pass clear of it are drawn:
// every line still comes out with its own pen, in the drawing's order, and
// after every text it crosses.
TEST(PictureExport, PdfKeepsEveryLineWithItsPenInOrder)
{
    struct Line {
        ColorRef colour;
        int width;
        double x1, y1, x2, y2;
        // The texts the page must have drawn before it.
        std::size_t textsBefore;
    };
    // The first are drawn before the text (the last three are the sides of a
    // triangle drawn with moveTo and lineTo); then one far from the text,
    // which may come before it, and two through it, which may not.
    const std::vector<Line> lines = {
        {kRed, 1, 10, 10, 200, 10, 0},      {kRed, 1, 10, 40, 200, 300, 0},
        {kRed, 3, 20, 500, 780, 500, 0},    {kBlue, 1, 300, 20, 300, 480, 0},
        {kBlack, 1, 400, 100, 500, 100, 0}, {kBlack, 1, 500, 100, 500, 200, 0},
        {kBlack, 1, 500, 200, 400, 100, 0}, {kBlack, 1, 600, 300, 700, 400, 0},
        {kBlack, 1, 90, 106, 140, 106, 1},  {kRed, 1, 600, 400, 700, 300, 1}};
    auto draw = [](Canvas& canvas, const Line& line) {
        canvas.setPen(line.colour, line.width);
        canvas.line(line.x1, line.y1, line.x2, line.y2);
    };
    std::string pdf = pdfBytes(800, 550, [&](Canvas& canvas) {
        for (std::size_t index = 0; index < 4; ++index)
            draw(canvas, lines[index]);
        canvas.setPen(kBlack);
        canvas.moveTo(400, 100);
        canvas.lineTo(500, 100);
        canvas.lineTo(500, 200);
        canvas.lineTo(400, 100);
        canvas.setTextColour(kBlue);
        canvas.text(100, 100, "A1");
        for (std::size_t index = 7; index < lines.size(); ++index)
            draw(canvas, lines[index]);
    });

    testing::PdfContent content = testing::readPdf(pdf, 800, 550);
    ASSERT_GT(content.drawingScale, 0);
    ASSERT_EQ(content.texts.size(), 1u);
    ASSERT_EQ(content.segments.size(), lines.size());
    double onePixel = content.drawingScale;
    for (std::size_t index = 0; index < content.segments.size(); ++index) {
        const Line& line = lines[index];
        const testing::StrokedSegment& found = content.segments[index];
        SCOPED_TRACE("line " + std::to_string(index));
        EXPECT_EQ(found.colour, line.colour);
        EXPECT_NEAR(found.width, line.width * onePixel, 0.01);
        // Strokes are centred on pixels: half a pixel off the coordinates.
        EXPECT_NEAR(found.x1, line.x1, 0.6);
        EXPECT_NEAR(found.y1, line.y1, 0.6);
        EXPECT_NEAR(found.x2, line.x2, 0.6);
        EXPECT_NEAR(found.y2, line.y2, 0.6);
        EXPECT_EQ(found.textsBefore, line.textsBefore);
    }
}

TEST(PictureExport, EachFormatIsWrittenAndAFailedWriteKeepsTheOldFile)
{
    testing::TempDir directory;
    for (PictureFormat format :
         {PictureFormat::Png, PictureFormat::Svg, PictureFormat::Pdf, PictureFormat::Tikz}) {
        std::filesystem::path path = directory.path() / "picture";
        EXPECT_EQ(writePicture(format, path.string(), 800, 550, paintCross), "");
        std::optional<std::string> bytes = readWholeFile(path);
        ASSERT_TRUE(bytes);
        EXPECT_GT(bytes->size(), 100u);
    }
    QImage image(QString::fromStdString((directory.path() / "png").string()));
    EXPECT_EQ(
        writePicture(PictureFormat::Png, (directory.path() / "png").string(), 80, 55, paintCross),
        "");
    image.load(QString::fromStdString((directory.path() / "png").string()), "PNG");
    EXPECT_EQ(image.size(), QSize(80, 55));

    std::string missing = (directory.path() / "no" / "such" / "picture.pdf").string();
    EXPECT_EQ(writePicture(PictureFormat::Pdf, missing, 800, 550, paintCross),
              "cannot write " + missing);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

} // namespace
} // namespace kestrane
