// SPDX-License-Identifier: GPL-3.0-or-later
// The list view of the user variables: the layout pass, the scroll bar's
// maximum and steps, what a click falls on, and the title.
#include "algebra/variable_table.h"
#include "expressions/expression_test_support.h"
#include "fractions/variable_list.h"
#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

namespace kestrane {
namespace {

class VariableListTest : public ::testing::Test {
protected:
    void add(const std::string& name, const char* value)
    {
        m_table.add(name, value ? testing::parsed(value) : nullptr);
    }
    // A value one fraction high, rows of about 90 pixels.
    void addFractions(int count)
    {
        for (int index = 0; index < count; ++index)
            add("v" + std::to_string(index), "1/2");
    }

    VariableTable m_table;
    RecordingCanvas m_metrics;
};

TEST_F(VariableListTest, RowsFollowEachOtherFromTheTopMargin)
{
    add("a", "3");
    add("b", nullptr);
    add("c", "1/2");
    layoutVariableList(m_table, m_metrics);

    const VariableRecord& a = m_table.record(0);
    const VariableRecord& b = m_table.record(1);
    const VariableRecord& c = m_table.record(2);
    EXPECT_EQ(a.rowTop, 120);
    EXPECT_EQ(a.rowBottom, 120 + a.value->height + 40);
    EXPECT_EQ(b.rowTop, 120 + a.value->height + 50);
    EXPECT_EQ(b.rowBottom, b.rowTop + 40);
    EXPECT_EQ(c.rowTop, b.rowTop + 50);
    EXPECT_EQ(m_table.listY, c.rowTop + c.value->height + 50);
    // Each value is centred at x 450 and starts 20 pixels into its row.
    EXPECT_NEAR(c.value->x, 450, 1);
    EXPECT_FALSE(m_table.needsScrolling);
    EXPECT_EQ(variableListScrollMaximum(m_table), 0);
}

TEST_F(VariableListTest, ALongListScrollsAHundredPixelsAStep)
{
    addFractions(8);
    layoutVariableList(m_table, m_metrics);
    ASSERT_TRUE(m_table.needsScrolling);
    int finalY = m_table.listY;
    EXPECT_EQ(variableListScrollMaximum(m_table), (finalY - 450) / 100 + 2);

    int firstTop = m_table.record(0).rowTop;
    scrollVariableList(m_table, 2, m_metrics);
    EXPECT_EQ(m_table.scrollOffset, 200);
    EXPECT_EQ(m_table.record(0).rowTop, firstTop - 200);
    // The final y does not depend on the scroll offset.
    EXPECT_EQ(m_table.listY, finalY);

    scrollVariableList(m_table, 1000, m_metrics);
    EXPECT_EQ(m_table.scrollOffset, variableListScrollMaximum(m_table) * 100);
    scrollVariableList(m_table, -3, m_metrics);
    EXPECT_EQ(m_table.scrollOffset, 0);
}

TEST_F(VariableListTest, ClicksFallOnNameCrossOrValue)
{
    add("a", "3");
    add("b", "1/2");
    layoutVariableList(m_table, m_metrics);
    int middle = (m_table.record(1).rowTop + m_table.record(1).rowBottom) / 2;
    struct Case {
        const char* name;
        int x, y;
        ListTarget target;
        int index;
    } cases[] = {
        {"name of the first", 80, 130, ListTarget::Name, 0},
        {"cross of the first", 170, 140, ListTarget::Enable, 0},
        {"value of the second", 450, middle, ListTarget::Value, 1},
        {"left of every box", 10, 130, ListTarget::None, -1},
        {"above the list", 450, 50, ListTarget::None, -1},
    };
    for (const Case& item : cases) {
        ListHit hit = hitVariableList(m_table, item.x, item.y);
        EXPECT_EQ(hit.target, item.target) << item.name;
        EXPECT_EQ(hit.index, item.index) << item.name;
    }
}

TEST_F(VariableListTest, PaintsTheTitleAndEveryName)
{
    add("ab", "3");
    add("x", nullptr);
    layoutVariableList(m_table, m_metrics);
    RecordingCanvas canvas;
    paintVariableList(m_table, canvas, kWhite);
    auto texts = canvas.callsOf(RecordingCanvas::Shape::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].text, "List of variables");
    EXPECT_EQ(texts[0].points[0].x, 40);
    EXPECT_EQ(texts[0].points[0].y, 10);
    EXPECT_EQ(texts[0].font.pixelHeight, 22);
    std::vector<std::string> all = canvas.texts();
    EXPECT_NE(std::find(all.begin(), all.end(), "ab"), all.end());
    EXPECT_NE(std::find(all.begin(), all.end(), "x"), all.end());
}

} // namespace
} // namespace kestrane
