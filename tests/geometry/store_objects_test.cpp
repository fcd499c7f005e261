// SPDX-License-Identifier: GPL-3.0-or-later
#include "geo_test_support.h"

namespace kestrane {
namespace {

using testing::GeometryTest;
using testing::number;
using testing::shortText;

class StoreTest : public GeometryTest {};

TEST_F(StoreTest, PointsAreLabelledFromThePoolInCreationOrder)
{
    EXPECT_EQ(point("1", "1").label, "A");
    EXPECT_EQ(point("2", "1").label, "B");
    EXPECT_EQ(point("3", "1").label, "E");
    for (int index = 4; index < 20; ++index)
        point(std::to_string(index), "1");
    EXPECT_EQ(point("20", "1").label, "A1");
    EXPECT_EQ(m_store.points().size(), 20u);
}

TEST_F(StoreTest, CoincidingPointsMergeInThePlaneAndKeepBothNames)
{
    PointRec& first = point("10", "20");
    first.bind("P", "start");
    PointRec& second = point("10.005", "19.995");
    second.bind("Q", "start");
    EXPECT_EQ(&first, &second);
    ASSERT_EQ(m_store.points().size(), 1u);
    ASSERT_EQ(first.names.size(), 2u);
    EXPECT_EQ(first.names[1].name, "Q");
    // The merged point used up its label all the same.
    EXPECT_EQ(point("50", "50").label, "E");
    // 0.01 apart is no longer the same point.
    EXPECT_NE(&point("10.01", "20"), &first);
}

TEST_F(StoreTest, MergeReturnsTheLastCoincidingPoint)
{
    PointRec& left = point("10", "10");
    PointRec& right = point("10.018", "10");
    EXPECT_NE(&left, &right);
    // Within 0.01 of both: the later one stands for it.
    EXPECT_EQ(&point("10.009", "10"), &right);
    EXPECT_EQ(&point("9.995", "10"), &left);
}

TEST_F(StoreTest, SpaceModulesNeverMergePoints)
{
    for (const int moduleCode : {503, 604}) {
        m_store.clear();
        m_store.settings().moduleCode = moduleCode;
        PointRec& first = point("10", "20");
        PointRec& second = point("10", "20");
        EXPECT_NE(&first, &second) << moduleCode;
        EXPECT_EQ(m_store.points().size(), 2u) << moduleCode;
    }
}

TEST_F(StoreTest, PointsDifferingOnlyInZDoNotMerge)
{
    PointRec& flat = m_store.makePoint(number("1"), number("1"), number("0"));
    PointRec& raised = m_store.makePoint(number("1"), number("1"), number("0.5"));
    EXPECT_NE(&flat, &raised);
}

TEST_F(StoreTest, StraightObjectsMakeTheirPointsAndShareThePoolsAsSpecified)
{
    PointRec& a = point("100", "100");
    PointRec& b = point("200", "150");
    LineRec& through = line("100", "100", "200", "150");
    EXPECT_EQ(through.label, "L1");
    EXPECT_EQ(m_store.points().size(), 2u) << "the defining points merge into A and B";
    EXPECT_EQ(halfLine("0", "0", "5", "5").label, "L2");
    EXPECT_EQ(segment("0", "0", "5", "7").label, "d1");
    EXPECT_EQ(m_store.points().size(), 5u);
    // The merged defining points of L1 used up E and F.
    EXPECT_EQ(m_store.points()[2]->label, "G");
    (void)a;
    (void)b;
}

TEST_F(StoreTest, LineLabelsStopAtL98)
{
    for (int index = 1; index <= 98; ++index)
        line("0", std::to_string(index), "10", std::to_string(index));
    EXPECT_EQ(m_store.lines().back()->label, "L98");
    EXPECT_EQ(line("0", "0", "1", "2").label, "L98");
    EXPECT_EQ(halfLine("0", "0", "1", "3").label, "L98");
}

TEST_F(StoreTest, LineKeepsItsUnitDirectionAndDrawnPiece)
{
    LineRec& slanted = line("0", "0", "3", "4");
    EXPECT_EQ(shortText(slanted.ux), "0.6");
    EXPECT_EQ(shortText(slanted.uy), "0.8");
    EXPECT_EQ(shortText(slanted.baseX), "0");
    EXPECT_TRUE(slanted.hasDirection);
    ASSERT_TRUE(slanted.drawn.has_value());
    EXPECT_FALSE(slanted.outOfView);
    LineRec& away = line("900", "0", "900", "10");
    EXPECT_TRUE(away.outOfView);
}

TEST_F(StoreTest, SegmentEndsAreOrderedByX)
{
    SegmentRec& reversed = segment("30", "1", "10", "2");
    EXPECT_EQ(shortText(reversed.x1), "10");
    EXPECT_EQ(shortText(reversed.y1), "2");
    EXPECT_FALSE(reversed.ux.isNegative());
    // With equal x the second given point comes first.
    SegmentRec& upright = segment("5", "1", "5", "9");
    EXPECT_EQ(shortText(upright.y1), "9");
    EXPECT_EQ(shortText(upright.uy), "-1");
}

TEST_F(StoreTest, LineThroughOnePointReportsTheZeroLengthOnceAndCarriesNoDirection)
{
    LineRec& degenerate = line("5", "5", "5", "5");
    EXPECT_FALSE(degenerate.hasDirection);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Division by zero. Major error may occur.");
    EXPECT_EQ(messages()[0].caption, "Error.");
}

TEST_F(StoreTest, OutOfViewAtTheRightEdge)
{
    EXPECT_TRUE(point("800", "100").outOfView);
    EXPECT_FALSE(point("799.5", "100").outOfView);
    m_store.settings().viewY = 100;
    EXPECT_TRUE(point("10", "50").outOfView);
    EXPECT_FALSE(point("10", "640").outOfView);
    EXPECT_EQ(m_store.points().back()->viewY, 100);
}

TEST_F(StoreTest, CreationSettingsAreStampedOnEachObject)
{
    m_store.settings().labels = LabelDisplay::Hidden;
    EXPECT_FALSE(point("1", "1").showLabel);
    m_store.settings().labels = LabelDisplay::Shown;
    EXPECT_TRUE(point("2", "1").showLabel);
}

TEST_F(StoreTest, CircleThroughAPointMakesCentreThenPoint)
{
    PointRec& centre = point("100", "100");
    PointRec& onIt = point("103", "104");
    CircleRec& made = m_store.makeCircle(centre, onIt);
    EXPECT_EQ(made.label, "C1");
    EXPECT_EQ(shortText(made.radius), "5");
    EXPECT_FLOAT_EQ(made.floats.radius, 5.0f);
    EXPECT_EQ(m_store.points().size(), 2u);

    CircleRec& fromRadius = m_store.makeCircleWithRadius(number("300"), number("300"), LongNum(),
                                                         number("7"), CentrePoint::Make);
    EXPECT_EQ(fromRadius.label, "C2");
    // The centre and point of C1 merged but used up E and F.
    EXPECT_EQ(m_store.points().back()->label, "G");
    m_store.makeCircleWithRadius(number("400"), number("300"), LongNum(), number("7"),
                                 CentrePoint::Skip);
    EXPECT_EQ(m_store.points().size(), 3u);
}

TEST_F(StoreTest, DistanceLabelsCountOnPastNine)
{
    PointRec& first = point("0", "0");
    PointRec& second = point("6", "8");
    EXPECT_EQ(shortText(m_store.makeDistance(first, second).value), "10");
    for (int index = 2; index <= 9; ++index)
        m_store.makeDistance(first, second);
    EXPECT_EQ(m_store.distances().back()->label, "9");
    EXPECT_EQ(m_store.makeDistance(number("2.5")).label, "10");
    EXPECT_EQ(m_store.makeDistance(first, second).label, "11");
}

TEST_F(StoreTest, FindReturnsTheLastMatchOfKindNameAndScope)
{
    PointRec& older = point("1", "1");
    older.bind("A", "start");
    PointRec& other = point("2", "2");
    other.bind("A", "helper");
    PointRec& newer = point("3", "3");
    newer.bind("A", "start");
    EXPECT_EQ(m_store.find<PointRec>("A", "start"), &newer);
    EXPECT_EQ(m_store.find<PointRec>("A", "helper"), &other);
    EXPECT_EQ(m_store.find<PointRec>("a", "start"), nullptr) << "names are case-sensitive";
    EXPECT_EQ(m_store.find<LineRec>("A", "start"), nullptr) << "kinds are separate";
    EXPECT_EQ(m_store.find(ObjectKind::Point, "A", "start"), &newer);
}

TEST_F(StoreTest, RemoveByNameDropsOnlyTheNameWhileOthersRemain)
{
    PointRec& shared = point("1", "1");
    shared.bind("A", "start");
    shared.bind("B", "start");
    EXPECT_EQ(m_store.removeByName(ObjectKind::Point, "A", "start"), RemoveOutcome::NameDropped);
    ASSERT_EQ(m_store.points().size(), 1u);
    EXPECT_EQ(m_store.find<PointRec>("A", "start"), nullptr);
    EXPECT_EQ(m_store.find<PointRec>("B", "start"), &shared);
    EXPECT_EQ(m_store.removeByName(ObjectKind::Point, "B", "start"), RemoveOutcome::ObjectRemoved);
    EXPECT_TRUE(m_store.points().empty());
    EXPECT_EQ(m_store.removeByName(ObjectKind::Point, "B", "start"), RemoveOutcome::NotFound);
    // A removed point no longer takes part in merges.
    EXPECT_EQ(point("1", "1").names.size(), 0u);
    EXPECT_EQ(m_store.points().size(), 1u);
}

TEST_F(StoreTest, RemoveUnlinksAnyObject)
{
    LineRec& first = line("0", "0", "10", "10");
    first.bind("l", "start");
    first.bind("m", "start");
    CircleRec& ring = circle("5", "5", "3");
    EXPECT_TRUE(m_store.remove(first));
    EXPECT_TRUE(m_store.lines().empty());
    EXPECT_TRUE(m_store.remove(ring));
    EXPECT_TRUE(m_store.circles().empty());
    LineRec detached;
    EXPECT_FALSE(m_store.remove(detached));
}

TEST_F(StoreTest, DroppingAScopeKeepsTheObjects)
{
    PointRec& a = point("1", "1");
    a.bind("P", "start");
    a.bind("X", "helper");
    CircleRec& ring = circle("5", "5", "3");
    ring.bind("c", "helper");
    m_store.dropScope("helper");
    EXPECT_EQ(a.names.size(), 1u);
    EXPECT_TRUE(ring.names.empty());
    EXPECT_EQ(m_store.circles().size(), 1u);
    EXPECT_EQ(m_store.find<CircleRec>("c", "helper"), nullptr);
}

TEST_F(StoreTest, ClearEmptiesEverythingAndRestartsLabels)
{
    point("1", "1");
    line("0", "0", "1", "1");
    segment("0", "0", "2", "1");
    circle("5", "5", "3");
    m_store.makeDistance(number("3"));
    m_store.addText(TextArray::Labels, {"AB=5.00", 10, 20});
    m_store.addText(TextArray::Titles, {"Title", 1, 2});
    m_store.clear();
    EXPECT_TRUE(m_store.points().empty());
    EXPECT_TRUE(m_store.lines().empty());
    EXPECT_TRUE(m_store.segments().empty());
    EXPECT_TRUE(m_store.circles().empty());
    EXPECT_TRUE(m_store.distances().empty());
    EXPECT_TRUE(m_store.texts(TextArray::Labels).empty());
    EXPECT_TRUE(m_store.texts(TextArray::Titles).empty());
    EXPECT_EQ(point("1", "1").label, "A");
    EXPECT_EQ(line("0", "0", "1", "1").label, "L1");
    EXPECT_EQ(m_store.makeDistance(number("3")).label, "1");
}

TEST_F(StoreTest, TextArraysAreSeparate)
{
    m_store.addText(TextArray::Labels, {"AB=5.00", 10, 20});
    m_store.addText(TextArray::Labels, {"x", 1, 2});
    m_store.addText(TextArray::Titles, {"Title", 3, 4});
    m_store.clearTexts(TextArray::Labels);
    EXPECT_TRUE(m_store.texts(TextArray::Labels).empty());
    ASSERT_EQ(m_store.texts(TextArray::Titles).size(), 1u);
    EXPECT_EQ(m_store.texts(TextArray::Titles)[0].text, "Title");
}

TEST_F(StoreTest, SeveralStoresAreIndependent)
{
    ObjectStore other;
    point("1", "1");
    EXPECT_EQ(other.makePoint(number("1"), number("1")).label, "A");
    EXPECT_EQ(m_store.points().size(), 1u);
    EXPECT_EQ(other.points().size(), 1u);
}

} // namespace
} // namespace kestrane
