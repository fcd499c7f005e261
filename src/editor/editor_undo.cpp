// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of the editor's text.
#include "editor/script_editor.h"

#include <algorithm>

namespace kestrane {

std::vector<std::string> ScriptEditor::lineTexts() const
{
    std::vector<std::string> texts;
    texts.reserve(m_current->lines.size());
    for (int line = 0; line < static_cast<int>(m_current->lines.size()); ++line)
        texts.push_back(lineText(line));
    return texts;
}

EditSnapshot ScriptEditor::snapshot() const
{
    int lastLine = static_cast<int>(m_current->lines.size()) - 1;
    std::string text =
        lastLine < 0 ? std::string()
                     : textBetween({0, 0}, {lastLine, static_cast<int>(lineText(lastLine).size())});
    return {std::move(text), cursorLine(), cursorColumn()};
}

// The main file is known by its role (it is built anew by every paste), an
// include shown after a compile error by its path.
std::string ScriptEditor::historyOwner() const
{
    return m_current == m_main.get() ? std::string() : "include:" + m_current->path;
}

void ScriptEditor::recordEdit(EditKind kind, bool startsWord)
{
    std::string owner = historyOwner();
    if (owner != m_historyOwner) {
        m_history.clear();
        m_historyOwner = std::move(owner);
    }
    m_history.beforeEdit(kind, snapshot(), startsWord);
}

void ScriptEditor::markSaved()
{
    m_history.closeGroup();
    if (m_current == m_main.get())
        m_savedText = snapshot().text;
}

// Sets the text of a snapshot. Reading a text drops an empty last line (its
// CR LF ends the line before), which the snapshot had: it is put back.
void ScriptEditor::restore(const EditSnapshot& snapshot)
{
    int top = topLine();
    std::vector<std::string> before = lineTexts();
    replaceCurrentText(snapshot.text, {0, 0});
    std::size_t lineCount = 1;
    for (std::size_t at = snapshot.text.find("\r\n"); at != std::string::npos;
         at = snapshot.text.find("\r\n", at + 2))
        ++lineCount;
    std::vector<SourceLine>& lines = m_current->lines;
    while (lines.size() < lineCount) {
        lines.emplace_back(static_cast<int>(lines.size()), m_current->moduleCode, "");
        lineEdited(static_cast<int>(lines.size()) - 1);
    }
    breakpointsAfterReplace(before);
    setCursor({snapshot.line, snapshot.column});
    m_current->view.topLine = std::min(top, cursorLine());
    followCursorHorizontally();
    if (m_current == m_main.get() && snapshot.text == m_savedText)
        m_modified = false;
}

bool ScriptEditor::undo()
{
    if (historyOwner() != m_historyOwner)
        return false;
    std::optional<EditSnapshot> previous = m_history.undo(snapshot());
    if (!previous)
        return false;
    restore(*previous);
    return true;
}

bool ScriptEditor::redo()
{
    if (historyOwner() != m_historyOwner)
        return false;
    std::optional<EditSnapshot> next = m_history.redo(snapshot());
    if (!next)
        return false;
    restore(*next);
    return true;
}

} // namespace kestrane
