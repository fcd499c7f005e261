// SPDX-License-Identifier: GPL-3.0-or-later
// Breakpoints, Run to cursor and the highlight of the statement a paused
// program runs next.
#include "editor/script_editor.h"

#include <algorithm>
#include <optional>
#include <vector>

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

// Rebuilds the current file's breakpoints through `move`, which gives a
// line's new number, or none when its breakpoint goes.
template<class Move>
void ScriptEditor::moveBreakpoints(Move move)
{
    std::string key = fileKey();
    auto first = m_breakpoints.lower_bound(LineMark{key, 0});
    auto last = first;
    std::vector<int> moved;
    for (; last != m_breakpoints.end() && last->file == key; ++last) {
        if (std::optional<int> line = move(last->line))
            moved.push_back(*line);
    }
    m_breakpoints.erase(first, last);
    for (int line : moved)
        m_breakpoints.insert(LineMark{key, line});
}

void ScriptEditor::breakpointsAfterInsert(TextPosition at, int lineBreaks)
{
    if (lineBreaks <= 0)
        return;
    // Text put before a line's first character pushes the whole line down.
    int firstMoved = at.column == 0 ? at.line : at.line + 1;
    moveBreakpoints([&](int line) -> std::optional<int> {
        return line >= firstMoved ? line + lineBreaks : line;
    });
}

void ScriptEditor::breakpointsBeforeRemove(TextPosition from, TextPosition to)
{
    if (to.line <= from.line)
        return;
    // The joined line keeps a breakpoint when some text of a line that had
    // one stays in it; lines removed whole lose theirs.
    bool firstStays = from.column > 0;
    bool lastStays = to.column < static_cast<int>(lineText(to.line).size());
    int removed = to.line - from.line;
    bool joinedKeeps =
        (firstStays && hasBreakpoint(from.line)) || (lastStays && hasBreakpoint(to.line));
    moveBreakpoints([&](int line) -> std::optional<int> {
        if (line < from.line)
            return line;
        if (line > to.line)
            return line - removed;
        if (line == from.line && joinedKeeps)
            return line;
        return std::nullopt;
    });
}

void ScriptEditor::breakpointsAfterReplace(const std::vector<std::string>& before)
{
    // The lines equal at the start and at the end of both texts keep their
    // breakpoints; in the changed lines between, a breakpoint stays on its
    // line while that line is still among them.
    auto oldCount = static_cast<int>(before.size());
    auto newCount = static_cast<int>(m_current->lines.size());
    int same = 0;
    while (same < oldCount && same < newCount &&
           before[static_cast<std::size_t>(same)] == lineText(same))
        ++same;
    int sameEnd = 0;
    while (sameEnd < oldCount - same && sameEnd < newCount - same &&
           before[static_cast<std::size_t>(oldCount - 1 - sameEnd)] ==
               lineText(newCount - 1 - sameEnd))
        ++sameEnd;
    moveBreakpoints([&](int line) -> std::optional<int> {
        if (line < same)
            return line;
        if (line >= oldCount - sameEnd)
            return line + newCount - oldCount;
        if (line < newCount - sameEnd)
            return line;
        return std::nullopt;
    });
}

} // namespace kestrane
