// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_test_support.h"

#include "runtime/colour_value.h"
#include "runtime/construction_state.h"
#include "runtime/float_text.h"

#include <set>

namespace kestrane::testing {
namespace {

class PlaneCommands : public RunFixture {};

TEST_F(PlaneCommands, TwoPointsAtOnePlaceShareOneRecord)
{
    start({"void start()", "A=point(5,5)", "B=point(5,5)", "l=line(A,B)", "END"});
    ASSERT_EQ(store().points().size(), 1u);
    EXPECT_EQ(point("A"), point("B"));
    EXPECT_EQ(point("A")->names.size(), 2u);
}

TEST_F(PlaneCommands, ALineThroughExistingPointsAddsNoPoints)
{
    start({"void start()", "A=point(10,20)", "B=point(110,20)", "l=line(A,B)", "h=HalfLine(B,A)",
           "s=segment(B,A)", "END"});
    EXPECT_EQ(store().points().size(), 2u);
    EXPECT_EQ(store().lines()[0]->label, "L1");
    EXPECT_EQ(store().halfLines()[0]->label, "L2");
    // A segment's ends are ordered by x.
    EXPECT_EQ(decimal(store().segments()[0]->x1), "10.000000000000000");
}

TEST_F(PlaneCommands, CirclesAndIntersections)
{
    start({"void start()",
           "O=point(300,300)",
           "P=point(305,300)",
           "c=circle(O,P)",
           "A=point(0,303)",
           "B=point(1,303)",
           "l=line(A,B)",
           "S=IntersCircLin(c,l,1)",
           "T=IntersCircLin(c,l,2)",
           "Q=point(306,300)",
           "e=circle(Q,S)",
           "U=Inters2Circ(c,e,1)",
           "r=5.0",
           "f=circle(Q,r)",
           "F=point(0,0)",
           "G=point(1,0)",
           "m=line(F,G)",
           "V=IntersCircLin(c,m,1)",
           "W=Inters(c,l,2)",
           "END"});
    EXPECT_EQ(position(*point("S")), "304,303");
    EXPECT_EQ(position(*point("T")), "296,303");
    EXPECT_EQ(point("W"), point("T"));
    ASSERT_NE(point("U"), nullptr);
    EXPECT_EQ(decimal(store().circles()[2]->radius), "5.000000000000000");
    // The line misses the circle: V stays unbound.
    EXPECT_EQ(point("V"), nullptr);
}

// What a saved figure needs: decimal coordinates with every digit, the
// crossing of segments and half-lines taken as whole lines (also outside
// the segment), and labels with digits on every kind of object.
TEST_F(PlaneCommands, DecimalPointsSegmentCrossingsAndNumberedLabels)
{
    start({"void start()",
           "A=point(100.125,-20.5)",
           "B=point(0.000000000000001,7)",
           "C=point(0,0)",
           "D=point(10,0)",
           "s=segment(C,D)",
           "E=point(30,-5)",
           "F=point(30,5)",
           "h=HalfLine(E,F)",
           "S=Inters2Lin(s,h)",
           "O=point(30,0)",
           "P=point(35,0)",
           "k=circle(O,P)",
           "T=IntersCircLin(k,s,1)",
           "SetName(S,$C1)",
           "SetName(h,$L12)",
           "SetName(k,$K 2.5)",
           "SetName(s,$d7)",
           "r=2.5",
           "END"});
    EXPECT_EQ(decimal(point("A")->x), "100.125000000000000");
    EXPECT_EQ(decimal(point("A")->y), "-20.500000000000000");
    EXPECT_EQ(decimal(point("B")->x), "0.000000000000001");
    EXPECT_EQ(position(*point("S")), "30,0");
    EXPECT_EQ(position(*point("T")), "35,0");
    EXPECT_EQ(point("S")->label, "C1");
    EXPECT_EQ(store().halfLines()[0]->label, "L12");
    EXPECT_EQ(store().circles()[0]->label, "K 2.5");
    EXPECT_EQ(store().segments()[0]->label, "d7");
    ASSERT_EQ(store().distances().size(), 1u);
    EXPECT_EQ(decimal(store().distances()[0]->value), "2.500000000000000");
}

TEST_F(PlaneCommands, DrawDistWritesTheValueWithTwoDecimals)
{
    start({"void start()", "A=point(0,0)", "B=point(3,4)", "d=distance(A,B)",
           "DrawDist(10,20,$AB=,d)", "END"});
    const auto& labels = store().texts(TextArray::Labels);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "AB=5.00");
    EXPECT_EQ(labels[0].x, 10);
    EXPECT_EQ(labels[0].y, 20);
}

TEST_F(PlaneCommands, DrawDistAndStringTakeTheTextOfAStringVariable)
{
    start({"void start()", "A=point(0,0)", "B=point(3,4)", "d=distance(A,B)",
           "label=String($AB=)", "copy=String(label)", "DrawDist(10,10,label,d)",
           "DrawDist(10,30,copy,d)", "END"});
    const auto& labels = store().texts(TextArray::Labels);
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_EQ(labels[0].text, "AB=5.00");
    EXPECT_EQ(labels[1].text, "AB=5.00");
}

TEST_F(PlaneCommands, DrawDistShowsLargeDistancesWhole)
{
    // 99999 doubled ten times, plus one: more digits than a float holds.
    start({"void start()", "A=point(0,0)", "B=point(99999,0)", "C=point(1,0)", "d=distance(A,B)",
           "one=distance(A,C)", "e1=d+d", "e2=e1+e1", "e3=e2+e2", "e4=e3+e3", "e5=e4+e4",
           "e6=e5+e5", "e7=e6+e6", "e8=e7+e7", "e9=e8+e8", "e10=e9+e9", "f=e10+one",
           "DrawDist(10,10,$d=,f)", "END"});
    const auto& labels = store().texts(TextArray::Labels);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "d=102398977.00");
}

TEST_F(PlaneCommands, RemoveOfOneOfTwoNamesKeepsThePoint)
{
    start({"void start()", "A=point(5,5)", "B=point(5,5)", "Remove(A)", "C=point(9,9)",
           "RemovePoint(C)", "END"});
    ASSERT_EQ(store().points().size(), 1u);
    EXPECT_EQ(point("A"), nullptr);
    EXPECT_NE(point("B"), nullptr);
}

TEST_F(PlaneCommands, RemoveLineDestroysTheLineWhateverItsNames)
{
    start({"void start()", "A=point(5,5)", "B=point(50,5)", "l=line(A,B)", "RemoveLine(l)", "END"});
    EXPECT_TRUE(store().lines().empty());
    EXPECT_EQ(store().points().size(), 2u);
}

TEST_F(PlaneCommands, ColoursNamesAndTexts)
{
    start({"void start()", "A=point(5,5)", "B=point(50,5)", "l=line(A,B)", "Color(l)=red",
           "s=segment(A,B)", "Color(s)=RGB(1,2,300)", "name(A)=no", "NoNames", "E=point(9,9)",
           "SetName(B,$Mid)", "t=String($hello)", "Text(5,6,t)", "Title(7,8,$Heading)",
           "Text(1,1,$gone)", "END"});
    EXPECT_EQ(store().lines()[0]->colour, 0x0000FFu);
    EXPECT_EQ(store().segments()[0]->colour, 0x2C0201u);
    EXPECT_FALSE(point("A")->showLabel);
    EXPECT_FALSE(point("E")->showLabel);
    EXPECT_EQ(point("B")->label, "Mid");
    EXPECT_EQ(store().texts(TextArray::Labels)[0].text, "hello");
    EXPECT_EQ(store().texts(TextArray::Titles)[0].text, "Heading");
}

TEST_F(PlaneCommands, PolygonsVerticesAndFill)
{
    start({"void start()", "A=point(10,10)", "B=point(60,10)", "E=point(60,60)", "p=polygon(A,B,E)",
           "fill(p)=blue", "V=vertex(p,1)", "P=point(0,0)", "Q=point(100,0)", "v=vector(P,Q)",
           "m=Move(p,v)", "RemoveTexts", "END"});
    const auto& polygons = window.figures().polygons();
    ASSERT_EQ(polygons.size(), 2u);
    EXPECT_EQ(polygons[0]->vertices.size(), 4u);
    EXPECT_TRUE(polygons[0]->coloured);
    EXPECT_EQ(polygons[0]->baseColour, 0xFF0000u);
    EXPECT_EQ(polygons[0]->colourCode, 304);
    EXPECT_EQ(point("V"), point("B"));
    EXPECT_EQ(decimal(polygons[1]->vertices[2].x), "160.000000000000000");
    // Move makes its corners as points.
    EXPECT_EQ(store().points().size(), 8u);
}

// --- Collection -------------------------------------------------------------------

class Collections : public RunFixture {
protected:
    void runSquareTiling(std::string_view side, std::string_view region)
    {
        std::string corner = "B=point(" + std::string(side) + ",0)";
        std::string far = "E=point(" + std::string(side) + "," + std::string(side) + ")";
        std::string up = "F=point(0," + std::string(side) + ")";
        start({"void start()", "A=point(0,0)", corner, far, up, "s=polygon(A,B,E,F)",
               "fill(s)=green", "u=vector(A,B)", "w=vector(A,F)", region, "Collection(s,u,w)",
               "END"});
    }
};

TEST_F(Collections, FillsTheRegionWithCopiesOnce)
{
    runSquareTiling("20", "Region(0,0,100,100)");
    const auto& polygons = window.figures().polygons();
    // Copies reach the region from x = -20 to 100 and y likewise: 7 x 7.
    ASSERT_EQ(polygons.size(), 49u);
    EXPECT_TRUE(host.messages().empty());
    for (const auto& polygon : polygons)
        EXPECT_EQ(polygon->baseColour, 0x008000u);
    std::set<std::pair<int, int>> corners;
    for (const auto& polygon : polygons)
        corners.insert({static_cast<int>(polygon->vertices[0].floats.x),
                        static_cast<int>(polygon->vertices[0].floats.y)});
    EXPECT_EQ(corners.size(), 49u);
    EXPECT_EQ(*corners.begin(), std::make_pair(-20, -20));
    EXPECT_EQ(*corners.rbegin(), std::make_pair(100, 100));
}

TEST_F(Collections, StopsWithAMessagePastTheCopyLimit)
{
    runSquareTiling("1", "Region(0,0,400,400)");
    EXPECT_EQ(window.figures().polygons().size(), 1u);
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].caption, "Run-time error.");
    EXPECT_NE(host.messages()[0].text.find("100000"), std::string::npos);
}

TEST_F(Collections, WithoutARegionTheErrorIsShownOnceLater)
{
    start({"void start()", "A=point(0,0)", "B=point(20,0)", "E=point(0,20)", "s=polygon(A,B,E)",
           "u=vector(A,B)", "Collection(s,u)", "F=point(5,5)", "END"});
    EXPECT_EQ(window.figures().polygons().size(), 1u);
    EXPECT_EQ(window.messages().line1, "Click on one of elements of status bar");
    EXPECT_EQ(window.messages().line2, "Region was not defined or outside polygon");
    EXPECT_EQ(window.messages().code, message_code::kDeferredPending);
    EXPECT_TRUE(host.messages().empty());
    window.showDeferredMessage();
    window.showDeferredMessage();
    ASSERT_EQ(host.messages().size(), 1u);
    EXPECT_EQ(host.messages()[0].text,
              "Region was not defined or outside polygon.\nCommand 'Collection' will be omitted.");
}

// --- Values -------------------------------------------------------------------------

TEST(FloatText, TwoDecimalsInElevenCharacters)
{
    struct Case {
        double value;
        const char* text;
    };
    for (const Case& test :
         {Case{3.14159, "       3.14"}, Case{0.5, "       0.50"}, Case{-1.5, "      -1.50"},
          Case{0.125, "       0.12"}, Case{1234.567, "    1234.57"}, Case{0, "       0.00"}}) {
        EXPECT_EQ(floatText(test.value), test.text) << test.value;
        EXPECT_EQ(floatText(test.value).size(), 11u);
    }
    EXPECT_EQ(trimmedFloatText(5), "5.00");
}

TEST(FloatText, LargeValuesAreWrittenWholeAndNeverWrap)
{
    EXPECT_EQ(floatText(99999999), "99999999.00");
    EXPECT_EQ(floatText(123456789012.5), "123456789012.50");
    EXPECT_EQ(floatText(-123456789012.5), "-123456789012.50");
    EXPECT_EQ(trimmedFloatText(2147483648.0), "2147483648.00");
}

TEST(ColourValues, WordsAndRgb)
{
    EXPECT_EQ(colourValue("red"), 0x0000FFu);
    EXPECT_EQ(colourValue("aqua"), 0xFFFF00u);
    EXPECT_EQ(colourValue("RGB(255,128,1)"), 0x0180FFu);
    EXPECT_EQ(colourValue("RGB(256,0,0)"), 0u);
    EXPECT_EQ(colourValue("Red"), std::nullopt);
    EXPECT_EQ(colourValue("black"), std::nullopt);
    EXPECT_EQ(colourCode("blue"), 304);
    EXPECT_EQ(colourCode("RGB(1,2,3)"), 317);
}

} // namespace
} // namespace kestrane::testing
