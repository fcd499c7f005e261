// SPDX-License-Identifier: GPL-3.0-or-later
// Breakpoints, Run to cursor and the highlight of the statement a paused
// program runs next.
#include "editor/script_editor.h"

#include <algorithm>

namespace kestrane {

namespace {

constexpr ColorRef kBreakpointColour = 0x0000FF;    // red
constexpr ColorRef kExecutionLineColour = 0x008080; // olive behind the white text
constexpr int kDotDiameter = 8;

} // namespace

// Breakpoints of an include are kept by the name its #include line gives
// it, so that they survive the text being rebuilt.
std::string ScriptEditor::fileKey() const
{
    return m_current == m_main.get() ? std::string() : m_current->name;
}

LineMark ScriptEditor::caretMark() const
{
    return LineMark{fileKey(), cursorLine()};
}

void ScriptEditor::toggleBreakpoint()
{
    toggleBreakpoint(cursorLine());
}

void ScriptEditor::toggleBreakpoint(int line)
{
    if (line < 0 || line >= static_cast<int>(m_current->lines.size()))
        return;
    LineMark mark{fileKey(), line};
    if (!m_breakpoints.erase(mark))
        m_breakpoints.insert(std::move(mark));
}

bool ScriptEditor::hasBreakpoint(int line) const
{
    return m_breakpoints.contains(LineMark{fileKey(), line});
}

void ScriptEditor::runToCursor()
{
    m_runTo = caretMark();
    run();
    m_runTo.reset();
}

void ScriptEditor::setExecutionLine(std::optional<LineMark> line)
{
    m_executionLine = std::move(line);
    if (!m_executionLine || m_executionLine->file != fileKey())
        return;
    // The statement is brought into view, as a find brings its match.
    EditingView& view = m_current->view;
    int shown = m_executionLine->line;
    if (shown < view.topLine || shown >= view.topLine + m_visibleLines)
        view.topLine = std::max(0, shown - m_visibleLines / 2);
}

void ScriptEditor::paintExecutionLine(Canvas& canvas) const
{
    if (!m_executionLine || m_executionLine->file != fileKey())
        return;
    int row = m_executionLine->line - topLine();
    if (row < 0 || row >= m_visibleLines)
        return;
    int y = kTextTop + row * kLineHeight;
    canvas.fillRect(0, y, statusLeft(), y + kLineHeight, kExecutionLineColour);
}

void ScriptEditor::paintBreakpoints(Canvas& canvas) const
{
    std::string key = fileKey();
    canvas.setPen(kBreakpointColour);
    canvas.setBrush(kBreakpointColour);
    for (auto mark = m_breakpoints.lower_bound(LineMark{key, topLine()});
         mark != m_breakpoints.end() && mark->file == key &&
         mark->line < topLine() + m_visibleLines;
         ++mark) {
        int y =
            kTextTop + (mark->line - topLine()) * kLineHeight + (kLineHeight - kDotDiameter) / 2;
        canvas.ellipse(1, y, 1 + kDotDiameter, y + kDotDiameter);
    }
    canvas.clearBrush();
}

} // namespace kestrane
