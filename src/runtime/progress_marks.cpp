// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/progress_marks.h"

#include "platform/canvas.h"

namespace kestrane {

ProgressMarks::Scope::Scope(ProgressMarks& marks)
    : m_marks(marks)
{
    m_marks.m_marks.clear();
    m_marks.m_running = true;
}

ProgressMarks::Scope::~Scope()
{
    m_marks.m_running = false;
}

void ProgressMarks::box(int x1, int y1, int x2, int y2)
{
    m_marks.clear();
    m_marks.push_back({Mark::Shape::Box, x1, y1, x2, y2, {}});
}

void ProgressMarks::text(int x, int y, std::string text)
{
    m_marks.push_back({Mark::Shape::Text, x, y, x, y, std::move(text)});
}

void ProgressMarks::line(int x1, int y1, int x2, int y2)
{
    m_marks.push_back({Mark::Shape::Line, x1, y1, x2, y2, {}});
}

void ProgressMarks::show() const
{
    if (m_running && m_listener)
        m_listener();
}

void ProgressMarks::paint(Canvas& canvas) const
{
    if (!m_running)
        return;
    canvas.setPen(kBlack);
    canvas.setBrush(kWhite);
    canvas.setFont(CanvasFont{});
    canvas.setTextColour(kBlack);
    for (const Mark& mark : m_marks) {
        switch (mark.shape) {
        case Mark::Shape::Box:
            canvas.rectangle(mark.x1, mark.y1, mark.x2, mark.y2);
            break;
        case Mark::Shape::Text:
            canvas.text(mark.x1, mark.y1, mark.text);
            break;
        case Mark::Shape::Line:
            canvas.line(mark.x1, mark.y1, mark.x2, mark.y2);
            break;
        }
    }
}

void ProgressMarks::reset()
{
    m_marks.clear();
    m_running = false;
}

} // namespace kestrane
