// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the editor window: coloured lines, selection, cursor, completion
// list and status area.
#include "editor/line_colouring.h"
#include "editor/script_editor.h"
#include "platform/text_encoding.h"
#include "platform/translation.h"
#include "script/module.h"

#include <algorithm>

namespace kestrane {

namespace {

constexpr ColorRef kSelectionColour = 0x804000;  // dark blue behind selected text
constexpr ColorRef kStatusBackground = 0xC0C0C0; // silver
constexpr ColorRef kStatusText = 0x000000;
constexpr ColorRef kMessageText = 0x0000FF; // red
constexpr ColorRef kCursorColour = 0xFFFFFF;
constexpr ColorRef kListBackground = 0xFFFFFF;
constexpr ColorRef kListHighlight = 0x800000; // navy
constexpr int kListRows = 8;
constexpr int kListRowHeight = 18;
constexpr int kStatusMargin = 10;
constexpr int kMessageTop = 20;
constexpr int kMessageStep = 20;
constexpr int kModuleLabelOffset = 50;
constexpr int kClickLabelOffset = 66;

// The bytes of a line as UTF-8 for drawing: a line that is not UTF-8 is
// read as Windows-1250 as a whole, so each piece is converted the same way.
std::string drawable(std::string_view piece, bool lineIsUtf8)
{
    return lineIsUtf8 ? std::string(piece) : windows1250ToUtf8(piece);
}

} // namespace

void ScriptEditor::paint(Canvas& canvas) const
{
    canvas.fillRect(0, 0, statusLeft(), m_height, kBackground);
    canvas.setFont(font());
    paintExecutionLine(canvas);
    paintSelection(canvas);
    paintLines(canvas);
    paintBreakpoints(canvas);
    paintCursor(canvas);
    paintCompletion(canvas);
    // Drawn last, so that a line scrolled past the text area ends at it.
    paintStatus(canvas);
}

void ScriptEditor::paintLines(Canvas& canvas) const
{
    const std::vector<SourceLine>& lines = m_current->lines;
    std::vector<LineRole> roles = lineRoles(lines);
    int end = std::min(static_cast<int>(lines.size()), topLine() + m_visibleLines);
    for (int line = topLine(); line < end; ++line) {
        const SourceLine& source = lines[static_cast<std::size_t>(line)];
        std::string_view text = source.text();
        bool utf8 = isValidUtf8(text);
        int y = kTextTop + (line - topLine()) * kLineHeight;
        for (const ColouredSpan& span :
             colourLine(source, m_modules.module(), roles[static_cast<std::size_t>(line)])) {
            int x = kTextLeft - m_horizontalOffset + m_measure(text.substr(0, span.start));
            canvas.setTextColour(span.colour);
            canvas.text(x, y, drawable(text.substr(span.start, span.length), utf8));
        }
    }
}

void ScriptEditor::paintSelection(Canvas& canvas) const
{
    if (!m_selection.active || m_selection.empty())
        return;
    TextPosition from = std::min(m_selection.start, m_selection.end);
    TextPosition to = std::max(m_selection.start, m_selection.end);
    int first = std::max(from.line, topLine());
    int last = std::min(to.line, topLine() + m_visibleLines - 1);
    for (int line = first; line <= last; ++line) {
        int startColumn = line == from.line ? from.column : 0;
        int endColumn = line == to.line ? to.column : static_cast<int>(lineText(line).size());
        int left = pixelOf({line, startColumn});
        // A selected line end shows as a little room after the text.
        int right = pixelOf({line, endColumn}) + (line == to.line ? 0 : kDefaultCharacterWidth);
        int y = kTextTop + (line - topLine()) * kLineHeight;
        canvas.fillRect(left, y, right, y + kLineHeight - 2, kSelectionColour);
    }
}

void ScriptEditor::paintCursor(Canvas& canvas) const
{
    int row = cursorLine() - topLine();
    if (!cursorShown() || row < 0 || row >= m_visibleLines)
        return;
    int x = pixelOf(cursor());
    int y = kTextTop + row * kLineHeight;
    canvas.setPen(kCursorColour, 2);
    canvas.line(x, y + 2, x, y + kLineHeight - 4);
}

void ScriptEditor::paintCompletion(Canvas& canvas) const
{
    if (m_completionIndex < 0 || m_offered.empty())
        return;
    int count = static_cast<int>(m_offered.size());
    int first = std::clamp(m_completionIndex - kListRows + 1, 0, std::max(0, count - kListRows));
    int rows = std::min(kListRows, count - first);
    int width = 0;
    for (int index = first; index < first + rows; ++index)
        width = std::max(width, m_measure(m_offered[static_cast<std::size_t>(index)]));
    int left = pixelOf({cursorLine(), m_completionStart});
    int top = kTextTop + (cursorLine() - topLine() + 1) * kLineHeight;
    canvas.fillRect(left, top, left + width + 2 * kStatusMargin, top + rows * kListRowHeight,
                    kListBackground);
    for (int row = 0; row < rows; ++row) {
        int index = first + row;
        int y = top + row * kListRowHeight;
        bool highlighted = index == m_completionIndex;
        if (highlighted)
            canvas.fillRect(left, y, left + width + 2 * kStatusMargin, y + kListRowHeight,
                            kListHighlight);
        canvas.setTextColour(highlighted ? kListBackground : kStatusText);
        canvas.text(left + kStatusMargin, y, m_offered[static_cast<std::size_t>(index)]);
    }
}

int ScriptEditor::messageRoom() const
{
    return m_width - statusLeft() - 2 * kStatusMargin;
}

void ScriptEditor::paintStatus(Canvas& canvas) const
{
    int left = statusLeft();
    canvas.fillRect(left, 0, m_width, m_height, kStatusBackground);
    int x = left + kStatusMargin;
    canvas.setTextColour(kMessageText);
    for (std::size_t index = 0; index < m_messageLines.size(); ++index) {
        if (!m_messageLines[index].empty())
            canvas.text(x, kMessageTop + static_cast<int>(index) * kMessageStep,
                        displayText(m_messageLines[index]));
    }
    int middle = m_height / 2;
    canvas.setTextColour(kStatusText);
    std::string label = translate(editor_message::kModuleLabel);
    canvas.text(x, middle + kModuleLabelOffset, label);
    const ModuleInfo* module = findModule(m_modules.module());
    canvas.text(x + m_measure(label) + kDefaultCharacterWidth, middle + kModuleLabelOffset,
                module ? module->statusName : std::string_view("?"));
    canvas.text(x, middle + kClickLabelOffset, translate(editor_message::kClickToChange));
    canvas.setPen(kStatusText);
    canvas.clearBrush();
    canvas.rectangle(left + kStatusMargin / 2, middle + kModuleDisplayTop + 1,
                     m_width - kStatusMargin / 2, middle + kModuleDisplayBottom - 1);
}

void ScriptEditor::tick()
{
    m_ticks = (m_ticks + 1) % kTickWrap;
    m_blinkPhase = (m_blinkPhase + 1) % kBlinkPhases;
}

} // namespace kestrane
