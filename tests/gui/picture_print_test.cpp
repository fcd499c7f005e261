// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/application.h"
#include "gui/construction_window_widget.h"
#include "gui/fractions_window_widget.h"
#include "gui/graph_window_widget.h"
#include "gui/picture_export.h"
#include "gui/picture_print.h"
#include "gui/qt_canvas.h"
#include "gui/qt_host.h"
#include "modal_helper.h"
#include "pdf_content.h"
#include "platform/canvas.h"
#include "platform/files.h"
#include "program_paths.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>

namespace kestrane {
namespace {

// Texts as the windows draw them: point labels (10 points) with their
// numbers (8 points), axis numbers (8 points), a title (12 points) and an
// expression's glyphs (20 pixels).
const std::vector<CanvasFont> kFonts = {CanvasFont{"Arial", 10}, CanvasFont{"Arial", 8},
                                        CanvasFont{"Arial", 12}, CanvasFont{"Arial", 10, 20}};

void paintTexts(Canvas& canvas)
{
    canvas.setPen(kBlack);
    canvas.line(0, 0, 799, 549);
    double y = 40;
    for (const CanvasFont& font : kFonts) {
        canvas.setFont(font);
        canvas.text(100, y, "A1 -20 x");
        y += 60;
    }
}

// The heights of the same texts' boxes in a PNG picture of 96 dots per
// inch, as its canvas measures them.
std::vector<double> pngBoxHeights()
{
    QImage image(800, 550, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QPainter painter(&image);
    QtCanvas canvas(painter, &image);
    std::vector<double> heights;
    for (const CanvasFont& font : kFonts) {
        canvas.setFont(font);
        heights.push_back(canvas.textHeight());
    }
    return heights;
}

void expectPngTextSizes(const testing::PdfContent& content)
{
    std::vector<double> expected = pngBoxHeights();
    std::vector<double> found = content.boxHeights();
    ASSERT_EQ(found.size(), expected.size());
    for (std::size_t index = 0; index < found.size(); ++index)
        EXPECT_NEAR(found[index] / expected[index], 1.0, 0.1) << "text " << index;
}

TEST(PdfText, TextsHaveThePngsSizes)
{
    std::string pdf = pdfBytes(800, 550, paintTexts);
    testing::PdfContent content = testing::readPdf(pdf, 800, 550);
    ASSERT_GT(content.drawingScale, 0);
    ASSERT_GT(content.ascent, 0);
    expectPngTextSizes(content);
}

// A text looks the same whatever was drawn before it: labels switch size
// and colour around every object's strokes, and the canvas keeps fonts and
// laid-out texts from one text to the next.
TEST(PdfText, EachTextKeepsItsFontColourAndPlace)
{
    struct Text {
        CanvasFont font;
        ColorRef colour;
        double x, y;
        std::string text;
    };
    const std::vector<Text> texts = {
        {CanvasFont{"Arial", 10}, kBlue, 100, 100, "Z"},
        {CanvasFont{"Arial", 8}, kBlue, 110, 106, "24"},
        {CanvasFont{"Arial", 10}, kBlack, 300, 100.3, "Z"},
        {CanvasFont{"Arial", 8}, kRed, 310, 106, "Z"},
        {CanvasFont{"Arial", 10}, kBlue, 500, 200, "24"},
        {CanvasFont{"Arial", 10, 20}, kBlack, 100, 300, "x + 1"},
        {CanvasFont{"Arial", 10}, kBlue, 102.5, 400, "Z"},
    };
    auto paint = [](Canvas& canvas, const Text& text) {
        canvas.setPen(rgb(0, 128, 0));
        canvas.line(text.x, text.y, text.x + 30, text.y + 30);
        canvas.setFont(text.font);
        canvas.setTextColour(text.colour);
        canvas.text(text.x, text.y, text.text);
    };
    auto paintAll = [&](Canvas& canvas) {
        for (const Text& text : texts)
            paint(canvas, text);
    };
    testing::PdfContent together = testing::readPdf(pdfBytes(800, 550, paintAll), 800, 550);
    ASSERT_EQ(together.texts.size(), texts.size());
    for (std::size_t index = 0; index < texts.size(); ++index) {
        SCOPED_TRACE("text " + std::to_string(index));
        testing::PdfContent alone = testing::readPdf(
            pdfBytes(800, 550, [&](Canvas& canvas) { paint(canvas, texts[index]); }), 800, 550);
        ASSERT_EQ(alone.texts.size(), 1u);
        const testing::DrawnText& expected = alone.texts.front();
        const testing::DrawnText& found = together.texts[index];
        EXPECT_EQ(found.colour, texts[index].colour);
        const CanvasFont& font = texts[index].font;
        double pixels = font.pixelHeight > 0 ? font.pixelHeight : font.size * 96.0 / 72;
        EXPECT_NEAR(found.size, pixels, 0.5);
        EXPECT_NEAR(found.size, expected.size, 1e-6);
        EXPECT_EQ(found.glyphs, expected.glyphs);
        EXPECT_NEAR(found.x, texts[index].x, 0.05);
        EXPECT_NEAR(found.y, expected.y, 0.05);
        EXPECT_GT(found.y, texts[index].y) << "the baseline is below the text's top";
    }
}

// Texts reaching into the drawing across any of its edges are on the page.
TEST(PdfText, TextsAcrossTheEdgesAreKept)
{
    auto paintEdges = [](Canvas& canvas) {
        canvas.setFont(CanvasFont{"Arial", 10});
        canvas.text(-20, 200, "Wide");
        canvas.text(300, -9, "Wide");
        canvas.text(795, 200, "Wide");
        canvas.text(300, 546, "Wide");
    };
    testing::PdfContent content = testing::readPdf(pdfBytes(800, 550, paintEdges), 800, 550);
    EXPECT_EQ(content.texts.size(), 4u);
}

TEST(Printing, ThePictureFillsThePageWithItsAspectKept)
{
    testing::TempDir directory;
    std::filesystem::path path = directory / "printed.pdf";
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path.string()));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    ASSERT_TRUE(printPicture(printer, 800, 550, paintTexts));

    std::optional<std::string> bytes = readWholeFile(path);
    ASSERT_TRUE(bytes.has_value());
    testing::PdfContent content = testing::readPdf(*bytes, 800, 550);
    EXPECT_EQ(content.pages, 1);
    EXPECT_NEAR(content.mediaWidth, 842, 1);
    EXPECT_NEAR(content.mediaHeight, 595, 1);
    // Scaled to the page within its margins: nearly the page's width, and
    // centred across it.
    double width = content.drawingRight - content.drawingLeft;
    EXPECT_GT(width, 0.85 * content.mediaWidth);
    EXPECT_LT(width, content.mediaWidth);
    EXPECT_NEAR(content.drawingLeft, content.mediaWidth - content.drawingRight, 2);
    expectPngTextSizes(content);
}

TEST(Printing, AFileThatCannotBeWrittenIsReported)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nonexistent-directory/printed.pdf");
    EXPECT_FALSE(printPicture(printer, 800, 550, paintTexts));
}

QAction* menuItem(QWidget& window, const QString& menuTitle, const QString& text)
{
    for (QMenuBar* bar : window.findChildren<QMenuBar*>()) {
        for (QAction* menu : bar->actions()) {
            if (menu->text() != menuTitle || !menu->menu())
                continue;
            for (QAction* action : menu->menu()->actions()) {
                if (action->text() == text)
                    return action;
            }
        }
    }
    return nullptr;
}

class PrintItems : public ::testing::Test {
protected:
    PrintItems() : m_host(std::filesystem::path(KESTRANE_SOURCE_DIR) / "help")
    {
        m_paths = testing::programPathsIn(m_dir.path());
    }

    kestrane::testing::CurrentDirectoryGuard m_currentDirectory;
    kestrane::testing::TempDir m_dir;
    ProgramPaths m_paths;
    QtHost m_host;
};

TEST_F(PrintItems, EachWindowHasPrintWithItsShortcut)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget construction(application);
    QAction* print = menuItem(construction, "&File", "&Print…");
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->shortcut(), QKeySequence("Ctrl+P"));

    // In the expression windows Ctrl+P inserts a power.
    FractionsWindowWidget fractions(m_host, std::filesystem::path(KESTRANE_SOURCE_DIR) / "images");
    print = menuItem(fractions, "&File", "&Print…");
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->shortcut(), QKeySequence("Ctrl+Shift+P"));
    GraphWindowWidget graph(m_host, GraphWindowWidget::Options{});
    print = menuItem(graph, "&File", "&Print…");
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->shortcut(), QKeySequence("Ctrl+Shift+P"));
}

TEST_F(PrintItems, PrintGoesThroughThePrintDialogToThePrinter)
{
    Application application(m_host, m_paths);
    application.start();
    ConstructionWindowWidget window(application);
    ConstructionWindow& model = application.constructionWindow();
    model.chooseTool(Tool::Circle);
    model.click(200, 200);
    model.click(260, 240);
    std::filesystem::path path = m_dir / "printed.pdf";
    testing::onNextModal([path](QDialog& dialog) {
        auto* print = qobject_cast<QPrintDialog*>(&dialog);
        ASSERT_NE(print, nullptr);
        // The dialog prints to a PDF file when no printer is installed; its
        // file name field says where.
        auto* file = dialog.findChild<QLineEdit*>("filename");
        ASSERT_NE(file, nullptr);
        file->setText(QString::fromStdString(path.string()));
        print->printer()->setOutputFileName(QString::fromStdString(path.string()));
        dialog.accept();
    });
    menuItem(window, "&File", "&Print…")->trigger();
    std::optional<std::string> bytes = readWholeFile(path);
    ASSERT_TRUE(bytes.has_value());
    testing::PdfContent content = testing::readPdf(*bytes, 800, model.drawingHeight());
    EXPECT_EQ(content.pages, 1);
    EXPECT_GT(content.drawingScale, 0);
    EXPECT_GT(content.mediaWidth, content.mediaHeight) << "landscape";
}

} // namespace
} // namespace kestrane
