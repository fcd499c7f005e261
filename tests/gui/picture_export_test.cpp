// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/picture_export.h"
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
