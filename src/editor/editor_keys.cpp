// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's keys: cursor movement, editing of the current file's lines
// and the completion list.
#include "editor/editor_text.h"
#include "editor/script_editor.h"

#include <algorithm>
#include <cstdlib>

namespace kestrane {

namespace {

// A word of at least this many characters brings up the completion list.
constexpr std::size_t kShortestCompletedPrefix = 2;
// How far the view jumps when Enter passes the last visible line.
constexpr int kEnterScroll = 10;

bool typesCharacters(std::string_view text)
{
    if (text.empty())
        return false;
    return std::all_of(text.begin(), text.end(), [](char character) {
        auto byte = static_cast<unsigned char>(character);
        return byte >= 0x20 && byte != 0x7F;
    });
}

// A letter or digit typed after a blank, a sign or the line's start begins
// a new word, and a new step of the undo history.
bool startsWord(std::string_view line, int column, std::string_view typed)
{
    if (!editor_text::isWordCharacter(typed.front()))
        return false;
    return column == 0 || !editor_text::isWordCharacter(line[static_cast<std::size_t>(column) - 1]);
}

bool movesInList(Key key)
{
    return key == Key::Up || key == Key::Down || key == Key::PageUp || key == Key::PageDown;
}

bool movesCursor(Key key)
{
    return movesInList(key) || key == Key::Left || key == Key::Right || key == Key::Home ||
           key == Key::End;
}

// Ctrl and Alt alone, and the chords they start (Ctrl+C, Ctrl+Insert),
// leave the selection for the command that uses it; a key that moves the
// caret or edits without Shift ends it.
bool endsSelection(Key key, Modifiers modifiers)
{
    if (modifiers.shift() || key == Key::Control || key == Key::Alt)
        return false;
    if (modifiers.control() || modifiers.alt())
        return movesCursor(key);
    return true;
}

} // namespace

void ScriptEditor::keyDown(Key key, Modifiers modifiers, std::string_view text)
{
    if (key == Key::Shift)
        return;
    bool listShown = m_completionIndex >= 0;
    if (listShown && modifiers.shift() && movesInList(key)) {
        moveInList(key);
        return;
    }
    if (listShown && modifiers.shift() && key == Key::Enter) {
        recordEdit(EditKind::Other);
        takeCompletion();
        followCursorHorizontally();
        return;
    }
    hideCompletion();
    if (endsSelection(key, modifiers))
        m_selection.active = false;
    TextPosition before = cursor();
    if (movesCursor(key))
        m_history.closeGroup();
    switch (key) {
    case Key::Up:
        moveVertically(-1);
        break;
    case Key::Down:
        moveVertically(1);
        break;
    case Key::PageUp:
        moveVertically(-kPageStep);
        break;
    case Key::PageDown:
        moveVertically(kPageStep);
        break;
    case Key::Left:
        moveLeft(modifiers);
        break;
    case Key::Right:
        moveRight(modifiers);
        break;
    case Key::Home:
        setCursor({cursorLine(), 0});
        break;
    case Key::End:
        setCursor({cursorLine(), static_cast<int>(currentLine().text().size())});
        break;
    case Key::Enter:
        recordEdit(EditKind::Other);
        splitLine();
        break;
    case Key::Backspace:
        recordEdit(EditKind::Deleting);
        backspace();
        break;
    case Key::Delete:
        recordEdit(EditKind::Deleting);
        deleteForward();
        break;
    default:
        if (!modifiers.control() && !modifiers.alt() && typesCharacters(text)) {
            recordEdit(EditKind::Typing, startsWord(currentLine().text(), cursorColumn(), text));
            insertText(text);
            offerCompletion();
        }
        break;
    }
    // Shift with a cursor key selects from where the cursor was.
    if (modifiers.shift() && movesCursor(key)) {
        if (!m_selection.active)
            m_selection = {before, before, true};
        m_selection.end = cursor();
    }
    followCursorHorizontally();
}

void ScriptEditor::keyUp()
{
    rebuildAfterIncludeEdit();
}

void ScriptEditor::moveInList(Key key)
{
    int step = key == Key::Up       ? -1
               : key == Key::Down   ? 1
               : key == Key::PageUp ? -kPageStep
                                    : kPageStep;
    int last = static_cast<int>(m_offered.size()) - 1;
    m_completionIndex = std::clamp(m_completionIndex + step, 0, last);
}

void ScriptEditor::moveVertically(int step)
{
    EditingView& view = m_current->view;
    int last = static_cast<int>(m_current->lines.size()) - 1;
    int line = std::clamp(view.cursorLine + step, 0, last);
    if (line == view.cursorLine)
        return;
    view.cursorLine = line;
    const std::string& text = lineText(line);
    view.cursorColumn = static_cast<int>(editor_text::characterStart(
        text, std::min(static_cast<std::size_t>(view.cursorColumn), text.size())));
    if (line >= view.topLine + m_visibleLines)
        view.topLine = std::max(view.topLine + std::abs(step), line - m_visibleLines + 1);
    if (line < view.topLine)
        view.topLine = line;
    view.topLine = std::min(view.topLine, line);
}

void ScriptEditor::moveLeft(Modifiers modifiers)
{
    TextPosition position = cursor();
    const std::string& text = lineText(position.line);
    if (position.column == 0) {
        if (position.line == 0)
            return;
        --position.line;
        position.column = static_cast<int>(lineText(position.line).size());
    } else if (modifiers.control()) {
        position.column = static_cast<int>(
            editor_text::previousWordStart(text, static_cast<std::size_t>(position.column)));
    } else {
        position.column = static_cast<int>(
            editor_text::previousCharacter(text, static_cast<std::size_t>(position.column)));
    }
    setCursor(position);
}

void ScriptEditor::moveRight(Modifiers modifiers)
{
    TextPosition position = cursor();
    const std::string& text = lineText(position.line);
    auto column = static_cast<std::size_t>(position.column);
    if (column >= text.size()) {
        if (position.line + 1 >= static_cast<int>(m_current->lines.size()))
            return;
        position = {position.line + 1, 0};
    } else if (modifiers.control()) {
        position.column = static_cast<int>(editor_text::nextWordStart(text, column));
    } else {
        position.column = static_cast<int>(editor_text::nextCharacter(text, column));
    }
    setCursor(position);
}

void ScriptEditor::splitLine()
{
    std::vector<SourceLine>& lines = m_current->lines;
    TextPosition position = cursor();
    lineEdited(position.line);
    std::string text = lineText(position.line);
    auto column = static_cast<std::size_t>(position.column);
    lines[static_cast<std::size_t>(position.line)].setText(text.substr(0, column));
    lines.insert(lines.begin() + position.line + 1,
                 SourceLine(position.line + 1, m_current->moduleCode, text.substr(column)));
    renumberFrom(position.line + 1);
    breakpointsAfterInsert(position, 1);
    lineEdited(position.line + 1);
    EditingView& view = m_current->view;
    view.cursorLine = position.line + 1;
    view.cursorColumn = 0;
    if (view.cursorLine >= view.topLine + m_visibleLines)
        view.topLine = std::min(view.topLine + kEnterScroll, view.cursorLine);
}

void ScriptEditor::backspace()
{
    TextPosition position = cursor();
    std::vector<SourceLine>& lines = m_current->lines;
    if (position.column > 0) {
        std::string text = lineText(position.line);
        auto start =
            editor_text::previousCharacter(text, static_cast<std::size_t>(position.column));
        lineEdited(position.line);
        text.erase(start, static_cast<std::size_t>(position.column) - start);
        lines[static_cast<std::size_t>(position.line)].setText(std::move(text));
        lineEdited(position.line);
        setCursor({position.line, static_cast<int>(start)});
        return;
    }
    if (position.line == 0)
        return;
    breakpointsBeforeRemove(
        {position.line - 1, static_cast<int>(lineText(position.line - 1).size())},
        {position.line, 0});
    lineEdited(position.line - 1);
    lineEdited(position.line);
    const std::string& previous = lineText(position.line - 1);
    int joinColumn = static_cast<int>(previous.size());
    lines[static_cast<std::size_t>(position.line - 1)].setText(previous + lineText(position.line));
    lines.erase(lines.begin() + position.line);
    renumberFrom(position.line);
    lineEdited(position.line - 1);
    setCursor({position.line - 1, joinColumn});
}

void ScriptEditor::deleteForward()
{
    TextPosition position = cursor();
    std::vector<SourceLine>& lines = m_current->lines;
    std::string text = lineText(position.line);
    auto column = static_cast<std::size_t>(position.column);
    lineEdited(position.line);
    if (column < text.size()) {
        text.erase(column, editor_text::nextCharacter(text, column) - column);
        lines[static_cast<std::size_t>(position.line)].setText(std::move(text));
    } else if (position.line + 1 < static_cast<int>(lines.size())) {
        breakpointsBeforeRemove(position, {position.line + 1, 0});
        lineEdited(position.line + 1);
        lines[static_cast<std::size_t>(position.line)].setText(text + lineText(position.line + 1));
        lines.erase(lines.begin() + position.line + 1);
        renumberFrom(position.line + 1);
    } else {
        return;
    }
    lineEdited(position.line);
}

void ScriptEditor::insertText(std::string_view text)
{
    TextPosition position = cursor();
    std::string line = lineText(position.line);
    line.insert(static_cast<std::size_t>(position.column), text);
    currentLine().setText(std::move(line));
    lineEdited(position.line);
    setCursor({position.line, position.column + static_cast<int>(text.size())});
}

void ScriptEditor::offerCompletion()
{
    if (m_hints == HintsState::Off)
        return;
    const std::string& text = currentLine().text();
    auto column = static_cast<std::size_t>(cursorColumn());
    std::size_t start = editor_text::wordStartBefore(text, column);
    std::string_view prefix = std::string_view(text).substr(start, column - start);
    if (prefix.size() < kShortestCompletedPrefix)
        return;
    m_offered.clear();
    for (const std::string& word : m_completionWords) {
        if (word.size() > prefix.size() && word.starts_with(prefix))
            m_offered.push_back(word);
    }
    if (m_offered.empty())
        return;
    m_completionIndex = 0;
    m_completionStart = static_cast<int>(start);
}

// The highlighted word replaces the word being typed, up to the end of that
// word; the rest of the line stays.
void ScriptEditor::takeCompletion()
{
    const std::string& word = m_offered[static_cast<std::size_t>(m_completionIndex)];
    std::string text = currentLine().text();
    auto start = static_cast<std::size_t>(m_completionStart);
    std::size_t end = editor_text::wordEndAfter(text, static_cast<std::size_t>(cursorColumn()));
    text.replace(start, end - start, word);
    currentLine().setText(std::move(text));
    lineEdited(cursorLine());
    setCursor({cursorLine(), static_cast<int>(start + word.size())});
    hideCompletion();
}

void ScriptEditor::hideCompletion()
{
    m_completionIndex = -1;
    m_offered.clear();
}

void ScriptEditor::toggleHints()
{
    m_hints = m_hints == HintsState::On ? HintsState::Off : HintsState::On;
    hideCompletion();
}

// Every edit marks the text modified; an edit of an include line (before or
// after the change) asks for the includes to be loaded again.
void ScriptEditor::lineEdited(int line)
{
    markModified();
    if (m_current->lines[static_cast<std::size_t>(line)].startsWithHash())
        m_includeEdited = true;
}

void ScriptEditor::setCursor(TextPosition position)
{
    EditingView& view = m_current->view;
    view.cursorLine = position.line;
    view.cursorColumn = position.column;
    clampView();
    if (view.cursorLine < view.topLine)
        view.topLine = view.cursorLine;
    if (view.cursorLine >= view.topLine + m_visibleLines)
        view.topLine = view.cursorLine - m_visibleLines + 1;
}

void ScriptEditor::clampView()
{
    EditingView& view = m_current->view;
    int last = static_cast<int>(m_current->lines.size()) - 1;
    view.cursorLine = std::clamp(view.cursorLine, 0, last);
    const std::string& text = lineText(view.cursorLine);
    view.cursorColumn = static_cast<int>(editor_text::characterStart(
        text, std::min(static_cast<std::size_t>(std::max(view.cursorColumn, 0)), text.size())));
    view.topLine = std::clamp(view.topLine, 0, view.cursorLine);
}

// Keeps the cursor inside the text area: long lines scroll sideways.
void ScriptEditor::followCursorHorizontally()
{
    constexpr int kSlack = 40;
    int room = statusLeft() - 2 * kTextLeft;
    const std::string& text = currentLine().text();
    int cursorX =
        m_measure(std::string_view(text).substr(0, static_cast<std::size_t>(cursorColumn())));
    if (cursorX - m_horizontalOffset > room)
        m_horizontalOffset = cursorX - room + kSlack;
    if (cursorX < m_horizontalOffset)
        m_horizontalOffset = std::max(0, cursorX - kSlack);
}

SourceLine& ScriptEditor::currentLine()
{
    return m_current->lines[static_cast<std::size_t>(cursorLine())];
}

const std::string& ScriptEditor::lineText(int line) const
{
    return m_current->lines[static_cast<std::size_t>(line)].text();
}

void ScriptEditor::renumberFrom(int line)
{
    for (auto index = static_cast<std::size_t>(line); index < m_current->lines.size(); ++index)
        m_current->lines[index].number = static_cast<int>(index);
}

// The include lines were edited and the cursor has left them: the file is
// built again from its text so that its includes follow the edit.
void ScriptEditor::rebuildAfterIncludeEdit()
{
    if (!m_includeEdited || currentLine().startsWithHash())
        return;
    m_includeEdited = false;
    if (m_current != m_main.get())
        return;
    EditingView view = m_main->view;
    int offset = m_horizontalOffset;
    setText(m_main->joinedText());
    m_main->view = view;
    clampView();
    m_horizontalOffset = offset;
}

} // namespace kestrane
