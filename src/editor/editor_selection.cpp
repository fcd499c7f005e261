// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's mouse, scrolling, selection and clipboard.
#include "editor/editor_text.h"
#include "editor/script_editor.h"
#include "platform/clipboard.h"

#include <algorithm>

namespace kestrane {

namespace {

// Where the cursor stands after a text is inserted at a position.
TextPosition endOfInserted(TextPosition position, std::string_view inserted)
{
    std::size_t lastBreak = inserted.rfind("\r\n");
    if (lastBreak == std::string_view::npos)
        return {position.line, position.column + static_cast<int>(inserted.size())};
    int breaks = 0;
    for (std::size_t found = inserted.find("\r\n"); found != std::string_view::npos;
         found = inserted.find("\r\n", found + 2))
        ++breaks;
    return {position.line + breaks, static_cast<int>(inserted.size() - lastBreak - 2)};
}

} // namespace

MouseAction ScriptEditor::mouseDown(int x, int y)
{
    hideCompletion();
    m_history.closeGroup();
    if (x >= statusLeft()) {
        int middle = m_height / 2;
        if (y > middle + kModuleDisplayTop && y < middle + kModuleDisplayBottom)
            return MouseAction::ChooseModule;
        return MouseAction::None;
    }
    std::optional<TextPosition> position = positionAt(x, y);
    if (!position)
        return MouseAction::None;
    // The left margin holds the breakpoints.
    if (x < kTextLeft) {
        toggleBreakpoint(position->line);
        return MouseAction::None;
    }
    m_lineBeforeMouse = cursorLine();
    setCursor(*position);
    m_selection = {*position, *position, true};
    m_selecting = true;
    return MouseAction::None;
}

void ScriptEditor::mouseMove(int x, int y)
{
    if (!m_selecting)
        return;
    int last = static_cast<int>(m_current->lines.size()) - 1;
    int line = std::clamp(topLine() + (y - kTextTop) / kLineHeight, 0, last);
    line = std::clamp(line, topLine(), std::max(topLine(), topLine() + m_visibleLines - 1));
    line = std::min(line, last);
    TextPosition position{line, columnAt(lineText(line), x)};
    setCursor(position);
    m_selection.end = position;
}

void ScriptEditor::mouseUp(int x, int y)
{
    if (!m_selecting)
        return;
    mouseMove(x, y);
    m_selecting = false;
    if (m_selection.end < m_selection.start)
        std::swap(m_selection.start, m_selection.end);
    if (cursorLine() != m_lineBeforeMouse)
        rebuildAfterIncludeEdit();
}

void ScriptEditor::wheel(int steps)
{
    scrollTo(topLine() + steps);
}

bool ScriptEditor::overText(int x, int y) const
{
    return positionAt(x, y).has_value();
}

void ScriptEditor::scrollTo(int top)
{
    m_current->view.topLine = std::clamp(top, 0, lastTopLine());
}

int ScriptEditor::lastTopLine() const
{
    return std::max(0, static_cast<int>(m_current->lines.size()) - m_visibleLines);
}

bool ScriptEditor::needsScrollBar() const
{
    return static_cast<int>(m_current->lines.size()) > m_visibleLines;
}

std::optional<TextPosition> ScriptEditor::positionAt(int x, int y) const
{
    if (x < 0 || x >= statusLeft() || y < kTextTop)
        return {};
    int row = (y - kTextTop) / kLineHeight;
    int line = topLine() + row;
    if (row >= m_visibleLines || line >= static_cast<int>(m_current->lines.size()))
        return {};
    return TextPosition{line, columnAt(lineText(line), x)};
}

// The column whose character boundary lies nearest to the pixel.
int ScriptEditor::columnAt(const std::string& text, int x) const
{
    int target = x - kTextLeft + m_horizontalOffset;
    std::string_view view = text;
    std::size_t column = 0;
    while (column < view.size()) {
        std::size_t next = editor_text::nextCharacter(view, column);
        int middle = (m_measure(view.substr(0, column)) + m_measure(view.substr(0, next))) / 2;
        if (target < middle)
            break;
        column = next;
    }
    return static_cast<int>(column);
}

int ScriptEditor::pixelOf(TextPosition position) const
{
    std::string_view text = lineText(position.line);
    return kTextLeft - m_horizontalOffset +
           m_measure(text.substr(0, static_cast<std::size_t>(position.column)));
}

void ScriptEditor::select(TextPosition start, TextPosition end)
{
    m_selection = {start, end, true};
    setCursor(end);
    followCursorHorizontally();
}

std::string ScriptEditor::selectedText() const
{
    if (!m_selection.active || m_selection.empty())
        return {};
    return textBetween(std::min(m_selection.start, m_selection.end),
                       std::max(m_selection.start, m_selection.end));
}

std::string ScriptEditor::textBetween(TextPosition from, TextPosition to) const
{
    auto fromColumn = static_cast<std::size_t>(from.column);
    auto toColumn = static_cast<std::size_t>(to.column);
    if (from.line == to.line)
        return lineText(from.line).substr(fromColumn, toColumn - fromColumn);
    std::string text = lineText(from.line).substr(fromColumn);
    for (int line = from.line + 1; line < to.line; ++line)
        text += "\r\n" + lineText(line);
    return text + "\r\n" + lineText(to.line).substr(0, toColumn);
}

void ScriptEditor::copy(Clipboard& clipboard) const
{
    // An empty selection (a plain click) leaves the clipboard as it was.
    std::string text = selectedText();
    if (!text.empty())
        clipboard.setText(text);
}

void ScriptEditor::cut(Clipboard& clipboard)
{
    std::string text = selectedText();
    if (text.empty())
        return;
    TextPosition start = std::min(m_selection.start, m_selection.end);
    TextPosition end = std::max(m_selection.start, m_selection.end);
    int lastLine = static_cast<int>(m_current->lines.size()) - 1;
    std::string before = textBetween({0, 0}, start);
    std::string after = textBetween(end, {lastLine, static_cast<int>(lineText(lastLine).size())});
    clipboard.setText(text);
    recordEdit(EditKind::Other);
    breakpointsBeforeRemove(start, end);
    replaceCurrentText(before + after, start);
}

void ScriptEditor::paste(const Clipboard& clipboard)
{
    std::string pasted = clipboard.text();
    if (pasted.size() > kMaxPasteLength)
        pasted.resize(editor_text::characterStart(pasted, kMaxPasteLength));
    // Text from other programs ends its lines with LF alone; the lines of a
    // script file end with CR LF.
    pasted = editor_text::withCarriageReturns(pasted);
    if (pasted.empty())
        return;
    TextPosition position = cursor();
    int lastLine = static_cast<int>(m_current->lines.size()) - 1;
    std::string before = textBetween({0, 0}, position);
    std::string after =
        textBetween(position, {lastLine, static_cast<int>(lineText(lastLine).size())});
    int top = topLine();
    recordEdit(EditKind::Other);
    replaceCurrentText(before + pasted + after, endOfInserted(position, pasted));
    int lineBreaks = 0;
    for (std::size_t at = pasted.find("\r\n"); at != std::string::npos;
         at = pasted.find("\r\n", at + 2))
        ++lineBreaks;
    breakpointsAfterInsert(position, lineBreaks);
    m_includeEdited = false;
    m_current->view.topLine = std::min(top, cursorLine());
    setCursor(cursor());
}

// The current file's text replaced as a whole; the main file is built again
// with its includes.
void ScriptEditor::replaceCurrentText(std::string_view text, TextPosition position)
{
    if (m_current == m_main.get()) {
        setText(text);
    } else {
        m_current->setText(text);
        markModified();
    }
    m_selection = {};
    setCursor(position);
    followCursorHorizontally();
}

} // namespace kestrane
