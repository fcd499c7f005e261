// SPDX-License-Identifier: GPL-3.0-or-later
#include "fractions/variable_list.h"

#include "algebra/variable_table.h"
#include "expressions/fract_layout.h"
#include "expressions/fract_paint.h"
#include "expressions/mark_matching.h"
#include "platform/canvas.h"
#include "platform/translation.h"

#include <algorithm>

namespace kestrane {

using namespace variable_list;

namespace {

constexpr ColorRef kDisabledColour = rgb(150, 150, 150);

// Lays the value out with its centre at kValueCentre and its top at top.
void placeValue(FractNode& value, Canvas& metrics, int top, const std::string& fontName)
{
    fixUp(value);
    matchMarks(value);
    layoutExpression(value, metrics, 0, top, fontName);
    layoutExpression(value, metrics, kValueCentre - value.width / 2, top, fontName);
}

} // namespace

void layoutVariableList(VariableTable& table, Canvas& metrics, const std::string& fontName)
{
    int y = VariableTable::kListTop;
    for (int index = 0; index < table.count(); ++index) {
        VariableRecord& record = table.record(index);
        record.rowTop = y - table.scrollOffset;
        if (!record.value) {
            record.rowBottom = record.rowTop + 40;
            y += 50;
            continue;
        }
        placeValue(*record.value, metrics, y + 20 - table.scrollOffset, fontName);
        record.rowBottom = record.rowTop + record.value->height + 40;
        y += record.value->height + 50;
    }
    table.listY = y;
    table.needsScrolling = y > kVisibleBottom;
}

int variableListScrollMaximum(const VariableTable& table)
{
    if (!table.needsScrolling)
        return 0;
    return (table.listY - kVisibleBottom) / kScrollStep + 2;
}

void scrollVariableList(VariableTable& table, int position, Canvas& metrics,
                        const std::string& fontName)
{
    layoutVariableList(table, metrics, fontName);
    position = std::clamp(position, 0, variableListScrollMaximum(table));
    table.scrollOffset = position * kScrollStep;
    layoutVariableList(table, metrics, fontName);
}

ListHit hitVariableList(const VariableTable& table, int x, int y)
{
    for (int index = 0; index < table.count(); ++index) {
        const VariableRecord& record = table.record(index);
        if (y < record.rowTop || y > record.rowBottom)
            continue;
        if (x >= kNameLeft && x <= kNameRight)
            return {ListTarget::Name, index};
        int crossTop = record.rowTop + 10;
        if (x >= kCrossLeft && x <= kCrossLeft + kCrossSize && y >= crossTop &&
            y <= crossTop + kCrossSize)
            return {ListTarget::Enable, index};
        if (x >= kValueLeft && x <= kValueRight)
            return {ListTarget::Value, index};
    }
    return {};
}

void paintVariableList(const VariableTable& table, Canvas& canvas, ColorRef background,
                       const std::string& fontName)
{
    canvas.setTextColour(kBlack);
    canvas.setFont(CanvasFont{.name = "Arial", .pixelHeight = kTitleHeight});
    canvas.text(kTitleX, kTitleY, translate("List of variables"));
    for (int index = 0; index < table.count(); ++index) {
        const VariableRecord& record = table.record(index);
        if (record.rowBottom < 0)
            continue;
        ColorRef ink = record.enabled ? kBlack : kDisabledColour;
        canvas.setPen(ink);
        canvas.clearBrush();
        canvas.rectangle(kNameLeft, record.rowTop, kNameRight, record.rowBottom);
        canvas.setTextColour(ink);
        canvas.setFont(CanvasFont{.name = "Arial", .pixelHeight = kRecordHeight});
        canvas.text(kNameLeft + 6, record.rowTop + 10, record.name);
        int crossTop = record.rowTop + 10;
        canvas.setBrush(record.enabled ? kWhite : rgb(220, 220, 220));
        canvas.rectangle(kCrossLeft, crossTop, kCrossLeft + kCrossSize, crossTop + kCrossSize);
        canvas.line(kCrossLeft, crossTop, kCrossLeft + kCrossSize, crossTop + kCrossSize);
        canvas.line(kCrossLeft, crossTop + kCrossSize, kCrossLeft + kCrossSize, crossTop);
        canvas.clearBrush();
        // The value's box is its part of the row, filled with the expression
        // background: at any font height it stays inside the row.
        if (record.value)
            canvas.fillRect(kValueLeft, record.rowTop, kValueRight, record.rowBottom, background);
        canvas.setPen(ink);
        canvas.rectangle(kValueLeft, record.rowTop, kValueRight, record.rowBottom);
        if (record.value) {
            PaintOptions options;
            options.fontName = fontName;
            paintExpression(*record.value, canvas, options);
        } else {
            canvas.text(kValueLeft + 10, record.rowTop + 10, translate("(no value)"));
        }
    }
    canvas.setTextColour(kBlack);
    canvas.setPen(kBlack);
}

} // namespace kestrane
