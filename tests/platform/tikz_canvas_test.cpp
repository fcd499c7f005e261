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
    EXPECT_NE(document.find("at (0.5,1.5) {$C_{12}$};"), std::string::npos) << document;
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
