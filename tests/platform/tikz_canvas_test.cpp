// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tikz_canvas.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrane {
namespace {

struct TextCase {
    const char* name;
    const char* text;
    const char* expected;
};

TEST(TikzText, LabelsAreMathematicsAndOtherTextsAreEscaped)
{
    static const TextCase kCases[] = {
        {"single letter", "A", "$A$"},
        {"letter and digits", "C1", "$C_{1}$"},
        {"long index", "Z24", "$Z_{24}$"},
        {"segment label", "d12", "$d_{12}$"},
        {"distance counter", "3", "3"},
        {"two letters stay text", "AB", "AB"},
        {"words", "Angle bisector", "Angle bisector"},
        {"specials", "50% & $x_1^2$ #{a}~\\",
         "50\\% \\& \\$x\\_1\\textasciicircum{}2\\$ \\#\\{a\\}\\textasciitilde{}\\textbackslash{}"},
        {"line breaks", "one\r\ntwo", "one  two"},
        {"non-ASCII kept", "okrąg", "okrąg"},
        {"Greek letters are mathematics", "2π+ε", "2\\ensuremath{\\pi}+\\ensuremath{\\varepsilon}"},
        {"Greek capitals", "ΔΑ", "\\ensuremath{\\Delta}\\ensuremath{A}"},
        {"empty", "", ""},
    };
    for (const TextCase& test : kCases)
        EXPECT_EQ(tikzText(test.text), test.expected) << test.name;
}

TEST(TikzCanvasDrawing, CoordinatesAreCentimetresWithYUpward)
{
    TikzCanvas canvas(800, 550);
    canvas.line(0, 550, 40, 510);
    std::string document = canvas.document();
    EXPECT_NE(document.find("(0,0) -- (1,1);"), std::string::npos) << document;
    EXPECT_NE(document.find("\\clip (0,0) rectangle (20,13.75);"), std::string::npos) << document;

    TikzCanvas finer(800, 550, TikzOptions{80, false});
    finer.line(0, 550, 40, 510);
    EXPECT_NE(finer.document().find("(0,0) -- (0.5,0.5);"), std::string::npos);
}

TEST(TikzCanvasDrawing, ColoursAreDefinedOnceInTheOrderTheyAppear)
{
    TikzCanvas canvas(100, 100);
    canvas.setPen(rgb(255, 0, 0));
    canvas.line(0, 0, 10, 10);
    canvas.setPen(rgb(0, 0, 255));
    canvas.setBrush(rgb(255, 0, 0));
    canvas.ellipse(10, 10, 30, 50);
    std::string document = canvas.document();
    EXPECT_NE(document.find("\\definecolor{k0}{RGB}{255,0,0}\n\\definecolor{k1}{RGB}{0,0,255}\n"
                            "\\clip"),
              std::string::npos)
        << document;
    EXPECT_EQ(document.find("\\definecolor{k2}"), std::string::npos);
    EXPECT_NE(document.find("[draw=k1, line width=0.711pt, fill=k0] (0.5,1.75) ellipse (0.25 and "
                            "0.5);"),
              std::string::npos)
        << document;
}

// A text is placed by its top on the window and by its baseline in LaTeX:
// the baseline lies one ascent (0.905 of the size) below the top. Sizes in
// points are the window's points; expression glyphs come in pixels.
TEST(TikzCanvasText, TextsKeepTheSizeAndBaselineOfTheWindow)
{
    struct Case {
        const char* name;
        CanvasFont font;
        const char* size;
        const char* at;
    };
    const Case cases[] = {
        // 10 points are 13.33 pixels, 9.484 TeX points at 40 pixels a
        // centimetre; the baseline 12.07 pixels below y = 100.
        {"label", CanvasFont{"Arial", 10}, "\\fontsize{9.484}", "(2.5,10.948)"},
        // 20 pixels: 14.226 TeX points; the baseline 18.1 pixels down (10.797 after rounding).
        {"expression glyph", CanvasFont{"Arial", 10, 20}, "\\fontsize{14.226}", "(2.5,10.797)"},
    };
    for (const Case& c : cases) {
        TikzCanvas canvas(800, 550);
        canvas.setFont(c.font);
        canvas.text(100, 100, "x");
        std::string document = canvas.document();
        EXPECT_NE(document.find(c.size), std::string::npos) << c.name << document;
        EXPECT_NE(document.find(std::string("anchor=base west")), std::string::npos) << c.name;
        EXPECT_NE(document.find(std::string("at ") + c.at), std::string::npos)
            << c.name << document;
    }
}

TEST(TikzCanvasText, WidthsAreThoseOfTheSansFonts)
{
    TikzCanvas canvas(800, 550);
    canvas.setFont(CanvasFont{"Arial", 10, 20});
    // "1" is 0.556 of the size, "i" 0.222, "W" 0.944.
    EXPECT_EQ(canvas.textWidth("1"), 11);
    EXPECT_EQ(canvas.textWidth("iii"), 13);
    EXPECT_EQ(canvas.textWidth("W"), 19);
    EXPECT_EQ(canvas.textWidth("π"), canvas.textWidth("1"));
    EXPECT_EQ(canvas.textHeight(), 22);
}

TEST(TikzCanvasDrawing, PolygonsCloseAndDegenerateOnesAreLeftOut)
{
    TikzCanvas canvas(100, 100);
    CanvasPoint triangle[] = {{0, 100}, {40, 100}, {0, 60}};
    canvas.polygon(triangle);
    CanvasPoint single[] = {{5, 5}};
    canvas.polygon(single);
    canvas.polyline(single);
    std::string document = canvas.document();
    EXPECT_NE(document.find("(0,0) -- (1,0) -- (0,1) -- cycle;"), std::string::npos) << document;
    EXPECT_EQ(document.find("(0.125,2.375)"), std::string::npos) << "one point draws nothing";
}

TEST(TikzCanvasDrawing, ALabelNumberJoinsItsLetterAsASubscript)
{
    TikzCanvas canvas(100, 100);
    canvas.text(20, 40, "C");
    canvas.text(30, 46, "12");
    canvas.text(60, 40, "T");
    canvas.text(70, 46, "op");
    canvas.text(20, 80, "A");
    canvas.line(0, 0, 1, 1);
    canvas.text(30, 86, "1");
    std::string document = canvas.document();
    EXPECT_NE(document.find("at (0.5,1.198) {$C_{12}$};"), std::string::npos) << document;
    EXPECT_EQ(document.find(" {12};"), std::string::npos) << document;
    EXPECT_NE(document.find("{$T$}"), std::string::npos) << "letters are no number";
    EXPECT_NE(document.find("{op}"), std::string::npos);
    EXPECT_NE(document.find("{$A$}"), std::string::npos) << "a stroke came between";
    EXPECT_NE(document.find("{1}"), std::string::npos);
}

TEST(TikzCanvasDrawing, StandaloneWrapsThePictureInADocument)
{
    TikzCanvas picture(10, 10);
    EXPECT_TRUE(picture.document().starts_with("\\begin{tikzpicture}\n"));
    TikzCanvas whole(10, 10, TikzOptions{40, true});
    std::string document = whole.document();
    EXPECT_TRUE(document.starts_with("\\documentclass{standalone}\n"));
    EXPECT_TRUE(document.ends_with("\\end{tikzpicture}\n\\end{document}\n"));
}

TEST(TikzCanvasDrawing, AScaleThatIsNoNumberFallsBackToFortyPixelsACentimetre)
{
    TikzCanvas canvas(80, 40, TikzOptions{0, false});
    canvas.line(0, 40, 80, 40);
    EXPECT_NE(canvas.document().find("(0,0) -- (2,0);"), std::string::npos);
}

} // namespace
} // namespace kestrane
