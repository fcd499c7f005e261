// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/qt_canvas.h"
#include "platform/sans_metrics.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace kestrane {
namespace {

namespace fs = std::filesystem;

std::string shellWord(const fs::path& path)
{
    return "'" + path.string() + "'";
}

// Why the comparison cannot run here, or empty when it can: pdflatex with
// TikZ and the standalone class, pdftoppm to render the page, and the
// kestrane-cli that writes both pictures.
std::string renderingMissing()
{
    if (std::system("command -v pdflatex > /dev/null 2>&1") != 0)
        return "pdflatex is not installed";
    if (std::system("kpsewhich standalone.cls > /dev/null 2>&1 && "
                    "kpsewhich tikz.sty > /dev/null 2>&1") != 0)
        return "pdflatex lacks the standalone class or TikZ";
    if (std::system("command -v pdftoppm > /dev/null 2>&1") != 0)
        return "pdftoppm is not installed";
    if (!fs::exists(fs::path(KESTRANE_BINARY_DIR) / "bin" / "kestrane-cli"))
        return "kestrane-cli is not built";
    return {};
}

bool ink(QRgb pixel)
{
    return qRed(pixel) + qGreen(pixel) + qBlue(pixel) < 600;
}

// The share of the ink of `first` that has ink of `second` within `reach`
// pixels.
double inkMatched(const QImage& first, const QImage& second, int reach)
{
    long inked = 0;
    long matched = 0;
    for (int y = 0; y < first.height(); ++y) {
        for (int x = 0; x < first.width(); ++x) {
            if (!ink(first.pixel(x, y)))
                continue;
            ++inked;
            bool found = false;
            for (int dy = -reach; dy <= reach && !found; ++dy) {
                for (int dx = -reach; dx <= reach && !found; ++dx) {
                    int sx = x + dx;
                    int sy = y + dy;
                    found = second.valid(sx, sy) && ink(second.pixel(sx, sy));
                }
            }
            matched += found ? 1 : 0;
        }
    }
    return inked == 0 ? 1.0 : static_cast<double>(matched) / static_cast<double>(inked);
}

// Every example's standalone TikZ, compiled by pdflatex and rendered at 40
// pixels a centimetre, is the example's PNG: the same size, and its lines,
// fills and texts within a few pixels of the PNG's.
TEST(TikzRendering, EveryExampleCompilesToThePicturesOfItsPng)
{
    if (std::string missing = renderingMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    fs::path program = fs::path(KESTRANE_BINARY_DIR) / "bin" / "kestrane-cli";
    testing::TempDir directory;
    int compared = 0;
    for (const auto& entry : fs::directory_iterator(fs::path(KESTRANE_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() != ".kst")
            continue;
        std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        fs::path png = directory / (name + ".png");
        fs::path tex = directory / (name + ".tex");
        std::string run = "cd " + shellWord(entry.path().parent_path()) + " && " +
                          shellWord(program) + " run " + shellWord(entry.path()) + " --png " +
                          shellWord(png) + " --tikz " + shellWord(tex) +
                          " --tikz-standalone > /dev/null 2>&1";
        std::system(run.c_str());
        ASSERT_TRUE(fs::exists(png) && fs::exists(tex));
        std::string compile =
            "cd " + shellWord(directory.path()) +
            " && pdflatex -interaction=nonstopmode -halt-on-error " + shellWord(tex.filename()) +
            " > /dev/null 2>&1 && pdftoppm -r 101.6 " + "-png -singlefile " +
            shellWord(name + ".pdf") + " " + shellWord(name + "-tex") + " > /dev/null 2>&1";
        ASSERT_EQ(std::system(compile.c_str()), 0) << "pdflatex or pdftoppm refused " << name;
        QImage screen(QString::fromStdString(png.string()));
        QImage page(QString::fromStdString((directory / (name + "-tex.png")).string()));
        ASSERT_FALSE(screen.isNull());
        ASSERT_FALSE(page.isNull());
        EXPECT_NEAR(page.width(), screen.width(), 1);
        EXPECT_NEAR(page.height(), screen.height(), 1);
        EXPECT_GT(inkMatched(screen, page, 3), 0.9);
        EXPECT_GT(inkMatched(page, screen, 3), 0.9);
        ++compared;
    }
    EXPECT_GE(compared, 30);
}

// The widths the exports lay texts out with are those of the sans font the
// PNG is drawn in.
TEST(SansMetrics, AreTheWidthsOfLiberationSans)
{
    if (!QFontDatabase::families().contains("Liberation Sans"))
        GTEST_SKIP() << "Liberation Sans is not installed";
    QFont font("Liberation Sans");
    font.setPixelSize(1000);
    QFontMetricsF metrics(font);
    for (int code = 32; code < 127; ++code) {
        std::string text(1, static_cast<char>(code));
        EXPECT_NEAR(sansAdvance(text), metrics.horizontalAdvance(QString(QChar(code))), 2) << text;
    }
}

} // namespace
} // namespace kestrane
